#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class CTessalyApp;

// The presetting file "PreSetting/presetting.ini": the organisation name and the
// graded texts, one section per language index. Stored as UTF-16 LE with a
// byte-order mark and CR LF. A line break inside a graded text is stored as
// backslash + "n" and comes back as a line feed.
//
// Threading: GUI thread. Every call may restore a missing file first, and the
// file is read on every lookup (no cache); an analysis run gets the texts it
// needs as a table built here beforehand, never by calling in from its worker.
class Presetting {
public:
    static constexpr int kRows = 9;     // items 0-7 and the unused row 8
    static constexpr int kColumns = 10; // grades 0-4 symptoms, 5-9 suggestions

    // "result[i][j]"
    static QString key(int item, int column);

    // The default file carried by the program: section "0" only, exactly as it is
    // written when the file is missing.
    static QByteArray defaultBytes();

    // Restores the default file when it is missing; false when it could not be written.
    static bool ensureExists(const CTessalyApp& app);

    static QString gradedText(const CTessalyApp& app, int item, int column);

    // Every graded text of the current language at once, row by row (kRows rows
    // of kColumns texts), from one read of the file: what an analysis run needs.
    static QList<QStringList> gradedTextRows(const CTessalyApp& app);
    static bool writeGradedText(const CTessalyApp& app, int item, int column, const QString& text);

    static QString orgName(const CTessalyApp& app);
    static bool writeOrgName(const CTessalyApp& app, const QString& name);

    static QString section(const CTessalyApp& app);
};
