#include "CPreviewDlg.h"

#include "SharedFonts.h"
#include "TextLookup.h"

#include <QPainter>

CPreviewDlg::CPreviewDlg(QWidget* mainWindow) : QWidget(mainWindow) {
    setObjectName(QStringLiteral("CPreviewDlg"));
}

void CPreviewDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The video area: 640 x 480 scaled into the panel, keeping 4:3.
    const int w = std::min(width() - 40, (height() - 40) * 4 / 3);
    const QRect video(20, 20, w, w * 3 / 4);
    p.fillRect(video, QColor(60, 60, 60));
    p.setPen(QColor(244, 244, 244));
    p.setFont(SharedFonts::title());
    p.drawText(video, Qt::AlignCenter | Qt::TextWordWrap, TextLookup::text("IDS_CONNECT_FAIL"));
}
