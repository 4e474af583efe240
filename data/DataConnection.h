#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// One open database file ("UserData.mdb" or "Product.mdb", SQLite underneath)
// with at most one query result, walked by a cursor. Each screen that works on
// a database owns one for as long as it is open.
//
// Queries come in five fixed forms; their values are bound as parameters, so
// a quote or "%" in a value is an ordinary character and the match is exact.
//
// Failures are returned, never shown: an operation that fails returns false
// (or an empty result) and lastError() holds the engine's own message. The
// screen decides which tip to show.
//
// Files are never replaced: EnsureFile() creates a missing file and leaves an
// existing one alone, damaged or not, and Connect() opens only an existing
// file. Writes use SQLite's rollback journal with full sync, so a save that is
// interrupted leaves the file as it was before or after, never in between.
//
// Cursor: after OpenQuery() the cursor stands on the first row, if any. The
// result is at start when it is empty or before its first row, and at end
// when it is past its last row; an empty result is both. Rows are read lazily,
// one at a time, so a listing never holds more than one picture in memory.
// Update() and DeleteCurrent() end the walk: after them the written row stays
// current (for Update) and the result has no further rows.
//
// Threading: GUI thread only (Qt SQL connections belong to the thread that
// opened them). Each DataConnection opens its own Qt SQL connection under a
// name of its own, so several may be open at once.
class DataConnection {
public:
    enum class Kind { Members, Products };

    // The five query forms of the program, all on table `info`:
    //   All            select * from info
    //   ByNumber       ... where Number = value1
    //   ByName         ... where Name = value1
    //   ByModel        ... where Model = value1
    //   ByTypeAndName  ... where Type = value1 and Name = value2
    enum class Query { All, ByNumber, ByName, ByModel, ByTypeAndName };

    DataConnection();
    ~DataConnection();
    DataConnection(const DataConnection&) = delete;
    DataConnection& operator=(const DataConnection&) = delete;

    // Creates the empty database of the given kind when no file exists at path
    // (built beside it and moved into place, so a half-made file never carries
    // the name). An existing file is left untouched. True if the file exists
    // afterwards; otherwise *error, when given, tells why.
    static bool EnsureFile(const QString& path, Kind kind, QString* error = nullptr);

    // The statements that make the empty database of a kind.
    static QStringList schema(Kind kind);

    // Opens the existing file at path (releasing an earlier connection first).
    // Fails, without creating anything, when the file is missing, is not a
    // database or is locked by another program; lastError() then starts with
    // the file's name ("UserData.mdb: ...").
    bool Connect(const QString& path);
    bool isConnected() const;
    void Disconnect();

    // Discards the previous result and runs the query. False on an engine error.
    bool OpenQuery(Query form, const QString& value1 = {}, const QString& value2 = {});
    void CloseQuery();
    bool hasResult() const { return m_query.has_value(); }

    bool AtStart() const;
    bool AtEnd() const;
    // Cursor moves; false when the engine failed while reading a row (the
    // result is then at end).
    bool MoveFirst();
    bool MoveNext();
    bool MoveLast();

    // The current row's value of a column, as text: null "", integer "%d" of its
    // low 32 bits, real "%.8f", text itself, blob "[BLOB]". Empty when there is
    // no current row or no such column.
    QString FieldText(const QString& column) const;

    // The text form of one value, by the table above (and the remaining kinds
    // Qt may hand over: booleans "TRUE"/"FALSE", dates "%Y-%m-%d %H:%M:%S").
    static QString textOf(const QVariant& value);

    // Writes the current row's Photo bytes to the file, replacing it whole
    // (temporary file and rename, AtomicFile). False, touching no file,
    // when the row has no picture; false with lastError() when the file cannot
    // be written. A file that already holds exactly those bytes is left as it is.
    bool ExportPicture(const QString& target);

    // Sets the current (or new) row's Photo to the file's bytes, read in blocks
    // of kPictureBlock. False with lastError() when the file cannot be read; the
    // row's picture is then left as it was.
    bool ImportPicture(const QString& source);

    // Starts a new row, stored by Update(). Needs an open result.
    bool AddNew();
    // Sets a column of the current or new row; stored by Update().
    bool SetField(const QString& column, const QString& text);
    // Stores the new or changed row in one statement.
    bool Update();
    // Deletes the current row only (the first returned when several match).
    bool DeleteCurrent();

    QString lastError() const { return m_lastError; }

    static constexpr int kPictureBlock = 1024;
    // How long a statement waits for another program's lock before it fails;
    // short, because the screens wait on it.
    static constexpr int kBusyTimeoutMs = 500;

private:
    enum class Position { BeforeFirst, OnRow, AfterLast };

    bool fail(const QString& message);
    bool failFrom(const class QSqlError& error);
    bool readNext();
    bool finishRead();
    bool runQuery();
    QVariant currentValue(const QString& column) const;
    bool knowsColumn(const QString& column) const;

    QString m_connectionName;
    QString m_path;
    bool m_connected = false;

    std::optional<QSqlQuery> m_query;
    Query m_form = Query::All;
    QString m_value1;
    QString m_value2;
    QStringList m_columns; // columns of table info, in table order
    Position m_position = Position::BeforeFirst;
    bool m_moreRows = false; // the read statement may still deliver rows
    QSqlRecord m_row;        // the current row (including "rowid")
    qint64 m_rowId = -1;
    int m_rowIndex = -1; // index of the current row in the result, -1 before the first

    bool m_newRow = false;
    QHash<QString, QVariant> m_pending; // column -> value, stored by Update()

    QString m_lastError;
};
