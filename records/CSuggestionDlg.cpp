#include "CSuggestionDlg.h"

#include "CTessalyApp.h"
#include "Presetting.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

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
    CSuggestionDlg::limitBox(box);
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
    return Presetting::save(theApp(), entries());
}

QList<QPair<QString, QString>> CSuggestionDlg::entries() const {
    QList<QPair<QString, QString>> out;
    for (int g = 0; g < kGrades; ++g)
        out.append({Presetting::key(m_item, g), m_results[g]->toPlainText()});
    for (int g = 0; g < kGrades; ++g)
        out.append({Presetting::key(m_item, g + 5), m_suggestions[g]->toPlainText()});
    return out;
}

void CSuggestionDlg::limitBox(QPlainTextEdit* box) {
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        const QString text = box->toPlainText();
        if (Presetting::storedLength(text) <= Presetting::kMaxStoredChars)
            return;
        // Remove the fewest characters right before the cursor (what was just
        // typed or pasted) that bring the text within the limit.
        QTextCursor cursor = box->textCursor();
        const int end = cursor.position();
        int low = 1;
        int high = end;
        while (low < high) {
            const int mid = (low + high) / 2;
            if (Presetting::storedLength(text.left(end - mid) + text.mid(end)) <=
                Presetting::kMaxStoredChars)
                high = mid;
            else
                low = mid + 1;
        }
        int start = end - low;
        if (start > 0 && text.at(start - 1).isHighSurrogate())
            --start;
        const QSignalBlocker blocker(box);
        cursor.setPosition(std::max(0, start));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        box->setTextCursor(cursor);
    });
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
