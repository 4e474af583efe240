#include "DataPaths.h"

#include "CTessalyApp.h"
#include "SafeFileName.h"

#include <QFileInfo>

QString DataPaths::memberDatabase(const CTessalyApp& app) {
    return app.m_strAppPath + QStringLiteral("UserData.mdb");
}

QString DataPaths::productDatabase(const CTessalyApp& app) {
    return app.m_strAppPath + QStringLiteral("Product.mdb");
}

QString DataPaths::memberImageFolder(const CTessalyApp& app) {
    return app.m_strAppPath + QStringLiteral("PreSetting/member_image");
}

QString DataPaths::productImageFolder(const CTessalyApp& app) {
    return app.m_strAppPath + QStringLiteral("PreSetting/product_image");
}

namespace {

// A member called "default" (a product called "nopicture") would otherwise
// overwrite the shipped picture that every member (product) saved without one
// receives; its first letter is escaped instead.
QString pictureStem(const QString& name, QLatin1String reservedStem) {
    QString stem = SafeFileName::fromName(name);
    if (stem == reservedStem)
        stem =
            QString::asprintf("%%%02X", static_cast<unsigned>(stem.at(0).unicode())) + stem.mid(1);
    return stem;
}

} // namespace

QString DataPaths::memberPictureFile(const CTessalyApp& app, const QString& name) {
    return memberImageFolder(app) + '/' + pictureStem(name, QLatin1String("default")) +
           QStringLiteral(".bmp");
}

QString DataPaths::productPictureFile(const CTessalyApp& app, const QString& name) {
    return productImageFolder(app) + '/' + pictureStem(name, QLatin1String("nopicture")) +
           QStringLiteral(".bmp");
}

QString DataPaths::defaultMemberPicture(const CTessalyApp& app) {
    return memberImageFolder(app) + QStringLiteral("/default.bmp");
}

QString DataPaths::defaultProductPicture(const CTessalyApp& app) {
    return productImageFolder(app) + QStringLiteral("/nopicture.bmp");
}

QString DataPaths::standardMemberPicture(const CTessalyApp& app) {
    return app.m_strAppPath + QStringLiteral("standard/photo/women.bmp");
}

namespace {

// The member's folder inside base: its current mapping, or the folder an
// earlier version made under the older mapping while only that one exists
// and cannot belong to another name.
QString memberFolderIn(const QString& base, const QString& name) {
    const QString current = base + SafeFileName::fromName(name);
    if (QFileInfo::exists(current) || !SafeFileName::legacyBelongsTo(name))
        return current;
    const QString legacy = base + SafeFileName::legacyFromName(name);
    return QFileInfo(legacy).isDir() ? legacy : current;
}

} // namespace

QString DataPaths::memberReportFolder(const CTessalyApp& app, const QString& name) {
    return memberFolderIn(app.m_strAppPath + QStringLiteral("Reports/"), name);
}

QString DataPaths::memberPictureFolder(const CTessalyApp& app, const QString& name) {
    return memberFolderIn(app.m_strImagePath + '/', name);
}

QString DataPaths::guestReportFolder(const CTessalyApp& app) {
    return app.m_strAppPath + QStringLiteral("Reports/Guest");
}

QString DataPaths::guestPictureFolder(const CTessalyApp& app) {
    return app.m_strImagePath + QStringLiteral("/Guest");
}
