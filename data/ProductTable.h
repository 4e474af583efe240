#pragma once

#include "DataResult.h"
#include "ProductRecord.h"
#include "RecordTable.h"

#include <QList>

class CTessalyApp;

// The product database "Product.mdb" as product management and the product
// picker use it, with each product's picture mirrored as
// "PreSetting/product_image/<name>.bmp".
//
// Threading: GUI thread only, like its DataConnection.
class ProductTable {
public:
    // Management lists every field and always names the picture file; the
    // picker leaves the number empty and names a picture file only for rows
    // that have a picture.
    enum class Listing { Management, Picker };

    explicit ProductTable(const CTessalyApp& app);

    bool open();
    void close();
    bool isOpen() const { return m_rows.isOpen(); }

    // On failure `products` is left unchanged.
    DataResult listAll(QList<ProductRecord>& products, Listing listing = Listing::Management);
    // Products whose name (or model) equals the text exactly; NotFound leaves
    // `products` unchanged.
    DataResult searchByName(const QString& name, QList<ProductRecord>& products);
    DataResult searchByModel(const QString& model, QList<ProductRecord>& products);

    // Appends the product, with the picture from record.picturePath when set.
    // An empty or already stored number is replaced by a fresh one first.
    DataResult add(ProductRecord& record);
    // Stores every field but the number on the row of record.number.
    DataResult change(const ProductRecord& record);
    // Deletes the row of record.number: the product the operator selected,
    // even when another has the same type and name. The picture file stays.
    DataResult remove(const ProductRecord& record);

    QString lastError() const { return m_rows.lastError(); }

    static const QStringList& columns();

private:
    ProductRecord readRow(Listing listing);
    // Every field but the number, on the current or new row.
    static void writeFields(DataConnection& db, const ProductRecord& record);
    DataResult readAll(QList<ProductRecord>& products, Listing listing);
    DataResult search(DataConnection::Query form, const QString& text,
                      QList<ProductRecord>& products);

    const CTessalyApp& m_app;
    RecordTable m_rows;
};
