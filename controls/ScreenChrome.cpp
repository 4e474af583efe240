#include "ScreenChrome.h"

#include "CTessalyApp.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

void ScreenChrome::paintSkin(QWidget& widget, const QString& fileName) {
    const CTessalyApp* app = CTessalyApp::instance();
    if (!app)
        return;
    const QPixmap background(app->m_strSkinPath + fileName);
    if (background.isNull())
        return;
    QPainter p(&widget);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(widget.rect(), background);
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
