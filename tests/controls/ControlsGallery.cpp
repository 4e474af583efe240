// Draws the controls with the program's own pictures and writes one PNG per
// control into the folder given as the first argument (default
// /tmp/velatrix-controls).
#include "CDrawnFrameDlg.h"
#include "CGdipButton.h"
#include "CLoadingDlg.h"
#include "CMessageBoxDLg.h"
#include "CMyListCtrl.h"
#include "CPictureEx.h"
#include "CTessalyApp.h"
#include "SharedFonts.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QTemporaryDir>

namespace {

void save(QWidget* w, const QString& folder, const QString& name) {
    w->grab().save(folder + '/' + name + ".png");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC")});
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "/tmp/velatrix-controls";
    QDir().mkpath(out);

    QTemporaryDir programFolder;
    CTessalyApp app(programFolder.path());
    QDir().mkpath(programFolder.path() + "/Language");
    QFile lang(programFolder.path() + "/Language/English.ini");
    lang.open(QIODevice::WriteOnly);
    lang.write("[Setting]\nIDS_ANALYSISING=Analysing\n");
    lang.close();
    app.m_strLanguagePath = lang.fileName();
    app.m_nLanguage = 2;
    SharedFonts::rebuild(2);

    // Buttons in each look.
    QWidget panel;
    panel.resize(880, 80);
    panel.setAutoFillBackground(true);
    panel.setPalette(QColor(244, 244, 244));
    const char* names[] = {"standard", "hover", "pressed", "disabled", "toggled"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new CGdipButton(&panel);
        b->setGeometry(10 + i * 172, 15, 160, 50);
        b->LoadStdImage(413);
        b->LoadAltImage(412);
        b->SetText(names[i], 2, 0, 0, 16, AlignCentre, Qt::white, 0);
        if (i == 1) {
            QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QApplication::sendEvent(b, &e);
        }
        if (i == 2)
            b->setDown(true);
        if (i == 3)
            b->setEnabled(false);
        if (i == 4)
            b->SetToggle(true);
    }
    save(&panel, out, "buttons");

    // A framed dialog holding the list.
    CDrawnFrameDlg frame;
    frame.setCaptionText("History record");
    frame.setClientSize(QSize(562, 360));
    auto* list = new CMyListCtrl(frame.clientArea());
    list->setGeometry(10, 10, 530, 320);
    list->SetCheckBoxes(true);
    list->InsertColumn(0, "", AlignCentre, 30);
    list->InsertColumn(1, "Date", AlignCentre, 250);
    list->InsertColumn(2, "Score", AlignCentre, 150);
    list->SetAlignment(AlignCentre);
    list->SetRowHeight(30);
    list->SetFont(18, 0);
    for (int i = 0; i < 20; ++i) {
        const int row = list->InsertItem(i, {});
        list->SetItemText(row, 1, QStringLiteral("2024-03-%1 10:%2").arg(i + 1).arg(i * 2));
        list->SetItemText(row, 2, QString::number(70 + i));
    }
    list->SetCheck(2, true);
    list->SetSelectedRow(1);
    list->SetColTextColor(2, QColor(246, 109, 141));
    list->SetSkinnedScrollbar(true);
    list->CreateScrollbar();
    frame.show();
    save(&frame, out, "frame_and_list");

    CMessageBoxDLg box("Exit the program?", "OK", "Cancel");
    box.show();
    save(&box, out, "confirmation");

    QWidget owner;
    owner.resize(1360, 760);
    CLoadingDlg loading(&owner);
    loading.show();
    loading.OnDotTimer();
    loading.OnDotTimer();
    loading.animation()->advance();
    save(&loading, out, "progress");
    loading.OnCancel();
    return 0;
}
