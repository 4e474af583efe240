// Member and product tables against real database files in a temporary
// program folder: what the screens rely on, and what must never be lost.
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "KillInsideWrite.h"
#include "MemberTable.h"
#include "ProductTable.h"
#include "RawDatabase.h"
#include "SafeFileName.h"
#include "TempProgramFolder.h"
#include "Workspace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

MemberRecord member(const QString& number, const QString& name, const QString& picture = {}) {
    MemberRecord r;
    r.number = number;
    r.name = name;
    r.sex = "1";
    r.age = "30";
    r.birthday = "1994/05/06";
    r.picturePath = picture;
    return r;
}

ProductRecord product(const QString& number, const QString& type, const QString& name,
                      const QString& picture = {}) {
    ProductRecord r;
    r.number = number;
    r.type = type;
    r.name = name;
    r.model = "M-" + number;
    r.price = "99";
    r.picturePath = picture;
    return r;
}

QStringList namesOf(const QList<MemberRecord>& members) {
    QStringList out;
    for (const MemberRecord& m : members)
        out << m.name;
    return out;
}

QStringList numbersOf(const QList<ProductRecord>& products) {
    QStringList out;
    for (const ProductRecord& p : products)
        out << p.number;
    return out;
}

// add() renumbers its argument; most tests do not need that copy back.
template <class Table, class Record> DataResult addCopy(Table& table, Record record) {
    return table.add(record);
}

class TablesTest : public ::testing::Test {
protected:
    TablesTest() : app(folder.path()) {}

    void touch(const QString& relative) { folder.write(relative, "visit"); }
    bool exists(const QString& relative) const { return QFileInfo::exists(folder.file(relative)); }

    TempProgramFolder folder;
    CTessalyApp app;
};

TEST_F(TablesTest, MissingDatabaseBecomesAnEmptyList) {
    MemberTable table(app);
    ASSERT_TRUE(table.open()) << table.lastError().toStdString();
    QList<MemberRecord> members{member("x", "stale")};
    EXPECT_EQ(table.listAll(members), DataResult::Ok);
    EXPECT_TRUE(members.isEmpty());
    EXPECT_TRUE(exists("UserData.mdb"));
    EXPECT_TRUE(QFileInfo(DataPaths::memberImageFolder(app)).isDir());
}

TEST_F(TablesTest, MembersRoundTripWithTheirPictures) {
    folder.write("pick.bmp", patternBytes(70000));
    MemberTable table(app);
    ASSERT_TRUE(table.open());
    MemberRecord ann = member("1", "Ann", folder.file("pick.bmp"));
    ann.phone = "555-0100";
    ann.email = "ann@example.com";
    ann.address = "1 Rose Street";
    ann.operatorName = "Lin";
    ann.remark = "50% off, \"VIP\"";
    ASSERT_EQ(table.add(ann), DataResult::Ok) << table.lastError().toStdString();
    ASSERT_EQ(addCopy(table, member("2", "Bob")), DataResult::Ok);

    QList<MemberRecord> members;
    ASSERT_EQ(table.listAll(members), DataResult::Ok);
    ASSERT_EQ(members.size(), 2);
    MemberRecord expected = ann;
    expected.picturePath = DataPaths::memberPictureFile(app, "Ann");
    EXPECT_EQ(members[0], expected);
    EXPECT_EQ(folder.read("PreSetting/member_image/Ann.bmp"), patternBytes(70000));
    EXPECT_EQ(members[1].picturePath, DataPaths::memberPictureFile(app, "Bob"));
    EXPECT_FALSE(exists("PreSetting/member_image/Bob.bmp")) << "no picture, no file";

    QList<MemberRecord> found = members;
    EXPECT_EQ(table.search("Bo", found), DataResult::NotFound);
    EXPECT_EQ(found, members) << "a search without result leaves the list";
    EXPECT_EQ(table.search("Bob", found), DataResult::Ok);
    EXPECT_EQ(namesOf(found), QStringList{"Bob"});
}

TEST_F(TablesTest, ChangeKeepsTheNumberAndWritesThePictureUnderTheNewName) {
    folder.write("a.bmp", "first");
    folder.write("b.bmp", "second");
    MemberTable table(app);
    ASSERT_TRUE(table.open());
    ASSERT_EQ(addCopy(table, member("1", "Ann", folder.file("a.bmp"))), DataResult::Ok);
    QList<MemberRecord> members;
    ASSERT_EQ(table.listAll(members), DataResult::Ok);

    MemberRecord renamed = members[0];
    renamed.name = "Anne";
    renamed.picturePath = folder.file("b.bmp");
    ASSERT_EQ(table.change(renamed), DataResult::Ok) << table.lastError().toStdString();
    ASSERT_EQ(table.listAll(members), DataResult::Ok);
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(members[0].number, "1");
    EXPECT_EQ(members[0].name, "Anne");
    EXPECT_EQ(folder.read("PreSetting/member_image/Anne.bmp"), "second");
    EXPECT_EQ(folder.read("PreSetting/member_image/Ann.bmp"), "first") << "the old file stays";

    renamed.number = "404";
    EXPECT_EQ(table.change(renamed), DataResult::NotFound);
}

TEST_F(TablesTest, MembersAddedWithTheSameNumberAreBothKept) {
    MemberTable table(app);
    ASSERT_TRUE(table.open());
    MemberRecord first = member("2024010112000005", "Ann");
    MemberRecord second = member("2024010112000005", "Bob");
    ASSERT_EQ(table.add(first), DataResult::Ok);
    ASSERT_EQ(table.add(second), DataResult::Ok) << table.lastError().toStdString();
    EXPECT_NE(second.number, first.number);
    MemberRecord third = member({}, "Cid");
    ASSERT_EQ(table.add(third), DataResult::Ok);
    EXPECT_FALSE(third.number.isEmpty());

    QList<MemberRecord> members;
    ASSERT_EQ(table.listAll(members), DataResult::Ok);
    EXPECT_EQ(namesOf(members), (QStringList{"Ann", "Bob", "Cid"}));
}

TEST_F(TablesTest, NamesakesShareFoldersUntilTheLastOneIsDeleted) {
    MemberTable table(app);
    ASSERT_TRUE(table.open());
    ASSERT_EQ(addCopy(table, member("1", "Ann")), DataResult::Ok);
    ASSERT_EQ(addCopy(table, member("2", "Ann")), DataResult::Ok);
    touch("Reports/Ann/202401011200/info.ini");
    touch("Guests-Image/Ann/compare.bmp");
    touch("Reports/Anna/keep.ini");

    ASSERT_EQ(table.remove(member("1", "Ann")), DataResult::Ok);
    EXPECT_TRUE(exists("Reports/Ann/202401011200/info.ini")) << "the namesake's visits stay";
    EXPECT_TRUE(exists("Guests-Image/Ann/compare.bmp"));

    ASSERT_EQ(table.remove(member("2", "Ann")), DataResult::Ok);
    EXPECT_FALSE(exists("Reports/Ann"));
    EXPECT_FALSE(exists("Guests-Image/Ann"));
    EXPECT_TRUE(exists("Reports/Anna/keep.ini"));
    EXPECT_TRUE(QFileInfo(folder.file("Reports")).isDir());

    EXPECT_EQ(table.remove(member("2", "Ann")), DataResult::NotFound);
}

struct HostileName {
    const char* label;
    QString name;
};

void PrintTo(const HostileName& h, std::ostream* os) {
    *os << h.label;
}

class HostileNames : public TablesTest, public ::testing::WithParamInterface<HostileName> {};

// A name is whatever the operator typed. Listing and deleting such a member
// touch nothing but its own picture file and its own two folders.
TEST_P(HostileNames, NeverReachOutsideTheirFolders) {
    const QString name = GetParam().name;
    const QStringList bystanders{"Reports/keep.ini",          "Reports/Other/keep.ini",
                                 "Guests-Image/keep.bmp",     "Guests-Image/Other/keep.bmp",
                                 "PreSetting/presetting.ini", "keep.txt",
                                 "Language/English.ini"};
    for (const QString& b : bystanders)
        touch(b);
    folder.write("PreSetting/member_image/default.bmp", "shipped default");
    folder.write("pick.bmp", "face");

    MemberTable table(app);
    ASSERT_TRUE(table.open());
    ASSERT_EQ(addCopy(table, member("1", name, folder.file("pick.bmp"))), DataResult::Ok);
    QList<MemberRecord> members;
    ASSERT_EQ(table.listAll(members), DataResult::Ok);
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(members[0].name, name) << "the stored name is kept as typed";
    const QFileInfo picture(members[0].picturePath);
    EXPECT_EQ(picture.absolutePath(),
              QFileInfo(DataPaths::memberImageFolder(app)).absoluteFilePath());
    EXPECT_EQ(folder.read("PreSetting/member_image/" + picture.fileName()), "face");

    // The capture panel makes the member's folders from the same mapping.
    QDir().mkpath(DataPaths::memberReportFolder(app, name));
    QDir().mkpath(DataPaths::memberPictureFolder(app, name));
    ASSERT_EQ(table.remove(members[0]), DataResult::Ok);

    for (const QString& b : bystanders) {
        EXPECT_TRUE(exists(b)) << b.toStdString() << " lost by " << name.toStdString();
    }
    EXPECT_EQ(folder.read("PreSetting/member_image/default.bmp"), "shipped default");
    EXPECT_TRUE(exists("UserData.mdb"));
    EXPECT_FALSE(QFileInfo::exists(DataPaths::memberReportFolder(app, name)));
    EXPECT_FALSE(QFileInfo::exists(DataPaths::memberPictureFolder(app, name)));
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNames,
    ::testing::Values(HostileName{"Parent", ".."}, HostileName{"Dot", "."},
                      HostileName{"Slash", "/"}, HostileName{"UpToReports", "../Reports"},
                      HostileName{"UpTwoToAFile", "../../keep.txt"},
                      HostileName{"DownAndUp", "Other/../.."}, HostileName{"SubFolder", "a/b"},
                      HostileName{"DefaultPicture", "default"}, HostileName{"Empty", ""},
                      HostileName{"Nul", QString("nul") + QChar(0) + "name"}));

struct NamePair {
    const char* label;
    QString kept;
    QString deleted;
};

void PrintTo(const NamePair& p, std::ostream* os) {
    *os << p.label;
}

class CollidingNames : public TablesTest, public ::testing::WithParamInterface<NamePair> {
protected:
    // Two files in each of the member's folders, as a visit leaves them.
    QStringList fillFolders(const QString& name) {
        const QString marker = QString::fromLatin1(
            QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5).toHex());
        const QStringList files{DataPaths::memberReportFolder(app, name) + "/202401011200/" +
                                    marker + ".ini",
                                DataPaths::memberPictureFolder(app, name) + "/" + marker + ".bmp"};
        for (const QString& f : files) {
            QDir().mkpath(QFileInfo(f).absolutePath());
            QFile out(f);
            EXPECT_TRUE(out.open(QIODevice::WriteOnly));
            out.write("visit");
        }
        return files;
    }
};

// Names that once shared one folder name. Deleting either member leaves every
// file of the other where it was.
TEST_P(CollidingNames, DeletingOneKeepsTheOthersFolders) {
    const NamePair& pair = GetParam();
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "deleting the first" : "deleting the second");
        TempProgramFolder own;
        app.m_strAppPath = own.path();
        app.m_strImagePath = own.path() + "Guests-Image";
        const QString kept = reversed ? pair.deleted : pair.kept;
        const QString deleted = reversed ? pair.kept : pair.deleted;

        MemberTable table(app);
        ASSERT_TRUE(table.open());
        MemberRecord keptMember = member("1", kept);
        MemberRecord deletedMember = member("2", deleted);
        ASSERT_EQ(table.add(keptMember), DataResult::Ok);
        ASSERT_EQ(table.add(deletedMember), DataResult::Ok);
        const QStringList keptFiles = fillFolders(kept);
        fillFolders(deleted);

        ASSERT_EQ(table.remove(deletedMember), DataResult::Ok);
        for (const QString& f : keptFiles)
            EXPECT_TRUE(QFileInfo::exists(f)) << f.toStdString();
        table.close();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CollidingNames,
    ::testing::Values(NamePair{"EscapedSlash", "a/b", "a%2Fb"},
                      NamePair{"EscapedPercent", "%", "%25"}, NamePair{"EmptyAndPercent", "", "%"},
                      NamePair{"DotAndEscapedDot", ".", "%2E"},
                      NamePair{"ParentAndEscaped", "..", "%2E%2E"},
                      NamePair{"NulAndEmpty", QString(QChar(0)), ""},
                      NamePair{"NulAndEscapedNul", QString("x") + QChar(0), "x%00"},
                      NamePair{"LineBreak", "a\nb", "a%0Ab"},
                      NamePair{"LongNamesSharingTheirStart", QString(300, 'x') + "1",
                               QString(300, 'x') + "2"},
                      NamePair{"LongEscapes", QString(200, '%'), QString(200, '%') + "%"},
                      NamePair{"CaseDiffers", "Ann", "ann"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(TablesTest, MemberNamedGuestNeverDeletesTheGuestsFolders) {
    folder.write("Reports/Guest/202401011200/info.ini", "walk-in");
    folder.write("Guests-Image/Guest/compare.bmp", "walk-in");
    MemberTable table(app);
    ASSERT_TRUE(table.open());
    MemberRecord guest = member("1", "Guest");
    ASSERT_EQ(table.add(guest), DataResult::Ok);
    EXPECT_EQ(DataPaths::memberReportFolder(app, "Guest"), DataPaths::guestReportFolder(app));
    ASSERT_EQ(table.remove(guest), DataResult::Ok);
    EXPECT_TRUE(exists("Reports/Guest/202401011200/info.ini"));
    EXPECT_TRUE(exists("Guests-Image/Guest/compare.bmp"));
}

// Folders made before "%" was escaped are found under their old name when
// that name can be nobody else's.
TEST_F(TablesTest, FoldersOfTheOlderMappingAreFoundWhenUnambiguous) {
    touch("Reports/50%off/202401011200/info.ini");
    EXPECT_EQ(DataPaths::memberReportFolder(app, "50%off"), folder.file("Reports/50%off"));
    EXPECT_EQ(DataPaths::memberPictureFolder(app, "50%off"), app.m_strImagePath + "/50%25off")
        << "no older folder: the current name";

    // "a%2Fb" is the current name of "a/b"'s folder: member "a%2Fb" never takes it.
    touch("Reports/a%2Fb/202401011200/info.ini");
    EXPECT_EQ(DataPaths::memberReportFolder(app, "a%2Fb"), folder.file("Reports/a%252Fb"));
    EXPECT_EQ(DataPaths::memberReportFolder(app, "a/b"), folder.file("Reports/a%2Fb"));

    // A long name's folder under the older hash tag.
    const QString longName = QString(300, 'y');
    touch("Reports/" + SafeFileName::legacyFromName(longName) + "/old.ini");
    EXPECT_EQ(DataPaths::memberReportFolder(app, longName),
              folder.file("Reports/" + SafeFileName::legacyFromName(longName)));
}

// Killed while a member's picture is being put in place: the old picture and
// the database are whole, and the next start clears the temporary file.
TEST_F(TablesTest, KilledMemberSaveLosesNothing) {
    folder.write("old.bmp", "old face");
    folder.write("new.bmp", QByteArray(200000, 'n'));
    {
        MemberTable table(app);
        ASSERT_TRUE(table.open());
        ASSERT_EQ(addCopy(table, member("1", "Ann", folder.file("old.bmp"))), DataResult::Ok);
        QList<MemberRecord> members;
        ASSERT_EQ(table.listAll(members), DataResult::Ok);
    }
    ASSERT_EQ(folder.read("PreSetting/member_image/Ann.bmp"), "old face");
    ASSERT_TRUE(killInsideWrite([this] {
        MemberTable table(app);
        table.open();
        MemberRecord changed = member("1", "Ann", folder.file("new.bmp"));
        table.change(changed);
        QList<MemberRecord> members; // the listing writes the new picture

        table.listAll(members);
    }));

    EXPECT_EQ(folder.read("PreSetting/member_image/Ann.bmp"), "old face") << "never half a picture";
    MemberTable table(app);
    ASSERT_TRUE(table.open());
    QList<MemberRecord> members;
    ASSERT_EQ(table.listAll(members), DataResult::Ok) << "the database opens whole";
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(folder.read("PreSetting/member_image/Ann.bmp").size(), 200000)
        << "the committed row's picture is written whole on the next listing";
    Workspace::prepare(app);
    const QStringList leftovers =
        QDir(folder.file("PreSetting/member_image")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(leftovers, QStringList{"Ann.bmp"});
}

TEST_F(TablesTest, DeletingFollowsNoSymbolicLink) {
    touch("outside/precious.jpg");
    QDir().mkpath(folder.file("Reports"));
    QDir().mkpath(folder.file("Guests-Image/Ann"));
    ASSERT_TRUE(QFile::link(folder.file("outside"), folder.file("Reports/Ann")));
    ASSERT_TRUE(QFile::link(folder.file("outside"), folder.file("Guests-Image/Ann/link")));

    MemberTable table(app);
    ASSERT_TRUE(table.open());
    ASSERT_EQ(addCopy(table, member("1", "Ann")), DataResult::Ok);
    ASSERT_EQ(table.remove(member("1", "Ann")), DataResult::Ok);
    EXPECT_FALSE(QFileInfo(folder.file("Reports/Ann")).isSymLink());
    EXPECT_FALSE(exists("Guests-Image/Ann"));
    EXPECT_TRUE(exists("outside/precious.jpg"));
}

TEST_F(TablesTest, DamagedMemberFileIsReportedAndKept) {
    folder.write("UserData.mdb", "This is not a database, but it is somebody's file.");
    MemberTable table(app);
    QList<MemberRecord> members{member("x", "shown before")};
    const bool opened = table.open();
    if (opened) {
        EXPECT_EQ(table.listAll(members), DataResult::OpenFailed);
    }
    EXPECT_FALSE(table.lastError().isEmpty());
    EXPECT_EQ(namesOf(members), QStringList{"shown before"});
    MemberRecord ann = member("1", "Ann");
    EXPECT_NE(table.add(ann), DataResult::Ok);
    EXPECT_EQ(folder.read("UserData.mdb"), "This is not a database, but it is somebody's file.");
}

TEST_F(TablesTest, ProductDeleteRemovesTheSelectedOneOfEqualTypeAndName) {
    ProductTable table(app);
    ASSERT_TRUE(table.open());
    for (const char* number : {"1", "2", "3"}) {
        ProductRecord p = product(number, "Cream", "Rose");
        ASSERT_EQ(table.add(p), DataResult::Ok);
    }
    QList<ProductRecord> products;
    ASSERT_EQ(table.listAll(products), DataResult::Ok);
    ASSERT_EQ(table.remove(products[1]), DataResult::Ok);
    ASSERT_EQ(table.listAll(products), DataResult::Ok);
    EXPECT_EQ(numbersOf(products), (QStringList{"1", "3"}));
}

TEST_F(TablesTest, ProductSearchIsExactOnNameOrModel) {
    ProductTable table(app);
    ASSERT_TRUE(table.open());
    for (ProductRecord p : {product("1", "Cream", "Rose"), product("2", "Cream", "Rose Gold"),
                            product("3", "Toner", "Lily")}) {
        ASSERT_EQ(table.add(p), DataResult::Ok);
    }
    QList<ProductRecord> found;
    ASSERT_EQ(table.searchByName("Rose", found), DataResult::Ok);
    EXPECT_EQ(numbersOf(found), QStringList{"1"});
    ASSERT_EQ(table.searchByModel("M-3", found), DataResult::Ok);
    EXPECT_EQ(numbersOf(found), QStringList{"3"});
    EXPECT_EQ(table.searchByModel("M-", found), DataResult::NotFound);
    EXPECT_EQ(numbersOf(found), QStringList{"3"});
}

TEST_F(TablesTest, PickerListsAPictureOnlyForProductsThatHaveOne) {
    folder.write("rose.bmp", "rose picture");
    folder.write("PreSetting/product_image/Lily.bmp", "older lily file");
    ProductTable table(app);
    ASSERT_TRUE(table.open());
    ProductRecord rose = product("1", "Cream", "Rose", folder.file("rose.bmp"));
    ProductRecord lily = product("2", "Toner", "Lily");
    ASSERT_EQ(table.add(rose), DataResult::Ok);
    ASSERT_EQ(table.add(lily), DataResult::Ok);

    QList<ProductRecord> picked;
    ASSERT_EQ(table.listAll(picked, ProductTable::Listing::Picker), DataResult::Ok);
    ASSERT_EQ(picked.size(), 2);
    EXPECT_EQ(picked[0].picturePath, DataPaths::productPictureFile(app, "Rose"));
    EXPECT_EQ(picked[1].picturePath, "");
    EXPECT_EQ(picked[0].number, "") << "the picker does not read numbers";
    EXPECT_EQ(picked[0].model, "M-1");

    QList<ProductRecord> managed;
    ASSERT_EQ(table.listAll(managed), DataResult::Ok);
    EXPECT_EQ(managed[1].picturePath, DataPaths::productPictureFile(app, "Lily"));
    EXPECT_EQ(folder.read("PreSetting/product_image/Lily.bmp"), "older lily file");
}

} // namespace
