#include "IniFile.h"
#include "TempProgramFolder.h"

#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray encode(const QString& text, IniFile::Encoding enc) {
    IniFile::Document doc = IniFile::parse(text.toUtf8());
    doc.encoding = enc;
    return IniFile::serialize(doc);
}

const QString kSample = QStringLiteral("; comment\r\n"
                                       "[Setting]\r\n"
                                       "IDS_A = 你好 \r\n"
                                       "ids_quoted=\"  spaced  \"\r\n"
                                       "\r\n"
                                       "[Other]\r\n"
                                       "IDS_A=other\r\n");

struct EncodingCase {
    const char* name;
    IniFile::Encoding encoding;
    const char* prefix;
};

void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << c.name;
}

class IniEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(IniEncodingTest, ReadsAndWritesInPlaceKeepingEncoding) {
    TempProgramFolder dir;
    const QByteArray bytes = encode(kSample, GetParam().encoding);
    ASSERT_TRUE(bytes.startsWith(GetParam().prefix));
    dir.write("a.ini", bytes);
    const QString path = dir.file("a.ini");

    EXPECT_EQ(IniFile::read(path, "setting", "ids_a"), QStringLiteral("你好"));
    EXPECT_EQ(IniFile::read(path, "Setting", "IDS_QUOTED"), QStringLiteral("  spaced  "));
    EXPECT_EQ(IniFile::read(path, "Other", "IDS_A"), QStringLiteral("other"));

    ASSERT_TRUE(IniFile::write(path, "Setting", "IDS_A", QStringLiteral("新")));
    const QByteArray after = dir.read("a.ini");
    EXPECT_TRUE(after.startsWith(GetParam().prefix));
    QString expected = kSample;
    expected.replace(QStringLiteral("IDS_A = 你好 "), QStringLiteral("IDS_A=新"));
    EXPECT_EQ(after, encode(expected, GetParam().encoding));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, IniEncodingTest,
    ::testing::Values(EncodingCase{"Utf16LE", IniFile::Encoding::Utf16LE, "\xFF\xFE"},
                      EncodingCase{"Utf16BE", IniFile::Encoding::Utf16BE, "\xFE\xFF"},
                      EncodingCase{"Utf8Bom", IniFile::Encoding::Utf8Bom, "\xEF\xBB\xBF"},
                      EncodingCase{"Utf8", IniFile::Encoding::Utf8, "; comment"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, MissingFileSectionOrKeyGiveTheDefault) {
    TempProgramFolder dir;
    dir.write("a.ini", "[s]\nk=v\n");
    EXPECT_EQ(IniFile::read(dir.file("none.ini"), "s", "k", "def"), "def");
    EXPECT_EQ(IniFile::read(dir.file("a.ini"), "t", "k", "def"), "def");
    EXPECT_EQ(IniFile::read(dir.file("a.ini"), "s", "x", "def"), "def");
    // A key of the next section never answers for this one.
    dir.write("b.ini", "[s]\n[t]\nk=v\n");
    EXPECT_EQ(IniFile::read(dir.file("b.ini"), "s", "k", "def"), "def");
}

TEST(IniFile, ValueIsCutToTheBuffer) {
    TempProgramFolder dir;
    dir.write("a.ini", "[s]\nk=" + QByteArray(1200, 'x') + "\n");
    EXPECT_EQ(IniFile::read(dir.file("a.ini"), "s", "k").size(), 999);
    EXPECT_EQ(IniFile::read(dir.file("a.ini"), "s", "k", {}, 10).size(), 9);
}

TEST(IniFile, BinaryOrTruncatedFilesReadAsMissing) {
    TempProgramFolder dir;
    dir.write("bin.ini", QByteArray("\x00\x01\xFF\x80[s]\nk=v", 12));
    EXPECT_EQ(IniFile::read(dir.file("bin.ini"), "s", "k", "def"), "def");
    dir.write("odd.ini", QByteArray("\xFF\xFE[\0s", 5)); // UTF-16 cut mid character
    EXPECT_EQ(IniFile::read(dir.file("odd.ini"), "s", "k", "def"), "def");
    dir.write("trunc.ini", "[s]\nk=val");
    EXPECT_EQ(IniFile::read(dir.file("trunc.ini"), "s", "k"), "val");
}

TEST(IniFile, WriteAddsKeysAndSectionsWithoutDisturbingOthers) {
    TempProgramFolder dir;
    dir.write("a.ini", "[s]\na=1\n\n[t]\nb=2\n");
    ASSERT_TRUE(IniFile::write(dir.file("a.ini"), "s", "c", "3"));
    ASSERT_TRUE(IniFile::write(dir.file("a.ini"), "u", "d", "4"));
    EXPECT_EQ(dir.read("a.ini"), "[s]\na=1\nc=3\n\n[t]\nb=2\n[u]\nd=4\n");

    ASSERT_TRUE(IniFile::write(dir.file("new.ini"), "setup", "language", "2"));
    EXPECT_EQ(dir.read("new.ini"), "[setup]\r\nlanguage=2\r\n");
    EXPECT_EQ(IniFile::readInt(dir.file("new.ini"), "setup", "language", 0), 2);
}

TEST(IniFile, LineBreaksInAValueAreStoredAsBackslashN) {
    TempProgramFolder dir;
    ASSERT_TRUE(IniFile::write(dir.file("a.ini"), "s", "k", "one\ntwo\r\nthree"));
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk=one\\ntwo\\nthree\r\n");
}

TEST(IniFile, ReadOnlyFileIsReportedAndLeftAlone) {
    // The rename would replace a read-only file, even for the super-user, who
    // passes every access check: the writer looks at the mode bits.
    TempProgramFolder dir;
    dir.write("a.ini", "[s]\nk=v\n");
    QFile::setPermissions(dir.file("a.ini"), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_FALSE(IniFile::write(dir.file("a.ini"), "s", "k", "w"));
    EXPECT_EQ(dir.read("a.ini"), "[s]\nk=v\n");
}

TEST(IniFile, ProcessDyingBeforeTheRenameLeavesTheOldFile) {
    TempProgramFolder dir;
    const QByteArray original = encode(kSample, IniFile::Encoding::Utf16LE);
    dir.write("a.ini", original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        IniFile::setBeforeCommitHookForTesting([] { _exit(0); });
        IniFile::write(dir.file("a.ini"), "Setting", "IDS_A", QString(5000, 'x'));
        _exit(1); // not reached when the hook ran
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.read("a.ini"), original);
}

} // namespace
