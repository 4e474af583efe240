#pragma once

#include "CDrawnFrameDlg.h"

#include <QFont>
#include <QSize>

class CGdipButton;
class LimitedTextEdit;
class PictureBox;
class QLabel;
class QLineEdit;

// What the member and product details dialogs share: adding or changing a
// record, a white form of captioned fields on the left, the picture column on
// the right (a picture box and the scan button that picks a file), cancel and
// confirm buttons below, and the picture that saving stores with the record.
//
// Threading: GUI thread only.
class CDetailsDlg : public CDrawnFrameDlg {
    Q_OBJECT
public:
    enum Mode { ModeAdd = 0, ModeModify = 1 };

    // Takes a picture file as the chosen picture and shows it (what the scan
    // button does with the file the operator picks).
    void choosePicture(const QString& path);
    QString chosenPicture() const { return m_chosen; }

protected:
    CDetailsDlg(Mode mode, const QSize& clientSize, QWidget* parent);

    // The form: a caption and a field per row, fields kFieldWidth wide.
    static constexpr int kCaptionX = 16;
    static constexpr int kFieldX = 112;
    static constexpr int kFieldWidth = 230;
    static constexpr int kRowHeight = 32;
    static constexpr int kRowStep = 40;
    static constexpr int rowTop(int row) { return 14 + row * kRowStep; }

    QLabel* caption(int id, const char* key, const QRect& geometry, bool colon = true);
    // The caption left of the fields, on row `row` (or at `top`).
    QLabel* rowCaption(int id, const char* key, int row);
    QLabel* captionAt(int id, const char* key, int top);
    QLineEdit* edit(int id, int row, int width, int maxLength);
    // A multi-line field from `top`, as wide as the form allows.
    LimitedTextEdit* textEdit(int id, int top, int height, int maxLength);
    // The picture column: the box (pictureHeight high) and the scan button at scanY.
    void buildPictureColumn(int pictureId, int pictureHeight, int scanId, int scanY);
    // Cancel (id 1209, rejects) and the confirm button; the caller connects it.
    CGdipButton* buildButtons(int confirmId, const char* confirmKey, int y);

    // Shows the picture stored with the record being changed.
    void showStoredPicture(const QString& path);

    // Saves a picture file from `source` to `target`; false with *error set.
    using SavePicture = bool (*)(const QString& source, const QString& target, QString* error);
    // The picture file saving stores with the record, into `path`: the chosen
    // picture saved as `target` in `folder`, `fallback` when none is chosen,
    // or nothing (the stored picture stays) for a change that chose none.
    // False, with the tip shown, when the chosen picture cannot be saved.
    bool pictureToStore(const QString& folder, const QString& target, const QString& fallback,
                        SavePicture save, QString& path);

    void keyPressEvent(QKeyEvent* event) override;

    const Mode m_mode;
    const QSize m_clientSize;
    const QFont m_font;

private slots:
    void OnScan();

private:
    QString m_chosen;
    bool m_pictureChosen = false; // the operator picked a picture in this dialog
    PictureBox* m_picture = nullptr;
};
