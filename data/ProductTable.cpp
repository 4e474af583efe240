#include "ProductTable.h"

#include "CTessalyApp.h"
#include "DataPaths.h"

#include <QDir>

ProductTable::ProductTable(const CTessalyApp& app)
    : m_app(app), m_rows(QStringLiteral("product")) {}

const QStringList& ProductTable::columns() {
    static const QStringList names{QStringLiteral("Number"), QStringLiteral("Type"),
                                   QStringLiteral("Name"),   QStringLiteral("Model"),
                                   QStringLiteral("Price"),  QStringLiteral("Function"),
                                   QStringLiteral("Course"), QStringLiteral("Photo")};
    return names;
}

bool ProductTable::open() {
    return m_rows.open(DataPaths::productDatabase(m_app), DataConnection::Kind::Products);
}

void ProductTable::close() {
    m_rows.close();
}

ProductRecord ProductTable::readRow(Listing listing) {
    DataConnection& db = m_rows.db();
    ProductRecord r;
    if (listing == Listing::Management)
        r.number = db.FieldText(QStringLiteral("Number"));
    r.type = db.FieldText(QStringLiteral("Type"));
    r.name = db.FieldText(QStringLiteral("Name"));
    r.model = db.FieldText(QStringLiteral("Model"));
    r.price = db.FieldText(QStringLiteral("Price"));
    r.function = db.FieldText(QStringLiteral("Function"));
    r.course = db.FieldText(QStringLiteral("Course"));
    const QString file = DataPaths::productPictureFile(m_app, r.name);
    const bool exported = db.ExportPicture(file);
    if (listing == Listing::Management || exported)
        r.picturePath = file;
    return r;
}

void ProductTable::writeFields(DataConnection& db, const ProductRecord& record) {
    db.SetField(QStringLiteral("Type"), record.type);
    db.SetField(QStringLiteral("Name"), record.name);
    db.SetField(QStringLiteral("Model"), record.model);
    db.SetField(QStringLiteral("Price"), record.price);
    db.SetField(QStringLiteral("Function"), record.function);
    db.SetField(QStringLiteral("Course"), record.course);
}

DataResult ProductTable::readAll(QList<ProductRecord>& products, Listing listing) {
    QDir().mkpath(DataPaths::productImageFolder(m_app));
    return m_rows.readAll(products, [this, listing] { return readRow(listing); });
}

DataResult ProductTable::listAll(QList<ProductRecord>& products, Listing listing) {
    const DataResult result = m_rows.selectAll();
    return result == DataResult::Ok ? readAll(products, listing) : result;
}

DataResult ProductTable::search(DataConnection::Query form, const QString& text,
                                QList<ProductRecord>& products) {
    const DataResult result = m_rows.selectMatching(form, text);
    return result == DataResult::Ok ? readAll(products, Listing::Management) : result;
}

DataResult ProductTable::searchByName(const QString& name, QList<ProductRecord>& products) {
    return search(DataConnection::Query::ByName, name, products);
}

DataResult ProductTable::searchByModel(const QString& model, QList<ProductRecord>& products) {
    return search(DataConnection::Query::ByModel, model, products);
}

DataResult ProductTable::add(ProductRecord& record) {
    // The index on Number allows duplicates, but delete and change find a
    // product by its number, so a new product never takes a stored one.
    return m_rows.addRow(
        record.number, [&record](DataConnection& db) { writeFields(db, record); },
        record.picturePath);
}

DataResult ProductTable::change(const ProductRecord& record) {
    return m_rows.changeRow(
        record.number, [&record](DataConnection& db) { writeFields(db, record); },
        record.picturePath);
}

DataResult ProductTable::remove(const ProductRecord& record) {
    return m_rows.removeRow(record.number);
}
