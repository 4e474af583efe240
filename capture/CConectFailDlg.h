#pragma once

#include <QWidget>

class CGdipButton;
class QLabel;

// The camera-not-connected notice: a picture (bitmap 298), the text
// IDS_CONNECT_FAIL and a button that asks the capture panel for the Wi-Fi
// camera. The capture panel creates it hidden and centres it on its video area.
//
// Threading: GUI thread only.
class CConectFailDlg : public QWidget {
    Q_OBJECT
public:
    explicit CConectFailDlg(QWidget* panel);

    static constexpr QSize kSize{460, 370};
    // The button has no number in the original layout; it follows the notice's own.
    static constexpr int kNetCameraButtonId = 1102;

    CGdipButton* netCameraButton() const { return m_netCamera; }

signals:
    void netCameraRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_picture = nullptr;
    QLabel* m_text = nullptr;
    CGdipButton* m_netCamera = nullptr;
};
