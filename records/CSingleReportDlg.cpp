#include "CSingleReportDlg.h"

#include "CTessalyApp.h"
#include "CvvImage.h"
#include "SharedFonts.h"
#include "SkinItem.h"
#include "TextLookup.h"

#include <QPainter>

CSingleReportDlg::CSingleReportDlg(int item, int score, const cv::Mat& detection,
                                   const cv::Mat& analysis, const QString& resultText,
                                   const QString& suggestionText, QWidget* mainWindow)
    : QWidget(mainWindow), m_result(item), m_resultText(resultText),
      m_suggestionText(suggestionText) {
    setObjectName(QStringLiteral("358"));
    m_result.score = score;
    m_result.detectionImage = detection.empty() ? cv::Mat() : detection.clone();
    m_result.analysisImage = analysis.empty() ? cv::Mat() : analysis.clone();
}

void CSingleReportDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QColor grey(80, 80, 80);
    p.setPen(grey);
    p.setFont(SharedFonts::title());
    const bool known = m_result.item >= 0 && m_result.item < kSkinItemCount;
    const QString name = known ? TextLookup::text(kSkinItems[m_result.item].textKey) : QString();
    p.drawText(QRect(30, 20, width() - 60, 44), Qt::AlignLeft | Qt::AlignVCenter,
               name + QStringLiteral("   ") + TextLookup::text("IDS_THIS_SCORE") + ' ' +
                   QString::number(m_result.score));

    // The two pictures side by side, each at most 4:3 in half the width.
    const int pictureWidth = std::min(480, (width() - 90) / 2);
    const int pictureHeight = pictureWidth * 3 / 4;
    const cv::Mat* pictures[2] = {&m_result.detectionImage, &m_result.analysisImage};
    for (int i = 0; i < 2; ++i) {
        const QRect target(30 + i * (pictureWidth + 30), 80, pictureWidth, pictureHeight);
        p.fillRect(target, QColor(244, 244, 244));
        if (!pictures[i]->empty()) {
            CvvImage holder;
            holder.copyOf(*pictures[i], 1);
            holder.drawToRect(p, target);
        }
    }

    p.setFont(SharedFonts::text());
    const int textTop = 100 + pictureHeight;
    const int textHeight = std::max(40, (height() - textTop - 30) / 2);
    const QRect resultRect(30, textTop, width() - 60, textHeight);
    p.drawText(resultRect, Qt::TextWordWrap, TextLookup::text("IDS_RESULT") + '\n' + m_resultText);
    p.drawText(resultRect.translated(0, textHeight + 10), Qt::TextWordWrap,
               TextLookup::text("IDS_SUGGEST") + '\n' + m_suggestionText);
}
