#include "CTessalyPicDlg.h"

#include "CTessalyApp.h"

#include <QPainter>
#include <QPixmap>

CTessalyPicDlg::CTessalyPicDlg(QWidget* mainWindow) : QWidget(mainWindow) {
    setObjectName(QStringLiteral("1100"));
}

void CTessalyPicDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap background(theApp().m_strSkinPath + "compare_bk.bmp");
    if (background.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawPixmap(rect(), background);
}
