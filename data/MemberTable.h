#pragma once

#include "DataResult.h"
#include "MemberRecord.h"
#include "RecordTable.h"

#include <QList>

class CTessalyApp;

// The member database "UserData.mdb" as member management uses it: listing,
// search, add, change and delete, with each member's picture mirrored as
// "PreSetting/member_image/<name>.bmp".
//
// Threading: GUI thread only, like its DataConnection.
class MemberTable {
public:
    explicit MemberTable(const CTessalyApp& app);

    // Creates the empty database when the file is missing, then connects.
    // A damaged file is left as it is and reported through lastError().
    bool open();
    void close();
    bool isOpen() const { return m_rows.isOpen(); }

    // Every member in the order the database returns them, each picture
    // exported to its file. On failure `members` is left unchanged.
    DataResult listAll(QList<MemberRecord>& members);
    // Members whose name equals `name` exactly; NotFound leaves `members` unchanged.
    DataResult search(const QString& name, QList<MemberRecord>& members);

    // Appends the member, with the picture from record.picturePath when set.
    // An empty or already stored number is replaced by a fresh one first.
    DataResult add(MemberRecord& record);
    // Stores every field but the number on the row of record.number, and the
    // picture from record.picturePath when set.
    DataResult change(const MemberRecord& record);
    // Deletes the row of record.number. The member's report and picture
    // folders go with it only when no remaining member carries the same name:
    // namesakes share them.
    DataResult remove(const MemberRecord& record);

    QString lastError() const { return m_rows.lastError(); }

    // Column order of table info.
    static const QStringList& columns();

private:
    MemberRecord readRow();
    // Every field but the number, on the current or new row.
    static void writeFields(DataConnection& db, const MemberRecord& record);
    DataResult readAll(QList<MemberRecord>& members);
    void removeFoldersOf(const QString& name);

    const CTessalyApp& m_app;
    RecordTable m_rows;
};
