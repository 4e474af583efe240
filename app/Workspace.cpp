#include "Workspace.h"

#include "AtomicFile.h"
#include "CTessalyApp.h"

#include <QDir>
#include <QFileInfo>

void Workspace::prepare(const CTessalyApp& app) {
    QDir dir;
    if (!dir.exists(app.m_strImagePath))
        dir.mkpath(app.m_strImagePath);
    const QString reports = app.m_strAppPath + "Reports";
    if (!dir.exists(reports))
        dir.mkpath(reports);

    // Only one copy runs at a time, so every temporary file of a replacement
    // found now was left by a write that never finished.
    for (const QString& folder : {app.m_strAppPath, app.m_strAppPath + QStringLiteral("PreSetting"),
                                  app.m_strAppPath + QStringLiteral("PreSetting/member_image"),
                                  app.m_strAppPath + QStringLiteral("PreSetting/product_image"),
                                  app.m_strAppPath + QStringLiteral("Language")})
        AtomicFile::removeStale(folder);

    if (!QFileInfo(app.m_strSkinPath).isDir())
        app.ShowTip(QStringLiteral("The folder icons/ is missing; please reinstall the program."),
                    CTessalyApp::TipError);
}
