#include "RecordTable.h"

#include "RecordNumber.h"

namespace {

// A number collision means the clock handed out a number already stored;
// each retry takes a later one.
constexpr int kNumberAttempts = 100;

} // namespace

RecordTable::RecordTable(QString noun) : m_noun(std::move(noun)) {}

bool RecordTable::open(const QString& path, DataConnection::Kind kind) {
    if (!DataConnection::EnsureFile(path, kind, &m_error))
        return false;
    if (!m_db.Connect(path)) {
        m_error = m_db.lastError();
        return false;
    }
    m_error.clear();
    return true;
}

DataResult RecordTable::openFailed() {
    m_error = m_db.lastError();
    m_db.CloseQuery();
    return DataResult::OpenFailed;
}

DataResult RecordTable::storeFailed() {
    m_error = m_db.lastError();
    m_db.CloseQuery();
    return DataResult::StoreFailed;
}

DataResult RecordTable::selectAll() {
    if (!m_db.OpenQuery(DataConnection::Query::All))
        return openFailed();
    return DataResult::Ok;
}

DataResult RecordTable::selectMatching(DataConnection::Query form, const QString& value) {
    if (!m_db.OpenQuery(form, value))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        return DataResult::NotFound;
    }
    return DataResult::Ok;
}

DataResult RecordTable::findByNumber(const QString& number) {
    if (!m_db.OpenQuery(DataConnection::Query::ByNumber, number))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        m_error = QStringLiteral("no %1 with number %2").arg(m_noun, number);
        return DataResult::NotFound;
    }
    return DataResult::Ok;
}

DataResult RecordTable::claimFreeNumber(QString& number) {
    if (number.isEmpty())
        number = RecordNumber::next();
    for (int attempt = 0;; ++attempt) {
        if (!m_db.OpenQuery(DataConnection::Query::ByNumber, number))
            return openFailed();
        if (m_db.AtEnd())
            return DataResult::Ok;
        if (attempt == kNumberAttempts) {
            m_db.CloseQuery();
            m_error = QStringLiteral("no free %1 number").arg(m_noun);
            return DataResult::StoreFailed;
        }
        number = RecordNumber::next();
    }
}

DataResult RecordTable::store(const QString& picturePath) {
    // An unreadable picture file (a missing default picture) leaves the row
    // without one; the row is stored all the same.
    if (!picturePath.isEmpty())
        m_db.ImportPicture(picturePath);
    if (!m_db.Update())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}

DataResult RecordTable::addRow(QString& number, const WriteFields& write,
                               const QString& picturePath) {
    if (const DataResult result = claimFreeNumber(number); result != DataResult::Ok)
        return result;
    m_db.AddNew();
    m_db.SetField(QStringLiteral("Number"), number);
    write(m_db);
    return store(picturePath);
}

DataResult RecordTable::changeRow(const QString& number, const WriteFields& write,
                                  const QString& picturePath) {
    if (const DataResult result = findByNumber(number); result != DataResult::Ok)
        return result;
    write(m_db);
    return store(picturePath);
}

DataResult RecordTable::removeRow(const QString& number) {
    if (const DataResult result = findByNumber(number); result != DataResult::Ok)
        return result;
    if (!m_db.DeleteCurrent())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}
