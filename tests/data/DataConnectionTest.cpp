#include "DataConnection.h"
#include "RawDatabase.h"
#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Query = DataConnection::Query;
using Kind = DataConnection::Kind;

class DataConnectionTest : public ::testing::Test {
protected:
    QString members() const { return folder.file("UserData.mdb"); }
    QString products() const { return folder.file("Product.mdb"); }

    // A connected DataConnection on a freshly created file.
    void connect(DataConnection& db, const QString& path, Kind kind) {
        ASSERT_TRUE(DataConnection::EnsureFile(path, kind));
        ASSERT_TRUE(db.Connect(path)) << db.lastError().toStdString();
    }

    // Appends a row through the layer, as the screens do.
    static void append(DataConnection& db, const QList<QPair<QString, QString>>& fields,
                       const QString& picture = {}) {
        ASSERT_TRUE(db.OpenQuery(Query::All)) << db.lastError().toStdString();
        ASSERT_TRUE(db.AddNew());
        for (const auto& [column, text] : fields) {
            ASSERT_TRUE(db.SetField(column, text)) << db.lastError().toStdString();
        }
        if (!picture.isEmpty()) {
            ASSERT_TRUE(db.ImportPicture(picture)) << db.lastError().toStdString();
        }
        ASSERT_TRUE(db.Update()) << db.lastError().toStdString();
        db.CloseQuery();
    }

    TempProgramFolder folder;
};

struct SchemaCase {
    Kind kind;
    const char* file;
    QStringList columns;
    bool uniqueIndex;
};

// Test names carry the printed parameter: keep them short and plain.
void PrintTo(const SchemaCase& c, std::ostream* os) {
    *os << (c.kind == Kind::Members ? "Members" : "Products");
}

class CreatedSchema : public DataConnectionTest,
                      public ::testing::WithParamInterface<SchemaCase> {};

TEST_P(CreatedSchema, IsExactlyTheEmptyTableWithItsIndex) {
    const SchemaCase& c = GetParam();
    const QString path = folder.file(c.file);
    ASSERT_TRUE(DataConnection::EnsureFile(path, c.kind));

    RawDatabase raw(path);
    QStringList objects;
    for (const auto& row : raw.rows("select type, name, tbl_name from sqlite_master order by name"))
        objects << row.value(0).toString() + ':' + row.value(1).toString() + ':' +
                       row.value(2).toString();
    EXPECT_EQ(objects, (QStringList{"index:Number:info", "table:info:info"}));

    QStringList columns;
    for (const auto& row : raw.rows("pragma table_info(info)"))
        columns << row.value(1).toString();
    EXPECT_EQ(columns, c.columns);

    const auto indexes = raw.rows("pragma index_list(info)");
    ASSERT_EQ(indexes.size(), 1);
    EXPECT_EQ(indexes[0].value(1).toString(), "Number");
    EXPECT_EQ(indexes[0].value(2).toInt(), c.uniqueIndex ? 1 : 0);
    const auto indexed = raw.rows("pragma index_xinfo(Number)");
    ASSERT_FALSE(indexed.isEmpty());
    EXPECT_EQ(indexed[0].value(2).toString(), "Number");
    EXPECT_EQ(indexed[0].value(3).toInt(), 0) << "ascending";

    EXPECT_EQ(raw.value("select count(*) from info").toInt(), 0);
    // Nothing but the database itself is left in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{c.file});
}

INSTANTIATE_TEST_SUITE_P(Kinds, CreatedSchema,
                         ::testing::Values(SchemaCase{Kind::Members,
                                                      "UserData.mdb",
                                                      {"Number", "Name", "Sex", "Age", "Birthday",
                                                       "Phone", "Email", "Address", "Operator",
                                                       "Remark", "Photo"},
                                                      true},
                                           SchemaCase{Kind::Products,
                                                      "Product.mdb",
                                                      {"Number", "Type", "Name", "Model", "Price",
                                                       "Function", "Course", "Photo"},
                                                      false}));

TEST_F(DataConnectionTest, ValuesMatchLiterallyAndWhole) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    const QStringList names{"O'Brien",      "100%", "a%",  "_",   "a_c",
                            "x' or '1'='1", "Ann ", "Ann", "王芳"};
    int n = 0;
    for (const QString& name : names)
        append(db, {{"Number", QString::number(++n)}, {"Name", name}});

    for (const QString& name : names) {
        ASSERT_TRUE(db.OpenQuery(Query::ByName, name)) << db.lastError().toStdString();
        ASSERT_FALSE(db.AtEnd()) << name.toStdString();
        EXPECT_EQ(db.FieldText("Name"), name);
        db.MoveNext();
        EXPECT_TRUE(db.AtEnd()) << "more than one match for " << name.toStdString();
    }
    // Wildcards and prefixes find nothing.
    for (const QString& probe : {QString("%"), QString("a"), QString("abc"), QString("O'")}) {
        ASSERT_TRUE(db.OpenQuery(Query::ByName, probe));
        EXPECT_TRUE(db.AtStart() && db.AtEnd()) << probe.toStdString();
    }
}

TEST_F(DataConnectionTest, TwoConditionFormMatchesBothValues) {
    DataConnection db;
    connect(db, products(), Kind::Products);
    append(db, {{"Number", "1"}, {"Type", "Cream"}, {"Name", "Rose"}});
    append(db, {{"Number", "2"}, {"Type", "Toner"}, {"Name", "Rose"}});
    ASSERT_TRUE(db.OpenQuery(Query::ByTypeAndName, "Toner", "Rose"));
    EXPECT_EQ(db.FieldText("Number"), "2");
    db.MoveNext();
    EXPECT_TRUE(db.AtEnd());
    ASSERT_TRUE(db.OpenQuery(Query::ByModel, "Rose"));
    EXPECT_TRUE(db.AtEnd());
}

TEST_F(DataConnectionTest, CursorWalksForwardAndBack) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    ASSERT_TRUE(db.OpenQuery(Query::All));
    EXPECT_TRUE(db.AtStart());
    EXPECT_TRUE(db.AtEnd());
    EXPECT_EQ(db.FieldText("Name"), "");

    for (const char* name : {"a", "b", "c"})
        append(db, {{"Number", name}, {"Name", name}});
    ASSERT_TRUE(db.OpenQuery(Query::All));
    EXPECT_FALSE(db.AtStart());
    EXPECT_EQ(db.FieldText("name"), "a") << "column names are not case-sensitive";
    db.MoveNext();
    db.MoveNext();
    EXPECT_EQ(db.FieldText("Name"), "c");
    db.MoveNext();
    EXPECT_TRUE(db.AtEnd());
    EXPECT_EQ(db.FieldText("Name"), "");
    db.MoveFirst();
    EXPECT_EQ(db.FieldText("Name"), "a");
    db.MoveLast();
    EXPECT_EQ(db.FieldText("Name"), "c");
    EXPECT_FALSE(db.AtEnd());
    db.CloseQuery();
    EXPECT_FALSE(db.hasResult());
}

TEST_F(DataConnectionTest, ChangeStoresOnlyTheCurrentRow) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    append(db, {{"Number", "1"}, {"Name", "Ann"}, {"Phone", "111"}});
    append(db, {{"Number", "2"}, {"Name", "Bob"}, {"Phone", "222"}});
    ASSERT_TRUE(db.OpenQuery(Query::ByNumber, "2"));
    ASSERT_TRUE(db.SetField("Phone", "333"));
    ASSERT_TRUE(db.Update()) << db.lastError().toStdString();
    EXPECT_EQ(db.FieldText("Phone"), "333");
    db.CloseQuery();

    RawDatabase raw(members());
    EXPECT_EQ(raw.rows("select Number, Phone from info order by Number"),
              (QList<QVariantList>{{"1", "111"}, {"2", "333"}}));
    EXPECT_FALSE(db.SetField("Phone", "x")) << "no current row once the result is closed";
}

TEST_F(DataConnectionTest, DeleteRemovesTheFirstOfSeveralMatches) {
    DataConnection db;
    connect(db, products(), Kind::Products);
    for (const char* number : {"1", "2", "3"})
        append(db, {{"Number", number}, {"Type", "Cream"}, {"Name", "Rose"}});
    ASSERT_TRUE(db.OpenQuery(Query::ByTypeAndName, "Cream", "Rose"));
    const QString first = db.FieldText("Number");
    ASSERT_TRUE(db.DeleteCurrent()) << db.lastError().toStdString();
    db.CloseQuery();

    RawDatabase raw(products());
    QStringList left;
    for (const auto& row : raw.rows("select Number from info"))
        left << row.value(0).toString();
    EXPECT_EQ(left.size(), 2);
    EXPECT_FALSE(left.contains(first));
}

TEST_F(DataConnectionTest, UniqueMemberNumberRefusesTheSecondRow) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    append(db, {{"Number", "7"}, {"Name", "Ann"}});
    ASSERT_TRUE(db.OpenQuery(Query::All));
    db.AddNew();
    db.SetField("Number", "7");
    EXPECT_FALSE(db.Update());
    EXPECT_TRUE(db.lastError().contains("UNIQUE", Qt::CaseInsensitive))
        << db.lastError().toStdString();
}

class PictureRoundTrip : public DataConnectionTest, public ::testing::WithParamInterface<int> {};

TEST_P(PictureRoundTrip, BytesComeBackIdentical) {
    const int size = GetParam();
    const QByteArray bytes = patternBytes(size, size);
    folder.write("in.bmp", bytes);
    DataConnection db;
    connect(db, members(), Kind::Members);
    append(db, {{"Number", "1"}, {"Name", "Ann"}}, folder.file("in.bmp"));

    RawDatabase raw(members());
    EXPECT_EQ(raw.value("select Photo from info").toByteArray(), bytes);
    EXPECT_EQ(raw.value("select typeof(Photo) from info").toString(), "blob");

    ASSERT_TRUE(db.OpenQuery(Query::ByNumber, "1"));
    EXPECT_EQ(db.FieldText("Photo"), "[BLOB]");
    ASSERT_TRUE(db.ExportPicture(folder.file("out.bmp")));
    EXPECT_EQ(folder.read("out.bmp"), bytes);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureRoundTrip,
                         ::testing::Values(1, 1023, 1024, 1025, 2048, 2049, 100 * 1024));

TEST_F(DataConnectionTest, MissingPictureWritesNothingAndKeepsAnOlderFile) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    folder.write("empty.bmp", {});
    append(db, {{"Number", "1"}, {"Name", "NoPhoto"}});
    append(db, {{"Number", "2"}, {"Name", "EmptyPhoto"}}, folder.file("empty.bmp"));
    folder.write("old.bmp", "older picture");

    for (const char* number : {"1", "2"}) {
        ASSERT_TRUE(db.OpenQuery(Query::ByNumber, number));
        EXPECT_FALSE(db.ExportPicture(folder.file("old.bmp")));
        EXPECT_FALSE(db.ExportPicture(folder.file("new.bmp")));
    }
    EXPECT_EQ(folder.read("old.bmp"), "older picture");
    EXPECT_FALSE(QFileInfo::exists(folder.file("new.bmp")));
}

TEST_F(DataConnectionTest, ExportReplacesADifferentFileAndKeepsAnIdenticalOne) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    const QByteArray bytes = patternBytes(5000);
    folder.write("in.bmp", bytes);
    append(db, {{"Number", "1"}, {"Name", "Ann"}}, folder.file("in.bmp"));

    ASSERT_TRUE(db.OpenQuery(Query::All));
    // Same size, different content; then longer; then the same bytes.
    QByteArray sameSize = bytes;
    sameSize[4999] = static_cast<char>(sameSize[4999] ^ 1);
    for (const QByteArray& before : {sameSize, bytes + "tail", QByteArray("x")}) {
        folder.write("out.bmp", before);
        ASSERT_TRUE(db.ExportPicture(folder.file("out.bmp")));
        EXPECT_EQ(folder.read("out.bmp"), bytes);
    }
    const QDateTime past = QDateTime::currentDateTime().addDays(-1);
    {
        QFile out(folder.file("out.bmp"));
        ASSERT_TRUE(out.open(QIODevice::ReadWrite));
        ASSERT_TRUE(out.setFileTime(past, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(db.ExportPicture(folder.file("out.bmp")));
    EXPECT_EQ(QFileInfo(folder.file("out.bmp")).lastModified().toSecsSinceEpoch(),
              past.toSecsSinceEpoch())
        << "an identical file is not rewritten";
}

TEST_F(DataConnectionTest, UnreadablePictureLeavesTheStoredOneAlone) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    folder.write("in.bmp", "picture");
    append(db, {{"Number", "1"}, {"Name", "Ann"}}, folder.file("in.bmp"));
    ASSERT_TRUE(db.OpenQuery(Query::ByNumber, "1"));
    EXPECT_FALSE(db.ImportPicture(folder.file("missing.bmp")));
    EXPECT_FALSE(db.lastError().isEmpty());
    db.SetField("Phone", "1");
    ASSERT_TRUE(db.Update());
    RawDatabase raw(members());
    EXPECT_EQ(raw.value("select Photo from info").toByteArray(), "picture");
}

struct KindCase {
    const char* literal; // stored in Photo, whose column keeps every storage class
    const char* text;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    std::string label = c.literal;
    for (char& ch : label) {
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '-' && ch != '.')
            ch = '_';
    }
    *os << label;
}

class ValueKinds : public DataConnectionTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ValueKinds, BecomeTheirTextForm) {
    DataConnection db;
    connect(db, members(), Kind::Members);
    {
        RawDatabase raw(members());
        raw.exec(QStringLiteral("insert into info (Number, Photo) values ('1', %1)")
                     .arg(GetParam().literal));
    }
    ASSERT_TRUE(db.OpenQuery(Query::All));
    EXPECT_EQ(db.FieldText("Photo"), GetParam().text);
    EXPECT_EQ(db.FieldText("Remark"), "") << "a null text column";
}

INSTANTIATE_TEST_SUITE_P(
    SqliteStorageClasses, ValueKinds,
    ::testing::Values(KindCase{"null", ""}, KindCase{"42", "42"}, KindCase{"-1", "-1"},
                      KindCase{"4294967301", "5"},           // 2^32 + 5: the low 32 bits
                      KindCase{"2147483648", "-2147483648"}, // 2^31 read as signed
                      KindCase{"1.5", "1.50000000"}, KindCase{"-0.125", "-0.12500000"},
                      KindCase{"'text'", "text"}, KindCase{"''", ""},
                      KindCase{"x'00ff'", "[BLOB]"}));

struct DamageCase {
    const char* label;
    // Damages the file at path (which holds two members).
    std::function<void(const QString& path)> damage;
};

void PrintTo(const DamageCase& c, std::ostream* os) {
    *os << c.label;
}

class DamagedFile : public DataConnectionTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedFile, IsReportedAndNeverTouched) {
    {
        DataConnection db;
        connect(db, members(), Kind::Members);
        folder.write("in.bmp", patternBytes(300000));
        append(db, {{"Number", "1"}, {"Name", "Ann"}}, folder.file("in.bmp"));
        append(db, {{"Number", "2"}, {"Name", "Bob"}}, folder.file("in.bmp"));
    }
    GetParam().damage(members());
    const QByteArray before = folder.read("UserData.mdb");

    EXPECT_TRUE(DataConnection::EnsureFile(members(), Kind::Members));
    DataConnection db;
    bool failed = !db.Connect(members());
    if (!failed) {
        failed = !db.OpenQuery(Query::All);
        while (!failed && !db.AtEnd()) {
            db.ExportPicture(folder.file("x.bmp"));
            failed = !db.MoveNext();
        }
    }
    EXPECT_TRUE(failed);
    EXPECT_FALSE(db.lastError().isEmpty());

    // Writing is refused as well.
    if (db.isConnected() && db.OpenQuery(Query::All)) {
        db.AddNew();
        db.SetField("Number", "3");
        EXPECT_FALSE(db.Update());
    }
    db.Disconnect();
    EXPECT_EQ(folder.read("UserData.mdb"), before);
    EXPECT_FALSE(QFileInfo::exists(members() + "-journal"));
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedFile,
    ::testing::Values(
        DamageCase{"NotADatabase",
                   [](const QString& path) {
                       QFile f(path);
                       ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                       f.write(patternBytes(64 * 1024));
                   }},
        DamageCase{"TruncatedToHalf",
                   [](const QString& path) { QFile::resize(path, QFileInfo(path).size() / 2); }},
        DamageCase{"LastPageCut",
                   [](const QString& path) { QFile::resize(path, QFileInfo(path).size() - 4096); }},
        DamageCase{"Empty", [](const QString& path) { QFile::resize(path, 0); }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(DataConnectionTest, FileLockedByAnotherProgramIsReportedAndUnchanged) {
    {
        DataConnection db;
        connect(db, members(), Kind::Members);
        append(db, {{"Number", "1"}, {"Name", "Ann"}});
    }
    RawDatabase other(members());
    other.exec("begin exclusive");
    const QByteArray before = folder.read("UserData.mdb");

    DataConnection db;
    bool failed = !db.Connect(members()) || !db.OpenQuery(Query::All);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(db.lastError().contains("locked")) << db.lastError().toStdString();
    other.exec("rollback");
    EXPECT_EQ(folder.read("UserData.mdb"), before);
}

TEST_F(DataConnectionTest, MissingFileIsNeverCreatedByConnect) {
    DataConnection db;
    EXPECT_FALSE(db.Connect(members()));
    EXPECT_FALSE(db.lastError().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(members()));
    EXPECT_FALSE(db.OpenQuery(Query::All));
}

TEST_F(DataConnectionTest, FolderNamesWithUriCharactersOpenTheRightFile) {
    const QString odd = folder.file("salon #2 ?50% 王/");
    QDir().mkpath(odd);
    DataConnection db;
    connect(db, odd + "UserData.mdb", Kind::Members);
    append(db, {{"Number", "1"}, {"Name", "Ann"}});
    db.Disconnect();
    RawDatabase raw(odd + "UserData.mdb");
    EXPECT_EQ(raw.value("select Name from info").toString(), "Ann");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

TEST_F(DataConnectionTest, ConnectionsAreIndependent) {
    DataConnection a;
    DataConnection b;
    connect(a, members(), Kind::Members);
    connect(b, products(), Kind::Products);
    append(a, {{"Number", "1"}, {"Name", "Ann"}});
    a.Disconnect();
    ASSERT_TRUE(b.OpenQuery(Query::All)) << b.lastError().toStdString();
    EXPECT_TRUE(b.AtEnd());
}

// A writer killed in the middle of its saves leaves a file that is either
// before or after each save, never damaged. The child reports every finished
// save through a pipe; it is killed once a few are in, while it is busy with
// the next one, however slow the machine is.
TEST_F(DataConnectionTest, KilledWriterLeavesAConsistentFile) {
    ASSERT_TRUE(DataConnection::EnsureFile(members(), Kind::Members));
    folder.write("in.bmp", patternBytes(400 * 1024));
    int saves[2];
    ASSERT_EQ(pipe(saves), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::close(saves[0]);
        DataConnection db;
        if (!db.Connect(members()))
            _exit(1);
        for (int i = 0;; ++i) {
            db.OpenQuery(Query::All);
            db.AddNew();
            db.SetField("Number", QString::number(i));
            db.ImportPicture(folder.file("in.bmp"));
            if (db.Update() && ::write(saves[1], "s", 1) != 1)
                _exit(2);
        }
    }
    ::close(saves[1]);
    constexpr int kSavesBeforeKill = 3;
    int finished = 0;
    char c = 0;
    while (finished < kSavesBeforeKill && ::read(saves[0], &c, 1) == 1)
        ++finished;
    kill(child, SIGKILL);
    ::close(saves[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(finished, kSavesBeforeKill) << "the writer ended before its saves";
    ASSERT_TRUE(WIFSIGNALED(status));

    RawDatabase raw(members());
    EXPECT_EQ(raw.value("pragma integrity_check").toString(), "ok");
    EXPECT_GT(raw.value("select count(*) from info").toInt(), 0);
    EXPECT_EQ(raw.value("select count(*) from info where length(Photo) <> 400 * 1024").toInt(), 0);
}

} // namespace
