#pragma once

#include <QWidget>

#include <memory>

class CvvImage;

// A picture box: white, with the picture file (when one is set and can be
// read) loaded as a colour image and drawn scaled to the box.
//
// Threading: GUI thread only.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // An empty path, or a file that cannot be read, shows the white box.
    void setPicture(const QString& path);
    QString picture() const { return m_path; }
    bool hasPicture() const { return m_picture != nullptr; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_path;
    std::unique_ptr<CvvImage> m_picture; // read once when set, not at every paint
};
