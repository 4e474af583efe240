#include "DataConnection.h"

#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QUrl>

#include <atomic>

namespace {

const QString kDriver = QStringLiteral("QSQLITE");

// Qt SQL keeps connections in a process-wide table by name; every connection
// needs a name of its own or two screens would share (and close) one.
QString uniqueConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("velatrix-data-%1").arg(++counter);
}

QString messageOf(const QSqlError& error) {
    const QString engine = error.databaseText().trimmed();
    return engine.isEmpty() ? error.text().trimmed() : engine;
}

// The file as an SQLite URI with mode=rw: the engine then opens an existing
// file only and never creates one in place of a missing database.
QString openUri(const QString& path) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    return url.toString(QUrl::FullyEncoded);
}

QString whereClause(DataConnection::Query form) {
    switch (form) {
    case DataConnection::Query::All:
        return {};
    case DataConnection::Query::ByNumber:
        return QStringLiteral(" where Number = ?");
    case DataConnection::Query::ByName:
        return QStringLiteral(" where Name = ?");
    case DataConnection::Query::ByModel:
        return QStringLiteral(" where Model = ?");
    case DataConnection::Query::ByTypeAndName:
        return QStringLiteral(" where Type = ? and Name = ?");
    }
    return {};
}

int boundValueCount(DataConnection::Query form) {
    switch (form) {
    case DataConnection::Query::All:
        return 0;
    case DataConnection::Query::ByTypeAndName:
        return 2;
    default:
        return 1;
    }
}

QString quotedIdentifier(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// Runs statements on a connection that exists only for this call.
bool runOnScratchConnection(const QString& file, const QStringList& statements, QString* error) {
    const QString name = uniqueConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, name);
        db.setDatabaseName(file);
        if (!db.open()) {
            if (error)
                *error = messageOf(db.lastError());
        } else {
            ok = db.transaction();
            QSqlQuery q(db);
            for (const QString& s : statements) {
                if (!ok)
                    break;
                ok = q.exec(s);
            }
            if (ok)
                ok = db.commit();
            if (!ok && error)
                *error = messageOf(q.lastError().isValid() ? q.lastError() : db.lastError());
            q = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

DataConnection::DataConnection() = default;

DataConnection::~DataConnection() {
    Disconnect();
}

QStringList DataConnection::schema(Kind kind) {
    if (kind == Kind::Members) {
        return {QStringLiteral("CREATE TABLE info (Number VARCHAR(255), Name VARCHAR(50), "
                               "Sex VARCHAR(50), Age VARCHAR(50), Birthday VARCHAR(50), "
                               "Phone VARCHAR(50), Email VARCHAR(50), Address VARCHAR(50), "
                               "Operator VARCHAR(50), Remark VARCHAR(255), Photo BLOB)"),
                QStringLiteral("CREATE UNIQUE INDEX Number ON info (Number ASC)")};
    }
    return {QStringLiteral("CREATE TABLE info (Number VARCHAR(255), Type TEXT, Name TEXT, "
                           "Model TEXT, Price TEXT, Function TEXT, Course TEXT, Photo BLOB)"),
            QStringLiteral("CREATE INDEX Number ON info (Number ASC)")};
}

bool DataConnection::EnsureFile(const QString& path, Kind kind, QString* error) {
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return true;

    // Build the database under a private name in the same folder, then move it
    // into place without replacing anything: a file that appeared meanwhile
    // wins, and a half-built database never carries the real name.
    const QString scratch = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                            QStringLiteral(".new-%1-%2")
                                .arg(QCoreApplication::applicationPid())
                                .arg(QDateTime::currentMSecsSinceEpoch());
    QString why;
    bool ok = runOnScratchConnection(scratch, schema(kind), &why);
    if (ok && !QFile::rename(scratch, path)) {
        ok = QFileInfo::exists(path);
        if (!ok)
            why = QStringLiteral("cannot create %1").arg(path);
    }
    QFile::remove(scratch);
    QFile::remove(scratch + QStringLiteral("-journal"));
    if (!ok && error)
        *error = why.isEmpty() ? QStringLiteral("cannot create %1").arg(path) : why;
    return ok;
}

bool DataConnection::Connect(const QString& path) {
    Disconnect();
    m_lastError.clear();
    m_path = path;
    m_connectionName = uniqueConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_connectionName);
        db.setDatabaseName(openUri(path));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open()) {
            fail(messageOf(db.lastError()));
        } else {
            // A rollback journal with full sync: every commit reaches the disk
            // before it counts, and an interrupted write is rolled back on the
            // next open. Setting the journal mode also reads the file's header,
            // so a file that is no database fails here. Pages are read with
            // read calls, never through a memory map: an I/O error on a mapped
            // page (a failing disk, a file cut short under us) would kill the
            // process instead of failing the statement.
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) &&
                 q.exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
                 q.exec(QStringLiteral("PRAGMA mmap_size=0"));
            if (!ok)
                failFrom(q.lastError());
        }
    }
    m_connected = ok;
    if (!ok) {
        // The message names the file, so that the operator knows which one to rescue.
        const QString why = QFileInfo(path).fileName() + QStringLiteral(": ") + m_lastError;
        Disconnect();
        m_lastError = why;
    }
    return ok;
}

bool DataConnection::isConnected() const {
    return m_connected;
}

void DataConnection::Disconnect() {
    CloseQuery();
    if (!m_connectionName.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
        m_connectionName.clear();
    }
    m_connected = false;
}

bool DataConnection::fail(const QString& message) {
    m_lastError = message;
    return false;
}

bool DataConnection::failFrom(const QSqlError& error) {
    return fail(messageOf(error));
}

bool DataConnection::OpenQuery(Query form, const QString& value1, const QString& value2) {
    CloseQuery();
    m_lastError.clear();
    if (!m_connected)
        return fail(QStringLiteral("no database connection"));
    m_form = form;
    m_value1 = value1;
    m_value2 = value2;
    return runQuery();
}

bool DataConnection::runQuery() {
    m_query.reset();
    m_row = QSqlRecord();
    m_rowId = -1;
    m_rowIndex = -1;
    m_position = Position::BeforeFirst;
    m_moreRows = false;

    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    // Forward only: the driver then keeps one row in memory, not the result.
    q.setForwardOnly(true);
    bool ok = q.prepare(QStringLiteral("select rowid, * from info") + whereClause(m_form));
    if (ok) {
        const int count = boundValueCount(m_form);
        if (count >= 1)
            q.addBindValue(m_value1);
        if (count >= 2)
            q.addBindValue(m_value2);
        ok = q.exec();
    }
    if (!ok)
        return failFrom(q.lastError());

    m_columns.clear();
    const QSqlRecord fields = q.record();
    for (int i = 1; i < fields.count(); ++i)
        m_columns << fields.fieldName(i);
    m_query = std::move(q);
    m_moreRows = true;
    return readNext();
}

bool DataConnection::readNext() {
    if (m_moreRows && m_query->next()) {
        m_row = m_query->record();
        m_rowId = m_row.value(0).toLongLong();
        ++m_rowIndex;
        m_position = Position::OnRow;
        return true;
    }
    const bool engineFailed = m_moreRows && m_query->lastError().isValid();
    const QSqlError error = engineFailed ? m_query->lastError() : QSqlError();
    finishRead();
    m_row = QSqlRecord();
    m_rowId = -1;
    m_position = Position::AfterLast;
    return engineFailed ? failFrom(error) : true;
}

bool DataConnection::finishRead() {
    // A read statement left open would keep the file's read lock and delay the
    // commit of our own writes until it finished.
    if (m_query)
        m_query->finish();
    m_moreRows = false;
    return true;
}

void DataConnection::CloseQuery() {
    m_query.reset();
    m_row = QSqlRecord();
    m_rowId = -1;
    m_rowIndex = -1;
    m_position = Position::BeforeFirst;
    m_moreRows = false;
    m_newRow = false;
    m_pending.clear();
}

bool DataConnection::AtStart() const {
    return m_position == Position::BeforeFirst ||
           (m_position == Position::AfterLast && m_rowIndex < 0);
}

bool DataConnection::AtEnd() const {
    return m_position == Position::AfterLast;
}

bool DataConnection::MoveFirst() {
    if (!m_query)
        return fail(QStringLiteral("no open result"));
    if (m_position == Position::OnRow && m_rowIndex == 0 && !m_newRow)
        return true;
    m_newRow = false;
    m_pending.clear();
    return runQuery();
}

bool DataConnection::MoveNext() {
    if (!m_query)
        return fail(QStringLiteral("no open result"));
    m_newRow = false;
    m_pending.clear();
    if (m_position == Position::AfterLast)
        return true;
    return readNext();
}

bool DataConnection::MoveLast() {
    if (!m_query)
        return fail(QStringLiteral("no open result"));
    m_newRow = false;
    m_pending.clear();
    if (m_position == Position::AfterLast) {
        if (m_rowIndex < 0)
            return true; // empty result
        if (!runQuery())
            return false;
    }
    QSqlRecord last;
    qint64 lastId = -1;
    int lastIndex = -1;
    while (m_position != Position::AfterLast) {
        if (m_position == Position::OnRow) {
            last = m_row;
            lastId = m_rowId;
            lastIndex = m_rowIndex;
        }
        if (!readNext())
            return false;
    }
    if (lastIndex >= 0) {
        m_row = last;
        m_rowId = lastId;
        m_rowIndex = lastIndex;
        m_position = Position::OnRow;
    }
    return true;
}

bool DataConnection::knowsColumn(const QString& column) const {
    return m_columns.contains(column, Qt::CaseInsensitive);
}

QVariant DataConnection::currentValue(const QString& column) const {
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    if (m_position != Position::OnRow || m_newRow)
        return {};
    return m_row.value(column);
}

QString DataConnection::FieldText(const QString& column) const {
    return textOf(currentValue(column));
}

QString DataConnection::textOf(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QStringLiteral("[BLOB]");
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        // The low 32 bits, read as a signed 32-bit integer.
        const auto low = static_cast<quint32>(value.toULongLong());
        return QString::asprintf("%d", static_cast<qint32>(low));
    }
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return QString::asprintf("%d", static_cast<unsigned char>(value.toInt()));
    case QMetaType::Float:
        return QString::asprintf("%.4f", static_cast<double>(value.toFloat()));
    case QMetaType::Double:
        return QString::asprintf("%.8f", value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return QStringLiteral("UN_KNOW");
    }
}

bool DataConnection::ExportPicture(const QString& target) {
    const QVariant value = currentValue(QStringLiteral("Photo"));
    const QByteArray bytes = value.isNull() ? QByteArray() : value.toByteArray();
    if (bytes.isEmpty())
        return false; // no picture: an older file of that name stays as it is

    QFile file(target);
    // Listing re-exports every picture; most files already hold them.
    if (file.size() == bytes.size() && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const bool same = file.readAll() == bytes;
        file.close();
        if (same)
            return true;
    }
    // Replaced whole: a kill part way leaves the old picture, never half a new
    // one. The row keeps the picture, so the file is not worth a disk wait
    // per member on every listing.
    QString why;
    if (!AtomicFile::write(target, bytes, &why, false))
        return fail(why);
    return true;
}

bool DataConnection::ImportPicture(const QString& source) {
    if (!m_newRow && m_position != Position::OnRow)
        return fail(QStringLiteral("no current row"));
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(source, file.errorString()));
    QByteArray bytes;
    for (;;) {
        const QByteArray block = file.read(kPictureBlock);
        if (block.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return fail(QStringLiteral("%1: %2").arg(source, file.errorString()));
            break;
        }
        bytes += block;
        if (block.size() < kPictureBlock)
            break;
    }
    // Binding a QByteArray stores a blob, also when it is empty.
    m_pending.insert(QStringLiteral("Photo"), bytes);
    return true;
}

bool DataConnection::AddNew() {
    if (!m_query)
        return fail(QStringLiteral("no open result"));
    m_newRow = true;
    m_pending.clear();
    return true;
}

bool DataConnection::SetField(const QString& column, const QString& text) {
    if (!m_newRow && m_position != Position::OnRow)
        return fail(QStringLiteral("no current row"));
    for (const QString& c : std::as_const(m_columns)) {
        if (c.compare(column, Qt::CaseInsensitive) == 0) {
            m_pending.insert(c, text);
            return true;
        }
    }
    return fail(QStringLiteral("no column %1").arg(column));
}

bool DataConnection::Update() {
    if (!m_query)
        return fail(QStringLiteral("no open result"));
    if (!m_newRow && m_position != Position::OnRow)
        return fail(QStringLiteral("no current row"));
    if (!m_newRow && m_pending.isEmpty())
        return true;

    finishRead();
    QStringList columns;
    QVariantList values;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        // "Photo" comes from ImportPicture; every other name was checked by SetField.
        if (!knowsColumn(it.key()))
            continue;
        columns << it.key();
        values << it.value();
    }

    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    QString sql;
    if (m_newRow) {
        if (columns.isEmpty()) {
            sql = QStringLiteral("insert into info default values");
        } else {
            QStringList quoted;
            for (const QString& c : std::as_const(columns))
                quoted << quotedIdentifier(c);
            sql =
                QStringLiteral("insert into info (%1) values (%2)")
                    .arg(
                        quoted.join(QLatin1String(", ")),
                        QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")));
        }
    } else {
        QStringList sets;
        for (const QString& c : std::as_const(columns))
            sets << quotedIdentifier(c) + QStringLiteral(" = ?");
        sql = QStringLiteral("update info set %1 where rowid = ?")
                  .arg(sets.join(QLatin1String(", ")));
    }
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& v : std::as_const(values))
            q.addBindValue(v);
        if (!m_newRow)
            q.addBindValue(m_rowId);
        ok = q.exec();
    }
    if (!ok) {
        const QSqlError error = q.lastError();
        m_newRow = false;
        m_pending.clear();
        return failFrom(error);
    }

    // The stored row stays current, as written.
    const qint64 id = m_newRow ? q.lastInsertId().toLongLong() : m_rowId;
    if (m_newRow) {
        QSqlRecord row;
        row.append(QSqlField(QStringLiteral("rowid"), QMetaType(QMetaType::LongLong)));
        row.setValue(0, id);
        for (const QString& c : std::as_const(m_columns))
            row.append(QSqlField(c, QMetaType(QMetaType::QString)));
        m_row = row;
        m_rowIndex = std::max(m_rowIndex, 0);
    }
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        m_row.setValue(it.key(), it.value());
    m_rowId = id;
    m_position = Position::OnRow;
    m_newRow = false;
    m_pending.clear();
    return true;
}

bool DataConnection::DeleteCurrent() {
    if (!m_query || m_newRow || m_position != Position::OnRow)
        return fail(QStringLiteral("no current row"));
    finishRead();
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    bool ok = q.prepare(QStringLiteral("delete from info where rowid = ?"));
    if (ok) {
        q.addBindValue(m_rowId);
        ok = q.exec();
    }
    if (!ok)
        return failFrom(q.lastError());
    m_row = QSqlRecord();
    m_rowId = -1;
    m_position = Position::AfterLast;
    return true;
}
