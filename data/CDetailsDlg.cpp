#include "CDetailsDlg.h"

#include "CGdipButton.h"
#include "DataTips.h"
#include "LimitedTextEdit.h"
#include "PictureBox.h"
#include "ScreenChrome.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

CDetailsDlg::CDetailsDlg(Mode mode, const QSize& clientSize, QWidget* parent)
    : CDrawnFrameDlg(parent), m_mode(mode), m_clientSize(clientSize),
      m_font(SharedFonts::faceFont(16)) {
    setClientSize(clientSize);
    setCaptionText(TextLookup::text(mode == ModeAdd ? "IDS_ADD" : "IDS_MODEFY"));
    ScreenParts::whiten(clientArea());
}

QLabel* CDetailsDlg::caption(int id, const char* key, const QRect& geometry, bool colon) {
    QLabel* l = ScreenParts::label(clientArea(), id, geometry);
    l->setFont(m_font);
    l->setText(TextLookup::text(key) + (colon ? QStringLiteral(":") : QString()));
    return l;
}

QLabel* CDetailsDlg::rowCaption(int id, const char* key, int row) {
    return captionAt(id, key, rowTop(row));
}

QLabel* CDetailsDlg::captionAt(int id, const char* key, int top) {
    return caption(id, key, QRect(kCaptionX, top, kFieldX - kCaptionX - 4, kRowHeight));
}

QLineEdit* CDetailsDlg::edit(int id, int row, int width, int maxLength) {
    QLineEdit* e =
        ScreenParts::lineEdit(clientArea(), id, QRect(kFieldX, rowTop(row), width, kRowHeight),
                              ScreenParts::kEditBackground, maxLength);
    e->setFont(m_font);
    return e;
}

LimitedTextEdit* CDetailsDlg::textEdit(int id, int top, int height, int maxLength) {
    LimitedTextEdit* e = ScreenParts::textEdit(
        clientArea(), id, QRect(kFieldX, top, m_clientSize.width() - kFieldX - 16, height),
        maxLength);
    e->setFont(m_font);
    return e;
}

void CDetailsDlg::buildPictureColumn(int pictureId, int pictureHeight, int scanId, int scanY) {
    const int pictureX = kFieldX + kFieldWidth + 24;
    const int pictureWidth = m_clientSize.width() - pictureX - 16;
    m_picture = new PictureBox(clientArea());
    m_picture->setObjectName(ScreenParts::idName(pictureId));
    m_picture->setGeometry(pictureX, 14, pictureWidth, pictureHeight);
    CGdipButton* scan = ScreenParts::button(
        clientArea(), scanId, 412, QRect(pictureX + (pictureWidth - 140) / 2, scanY, 140, 44),
        TextLookup::text("IDS_SETUP_SCAN"));
    connect(scan, &QAbstractButton::clicked, this, &CDetailsDlg::OnScan);
}

CGdipButton* CDetailsDlg::buildButtons(int confirmId, const char* confirmKey, int y) {
    const int middle = m_clientSize.width() / 2;
    CGdipButton* cancel = ScreenParts::button(
        clientArea(), 1209, 412, QRect(middle - 150, y, 140, 44), TextLookup::text("IDS_CANCEL"));
    CGdipButton* confirm =
        ScreenParts::button(clientArea(), confirmId, 413, QRect(middle + 10, y, 140, 44),
                            TextLookup::text(confirmKey), Qt::white);
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    return confirm;
}

void CDetailsDlg::showStoredPicture(const QString& path) {
    m_chosen = path;
    m_picture->setPicture(path);
}

void CDetailsDlg::choosePicture(const QString& path) {
    m_chosen = path;
    m_pictureChosen = true;
    m_picture->setPicture(path);
}

void CDetailsDlg::OnScan() {
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Image file (*.jpg *.bmp)"));
    if (!file.isEmpty())
        choosePicture(file);
}

bool CDetailsDlg::pictureToStore(const QString& folder, const QString& target,
                                 const QString& fallback, SavePicture save, QString& path) {
    QDir().mkpath(folder);
    if (m_chosen.isEmpty() || !QFileInfo::exists(m_chosen)) {
        path = fallback;
        return true;
    }
    if (m_mode == ModeModify && !m_pictureChosen) {
        // The picture shown is the mirror file of the record's name, which a
        // namesake may have written: keep the stored picture instead of
        // importing that file. The next listing writes it under the new name.
        path.clear();
        return true;
    }
    QString error;
    if (!save(m_chosen, target, &error)) {
        DataTips::databaseError(error);
        return false;
    }
    path = target;
    return true;
}

void CDetailsDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        CDrawnFrameDlg::keyPressEvent(event);
}
