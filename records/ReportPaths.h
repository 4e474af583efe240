#pragma once

#include <QDateTime>
#include <QString>

class CTessalyApp;
struct MemberRecord;

// Where the current member's visits and saved report pictures live. A member
// handed over by member management has folders named after the member (through
// the safe-name mapping of the data paths); a guest uses the folders "Guest".
//
// Threading: pure functions of their arguments.
class ReportPaths {
public:
    // The folder name of the record: its name when a member was selected, else "Guest".
    static QString memberFolderName(const MemberRecord& member);

    // "Reports/<member>" and "Reports/<member>/<stamp>".
    static QString memberReportFolder(const CTessalyApp& app, const MemberRecord& member);
    static QString visitFolder(const CTessalyApp& app, const MemberRecord& member,
                               const QString& stamp);

    // "Guests-Image/<member>/Report": where printed and exported report pages go.
    static QString savedReportFolder(const CTessalyApp& app, const MemberRecord& member);
    // "<folder>/<name>_<caption>_<stamp>.bmp"; the name part is the record's
    // name (mapped to a safe file name), empty when no name was handed over.
    static QString savedReportFile(const CTessalyApp& app, const MemberRecord& member,
                                   const QString& caption, const QDateTime& when);
};
