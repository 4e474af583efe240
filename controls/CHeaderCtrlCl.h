#pragma once

#include <QColor>
#include <QHeaderView>
#include <QStringList>

// The drawn list's column header: pale pink cells with pink titles, each aligned
// by its column's alignment character, and a grey gradient right of the last
// column. It is 1.1 times as high as its font asks for.
//
// Threading: GUI thread only.
class CHeaderCtrlCl : public QHeaderView {
    Q_OBJECT
public:
    explicit CHeaderCtrlCl(QWidget* parent = nullptr);

    // Records the title and alignment character ('0' left, '1' centre, '2' right)
    // of the column inserted at index.
    void insertTitle(int index, const QString& title, QChar alignment);
    void removeTitle(int index);
    QString title(int column) const { return m_titles.value(column); }
    QChar alignmentChar(int column) const;
    void setAlignmentChar(int column, QChar alignment);

    // Rebuilds the title font for the current language.
    void refreshFont();

    QSize sizeHint() const override;

    static constexpr QColor kTitleColour{246, 109, 141};
    static constexpr QColor kCellFill{252, 239, 243};

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_titles;
    QString m_alignment;
};
