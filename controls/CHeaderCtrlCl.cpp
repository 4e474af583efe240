#include "CHeaderCtrlCl.h"

#include "ListGeometry.h"
#include "SharedFonts.h"

#include <QApplication>
#include <QPainter>

CHeaderCtrlCl::CHeaderCtrlCl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    refreshFont();
}

void CHeaderCtrlCl::insertTitle(int index, const QString& title, QChar alignment) {
    index = std::clamp(index, 0, int(m_titles.size()));
    m_titles.insert(index, title);
    m_alignment.insert(index, alignment);
    viewport()->update();
}

void CHeaderCtrlCl::removeTitle(int index) {
    if (index < 0 || index >= m_titles.size())
        return;
    m_titles.removeAt(index);
    m_alignment.remove(index, 1);
}

QChar CHeaderCtrlCl::alignmentChar(int column) const {
    return column >= 0 && column < m_alignment.size() ? m_alignment.at(column) : QLatin1Char('1');
}

void CHeaderCtrlCl::setAlignmentChar(int column, QChar alignment) {
    if (column >= 0 && column < m_alignment.size())
        m_alignment[column] = alignment;
    viewport()->update();
}

void CHeaderCtrlCl::refreshFont() {
    const std::optional<int> height =
        ListGeometry::headerFontHeight(SharedFonts::currentLanguage());
    setFont(height ? SharedFonts::faceFont(*height) : QApplication::font());
    updateGeometry();
}

QSize CHeaderCtrlCl::sizeHint() const {
    QSize hint = QHeaderView::sizeHint();
    hint.setHeight(ListGeometry::headerHeight(hint.height()));
    return hint;
}

void CHeaderCtrlCl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, kCellFill);
    painter->setPen(kTitleColour);
    painter->setFont(font());
    QRect textRect = rect;
    Qt::Alignment horizontal = Qt::AlignHCenter;
    const QChar alignment = alignmentChar(logicalIndex);
    if (alignment == QLatin1Char('0')) {
        horizontal = Qt::AlignLeft;
        textRect.adjust(3, 0, 0, 0);
    } else if (alignment == QLatin1Char('2')) {
        horizontal = Qt::AlignRight;
        textRect.adjust(0, 0, -3, 0);
    }
    painter->drawText(textRect, horizontal | Qt::AlignVCenter | Qt::TextSingleLine,
                      title(logicalIndex));
    painter->restore();
}

void CHeaderCtrlCl::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    const int end = length() - offset();
    if (end >= viewport()->width())
        return;
    QPainter p(viewport());
    for (int y = 0; y < viewport()->height(); ++y) {
        const int grey = ListGeometry::headerGradientGrey(y);
        p.fillRect(QRect(end, y, viewport()->width() - end, 1), QColor(grey, grey, grey));
    }
}
