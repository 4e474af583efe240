#include "CConectFailDlg.h"

#include "CGdiPlusBitmapResource.h"
#include "CGdipButton.h"
#include "CTessalyApp.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr QColor kBackground(244, 244, 244);

} // namespace

CConectFailDlg::CConectFailDlg(QWidget* panel) : QWidget(panel) {
    setObjectName(QStringLiteral("CConectFailDlg"));
    resize(kSize);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("1100"));
    CGdiPlusBitmapResource picture;
    if (picture.Load(298, QStringLiteral("BITMAP"))) {
        m_picture->setPixmap(QPixmap::fromImage(picture.image()));
        m_picture->resize(picture.size());
    }
    // The picture sits a third of the way down, centred across.
    m_picture->move((width() - m_picture->width()) / 2, (height() - m_picture->height()) / 3);

    m_text = new QLabel(TextLookup::text("IDS_CONNECT_FAIL"), this);
    m_text->setObjectName(QStringLiteral("1101"));
    m_text->setFont(SharedFonts::label());
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setStyleSheet(QStringLiteral("color: rgb(80, 80, 80); background: transparent;"));
    const int textTop = m_picture->geometry().bottom() + 8;
    m_text->setGeometry(10, textTop, width() - 20, 70);

    m_netCamera = new CGdipButton(this);
    m_netCamera->setObjectName(QString::number(kNetCameraButtonId));
    m_netCamera->LoadStdImage(423);
    m_netCamera->SetText(TextLookup::text("IDS_CONNECT_NETCAMERA"), theApp().m_nLanguage, 0, 0, 16,
                         AlignCentre, QColor(80, 80, 80), 0);
    m_netCamera->setGeometry((width() - 240) / 2, height() - 44, 240, 36);
    connect(m_netCamera, &QAbstractButton::clicked, this, &CConectFailDlg::netCameraRequested);
}

void CConectFailDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
}
