#pragma once

#include "CDrawnFrameDlg.h"
#include "ProductRecord.h"
#include "ProductTable.h"

#include <QList>

class CGdipButton;
class CMyListCtrl;
class ProductPickerOwner;

// The product picker: every product with its picture; OK (or a double click)
// appends the first selected product to the owner's recommended products and
// closes. Opened modally by the single-item report, with the report window as
// parent and as owner.
//
// Threading: GUI thread only; owns its database connection.
class CProductListDlg : public CDrawnFrameDlg {
    Q_OBJECT
public:
    CProductListDlg(ProductPickerOwner& owner, QWidget* parent = nullptr);
    ~CProductListDlg() override;

    const QList<ProductRecord>& products() const { return m_products; }
    CMyListCtrl* list() const { return m_list; }

    static constexpr QSize kClientSize{559, 580};
    static constexpr int kRowHeight = 90;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void OnOK();

private:
    void buildControls();
    void loadList();

    ProductPickerOwner& m_owner;
    ProductTable m_table;
    QList<ProductRecord> m_products;
    CMyListCtrl* m_list = nullptr;
    CGdipButton* m_ok = nullptr;
    CGdipButton* m_close = nullptr;
};
