#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class CTessalyApp;

// The presetting file "PreSetting/presetting.ini": the organisation name and the
// graded texts, one section per language index. Stored as UTF-16 LE with a
// byte-order mark and CR LF. A line break inside a graded text is stored as
// backslash + "n" and a backslash as two backslashes, so every text comes back
// as typed; a stored text longer than kMaxStoredChars would come back cut, so
// the editors stop there (fitToLimit) and save() refuses longer texts.
//
// A file that lacks any key of the default file's first section is damaged
// (truncated or overwritten): damageReport() says so, missing texts of that
// section read as the default's, and save() refuses to replace it, so the
// operator can still rescue it.
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

    // Writes every entry (key() or "OrgName" -> text) of the current language in
    // one replacement of the file: all or nothing. False with *error naming the
    // file when a text is too long, the file is damaged or cannot be written.
    static bool save(const CTessalyApp& app, const QList<QPair<QString, QString>>& entries,
                     QString* error = nullptr);

    // Empty for a sound file; otherwise the tip text naming the damaged file.
    static QString damageReport(const CTessalyApp& app);

    // The reader keeps at most 999 characters of a stored value.
    static constexpr int kMaxStoredChars = 999;
    // Characters a text takes in the file, escapes and quotes included.
    static int storedLength(const QString& text);
    // The longest start of text that is stored within kMaxStoredChars, cut on a
    // character boundary.
    static QString fitToLimit(const QString& text);
    static QString escapeText(const QString& text);
    static QString unescapeText(const QString& stored);

    static QString orgName(const CTessalyApp& app);
    static bool writeOrgName(const CTessalyApp& app, const QString& name);

    static QString section(const CTessalyApp& app);
};
