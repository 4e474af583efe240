#pragma once

#include "DataConnection.h"
#include "DataResult.h"

#include <QList>
#include <QString>

#include <functional>

// What the member and product tables share: one database file, the lookup of
// a row by its number, fresh numbers for new rows, and the engine's message
// of the last failure. The tables own one each and keep their own columns.
//
// Every call that fails closes the query and leaves lastError() telling why;
// the ones that succeed leave the query as their comment says.
//
// Threading: GUI thread only, like its DataConnection.
class RecordTable {
public:
    // `noun` names a row in messages ("member", "product").
    explicit RecordTable(QString noun);

    // Creates the empty database of `kind` when the file is missing, then
    // connects. A damaged file is left as it is and reported through lastError().
    bool open(const QString& path, DataConnection::Kind kind);
    void close() { m_db.Disconnect(); }
    bool isOpen() const { return m_db.isConnected(); }
    QString lastError() const { return m_error; }

    DataConnection& db() { return m_db; }

    // Opens every row, or the rows matching `value`; matching no row is
    // NotFound (lastError() is left alone: it is no failure).
    DataResult selectAll();
    DataResult selectMatching(DataConnection::Query form, const QString& value);

    // Reads the open result from its first row on with `readRow`, then closes
    // it. On failure `rows` is left unchanged.
    template <class Record, class ReadRow> DataResult readAll(QList<Record>& rows, ReadRow readRow);

    // Sets a row's fields but the number on the current or new row.
    using WriteFields = std::function<void(DataConnection& db)>;

    // Appends a row under `number`; an empty or already stored number is
    // replaced by a fresh one first. The picture file, when one is named, is
    // stored with the row.
    DataResult addRow(QString& number, const WriteFields& write, const QString& picturePath);
    // Rewrites the row of `number`, and its picture when one is named.
    DataResult changeRow(const QString& number, const WriteFields& write,
                         const QString& picturePath);
    // Deletes the row of `number` (the first, should several carry it).
    DataResult removeRow(const QString& number);

private:
    // Leaves the row of `number` current.
    DataResult findByNumber(const QString& number);
    // Leaves an open (empty) result for AddNew().
    DataResult claimFreeNumber(QString& number);
    DataResult store(const QString& picturePath);
    DataResult openFailed();
    DataResult storeFailed();

    QString m_noun;
    DataConnection m_db;
    QString m_error;
};

template <class Record, class ReadRow>
DataResult RecordTable::readAll(QList<Record>& rows, ReadRow readRow) {
    if (!m_db.AtStart() && !m_db.MoveFirst())
        return openFailed();
    QList<Record> read;
    while (!m_db.AtEnd()) {
        read.append(readRow());
        if (!m_db.MoveNext())
            return openFailed();
    }
    m_db.CloseQuery();
    rows = std::move(read);
    return DataResult::Ok;
}
