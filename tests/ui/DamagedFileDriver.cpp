// Not a test on its own: opens one screen of the program on a given program
// folder in a real window, as the program does, and prints the X window ids
// of the tip and the screen once both are up, for DamagedFileTest to check
// their stacking. Arguments: program folder, screen ("members", "products",
// "settings"), and optionally how long to stay in milliseconds (for a look).
#include "CProductDlg.h"
#include "CSetupDlg.h"
#include "CTessalyApp.h"
#include "CTipDlg.h"
#include "CUserDataDlg.h"
#include "MemberRecord.h"
#include "SharedFonts.h"
#include "TextLookup.h"
#include "VelatrixResources.h"
#include "Workspace.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc < 3)
        return 2;
    velatrixInitResources();
    CTessalyApp app(QString::fromLocal8Bit(argv[1]));
    app.setTipHandler([](const QString& text, int kind) { CTipDlg::Show(text, kind); });
    const QString screen = QString::fromLocal8Bit(argv[2]);

    // The start-up and start-page steps that can name a damaged file.
    Workspace::prepare(app);
    app.m_nLanguage = 2;
    SharedFonts::rebuild(2);
    TextLookup::chooseLanguageFile(2);

    MemberRecord member;
    std::unique_ptr<QWidget> window;
    if (screen == QLatin1String("members"))
        window = std::make_unique<CUserDataDlg>(member);
    else if (screen == QLatin1String("products"))
        window = std::make_unique<CProductDlg>();
    else
        window = std::make_unique<CSetupDlg>();
    window->show();

    QTimer::singleShot(800, [&window] {
        CTipDlg* tip = CTipDlg::current();
        std::printf("screen %llu\n", static_cast<unsigned long long>(window->winId()));
        if (tip && tip->isVisible())
            std::printf("tip %llu %s\n", static_cast<unsigned long long>(tip->winId()),
                        tip->text().toUtf8().constData());
        std::fflush(stdout);
    });
    QTimer::singleShot(argc > 3 ? QByteArray(argv[3]).toInt() : 1600, &qt, &QApplication::quit);
    return qt.exec();
}
