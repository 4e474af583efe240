#pragma once

#include <QColor>
#include <QDialog>
#include <QRect>

// A pop-up dialog that draws its own frame: a pink caption and borders with the
// caption text in white, and a close spot at the right of the caption that
// closes the dialog as Cancel does. The caption can be dragged to move the
// dialog. Controls go on clientArea(), whose coordinates are the dialog's client
// coordinates.
//
// Threading: GUI thread only.
class CDrawnFrameDlg : public QDialog {
    Q_OBJECT
public:
    // Frame thickness and caption height of the drawn frame, in pixels.
    static constexpr int kFrameWidth = 3;
    static constexpr int kCaptionHeight = 23 + kFrameWidth;
    static constexpr QColor kFrameColour{247, 111, 137};

    explicit CDrawnFrameDlg(QWidget* parent = nullptr);

    // captionText is already translated (the caller looks up the text key).
    void setCaptionText(const QString& captionText);
    QString captionText() const { return m_caption; }

    // Sizes the dialog so that its client area is clientSize.
    void setClientSize(const QSize& clientSize);
    QWidget* clientArea() const { return m_client; }

    bool isCloseSpotHovered() const { return m_closeHover; }

    // The close spot, (537,1)-(561,25) in window coordinates for every dialog.
    static QRect closeSpot();
    static bool inCloseSpot(const QPoint& windowPos);

    // Where the frame's five pictures go for a window of the given size: the two
    // 100-px caption ends, the caption middle, left, bottom and right borders.
    struct FramePiece {
        int resourceId;
        QRect rect;
    };
    static QList<FramePiece> framePieces(const QSize& window);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool inFrame(const QPoint& pos) const;
    void setCloseHover(bool hover);

    QString m_caption;
    QWidget* m_client = nullptr;
    bool m_closeHover = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
