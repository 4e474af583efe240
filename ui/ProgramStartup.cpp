#include "ProgramStartup.h"

#include "CBKDlg.h"
#include "CMessageBoxDLg.h"
#include "CTessalyApp.h"
#include "CTipDlg.h"
#include "SingleInstance.h"
#include "VelatrixResources.h"
#include "Workspace.h"

#include <QFont>
#include <QFontDatabase>

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

int ProgramStartup::run(const QString& programFolder) {
    registerFontSubstitutes();
    velatrixInitResources();
    CTessalyApp app(programFolder);
    app.setTipHandler([](const QString& text, int kind) { CTipDlg::Show(text, kind); });
    app.setConfirmHandler(&CMessageBoxDLg::Ask);

    // Held until the process ends, however it ends.
    SingleInstance instance(kInstanceName);
    if (!instance.acquire()) {
        CTipDlg::ShowModal(QStringLiteral("The program is already running."),
                           CTessalyApp::TipError);
        return 0;
    }

    Workspace::prepare(app);

    {
        CBKDlg background;
        background.exec();
    }
    CTipDlg::destroyCurrent();
    return 0;
}
