#include "ProductTable.h"

#include "CTessalyApp.h"
#include "DataPaths.h"
#include "RecordNumber.h"

#include <QDir>

namespace {

constexpr int kNumberAttempts = 100;

} // namespace

ProductTable::ProductTable(const CTessalyApp& app) : m_app(app) {}

const QStringList& ProductTable::columns() {
    static const QStringList names{QStringLiteral("Number"), QStringLiteral("Type"),
                                   QStringLiteral("Name"),   QStringLiteral("Model"),
                                   QStringLiteral("Price"),  QStringLiteral("Function"),
                                   QStringLiteral("Course"), QStringLiteral("Photo")};
    return names;
}

bool ProductTable::open() {
    const QString path = DataPaths::productDatabase(m_app);
    if (!DataConnection::EnsureFile(path, DataConnection::Kind::Products, &m_error))
        return false;
    if (!m_db.Connect(path)) {
        m_error = m_db.lastError();
        return false;
    }
    m_error.clear();
    return true;
}

void ProductTable::close() {
    m_db.Disconnect();
}

DataResult ProductTable::openFailed() {
    m_error = m_db.lastError();
    m_db.CloseQuery();
    return DataResult::OpenFailed;
}

DataResult ProductTable::storeFailed() {
    m_error = m_db.lastError();
    m_db.CloseQuery();
    return DataResult::StoreFailed;
}

ProductRecord ProductTable::readRow(Listing listing) {
    ProductRecord r;
    if (listing == Listing::Management)
        r.number = m_db.FieldText(QStringLiteral("Number"));
    r.type = m_db.FieldText(QStringLiteral("Type"));
    r.name = m_db.FieldText(QStringLiteral("Name"));
    r.model = m_db.FieldText(QStringLiteral("Model"));
    r.price = m_db.FieldText(QStringLiteral("Price"));
    r.function = m_db.FieldText(QStringLiteral("Function"));
    r.course = m_db.FieldText(QStringLiteral("Course"));
    const QString file = DataPaths::productPictureFile(m_app, r.name);
    const bool exported = m_db.ExportPicture(file);
    if (listing == Listing::Management || exported)
        r.picturePath = file;
    return r;
}

DataResult ProductTable::readAll(QList<ProductRecord>& products, Listing listing) {
    QDir().mkpath(DataPaths::productImageFolder(m_app));
    if (!m_db.AtStart() && !m_db.MoveFirst())
        return openFailed();
    QList<ProductRecord> rows;
    while (!m_db.AtEnd()) {
        rows.append(readRow(listing));
        if (!m_db.MoveNext())
            return openFailed();
    }
    m_db.CloseQuery();
    products = std::move(rows);
    return DataResult::Ok;
}

DataResult ProductTable::listAll(QList<ProductRecord>& products, Listing listing) {
    if (!m_db.OpenQuery(DataConnection::Query::All))
        return openFailed();
    return readAll(products, listing);
}

DataResult ProductTable::search(DataConnection::Query form, const QString& text,
                                QList<ProductRecord>& products) {
    if (!m_db.OpenQuery(form, text))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        return DataResult::NotFound;
    }
    return readAll(products, Listing::Management);
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
    if (record.number.isEmpty())
        record.number = RecordNumber::next();
    for (int attempt = 0;; ++attempt) {
        if (!m_db.OpenQuery(DataConnection::Query::ByNumber, record.number))
            return openFailed();
        if (m_db.AtEnd())
            break;
        if (attempt == kNumberAttempts) {
            m_db.CloseQuery();
            m_error = QStringLiteral("no free product number");
            return DataResult::StoreFailed;
        }
        record.number = RecordNumber::next();
    }
    m_db.AddNew();
    m_db.SetField(QStringLiteral("Number"), record.number);
    m_db.SetField(QStringLiteral("Type"), record.type);
    m_db.SetField(QStringLiteral("Name"), record.name);
    m_db.SetField(QStringLiteral("Model"), record.model);
    m_db.SetField(QStringLiteral("Price"), record.price);
    m_db.SetField(QStringLiteral("Function"), record.function);
    m_db.SetField(QStringLiteral("Course"), record.course);
    if (!record.picturePath.isEmpty())
        m_db.ImportPicture(record.picturePath);
    if (!m_db.Update())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}

DataResult ProductTable::change(const ProductRecord& record) {
    if (!m_db.OpenQuery(DataConnection::Query::ByNumber, record.number))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        m_error = QStringLiteral("no product with number %1").arg(record.number);
        return DataResult::NotFound;
    }
    m_db.SetField(QStringLiteral("Type"), record.type);
    m_db.SetField(QStringLiteral("Name"), record.name);
    m_db.SetField(QStringLiteral("Model"), record.model);
    m_db.SetField(QStringLiteral("Price"), record.price);
    m_db.SetField(QStringLiteral("Function"), record.function);
    m_db.SetField(QStringLiteral("Course"), record.course);
    if (!record.picturePath.isEmpty())
        m_db.ImportPicture(record.picturePath);
    if (!m_db.Update())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}

DataResult ProductTable::remove(const ProductRecord& record) {
    if (!m_db.OpenQuery(DataConnection::Query::ByNumber, record.number))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        m_error = QStringLiteral("no product with number %1").arg(record.number);
        return DataResult::NotFound;
    }
    if (!m_db.DeleteCurrent())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}
