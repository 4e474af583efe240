#pragma once

class QImage;
class QKeyEvent;
class QString;
class QWidget;

// What the full screens share: a skin picture stretched over the window, and
// Enter and Escape that neither confirm nor close.
//
// Threading: GUI thread only.
class ScreenChrome {
public:
    // Paints fileName from the skin folder over the whole widget; nothing when
    // the picture is missing or unreadable. Call from paintEvent: the picture
    // is read and decoded on its first use only (per skin folder and name).
    static void paintSkin(QWidget& widget, const QString& fileName);

    // The decoded picture paintSkin draws; null when missing or unreadable.
    static const QImage& skin(const QString& fileName);

    // Accepts a key-down of Enter or Escape so the dialog ignores it; returns
    // whether it did. Call first in keyPressEvent.
    static bool swallowEnterEscape(QKeyEvent* event);
};
