#pragma once

#include "CDrawnFrameDlg.h"
#include "ProductRecord.h"

#include <functional>

class CGdipButton;
class LimitedTextEdit;
class PictureBox;
class QLineEdit;

// Adds a product or changes one. Saving checks name, type and model (in that
// order), gives a new product its number, saves the chosen picture at most 500
// pixels wide as "<name>.bmp" in the product image folder and hands the record
// to `store` (the management screen's add or change), then closes with OK.
//
// Every edit refuses input beyond the record's capacity.
//
// Threading: GUI thread only.
class CProduct_DetailsDlg : public CDrawnFrameDlg {
    Q_OBJECT
public:
    enum Mode { ModeAdd = 0, ModeModify = 1 };
    using Store = std::function<bool(ProductRecord& record)>;

    CProduct_DetailsDlg(Mode mode, const ProductRecord& record, Store store,
                        QWidget* parent = nullptr);

    void choosePicture(const QString& path);
    QString chosenPicture() const { return m_chosen; }
    const ProductRecord& record() const { return m_record; }

    static constexpr QSize kClientSize{559, 520};

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnScan();
    void OnSave();

private:
    void buildControls();
    void fillFromRecord();

    Mode m_mode;
    ProductRecord m_record;
    Store m_store;
    QString m_chosen;
    bool m_pictureChosen = false;

    QLineEdit* m_type = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_model = nullptr;
    QLineEdit* m_price = nullptr;
    LimitedTextEdit* m_function = nullptr;
    LimitedTextEdit* m_course = nullptr;
    PictureBox* m_picture = nullptr;
    CGdipButton* m_scan = nullptr;
    CGdipButton* m_save = nullptr;
    CGdipButton* m_cancel = nullptr;
};
