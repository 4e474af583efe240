#include "ReportPaths.h"

#include "CTessalyApp.h"
#include "DataPaths.h"
#include "MemberRecord.h"
#include "ReportStore.h"
#include "SafeFileName.h"

QString ReportPaths::memberFolderName(const MemberRecord& member) {
    return member.selected ? member.name : QStringLiteral("Guest");
}

QString ReportPaths::memberReportFolder(const CTessalyApp& app, const MemberRecord& member) {
    return DataPaths::memberReportFolder(app, memberFolderName(member));
}

QString ReportPaths::visitFolder(const CTessalyApp& app, const MemberRecord& member,
                                 const QString& stamp) {
    return memberReportFolder(app, member) + '/' + SafeFileName::fromName(stamp);
}

QString ReportPaths::savedReportFolder(const CTessalyApp& app, const MemberRecord& member) {
    return DataPaths::memberPictureFolder(app, memberFolderName(member)) +
           QStringLiteral("/Report");
}

QString ReportPaths::savedReportFile(const CTessalyApp& app, const MemberRecord& member,
                                     const QString& caption, const QDateTime& when) {
    const QString name = member.name.isEmpty() ? QString() : SafeFileName::fromName(member.name);
    const QString base = name + '_' + caption + '_' + ReportStore::visitStamp(when);
    // The caption comes from a language file; it too must stay one file name.
    return savedReportFolder(app, member) + '/' + SafeFileName::fromName(base) +
           QStringLiteral(".bmp");
}
