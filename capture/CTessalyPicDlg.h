#pragma once

#include <QWidget>

// The comparison screen: the live picture beside stored pictures of the member.
//
// This first version holds the panel's place in the main window; the pictures,
// freezing, light switching, saving and printing come with the capture work.
//
// Threading: GUI thread only.
class CTessalyPicDlg : public QWidget {
    Q_OBJECT
public:
    explicit CTessalyPicDlg(QWidget* mainWindow);

protected:
    void paintEvent(QPaintEvent* event) override;
};
