#include "MemberTable.h"

#include "CTessalyApp.h"
#include "DataPaths.h"
#include "FolderTree.h"

#include <QDir>
#include <QFileInfo>

MemberTable::MemberTable(const CTessalyApp& app) : m_app(app), m_rows(QStringLiteral("member")) {}

const QStringList& MemberTable::columns() {
    static const QStringList names{
        QStringLiteral("Number"), QStringLiteral("Name"),     QStringLiteral("Sex"),
        QStringLiteral("Age"),    QStringLiteral("Birthday"), QStringLiteral("Phone"),
        QStringLiteral("Email"),  QStringLiteral("Address"),  QStringLiteral("Operator"),
        QStringLiteral("Remark"), QStringLiteral("Photo")};
    return names;
}

bool MemberTable::open() {
    return m_rows.open(DataPaths::memberDatabase(m_app), DataConnection::Kind::Members);
}

void MemberTable::close() {
    m_rows.close();
}

MemberRecord MemberTable::readRow() {
    DataConnection& db = m_rows.db();
    MemberRecord r;
    r.number = db.FieldText(QStringLiteral("Number"));
    r.name = db.FieldText(QStringLiteral("Name"));
    r.sex = db.FieldText(QStringLiteral("Sex"));
    r.age = db.FieldText(QStringLiteral("Age"));
    r.birthday = db.FieldText(QStringLiteral("Birthday"));
    r.phone = db.FieldText(QStringLiteral("Phone"));
    r.email = db.FieldText(QStringLiteral("Email"));
    r.address = db.FieldText(QStringLiteral("Address"));
    r.operatorName = db.FieldText(QStringLiteral("Operator"));
    r.remark = db.FieldText(QStringLiteral("Remark"));
    // The path stays in the record even when the row has no picture: an older
    // file of that name is still shown.
    r.picturePath = DataPaths::memberPictureFile(m_app, r.name);
    db.ExportPicture(r.picturePath);
    return r;
}

void MemberTable::writeFields(DataConnection& db, const MemberRecord& record) {
    db.SetField(QStringLiteral("Name"), record.name);
    db.SetField(QStringLiteral("Sex"), record.sex);
    db.SetField(QStringLiteral("Age"), record.age);
    db.SetField(QStringLiteral("Birthday"), record.birthday);
    db.SetField(QStringLiteral("Phone"), record.phone);
    db.SetField(QStringLiteral("Email"), record.email);
    db.SetField(QStringLiteral("Address"), record.address);
    db.SetField(QStringLiteral("Operator"), record.operatorName);
    db.SetField(QStringLiteral("Remark"), record.remark);
}

DataResult MemberTable::readAll(QList<MemberRecord>& members) {
    QDir().mkpath(DataPaths::memberImageFolder(m_app));
    return m_rows.readAll(members, [this] { return readRow(); });
}

DataResult MemberTable::listAll(QList<MemberRecord>& members) {
    const DataResult result = m_rows.selectAll();
    return result == DataResult::Ok ? readAll(members) : result;
}

DataResult MemberTable::search(const QString& name, QList<MemberRecord>& members) {
    const DataResult result = m_rows.selectMatching(DataConnection::Query::ByName, name);
    return result == DataResult::Ok ? readAll(members) : result;
}

DataResult MemberTable::add(MemberRecord& record) {
    return m_rows.addRow(
        record.number, [&record](DataConnection& db) { writeFields(db, record); },
        record.picturePath);
}

DataResult MemberTable::change(const MemberRecord& record) {
    return m_rows.changeRow(
        record.number, [&record](DataConnection& db) { writeFields(db, record); },
        record.picturePath);
}

DataResult MemberTable::remove(const MemberRecord& record) {
    const DataResult result = m_rows.removeRow(record.number);
    if (result == DataResult::Ok)
        removeFoldersOf(record.name);
    return result;
}

void MemberTable::removeFoldersOf(const QString& name) {
    // The folders belong to the name, not to the member: while any remaining
    // member's name leads to the same folder it holds that member's visits, and
    // the guests' folders are never a member's to delete. When the check itself
    // fails, keeping the folders is the safe side.
    const QString reportFolder = DataPaths::memberReportFolder(m_app, name);
    const QString pictureFolder = DataPaths::memberPictureFolder(m_app, name);
    const auto same = [](const QString& a, const QString& b) {
        return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
               QDir::cleanPath(QFileInfo(b).absoluteFilePath());
    };
    bool keepReports = same(reportFolder, DataPaths::guestReportFolder(m_app));
    bool keepPictures = same(pictureFolder, DataPaths::guestPictureFolder(m_app));

    DataConnection& db = m_rows.db();
    if (!db.OpenQuery(DataConnection::Query::All))
        return;
    bool complete = true;
    for (; complete && !db.AtEnd(); complete = db.MoveNext()) {
        const QString other = db.FieldText(QStringLiteral("Name"));
        keepReports =
            keepReports || same(reportFolder, DataPaths::memberReportFolder(m_app, other));
        keepPictures =
            keepPictures || same(pictureFolder, DataPaths::memberPictureFolder(m_app, other));
    }
    db.CloseQuery();
    // A read error part way through leaves the walk unfinished: keep both.
    if (!complete)
        return;
    if (!keepReports)
        FolderTree::remove(reportFolder);
    if (!keepPictures)
        FolderTree::remove(pictureFolder);
}