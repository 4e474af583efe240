#include "ProgramStartup.h"

#include "CBKDlg.h"
#include "CMainDlg.h"
#include "CMessageBoxDLg.h"
#include "CTessalyApp.h"
#include "CTipDlg.h"
#include "NetCameraSource.h"
#include "SingleInstance.h"
#include "V4l2CameraSystem.h"
#include "VelatrixResources.h"
#include "Workspace.h"

#include <QFont>
#include <QFontDatabase>

#include <cstdio>

void ProgramStartup::registerFontSubstitutes() {
    const QStringList candidates{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                                 QStringLiteral("WenQuanYi Micro Hei"),
                                 QStringLiteral("Droid Sans Fallback")};
    const QStringList families = QFontDatabase::families();
    QStringList available;
    for (const QString& c : candidates) {
        if (families.contains(c))
            available << c;
    }
    if (!available.isEmpty())
        QFont::insertSubstitutions(QStringLiteral("微软雅黑"), available);
}

std::string ProgramStartup::instanceName() {
    // Tests and side-by-side installations pick a private name, so that their
    // copies neither block nor are blocked by the salon's running program.
    const QByteArray suffix = qgetenv("VELATRIX_INSTANCE");
    if (suffix.isEmpty())
        return kInstanceName;
    return std::string(kInstanceName) + "-" + suffix.toStdString();
}

int ProgramStartup::run(const QString& programFolder) {
    registerFontSubstitutes();
    velatrixInitResources();
    CTessalyApp app(programFolder);
    app.setTipHandler([](const QString& text, int kind) { CTipDlg::Show(text, kind); });
    app.setConfirmHandler(&CMessageBoxDLg::Ask);

    // Held until the process ends, however it ends.
    SingleInstance instance(instanceName());
    if (!instance.acquire()) {
        // The tip is for the operator; the line and the status are for whoever
        // started us from a shell or a script.
        std::fputs("velatrix: another copy is already running; this one ends.\n", stderr);
        CTipDlg::ShowModal(QStringLiteral("The program is already running."),
                           CTessalyApp::TipError);
        return 1;
    }

    Workspace::prepare(app);
    V4l2CameraSystem cameras;
    CMainDlg::setCameraSystem(&cameras);
    CMainDlg::setNetworkCameraFactory(NetCameraSource::factory());

    {
        CBKDlg background;
        background.exec();
    }
    CTipDlg::destroyCurrent();
    return 0;
}
