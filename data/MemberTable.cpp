#include "MemberTable.h"

#include "CTessalyApp.h"
#include "DataPaths.h"
#include "FolderTree.h"
#include "RecordNumber.h"

#include <QDir>

namespace {

// A number collision means the clock handed out a number already stored;
// each retry takes a later one.
constexpr int kNumberAttempts = 100;

} // namespace

MemberTable::MemberTable(const CTessalyApp& app) : m_app(app) {}

const QStringList& MemberTable::columns() {
    static const QStringList names{
        QStringLiteral("Number"), QStringLiteral("Name"),     QStringLiteral("Sex"),
        QStringLiteral("Age"),    QStringLiteral("Birthday"), QStringLiteral("Phone"),
        QStringLiteral("Email"),  QStringLiteral("Address"),  QStringLiteral("Operator"),
        QStringLiteral("Remark"), QStringLiteral("Photo")};
    return names;
}

bool MemberTable::open() {
    const QString path = DataPaths::memberDatabase(m_app);
    if (!DataConnection::EnsureFile(path, DataConnection::Kind::Members, &m_error))
        return false;
    if (!m_db.Connect(path)) {
        m_error = m_db.lastError();
        return false;
    }
    m_error.clear();
    return true;
}

void MemberTable::close() {
    m_db.Disconnect();
}

DataResult MemberTable::openFailed() {
    m_error = m_db.lastError();
    m_db.CloseQuery();
    return DataResult::OpenFailed;
}

DataResult MemberTable::storeFailed() {
    m_error = m_db.lastError();
    m_db.CloseQuery();
    return DataResult::StoreFailed;
}

MemberRecord MemberTable::readRow() {
    MemberRecord r;
    r.number = m_db.FieldText(QStringLiteral("Number"));
    r.name = m_db.FieldText(QStringLiteral("Name"));
    r.sex = m_db.FieldText(QStringLiteral("Sex"));
    r.age = m_db.FieldText(QStringLiteral("Age"));
    r.birthday = m_db.FieldText(QStringLiteral("Birthday"));
    r.phone = m_db.FieldText(QStringLiteral("Phone"));
    r.email = m_db.FieldText(QStringLiteral("Email"));
    r.address = m_db.FieldText(QStringLiteral("Address"));
    r.operatorName = m_db.FieldText(QStringLiteral("Operator"));
    r.remark = m_db.FieldText(QStringLiteral("Remark"));
    // The path stays in the record even when the row has no picture: an older
    // file of that name is still shown.
    r.picturePath = DataPaths::memberPictureFile(m_app, r.name);
    m_db.ExportPicture(r.picturePath);
    return r;
}

DataResult MemberTable::readAll(QList<MemberRecord>& members) {
    QDir().mkpath(DataPaths::memberImageFolder(m_app));
    if (!m_db.AtStart() && !m_db.MoveFirst())
        return openFailed();
    QList<MemberRecord> rows;
    while (!m_db.AtEnd()) {
        rows.append(readRow());
        if (!m_db.MoveNext())
            return openFailed();
    }
    m_db.CloseQuery();
    members = std::move(rows);
    return DataResult::Ok;
}

DataResult MemberTable::listAll(QList<MemberRecord>& members) {
    if (!m_db.OpenQuery(DataConnection::Query::All))
        return openFailed();
    return readAll(members);
}

DataResult MemberTable::search(const QString& name, QList<MemberRecord>& members) {
    if (!m_db.OpenQuery(DataConnection::Query::ByName, name))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        return DataResult::NotFound;
    }
    return readAll(members);
}

DataResult MemberTable::add(MemberRecord& record) {
    if (record.number.isEmpty())
        record.number = RecordNumber::next();
    for (int attempt = 0;; ++attempt) {
        if (!m_db.OpenQuery(DataConnection::Query::ByNumber, record.number))
            return openFailed();
        if (m_db.AtEnd())
            break;
        if (attempt == kNumberAttempts) {
            m_db.CloseQuery();
            m_error = QStringLiteral("no free member number");
            return DataResult::StoreFailed;
        }
        record.number = RecordNumber::next();
    }

    m_db.AddNew();
    m_db.SetField(QStringLiteral("Number"), record.number);
    m_db.SetField(QStringLiteral("Name"), record.name);
    m_db.SetField(QStringLiteral("Sex"), record.sex);
    m_db.SetField(QStringLiteral("Age"), record.age);
    m_db.SetField(QStringLiteral("Birthday"), record.birthday);
    m_db.SetField(QStringLiteral("Phone"), record.phone);
    m_db.SetField(QStringLiteral("Email"), record.email);
    m_db.SetField(QStringLiteral("Address"), record.address);
    m_db.SetField(QStringLiteral("Operator"), record.operatorName);
    m_db.SetField(QStringLiteral("Remark"), record.remark);
    // An unreadable picture file (a missing default picture) leaves the member
    // without one; the member is stored all the same.
    if (!record.picturePath.isEmpty())
        m_db.ImportPicture(record.picturePath);
    if (!m_db.Update())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}

DataResult MemberTable::change(const MemberRecord& record) {
    if (!m_db.OpenQuery(DataConnection::Query::ByNumber, record.number))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        m_error = QStringLiteral("no member with number %1").arg(record.number);
        return DataResult::NotFound;
    }
    m_db.SetField(QStringLiteral("Name"), record.name);
    m_db.SetField(QStringLiteral("Age"), record.age);
    m_db.SetField(QStringLiteral("Sex"), record.sex);
    m_db.SetField(QStringLiteral("Birthday"), record.birthday);
    m_db.SetField(QStringLiteral("Phone"), record.phone);
    m_db.SetField(QStringLiteral("Email"), record.email);
    m_db.SetField(QStringLiteral("Address"), record.address);
    m_db.SetField(QStringLiteral("Operator"), record.operatorName);
    m_db.SetField(QStringLiteral("Remark"), record.remark);
    if (!record.picturePath.isEmpty())
        m_db.ImportPicture(record.picturePath);
    if (!m_db.Update())
        return storeFailed();
    m_db.CloseQuery();
    return DataResult::Ok;
}

DataResult MemberTable::remove(const MemberRecord& record) {
    if (!m_db.OpenQuery(DataConnection::Query::ByNumber, record.number))
        return openFailed();
    if (m_db.AtEnd()) {
        m_db.CloseQuery();
        m_error = QStringLiteral("no member with number %1").arg(record.number);
        return DataResult::NotFound;
    }
    if (!m_db.DeleteCurrent())
        return storeFailed();
    m_db.CloseQuery();
    removeFoldersOf(record.name);
    return DataResult::Ok;
}

void MemberTable::removeFoldersOf(const QString& name) {
    // The folders belong to the name, not to the member: while a namesake
    // remains they hold that member's visits. When the check itself fails,
    // keeping the folders is the safe side.
    if (!m_db.OpenQuery(DataConnection::Query::ByName, name))
        return;
    const bool namesakeLeft = !m_db.AtEnd();
    m_db.CloseQuery();
    if (namesakeLeft)
        return;
    FolderTree::remove(DataPaths::memberReportFolder(m_app, name));
    FolderTree::remove(DataPaths::memberPictureFolder(m_app, name));
}
