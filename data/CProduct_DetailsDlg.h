#pragma once

#include "CDetailsDlg.h"
#include "ProductRecord.h"

#include <functional>

class LimitedTextEdit;
class QLineEdit;

// Adds a product or changes one. Saving checks name, type and model (in that
// order), gives a new product its number, saves the chosen picture at most 500
// pixels wide as "<name>.bmp" in the product image folder and hands the record
// to `store` (the management screen's add or change), then closes with OK.
//
// Every edit refuses input beyond the record's capacity.
//
// Threading: GUI thread only.
class CProduct_DetailsDlg : public CDetailsDlg {
    Q_OBJECT
public:
    using Store = std::function<bool(ProductRecord& record)>;

    CProduct_DetailsDlg(Mode mode, const ProductRecord& record, Store store,
                        QWidget* parent = nullptr);

    const ProductRecord& record() const { return m_record; }

    static constexpr QSize kClientSize{559, 520};

private slots:
    void OnSave();

private:
    void buildControls();
    void fillFromRecord();

    ProductRecord m_record;
    Store m_store;

    QLineEdit* m_type = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_model = nullptr;
    QLineEdit* m_price = nullptr;
    LimitedTextEdit* m_function = nullptr;
    LimitedTextEdit* m_course = nullptr;
};
