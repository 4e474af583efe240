#include "IniFile.h"
#include "IniEditProperty.h"
#include "TempProgramFolder.h"

#include <QFile>
#include <QRandomGenerator>
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

// Files that earlier writes damaged: each write must change only the key's line.
struct HostileFile {
    const char* name;
    QByteArray bytes;
    QByteArray expected; // after writing [setup] language=2
};

void PrintTo(const HostileFile& f, std::ostream* os) {
    *os << f.name;
}

class IniHostileFiles : public ::testing::TestWithParam<HostileFile> {};

TEST_P(IniHostileFiles, WriteChangesOnlyTheKeysLine) {
    TempProgramFolder dir;
    dir.write("Setup.ini", GetParam().bytes);
    QString error;
    ASSERT_TRUE(IniFile::write(dir.file("Setup.ini"), "setup", "language", "2", &error))
        << error.toStdString();
    EXPECT_EQ(dir.read("Setup.ini"), GetParam().expected);
    EXPECT_EQ(IniFile::readInt(dir.file("Setup.ini"), "setup", "language", 0), 2);
    EXPECT_EQ(iniEditViolation(GetParam().bytes, "setup", "language", "1"), "");
}

// Every byte of a string literal but its terminator, NUL bytes included.
template <std::size_t N> QByteArray literal(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

QByteArray utf16le(const QString& text) {
    return QStringEncoder(QStringEncoder::Utf16LE).encode(text);
}

const QByteArray kGbk("\xC4\xE3\xBA\xC3"); // "你好" in GBK: not UTF-8

INSTANTIATE_TEST_SUITE_P(
    Files, IniHostileFiles,
    ::testing::Values(
        HostileFile{"NulByte", literal("[setup]\r\nlanguage=0\r\nnote=a\0b\r\nlast=1\r\n"),
                    literal("[setup]\r\nlanguage=2\r\nnote=a\0b\r\nlast=1\r\n")},
        HostileFile{"NulBeforeTheKey", literal("[setup]\n\0junk\nlanguage=0\nlast=1\n"),
                    literal("[setup]\n\0junk\nlanguage=2\nlast=1\n")},
        HostileFile{"Utf16WithoutBom",
                    utf16le("[setup]\r\nlanguage=0\r\nname=王芳\r\n[other]\r\nx=1\r\n"),
                    utf16le("[setup]\r\nlanguage=2\r\nname=王芳\r\n[other]\r\nx=1\r\n")},
        HostileFile{"GbkLine", "[setup]\nlanguage=0\nname=" + kGbk + "\n",
                    "[setup]\nlanguage=2\nname=" + kGbk + "\n"},
        HostileFile{"GbkKeyAdded", "[setup]\nname=" + kGbk + "\n",
                    "[setup]\nname=" + kGbk + "\nlanguage=2\n"},
        HostileFile{"MixedLineEnds", "[setup]\r\nlanguage=0\nx=1\r\ny=2\n",
                    "[setup]\r\nlanguage=2\nx=1\r\ny=2\n"},
        HostileFile{"MixedLineEndsKeyAdded", "[other]\nx=1\r\n[setup]\r\ny=2\n\n",
                    "[other]\nx=1\r\n[setup]\r\ny=2\nlanguage=2\n\n"},
        HostileFile{"NoLastLineEnd", "[setup]\r\nx=1", "[setup]\r\nx=1\r\nlanguage=2"},
        HostileFile{"AllAtOnce",
                    QByteArray("; ") + kGbk + "\n[setup]\r\nlanguage=1\r\n\0\n" + kGbk + "\r\n",
                    QByteArray("; ") + kGbk + "\n[setup]\r\nlanguage=2\r\n\0\n" + kGbk + "\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, RefusesWhatItCannotKeepAndSaysWhy) {
    TempProgramFolder dir;
    const QByteArray odd("\xFF\xFE[\0s\0]\0\n\0k", 11); // UTF-16 cut mid character
    dir.write("odd.ini", odd);
    QString error;
    EXPECT_FALSE(IniFile::write(dir.file("odd.ini"), "s", "k", "v", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(dir.read("odd.ini"), odd);

    dir.write("a.ini", "[s]\nk=v\n");
    for (const auto& [section, key, value] :
         std::vector<std::tuple<QString, QString, QString>>{{"s", "k=x", "v"},
                                                            {"s]", "k", "v"},
                                                            {"s", " k", "v"},
                                                            {"s", "k", QString("a") + QChar(0)}}) {
        EXPECT_FALSE(IniFile::write(dir.file("a.ini"), section, key, value));
        EXPECT_EQ(dir.read("a.ini"), "[s]\nk=v\n");
    }
}

TEST(IniFile, ValuesReadBackAsWritten) {
    TempProgramFolder dir;
    for (const QString& value :
         {QStringLiteral("  spaced  "), QStringLiteral("'quoted'"), QStringLiteral("\"both\""),
          QStringLiteral("\"half"), QStringLiteral("")}) {
        ASSERT_TRUE(IniFile::write(dir.file("a.ini"), "s", "k", value));
        EXPECT_EQ(IniFile::read(dir.file("a.ini"), "s", "k", "def"), value);
    }
}

TEST(IniFile, SeveralKeysAreOneReplacement) {
    TempProgramFolder dir;
    dir.write("a.ini", "[s]\na=1\n");
    int renames = 0;
    IniFile::setBeforeCommitHookForTesting([&renames] { ++renames; });
    ASSERT_TRUE(IniFile::writeMany(dir.file("a.ini"), "s", {{"a", "2"}, {"b", "3"}, {"c", "4"}}));
    IniFile::setBeforeCommitHookForTesting({});
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(dir.read("a.ini"), "[s]\na=2\nb=3\nc=4\n");
    // One refused key refuses them all.
    EXPECT_FALSE(IniFile::writeMany(dir.file("a.ini"), "s", {{"a", "9"}, {"b=", "9"}}));
    EXPECT_EQ(dir.read("a.ini"), "[s]\na=2\nb=3\nc=4\n");
}

// Random files built from the pieces that broke earlier writes: every edit
// keeps all other bytes or refuses.
TEST(IniFile, EveryWriteKeepsTheRestOfTheFileOrRefuses) {
    const QList<QByteArray> pieces{"[setup]",
                                   "[Setup]",
                                   "[other]",
                                   "language=0",
                                   " Language = 1 ",
                                   "x=1",
                                   ";language=5",
                                   "\r\n",
                                   "\n",
                                   "\r",
                                   QByteArray(1, '\0'),
                                   kGbk,
                                   "\xE4\xBD",
                                   "=",
                                   "[",
                                   "]",
                                   "\"",
                                   "\xFF\xFE",
                                   "\xEF\xBB\xBF",
                                   "王"};
    const QStringList keys{"language", "LANGUAGE", "x", "new"};
    const QStringList values{"2", "", " pad ", "a\nb", "'q'", "王芳"};
    QRandomGenerator random(20261210);
    for (int run = 0; run < 3000; ++run) {
        QByteArray file;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i)
            file += pieces[random.bounded(pieces.size())];
        if (random.bounded(4) == 0)
            file = utf16le(QString::fromUtf8(file));
        const QString section = random.bounded(2) ? "setup" : "other";
        const QString key = keys[random.bounded(keys.size())];
        const QString value = values[random.bounded(values.size())];
        ASSERT_EQ(iniEditViolation(file, section, key, value), "")
            << "file " << file.toHex().toStdString() << " key " << key.toStdString();
    }
}

} // namespace
