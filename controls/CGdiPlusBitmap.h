#pragma once

#include <QImage>

// Owns one decoded picture (ARGB, alpha kept). Empty until something is loaded.
//
// Threading: a plain value; use it from one thread at a time.
class CGdiPlusBitmap {
public:
    CGdiPlusBitmap() = default;
    virtual ~CGdiPlusBitmap() = default;

    bool isNull() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }
    QSize size() const { return m_image.size(); }
    void Empty() { m_image = QImage(); }

protected:
    QImage m_image;
};
