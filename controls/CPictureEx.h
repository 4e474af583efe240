#pragma once

#include "GifDecoder.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

// A picture control that plays an animated GIF from the program's resources (or
// shows a still picture). Loading sizes the control to the picture, keeping its
// position. Each frame is drawn into an off-screen image at its position and stays
// for its delay (see GifDecoder::frameDelayMs); afterwards it is undone as its
// disposal method asks (2: background colour, 3: what was there before). After the
// last frame the image is cleared to the background colour and play starts again.
//
// Threading: GUI thread only. The player is a timer on the GUI thread.
class CPictureEx : public QWidget {
    Q_OBJECT
public:
    explicit CPictureEx(QWidget* parent = nullptr);
    ~CPictureEx() override;

    // Loads resource (id, type), e.g. (362, "GIF"); stops and releases what was
    // shown before. False, and an empty control, when it is missing or unreadable.
    bool Load(int id, const QString& type = QStringLiteral("GIF"));
    bool LoadData(const QByteArray& data);
    // Shows the picture: a still picture once, an animation by starting play.
    bool Draw();
    // Ends play (also done on destruction); the last image stays on screen.
    void Stop();

    bool isLoaded() const { return !m_animation.isNull(); }
    bool isPlaying() const { return m_player.isActive(); }
    int frameCount() const;
    int currentFrame() const { return m_current; }
    // How long the frame on screen stays, in ms (0 when not playing).
    int currentDelayMs() const { return isPlaying() ? m_player.interval() : 0; }
    QColor backgroundColour() const { return m_animation.background; }
    const QImage& offscreen() const { return m_offscreen; }

public slots:
    // The frame's time is up: undo it and show the next one.
    void advance();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void release();
    void showCurrentFrame();
    void undoFrame(int index);

    GifDecoder::Animation m_animation;
    QImage m_offscreen;
    QImage m_savedArea;
    QRect m_savedRect;
    int m_current = 0;
    QTimer m_player;
};
