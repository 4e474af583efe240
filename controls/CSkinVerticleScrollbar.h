#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class CMyListCtrl;

// The drawn list's own vertical scrollbar: a narrow strip beside the list with an
// up and a down arrow and a thumb. Holding an arrow scrolls one line after 150 ms
// and then one line every 50 ms; a click beside the thumb scrolls a page; the
// thumb can be dragged. It lives in the list's parent and follows the list.
//
// Threading: GUI thread only.
class CSkinVerticleScrollbar : public QWidget {
    Q_OBJECT
public:
    CSkinVerticleScrollbar(CMyListCtrl* list, QWidget* parent);

    static constexpr int kFirstRepeatMs = 150;
    static constexpr int kRepeatMs = 50;
    static constexpr QColor kArrowFill{252, 239, 243};
    static constexpr QColor kArrowColour{90, 90, 90};

    int thumbTop() const { return m_thumbTop; }
    bool isUpPressed() const { return m_upPressed; }
    bool isDownPressed() const { return m_downPressed; }
    bool isDragging() const { return m_dragging; }
    const QTimer& firstRepeatTimer() const { return m_firstRepeat; }
    const QTimer& repeatTimer() const { return m_repeat; }

public slots:
    // Places the scrollbar at the list's right edge.
    void placeBesideList();
    // Moves the thumb to the list's scroll position.
    void syncThumb();
    // The first repeat delay has passed: from now on repeat every 50 ms.
    void OnFirstRepeat();
    // One repeat step: a line in the direction of the held arrow.
    void OnRepeat();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int scrollLimit() const;
    int scrollPosition() const;
    void scrollLines(int lines);
    void scrollPages(int pages);

    QPointer<CMyListCtrl> m_list;
    bool m_upPressed = false;
    bool m_downPressed = false;
    bool m_dragging = false;
    int m_thumbTop = 20;
    QTimer m_firstRepeat;
    QTimer m_repeat;
};
