#pragma once

#include "CRecordManageDlg.h"
#include "ProductRecord.h"
#include "ProductTable.h"

#include <QList>

#include <array>

class CGdipButton;
class CMyListCtrl;
class PictureBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// Product management: lists, searches (by name or model), adds, changes and
// deletes the salon's products. Opened modally by the start page; its result
// is not used.
//
// Threading: GUI thread only; owns its database connection.
class CProductDlg : public CRecordManageDlg {
    Q_OBJECT
public:
    explicit CProductDlg(QWidget* parent = nullptr);
    ~CProductDlg() override;

    // The operations the details dialog calls; each shows its own tips.
    bool addProduct(ProductRecord& record);
    bool changeProduct(const ProductRecord& record);

    const QList<ProductRecord>& products() const { return m_products; }

protected:
    void OnAdd() override;
    void OnChange() override;
    void OnDelete() override;
    void OnSelectionChanged() override;
    void releaseOnClose() override;

private slots:
    void OnSearch();
    void OnAll();

private:
    void buildControls();
    void setTexts();
    void listAllProducts();
    void fillList();
    void showProduct(const ProductRecord& record);
    void clearProduct();

    ProductTable m_table;
    QList<ProductRecord> m_products;

    QRadioButton* m_byName = nullptr;
    QRadioButton* m_byModel = nullptr;
    QLineEdit* m_search = nullptr;
    CGdipButton* m_searchButton = nullptr;
    CGdipButton* m_all = nullptr;
    std::array<QLabel*, 6> m_captions{}; // 1210 1079 1228 1124 1087 1088
    std::array<QLabel*, 6> m_values{};   // 1211 1080 1229 1125 1089 1090
    QLabel* m_priceUnit = nullptr;       // 1126
};
