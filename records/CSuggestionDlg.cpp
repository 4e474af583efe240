#include "CSuggestionDlg.h"

#include "CTessalyApp.h"
#include "Presetting.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

const char* const kGradeLabels[CSuggestionDlg::kGrades] = {"90 ~ 100", "80 ~ 90", "70 ~ 80",
                                                           "60 ~ 70", "0 ~ 60"};

QLabel* makeLabel(QWidget* parent, int id, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    label->setFont(SharedFonts::label());
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: rgb(80,80,80); background: transparent;"));
    return label;
}

QPlainTextEdit* makeBox(QWidget* parent, int id, const QString& text) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::number(id));
    box->setFont(SharedFonts::text());
    box->setPlainText(text);
    box->setStyleSheet(QStringLiteral("QPlainTextEdit { color: rgb(80,80,80);"
                                      " background: rgb(244,244,244); border: none; }"));
    return box;
}

} // namespace

CSuggestionDlg::CSuggestionDlg(int item, QWidget* parent) : QWidget(parent), m_item(item) {
    setObjectName(QStringLiteral("370"));
    m_scoreHeading = makeLabel(this, 1288, TextLookup::text("IDS_SCORE"));
    m_resultHeading = makeLabel(this, 1263, TextLookup::text("IDS_ZZ_TYPE"));
    m_suggestHeading = makeLabel(this, 1282, TextLookup::text("IDS_SUGGEST"));
    for (int g = 0; g < kGrades; ++g) {
        m_captions[g] = makeLabel(this, kCaptionIds[g], QString::fromLatin1(kGradeLabels[g]));
        const int score = kColumnScores[g];
        m_results[g] = makeBox(this, kResultIds[g], TextLookup::resultText(item, score));
        m_suggestions[g] =
            makeBox(this, kSuggestionIds[g], TextLookup::suggestionText(item, score));
    }
    layoutControls();
}

bool CSuggestionDlg::Save() {
    const CTessalyApp& app = theApp();
    bool ok = true;
    for (int g = 0; g < kGrades; ++g)
        ok = Presetting::writeGradedText(app, m_item, g, m_results[g]->toPlainText()) && ok;
    for (int g = 0; g < kGrades; ++g)
        ok = Presetting::writeGradedText(app, m_item, g + 5, m_suggestions[g]->toPlainText()) && ok;
    return ok;
}

void CSuggestionDlg::layoutControls() {
    // A heading column on the left, then five grade columns; a caption row and
    // two rows of boxes.
    const int headingWidth = 120;
    const int gap = 10;
    const int captionHeight = 36;
    const int columnWidth = std::max(40, (width() - headingWidth - gap * kGrades) / kGrades);
    const int boxHeight = std::max(40, (height() - captionHeight - 3 * gap) / 2);
    m_scoreHeading->setGeometry(0, 0, headingWidth, captionHeight);
    m_resultHeading->setGeometry(0, captionHeight + gap, headingWidth, boxHeight);
    m_suggestHeading->setGeometry(0, captionHeight + 2 * gap + boxHeight, headingWidth, boxHeight);
    for (int g = 0; g < kGrades; ++g) {
        const int x = headingWidth + gap + g * (columnWidth + gap);
        m_captions[g]->setGeometry(x, 0, columnWidth, captionHeight);
        m_results[g]->setGeometry(x, captionHeight + gap, columnWidth, boxHeight);
        m_suggestions[g]->setGeometry(x, captionHeight + 2 * gap + boxHeight, columnWidth,
                                      boxHeight);
    }
}

void CSuggestionDlg::resizeEvent(QResizeEvent*) {
    layoutControls();
}

void CSuggestionDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}
