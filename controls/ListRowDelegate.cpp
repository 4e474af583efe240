#include "ListRowDelegate.h"

#include "CMyListCtrl.h"
#include "ListGeometry.h"
#include "SharedFonts.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QPixmapCache>

namespace {

// Pictures are cached by path and file time, so that a picture replaced under the
// same name (a member's new photo) is shown as it is now.
QPixmap rowPicture(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QString key = path + '@' + QString::number(info.lastModified().toMSecsSinceEpoch()) +
                        '@' + QString::number(info.size());
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    if (!picture.load(path))
        return {};
    QPixmapCache::insert(key, picture);
    return picture;
}

} // namespace

ListRowDelegate::ListRowDelegate(CMyListCtrl* list) : QStyledItemDelegate(list), m_list(list) {}

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const QRect cell = option.rect;
    const int row = index.row();
    const int column = index.column();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();

    if (column == 0)
        painter->fillRect(cell, m_list->backgroundColour());
    else
        painter->fillRect(cell, selected ? kSelectedFill : QColor(Qt::white));
    for (const QRect& strip : ListGeometry::cellGapStrips(cell))
        painter->fillRect(strip, Qt::white);

    if (column == 0) {
        if (m_list->hasCheckBoxes()) {
            const ListGeometry::CheckBoxShape box = ListGeometry::checkBoxShape(cell);
            painter->fillRect(box.box, kCheckBoxFill);
            painter->setPen(Qt::black);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(box.box.adjusted(0, 0, -1, -1));
            if (m_list->GetCheck(row)) {
                painter->setRenderHint(QPainter::Antialiasing);
                painter->setPen(QPen(kTickColour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                painter->drawPolyline(box.tick.data(), int(box.tick.size()));
            }
        }
        const QString path = m_list->rowPicture(row);
        if (!path.isEmpty()) {
            const QPixmap picture = rowPicture(path);
            if (!picture.isNull()) {
                painter->setRenderHint(QPainter::SmoothPixmapTransform);
                painter->drawPixmap(ListGeometry::fitPicture(picture.size(), cell), picture);
            }
        }
        painter->restore();
        return;
    }

    painter->setPen(m_list->textColourOf(row, column));
    painter->setFont(SharedFonts::faceFont(
        ListGeometry::cellFontHeight(SharedFonts::currentLanguage(), m_list->fontHeight())));
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_list->alignment() == AlignCentre)
        horizontal = Qt::AlignHCenter;
    else if (m_list->alignment() == AlignRight)
        horizontal = Qt::AlignRight;
    painter->drawText(cell.translated(2, 0), horizontal | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

bool ListRowDelegate::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                                  const QModelIndex&) {
    return false;
}
