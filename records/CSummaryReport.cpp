#include "CSummaryReport.h"

#include "CTessalyApp.h"
#include "Presetting.h"
#include "SharedFonts.h"
#include "SkinItem.h"
#include "TextLookup.h"

#include <QPainter>

CSummaryReport::CSummaryReport(int fromHistory, const std::array<ItemResult, 8>& items,
                               QWidget* mainWindow)
    : QWidget(mainWindow), m_fromHistory(fromHistory) {
    setObjectName(QStringLiteral("CSummaryReport"));
    for (int i = 0; i < 8; ++i)
        m_scores[i] = items[i].score;
}

void CSummaryReport::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor grey(80, 80, 80);
    const QColor pink(246, 109, 141);

    p.setPen(grey);
    p.setFont(SharedFonts::title());
    p.drawText(QRect(30, 20, width() - 60, 44), Qt::AlignLeft | Qt::AlignVCenter,
               Presetting::orgName(theApp()) + QStringLiteral("  ·  ") +
                   TextLookup::text("IDS_REPORT"));

    p.setFont(SharedFonts::label());
    const int labelWidth = 160;
    const int barLeft = 30 + labelWidth + 10;
    const int barWidth = std::max(100, width() - barLeft - 120);
    int sum = 0;
    for (int i = 0; i < 8; ++i) {
        const int y = 90 + i * 52;
        p.setPen(grey);
        p.drawText(QRect(30, y, labelWidth, 36), Qt::AlignRight | Qt::AlignVCenter,
                   TextLookup::text(kSkinItems[i].textKey));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(244, 244, 244));
        p.drawRoundedRect(QRect(barLeft, y + 8, barWidth, 20), 10, 10);
        p.setBrush(pink);
        const int score = std::clamp(m_scores[i], 0, 100);
        p.drawRoundedRect(QRect(barLeft, y + 8, barWidth * score / 100, 20), 10, 10);
        p.setPen(grey);
        p.drawText(QRect(barLeft + barWidth + 10, y, 80, 36), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(m_scores[i]));
        sum += m_scores[i];
    }
    p.drawText(QRect(30, 90 + 8 * 52 + 10, width() - 60, 40), Qt::AlignLeft | Qt::AlignVCenter,
               TextLookup::text("IDS_AVERA_SCORE") + ' ' + QString::number(sum / 8));
}
