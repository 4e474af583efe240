// Names that become folders and files, and the numbers of new records.
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "RecordNumber.h"
#include "SafeFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

namespace {

struct NameCase {
    QString name;
    QString mapped;
};

// The mapped form is escaped, so it prints safely into a test name.
void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.mapped.toStdString();
}

class SafeNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeNames, MapToOneComponentInsideTheFolder) {
    const QString mapped = SafeFileName::fromName(GetParam().name);
    EXPECT_EQ(mapped, GetParam().mapped);
    EXPECT_FALSE(mapped.contains('/'));
    EXPECT_FALSE(mapped.contains(QChar(0)));
    EXPECT_NE(mapped, ".");
    EXPECT_NE(mapped, "..");
    EXPECT_FALSE(mapped.isEmpty());
    // Whatever the name, the path stays directly inside its folder.
    const QString path = QDir::cleanPath("/base/Reports/" + mapped);
    EXPECT_EQ(QFileInfo(path).path(), "/base/Reports");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SafeNames,
    ::testing::Values(NameCase{"Anna", "Anna"}, NameCase{"王芳", "王芳"},
                      NameCase{"陳 美玲", "陳 美玲"}, NameCase{"O'Brien", "O'Brien"},
                      NameCase{"100%", "100%25"}, NameCase{"a%2Fb", "a%252Fb"},
                      NameCase{".hidden", ".hidden"}, NameCase{"...", "..."},
                      NameCase{"a\\b", "a\\b"}, NameCase{"a/b", "a%2Fb"},
                      NameCase{"/etc/passwd", "%2Fetc%2Fpasswd"},
                      NameCase{"../victim", "..%2Fvictim"}, NameCase{"../../..", "..%2F..%2F.."},
                      NameCase{".", "%2E"}, NameCase{"..", "%2E%2E"}, NameCase{"", "%"},
                      NameCase{"%", "%25"}, NameCase{QString("a") + QChar(0) + "b", "a%00b"},
                      NameCase{"line\nbreak", "line%0Abreak"}, NameCase{"tab\t", "tab%09"}));

TEST(SafeNames, LongNamesFitOneFileNameAndStayApart) {
    const QString a = QString(127, QChar(0x738B)); // 127 × "王": 381 bytes in UTF-8
    QString b = a;
    b[126] = QChar(0x82B3);
    const QString ma = SafeFileName::fromName(a);
    const QString mb = SafeFileName::fromName(b);
    EXPECT_LE((ma + ".bmp").toUtf8().size(), 255);
    EXPECT_LE(ma.toUtf8().size(), SafeFileName::kMaxBytes);
    EXPECT_NE(ma, mb);
    EXPECT_EQ(ma, SafeFileName::fromName(a)) << "the same name always maps alike";
    EXPECT_TRUE(ma.startsWith(a.left(60)));

    // A surrogate pair is never cut in half.
    const QString emoji = QString::fromUtf8("😀").repeated(80);
    const QString me = SafeFileName::fromName(emoji);
    EXPECT_LE(me.toUtf8().size(), SafeFileName::kMaxBytes);
    EXPECT_FALSE(me.toUtf8().contains("\xEF\xBF\xBD")) << "no replacement character";
}

TEST(DataPathsTest, ShippedDefaultPicturesAreNeverANameOfTheirOwn) {
    CTessalyApp app("/prog");
    EXPECT_NE(DataPaths::memberPictureFile(app, "default"), DataPaths::defaultMemberPicture(app));
    EXPECT_NE(DataPaths::productPictureFile(app, "nopicture"),
              DataPaths::defaultProductPicture(app));
    EXPECT_EQ(DataPaths::memberPictureFile(app, "Anna"), "/prog/PreSetting/member_image/Anna.bmp");
    EXPECT_EQ(DataPaths::memberReportFolder(app, "../x"), "/prog/Reports/..%2Fx");
    EXPECT_EQ(DataPaths::memberPictureFolder(app, ".."), "/prog/Guests-Image/%2E%2E");
}

struct StampCase {
    QDateTime stamp;
    QString number;
};

void PrintTo(const StampCase& c, std::ostream* os) {
    *os << c.number.toStdString();
}

class NumberFormat : public ::testing::TestWithParam<StampCase> {};

TEST_P(NumberFormat, IsDateTimeWithMilliseconds) {
    EXPECT_EQ(RecordNumber::format(GetParam().stamp), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberFormat,
    ::testing::Values(
        StampCase{QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9, 5)), "2024030507080905"},
        StampCase{QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9, 50)), "2024030507080950"},
        StampCase{QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9, 500)), "20240305070809500"},
        StampCase{QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999)), "20241231235959999"}));

TEST(RecordNumberTest, NeverRepeatsWithinAMillisecondOrWhenTheClockGoesBack) {
    const QDateTime t(QDate(2024, 10, 27), QTime(2, 59, 59, 999));
    const QDateTime sameMs = RecordNumber::nextStamp(t, t);
    EXPECT_EQ(RecordNumber::format(sameMs), "2024102703000000");
    EXPECT_EQ(RecordNumber::format(RecordNumber::nextStamp(t.addSecs(-3600), t)),
              "2024102703000000")
        << "a clock set back continues after the last number";
    const QDateTime later = t.addMSecs(20);
    EXPECT_EQ(RecordNumber::format(RecordNumber::nextStamp(later, t)), RecordNumber::format(later));

    QSet<QString> seen;
    for (int i = 0; i < 5000; ++i) {
        const QString n = RecordNumber::next();
        EXPECT_TRUE(n.size() == 16 || n.size() == 17) << n.toStdString();
        EXPECT_FALSE(seen.contains(n)) << n.toStdString();
        seen.insert(n);
    }
}

} // namespace
