// The report store on real folders in a temporary program folder: what a saved
// visit holds byte for byte, what comes back from it, how the history lists
// visits, and that a failed save leaves nothing half written.
#include "ReportStore.h"
#include "CTessalyApp.h"
#include "MemberRecord.h"
#include "ReportPaths.h"
#include "SkinItem.h"
#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A recognisable picture per item: a colour gradient with a disc, so a swapped
// or blank picture cannot pass as the right one after JPEG loss.
cv::Mat itemPicture(int item, bool analysis) {
    cv::Mat m(kItemImageHeight, kItemImageWidth, CV_8UC3);
    for (int y = 0; y < m.rows; ++y) {
        for (int x = 0; x < m.cols; ++x)
            m.at<cv::Vec3b>(y, x) = cv::Vec3b(uchar(x * 255 / m.cols), uchar(y * 255 / m.rows),
                                              uchar(item * 30 + (analysis ? 15 : 0)));
    }
    cv::circle(m, {100 + item * 50, 240}, 40, cv::Scalar(255, 255, 255), cv::FILLED);
    return m;
}

ItemResults sampleItems(const std::array<int, 8>& scores) {
    ItemResults items = makeItemResults();
    for (int i = 0; i < 8; ++i) {
        items[i].score = scores[i];
        items[i].resultText = "result " + std::to_string(i) + " 皮肤";
        items[i].suggestionText = "suggestion " + std::to_string(i) + "\nsecond line";
        items[i].detectionImage = itemPicture(i, false);
        items[i].analysisImage = itemPicture(i, true);
    }
    return items;
}

double meanDifference(const cv::Mat& a, const cv::Mat& b) {
    cv::Mat diff;
    cv::absdiff(a, b, diff);
    const cv::Scalar m = cv::mean(diff);
    return (m[0] + m[1] + m[2]) / 3;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file under a folder with its bytes, to prove that nothing changed.
std::map<QString, QByteArray> snapshot(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (info.isDir()) {
            for (const auto& [name, bytes] : snapshot(info.filePath()))
                files[info.fileName() + '/' + name] = bytes;
        } else {
            files[info.fileName()] = readAll(info.filePath());
        }
    }
    return files;
}

const QDateTime kMorning(QDate(2024, 3, 3), QTime(9, 5, 17));
const std::array<int, 8> kScores{90, 85, 70, 60, 55, 100, 80, 79};

class ReportStoreTest : public ::testing::Test {
protected:
    void TearDown() override { ReportStore::setFileWriterForTesting({}); }

    QString member() const { return dir.path() + QStringLiteral("Reports/Anna"); }

    TempProgramFolder dir;
};

TEST_F(ReportStoreTest, SavedVisitComesBackWithItsScoresTextsAndPictures) {
    const ItemResults items = sampleItems(kScores);
    const ReportStore::SaveResult saved =
        ReportStore::saveVisit(member(), kMorning, items, QStringLiteral("Drink water.\nSleep."),
                               QStringLiteral("专家建议 ; with a semicolon"),
                               {QStringLiteral("Serum"), QStringLiteral("乳液")});
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();
    EXPECT_EQ(saved.visitFolder, member() + QStringLiteral("/202403030905"));

    ItemResults loaded = makeItemResults();
    QString error;
    ASSERT_TRUE(ReportStore::loadVisit(saved.visitFolder, loaded, &error)) << error.toStdString();
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded[i].score, kScores[i]);
        EXPECT_EQ(loaded[i].resultText, items[i].resultText);
        EXPECT_EQ(loaded[i].suggestionText, items[i].suggestionText);
        ASSERT_EQ(loaded[i].detectionImage.type(), CV_8UC3);
        ASSERT_EQ(loaded[i].analysisImage.size(), items[i].analysisImage.size());
        EXPECT_LT(meanDifference(loaded[i].detectionImage, items[i].detectionImage), 3.0);
        EXPECT_LT(meanDifference(loaded[i].analysisImage, items[i].analysisImage), 3.0);
    }
    const ReportStore::FreeTexts texts = ReportStore::loadFreeTexts(saved.visitFolder);
    EXPECT_EQ(texts.suggestion, QStringLiteral("Drink water.\nSleep."));
    EXPECT_EQ(texts.expert, QStringLiteral("专家建议 ; with a semicolon"));
    EXPECT_EQ(texts.products, QStringLiteral("Serum;乳液;"));
}

TEST_F(ReportStoreTest, VisitFileHoldsEverySectionInOrderWithAverageAndProducts) {
    ItemResults items = makeItemResults();
    for (int i = 0; i < 8; ++i) {
        items[i].score = kScores[i];
        items[i].resultText = "r" + std::to_string(i);
        items[i].suggestionText = "s" + std::to_string(i);
    }
    QByteArray expected;
    for (int i = 0; i < 8; ++i)
        expected += QStringLiteral("[%1]\r\nscore=%2\r\nresult=r%1\r\nsuggestion=s%1\r\n")
                        .arg(i)
                        .arg(kScores[i])
                        .toUtf8();
    // 619 / 8 truncated.
    expected += "[8]\r\nscore=77\r\n[suggestion]\r\nsuggestion=overall\r\n[expert]\r\nexpert=\r\n"
                "[products]\r\nproducts=A;B;\r\n";
    EXPECT_EQ(ReportStore::visitFileBytes(items, QStringLiteral("overall"), QString(),
                                          {QStringLiteral("A"), QStringLiteral("B")}),
              expected);
    EXPECT_TRUE(ReportStore::visitFileBytes(items, QString(), QString(), {})
                    .endsWith("[products]\r\nproducts=\r\n"));
}

TEST_F(ReportStoreTest, ProductsValueAndNames) {
    EXPECT_EQ(ReportStore::productsValue({QStringLiteral("A"), QStringLiteral("B")}),
              QStringLiteral("A;B;"));
    EXPECT_EQ(ReportStore::productsValue({}), QString());
    EXPECT_EQ(ReportStore::productNames(QStringLiteral("A;B;")),
              (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    // A trailing part without ";" is not a name.
    EXPECT_EQ(ReportStore::productNames(QStringLiteral("A;B")), QStringList{QStringLiteral("A")});
    EXPECT_TRUE(ReportStore::productNames(QString()).isEmpty());
}

TEST_F(ReportStoreTest, StampDateTextAndBack) {
    EXPECT_EQ(ReportStore::visitStamp(kMorning), QStringLiteral("202403030905"));
    EXPECT_EQ(ReportStore::visitStamp(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("202612312359"));
    EXPECT_EQ(ReportStore::dateText(QStringLiteral("202403030905")),
              QStringLiteral("2024-03-03 09:05"));
    EXPECT_EQ(ReportStore::stampFromDateText(QStringLiteral("2024-03-03 09:05")),
              QStringLiteral("202403030905"));
    // A 12-character folder that is not a stamp gives whatever its characters give.
    EXPECT_EQ(ReportStore::dateText(QStringLiteral("abcdefghijkl")),
              QStringLiteral("abcd-ef-gh ij:kl"));
}

TEST_F(ReportStoreTest, SecondSaveInTheSameMinuteReplacesTheVisit) {
    ASSERT_TRUE(
        ReportStore::saveVisit(member(), kMorning, sampleItems(kScores), "first", "", {}).ok);
    std::array<int, 8> later = kScores;
    later[3] = 11;
    ItemResults second = sampleItems(later);
    second[5].analysisImage = cv::Mat(); // no picture this time: the old one must not linger
    ASSERT_TRUE(
        ReportStore::saveVisit(member(), kMorning.addSecs(30), second, "second", "", {}).ok);

    EXPECT_EQ(QDir(member()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("202403030905")});
    const QString visit = member() + QStringLiteral("/202403030905");
    ItemResults loaded = makeItemResults();
    ASSERT_TRUE(ReportStore::loadVisit(visit, loaded, nullptr));
    EXPECT_EQ(loaded[3].score, 11);
    EXPECT_TRUE(loaded[5].analysisImage.empty());
    EXPECT_EQ(ReportStore::loadFreeTexts(visit).suggestion, QStringLiteral("second"));

    // A later minute is a second visit.
    ASSERT_TRUE(ReportStore::saveVisit(member(), kMorning.addSecs(60), second, "third", "", {}).ok);
    EXPECT_EQ(ReportStore::listHistory(member()).size(), 2u);
}

TEST_F(ReportStoreTest, HistoryListsTwelveCharacterFoldersOldestFirst) {
    ASSERT_TRUE(ReportStore::saveVisit(member(), QDateTime(QDate(2025, 1, 2), QTime(8, 0)),
                                       sampleItems(kScores), "", "", {})
                    .ok);
    ASSERT_TRUE(ReportStore::saveVisit(member(), kMorning, sampleItems({1, 2, 3, 4, 5, 6, 7, 8}),
                                       "", "", {})
                    .ok);
    QDir(member()).mkdir(QStringLiteral("2024030309051")); // 13 digits: not a visit
    QDir(member()).mkdir(QStringLiteral("202301010000"));  // no visit file
    QDir(member()).mkdir(QStringLiteral("abcdefghijkl"));  // listed as its characters give
    dir.write(QStringLiteral("Reports/Anna/202201010000"), "a file, not a folder");

    const std::vector<ReportStore::HistoryRow> rows = ReportStore::listHistory(member());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].dateText, QStringLiteral("2023-01-01 00:00"));
    EXPECT_EQ(rows[1].dateText, QStringLiteral("2024-03-03 09:05"));
    EXPECT_EQ(rows[2].dateText, QStringLiteral("2025-01-02 08:00"));
    EXPECT_EQ(rows[3].dateText, QStringLiteral("abcd-ef-gh ij:kl"));
    const std::array<QString, 9> zeros{"0", "0", "0", "0", "0", "0", "0", "0", "0"};
    EXPECT_EQ(rows[0].scores, zeros);
    EXPECT_EQ(rows[3].scores, zeros);
    const std::array<QString, 9> first{"1", "2", "3", "4", "5", "6", "7", "8", "4"};
    EXPECT_EQ(rows[1].scores, first);
    EXPECT_EQ(rows[2].scores[8], QStringLiteral("77"));

    EXPECT_TRUE(ReportStore::listHistory(dir.path() + QStringLiteral("Reports/Nobody")).empty());
}

TEST_F(ReportStoreTest, HistoryShowsScoresAsStored) {
    dir.write(QStringLiteral("Reports/Anna/202402020202/info.ini"),
              "[0]\r\nscore=088\r\n[8]\r\nscore=x\r\n");
    const auto rows = ReportStore::listHistory(member());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].scores[0], QStringLiteral("088"));
    EXPECT_EQ(rows[0].scores[1], QStringLiteral("0")); // missing key
    EXPECT_EQ(rows[0].scores[8], QStringLiteral("x"));
}

TEST_F(ReportStoreTest, VisitWithoutPicturesStillLoadsScoresAndTexts) {
    const QString visit = member() + QStringLiteral("/202402020202");
    dir.write(QStringLiteral("Reports/Anna/202402020202/info.ini"),
              "[3]\r\nscore=42\r\nresult=spots\r\n");
    dir.write(QStringLiteral("Reports/Anna/202402020202/sb.jpg"), "not a jpeg");
    ItemResults loaded = sampleItems(kScores);
    ASSERT_TRUE(ReportStore::loadVisit(visit, loaded, nullptr));
    EXPECT_EQ(loaded[3].score, 42);
    EXPECT_EQ(loaded[3].resultText, "spots");
    EXPECT_EQ(loaded[0].score, 0);
    EXPECT_EQ(loaded[0].suggestionText, "");
    for (const ItemResult& r : loaded) {
        EXPECT_TRUE(r.detectionImage.empty());
        EXPECT_TRUE(r.analysisImage.empty());
    }
}

TEST_F(ReportStoreTest, UnreadableVisitIsAnErrorAndLeavesTheResultsAlone) {
    QDir().mkpath(member() + QStringLiteral("/202402020202/info.ini")); // a folder, not a file
    QDir().mkpath(member() + QStringLiteral("/202402020303"));          // no visit file at all
    for (const char* stamp : {"202402020202", "202402020303", "209901010000"}) {
        SCOPED_TRACE(stamp);
        ItemResults items = sampleItems(kScores);
        QString error;
        EXPECT_FALSE(ReportStore::loadVisit(member() + '/' + stamp, items, &error));
        EXPECT_TRUE(error.contains(QLatin1String(stamp))) << error.toStdString();
        EXPECT_EQ(items[4].score, 55);
        EXPECT_FALSE(items[4].detectionImage.empty());
    }
}

TEST_F(ReportStoreTest, FolderThatCannotBeMadeFailsNamingIt) {
    dir.write(QStringLiteral("Reports/Anna"), "a file where the member folder belongs");
    const ReportStore::SaveResult r =
        ReportStore::saveVisit(member(), kMorning, sampleItems(kScores), "", "", {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedFile, member());
    EXPECT_EQ(dir.read(QStringLiteral("Reports/Anna")), "a file where the member folder belongs");
}

TEST_F(ReportStoreTest, ReadOnlyReportsFolderFailsNamingTheVisitAndLeavesNothing) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    QDir().mkpath(member());
    QFile::setPermissions(member(), QFile::ReadOwner | QFile::ExeOwner);
    const ReportStore::SaveResult r =
        ReportStore::saveVisit(member(), kMorning, sampleItems(kScores), "", "", {});
    QFile::setPermissions(member(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.failedFile.startsWith(member())) << r.failedFile.toStdString();
    EXPECT_TRUE(
        QDir(member()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

// A full disk, simulated by a file layer that refuses the n-th file: whatever
// file fails, the new visit does not appear and an earlier visit of the same
// minute keeps every byte.
class DiskFullTest : public ReportStoreTest, public ::testing::WithParamInterface<int> {};

TEST_P(DiskFullTest, FailedSaveLeavesNothingHalfWritten) {
    const int failAt = GetParam();
    const auto refuseNth = [failAt](int* count) {
        return [failAt, count](const QString& path, const QByteArray& bytes, QString* error) {
            if (++*count == failAt) {
                *error = QStringLiteral("No space left on device");
                return false;
            }
            return ReportStore::writeWholeFile(path, bytes, error);
        };
    };

    int count = 0;
    ReportStore::setFileWriterForTesting(refuseNth(&count));
    ReportStore::SaveResult r =
        ReportStore::saveVisit(member(), kMorning, sampleItems(kScores), "", "", {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("No space left on device"));
    EXPECT_TRUE(r.failedFile.startsWith(member() + QStringLiteral("/202403030905/")));
    EXPECT_TRUE(
        QDir(member()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());

    ReportStore::setFileWriterForTesting({});
    ASSERT_TRUE(
        ReportStore::saveVisit(member(), kMorning, sampleItems(kScores), "kept", "", {}).ok);
    const auto before = snapshot(member());
    count = 0;
    ReportStore::setFileWriterForTesting(refuseNth(&count));
    r = ReportStore::saveVisit(member(), kMorning, sampleItems({1, 1, 1, 1, 1, 1, 1, 1}), "lost",
                               "", {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(snapshot(member()), before);
}

// The 1st and 9th pictures and the visit file (17th file).
INSTANTIATE_TEST_SUITE_P(EachKindOfFile, DiskFullTest, ::testing::Values(1, 9, 17));

TEST_F(ReportStoreTest, StoredProductsMatchTheCatalogueIgnoringCase) {
    ProductRecord serum;
    serum.name = QStringLiteral("Serum");
    ProductRecord cream;
    cream.name = QStringLiteral("Night Cream");
    ProductRecord serum2 = serum;
    serum2.model = QStringLiteral("big");
    const QList<ProductRecord> catalogue{serum, cream, serum2};

    struct Case {
        const char* stored;
        QList<ProductRecord> expected;
    };
    const Case cases[] = {
        {"SERUM;Unknown;", {serum, serum2}},
        {"night cream;serum;", {cream, serum, serum2}},
        {"Night Cream", {}}, // no ";": not a name
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(ReportStore::storedProducts(QString::fromUtf8(c.stored), catalogue), c.expected);
    }
}

} // namespace

namespace {

// Names typed by the operator and stamps handed over by other screens reach the
// file system only as one safe path component inside their folder.
TEST(ReportPathsTest, NamesAndStampsStayInsideTheirFolders) {
    TempProgramFolder dir;
    CTessalyApp app(dir.path());
    const QString reports = QDir::cleanPath(dir.path() + QStringLiteral("Reports"));
    const QString pictures = QDir::cleanPath(dir.path() + QStringLiteral("Guests-Image"));
    for (const char* name : {"Anna", "..", "../../etc", "a/b", "%2E", "Guest"}) {
        SCOPED_TRACE(name);
        MemberRecord m;
        m.name = QString::fromUtf8(name);
        m.selected = 1;
        const QString folder = QDir::cleanPath(ReportPaths::memberReportFolder(app, m));
        EXPECT_EQ(QFileInfo(folder).path(), reports);
        EXPECT_EQ(QFileInfo(QDir::cleanPath(ReportPaths::visitFolder(app, m, "../../x"))).path(),
                  folder);
        const QString saved = QDir::cleanPath(
            ReportPaths::savedReportFile(app, m, QStringLiteral("a/../b"), kMorning));
        EXPECT_EQ(QFileInfo(QFileInfo(QFileInfo(saved).path()).path()).path(), pictures);
        EXPECT_TRUE(saved.endsWith(QStringLiteral("_202403030905.bmp")));
    }
    MemberRecord guest; // nobody handed over
    EXPECT_EQ(ReportPaths::memberReportFolder(app, guest),
              dir.path() + QStringLiteral("Reports/Guest"));
}

} // namespace
