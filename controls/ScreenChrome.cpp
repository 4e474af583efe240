#include "ScreenChrome.h"

#include "CTessalyApp.h"

#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {

// Decoded skin pictures by full path. Painting happens many times a second
// (every exposure, every panel switch); reading and decoding a full-screen
// bitmap each time made the screens slow to appear. Kept as QImage so the
// cache may outlive the application object at process end. A picture that
// could not be read is remembered as null, so a missing file costs one try.
QHash<QString, QImage>& skinCache() {
    static QHash<QString, QImage> cache;
    return cache;
}

} // namespace

const QImage& ScreenChrome::skin(const QString& fileName) {
    static const QImage none;
    const CTessalyApp* app = CTessalyApp::instance();
    if (!app)
        return none;
    const QString path = app->m_strSkinPath + fileName;
    auto found = skinCache().find(path);
    if (found == skinCache().end())
        found = skinCache().insert(path, QImage(path));
    return found.value();
}

void ScreenChrome::paintSkin(QWidget& widget, const QString& fileName) {
    const QImage& background = skin(fileName);
    if (background.isNull())
        return;
    QPainter p(&widget);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(widget.rect(), background);
}

bool ScreenChrome::swallowEnterEscape(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return true;
    default:
        return false;
    }
}
