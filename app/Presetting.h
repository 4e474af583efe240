#pragma once

#include <QByteArray>
#include <QString>

class CTessalyApp;

// The presetting file "PreSetting/presetting.ini": the organisation name and the
// graded texts, one section per language index. Stored as UTF-16 LE with a
// byte-order mark and CR LF. A line break inside a graded text is stored as
// backslash + "n" and comes back as a line feed.
//
// Threading: reads may run on any thread (the file is read on every lookup, no
// cache); writes belong to the GUI thread.
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
    static bool writeGradedText(const CTessalyApp& app, int item, int column, const QString& text);

    static QString orgName(const CTessalyApp& app);
    static bool writeOrgName(const CTessalyApp& app, const QString& name);

    static QString section(const CTessalyApp& app);
};
