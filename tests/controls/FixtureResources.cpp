#include "FixtureResources.h"

#include "CGdiPlusBitmapResource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FixtureResources::FixtureResources() : m_previousRoot(CGdiPlusBitmapResource::resourceRoot()) {
    CGdiPlusBitmapResource::setResourceRoot(m_dir.path());
}

FixtureResources::~FixtureResources() {
    CGdiPlusBitmapResource::setResourceRoot(m_previousRoot);
}

void FixtureResources::addPicture(int id, const QString& type, const QImage& image) {
    const QString path = CGdiPlusBitmapResource::resourcePath(id, type);
    QDir().mkpath(QFileInfo(path).path());
    image.save(path,
               CGdiPlusBitmapResource::extensionOf(type) == QLatin1String("bmp") ? "BMP" : "PNG");
}

void FixtureResources::addData(int id, const QString& type, const QByteArray& data) {
    const QString path = CGdiPlusBitmapResource::resourcePath(id, type);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}
