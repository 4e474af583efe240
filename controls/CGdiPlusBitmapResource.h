#pragma once

#include "CGdiPlusBitmap.h"

#include <QByteArray>
#include <QString>

// A picture loaded from the program's embedded resources, addressed the way the
// screens address them: a numeric id and a type ("PNG", "BITMAP", "GIF"). The
// resource for (413, "PNG") is ":/res/PNG/413.png".
//
// Loading fails, and the holder stays empty, when the resource is missing, empty
// or not decodable; the screens then simply do not draw that picture.
//
// Threading: loading reads only immutable resources and may run on any thread;
// the resource root is set once before any loading.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    CGdiPlusBitmapResource() = default;

    bool Load(int id, const QString& type = QStringLiteral("PNG"));
    // The raw bytes the picture was decoded from.
    const QByteArray& data() const { return m_data; }

    // File extension of a resource type: "PNG" -> "png", "BITMAP" -> "bmp",
    // "GIF" -> "gif"; any other type is used in lower case.
    static QString extensionOf(const QString& type);
    static QString resourcePath(int id, const QString& type);
    // Bytes of a resource; empty when it is missing.
    static QByteArray resourceData(int id, const QString& type);

    // Where the resources are looked up, ":/res/" by default. Tests point it at a
    // folder of fixture pictures laid out the same way ("<root>PNG/413.png").
    static void setResourceRoot(const QString& root);
    static QString resourceRoot();

private:
    QByteArray m_data;
};
