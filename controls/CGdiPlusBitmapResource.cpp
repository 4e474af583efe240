#include "CGdiPlusBitmapResource.h"

#include "VelatrixResources.h"

#include <QFile>

namespace {

QString& root() {
    static QString value = QStringLiteral(":/res/");
    return value;
}

} // namespace

bool CGdiPlusBitmapResource::Load(int id, const QString& type) {
    Empty();
    m_data = resourceData(id, type);
    if (m_data.isEmpty())
        return false;
    QImage decoded;
    if (!decoded.loadFromData(m_data)) {
        m_data.clear();
        return false;
    }
    m_image = decoded.convertToFormat(QImage::Format_ARGB32);
    return true;
}

QString CGdiPlusBitmapResource::extensionOf(const QString& type) {
    const QString upper = type.toUpper();
    if (upper == QLatin1String("PNG"))
        return QStringLiteral("png");
    if (upper == QLatin1String("BITMAP"))
        return QStringLiteral("bmp");
    if (upper == QLatin1String("GIF"))
        return QStringLiteral("gif");
    return type.toLower();
}

QString CGdiPlusBitmapResource::resourcePath(int id, const QString& type) {
    return root() + type.toUpper() + '/' + QString::number(id) + '.' + extensionOf(type);
}

QByteArray CGdiPlusBitmapResource::resourceData(int id, const QString& type) {
    // The pictures live in a static library; make sure they are registered before
    // the first look-up, whoever comes first.
    static const bool registered = (velatrixInitResources(), true);
    Q_UNUSED(registered);
    QFile file(resourcePath(id, type));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void CGdiPlusBitmapResource::setResourceRoot(const QString& root_) {
    root() = root_.endsWith('/') ? root_ : root_ + '/';
}

QString CGdiPlusBitmapResource::resourceRoot() {
    return root();
}
