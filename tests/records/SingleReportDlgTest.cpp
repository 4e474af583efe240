// The single-item report page, offscreen, in a temporary program folder with
// the shipped texts, skin pictures and reference pictures. Tips go through the
// application state, where the tests catch them.
#include "CImageViewDlg.h"
#include "CMyListCtrl.h"
#include "CProductListDlg.h"
#include "CSingleReportDlg.h"
#include "CTessalyApp.h"
#include "CurrentMember.h"
#include "MemberRecord.h"
#include "ProductTable.h"
#include "SingleReportGeometry.h"
#include "SyntheticSkin.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <opencv2/imgcodecs.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace geo = SingleReportGeometry;

namespace {

const cv::Scalar kDetectionBgr(200, 60, 20); // a blue picture
const cv::Scalar kAnalysisBgr(30, 40, 220);  // a red picture
const cv::Scalar kReferenceBgr(40, 190, 60); // a green picture

cv::Mat solid(const cv::Scalar& bgr) {
    return cv::Mat(480, 640, CV_8UC3, bgr);
}

bool near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QColor fromBgr(const cv::Scalar& bgr) {
    return QColor(int(bgr[2]), int(bgr[1]), int(bgr[0]));
}

std::string describe(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()).toStdString();
}

class SingleReportDlgTest : public ::testing::Test {
protected:
    SingleReportDlgTest() : folder({"Language", "icons", "PreSetting"}), app(folder.path()) {
        TextLookup::chooseLanguageFile(2);
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
    }
    ~SingleReportDlgTest() override { CurrentMember::set(nullptr); }

    void writeReference(const QString& file, const cv::Scalar& bgr) {
        const QString path = folder.file("PreSetting/image/" + file);
        ASSERT_TRUE(cv::imwrite(QFile::encodeName(path).toStdString(), solid(bgr)));
    }

    std::unique_ptr<CSingleReportDlg> page(int item, int score, const cv::Mat& detection,
                                           const cv::Mat& analysis) {
        auto p = std::make_unique<CSingleReportDlg>(
            item, score, detection, analysis, QStringLiteral("Fine lines around the eyes."),
            QStringLiteral("Use a rich night cream."), nullptr);
        p->resize(1100, 720);
        p->show();
        return p;
    }

    static void finish(CSingleReportDlg& p) {
        QTRY_VERIFY_WITH_TIMEOUT(p.animationFinished(), 5000);
    }

    template <class T = QWidget> static T* control(QWidget* page, int id) {
        T* c = page->findChild<T*>(QString::number(id));
        EXPECT_NE(c, nullptr) << id;
        return c;
    }

    static QColor pixelAt(const QImage& image, const QPoint& point) {
        return image.pixelColor(point);
    }

    // A point on the middle of the ring's pen, `degrees` clockwise from twelve.
    static QPoint ringPoint(CSingleReportDlg& p, double degrees) {
        const QRect square = geo::ringSquare(control(&p, 1264)->geometry());
        const double radius = square.width() / 2.0 - geo::kRingPen / 2.0;
        const double a = degrees * std::numbers::pi / 180.0;
        const QPointF centre = QRectF(square).center();
        return QPointF(centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a))
            .toPoint();
    }

    // Runs a modal dialog's handling as soon as the next one opens.
    static void whenModalOpens(std::function<void(QWidget*)> handle) {
        QTimer::singleShot(0, [handle] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal)
                handle(modal);
        });
    }

    TempProgramFolder folder;
    CTessalyApp app;
    QStringList tips;
};

// ---- score ring, number and pointer -----------------------------------------

TEST_F(SingleReportDlgTest, FinishedRingShowsTheExactScoreInItsColour) {
    for (const int score : {0, 87, 100}) {
        SCOPED_TRACE(score);
        auto p = page(2, score, solid(kDetectionBgr), solid(kAnalysisBgr));
        finish(*p);
        EXPECT_EQ(control<QLabel>(p.get(), 1264)->text(), QString::number(score));
        const QRect scale = control(p.get(), 1265)->geometry();
        EXPECT_EQ(control(p.get(), 1273)->geometry(), geo::pointerRect(scale, score));

        const QImage shot = p->grab().toImage();
        const QColor arc = geo::scoreColour(score);
        if (score == 0) {
            // No arc at all: the top of the ring is the light background ring.
            EXPECT_FALSE(near(pixelAt(shot, ringPoint(*p, 3)), geo::scoreColour(0), 60));
            continue;
        }
        EXPECT_TRUE(near(pixelAt(shot, ringPoint(*p, 3)), arc, 4))
            << describe(pixelAt(shot, ringPoint(*p, 3)));
        const double end = score * 3.6;
        EXPECT_TRUE(near(pixelAt(shot, ringPoint(*p, end - 4)), arc, 4));
        if (score < 100) { // past the arc's end the ring is not the score colour
            EXPECT_FALSE(near(pixelAt(shot, ringPoint(*p, end + 6)), arc, 30));
        }
        // The inner disc covers the middle.
        EXPECT_TRUE(near(pixelAt(shot, control(p.get(), 1264)->geometry().center() + QPoint(0, 40)),
                         geo::innerDiscColour(), 2));
    }
    // Score 100 closes the circle in the green of the top of the scale, and the
    // pointer stands at the bar's right end.
    auto full = page(0, 100, solid(kDetectionBgr), solid(kAnalysisBgr));
    finish(*full);
    const QImage shot = full->grab().toImage();
    EXPECT_TRUE(near(pixelAt(shot, ringPoint(*full, 357)), QColor(0, 206, 60), 4));
    const QRect scale = control(full.get(), 1265)->geometry();
    EXPECT_EQ(control(full.get(), 1273)->x(), scale.x() + scale.width());
}

TEST_F(SingleReportDlgTest, AnimationCountsUpToTheScoreAndNeverPastIt) {
    auto p = page(3, 41, solid(kDetectionBgr), solid(kAnalysisBgr));
    EXPECT_FALSE(p->animationFinished());
    QList<int> seen;
    QLabel* number = control<QLabel>(p.get(), 1264);
    QTRY_VERIFY_WITH_TIMEOUT((seen << number->text().toInt(), p->animationFinished()), 5000);
    for (int shown : std::as_const(seen))
        EXPECT_LE(shown, 41);
    EXPECT_GT(seen.size(), 3) << "the ring counts up rather than jumping to the score";
    EXPECT_EQ(number->text(), "41");
}

TEST_F(SingleReportDlgTest, StoredScoreOutsideTheScaleKeepsTheRingAndPointerOnIt) {
    auto p = page(1, 180, solid(kDetectionBgr), solid(kAnalysisBgr));
    finish(*p);
    EXPECT_EQ(control<QLabel>(p.get(), 1264)->text(), "180");
    const QRect scale = control(p.get(), 1265)->geometry();
    EXPECT_EQ(control(p.get(), 1273)->x(), scale.x() + scale.width());
}

// ---- header, texts, pictures ---------------------------------------------------

TEST_F(SingleReportDlgTest, MemberHeaderShowsTheCurrentMemberOrTheGuestWords) {
    {
        auto guest = page(0, 50, solid(kDetectionBgr), solid(kAnalysisBgr));
        EXPECT_EQ(control<QLabel>(guest.get(), 1106)->text(), "Customer");
        EXPECT_EQ(control<QLabel>(guest.get(), 1108)->text(), "-");
        EXPECT_EQ(control<QLabel>(guest.get(), 1110)->text(), "-");
        EXPECT_EQ(control<QLabel>(guest.get(), 1101)->text(), TextLookup::text("IDS_MEMBER_NAME"));
    }
    MemberRecord member;
    member.selected = 1;
    member.name = QStringLiteral("Lin Mei");
    member.sex = QStringLiteral("Female");
    member.age = QStringLiteral("34");
    CurrentMember::set(&member);
    auto chosen = page(0, 50, solid(kDetectionBgr), solid(kAnalysisBgr));
    EXPECT_EQ(control<QLabel>(chosen.get(), 1106)->text(), "Lin Mei");
    EXPECT_EQ(control<QLabel>(chosen.get(), 1108)->text(), "Female");
    EXPECT_EQ(control<QLabel>(chosen.get(), 1110)->text(), "34");
}

TEST_F(SingleReportDlgTest, GradedTextsFillTheReadOnlyBoxes) {
    auto p = page(4, 72, solid(kDetectionBgr), solid(kAnalysisBgr));
    auto* result = control<QPlainTextEdit>(p.get(), 1262);
    auto* suggestion = control<QPlainTextEdit>(p.get(), 1268);
    EXPECT_EQ(result->toPlainText(), "Fine lines around the eyes.");
    EXPECT_EQ(suggestion->toPlainText(), "Use a rich night cream.");
    EXPECT_TRUE(result->isReadOnly());
    EXPECT_TRUE(suggestion->isReadOnly());

    // The page's colour table: light grey boxes with near-black text, the
    // product list a shade darker, the score caption on white.
    const QImage shot = p->grab().toImage();
    const auto blankCorner = [](QWidget* w) { return w->geometry().bottomRight() - QPoint(6, 6); };
    EXPECT_EQ(pixelAt(shot, blankCorner(result)), QColor(245, 245, 245));
    EXPECT_EQ(pixelAt(shot, blankCorner(suggestion)), QColor(245, 245, 245));
    EXPECT_EQ(result->palette().color(QPalette::Text), QColor(20, 20, 20));
    EXPECT_EQ(pixelAt(shot, blankCorner(control(p.get(), 1102))), QColor(244, 244, 244));
    EXPECT_EQ(pixelAt(shot, blankCorner(control(p.get(), 1259))), QColor(Qt::white));
    EXPECT_EQ(control<QLabel>(p.get(), 1264)->palette().color(QPalette::WindowText),
              QColor(80, 80, 80));
}

TEST_F(SingleReportDlgTest, PicturesAreTheItemsOwnCopiesAndItem5UsesItsOwnReferenceFile) {
    writeReference("hxs.jpg", kReferenceBgr);
    writeReference("yz.jpg", cv::Scalar(0, 0, 0)); // the visit stem must not be used
    cv::Mat detection = solid(kDetectionBgr);
    cv::Mat analysis = solid(kAnalysisBgr);
    auto p = page(5, 64, detection, analysis);
    // The main window's pictures change after the page was made.
    detection.setTo(cv::Scalar::all(0));
    analysis.setTo(cv::Scalar::all(255));
    p->resize(1000, 700); // the pictures are scaled again, from the page's copies

    const QImage shot = p->grab().toImage();
    const QPoint detectionCentre = control(p.get(), 1270)->geometry().center();
    const QPoint analysisCentre = control(p.get(), 1261)->geometry().center();
    const QPoint referenceCentre = control(p.get(), 1260)->geometry().center();
    EXPECT_TRUE(near(pixelAt(shot, detectionCentre), fromBgr(kDetectionBgr), 6))
        << describe(pixelAt(shot, detectionCentre));
    EXPECT_TRUE(near(pixelAt(shot, analysisCentre), fromBgr(kAnalysisBgr), 6));
    EXPECT_TRUE(near(pixelAt(shot, referenceCentre), fromBgr(kReferenceBgr), 10))
        << describe(pixelAt(shot, referenceCentre));
    EXPECT_TRUE(p->hasReferencePicture());
}

TEST_F(SingleReportDlgTest, PaintingReadsNoFile) {
    auto p = page(0, 90, solid(kDetectionBgr), solid(kAnalysisBgr));
    finish(*p);
    const QImage before = p->grab().toImage();
    ASSERT_TRUE(QFile::remove(folder.file("icons/singlereport_bk.bmp")));
    ASSERT_TRUE(QDir(folder.file("PreSetting/image")).removeRecursively());
    p->update();
    EXPECT_EQ(p->grab().toImage(), before) << "the background and pictures were read when shown";
}

TEST_F(SingleReportDlgTest, MissingReferencePictureLeavesItsBoxEmptyAndItsZoomInactive) {
    ASSERT_TRUE(QFile::remove(folder.file("PreSetting/image/sb.jpg")));
    auto p = page(3, 75, solid(kDetectionBgr), solid(kAnalysisBgr));
    EXPECT_FALSE(p->hasReferencePicture());
    EXPECT_FALSE(control<QAbstractButton>(p.get(), 1209)->isEnabled());
    EXPECT_TRUE(control<QAbstractButton>(p.get(), 1210)->isEnabled());
    EXPECT_EQ(p->pictureAt(control(p.get(), 1260)->geometry().center()), geo::NoPicture);

    // A stored visit with a picture missing: that box is empty too.
    auto partial = page(6, 75, cv::Mat(), solid(kAnalysisBgr));
    EXPECT_FALSE(control<QAbstractButton>(partial.get(), 1210)->isEnabled());
    EXPECT_EQ(partial->pictureAt(control(partial.get(), 1270)->geometry().center()),
              geo::NoPicture);
    EXPECT_EQ(partial->pictureAt(control(partial.get(), 1261)->geometry().center()),
              geo::AnalysisPicture);
}

TEST_F(SingleReportDlgTest, DoubleClickOnAPictureOpensTheViewerAndElsewhereNothing) {
    auto p = page(7, 66, solid(kDetectionBgr), solid(kAnalysisBgr));
    struct Case {
        const char* what;
        QPoint point;
        bool opens;
    };
    const std::vector<Case> cases{
        {"analysis picture", control(p.get(), 1261)->geometry().center(), true},
        {"detection picture", control(p.get(), 1270)->geometry().center(), true},
        {"reference picture", control(p.get(), 1260)->geometry().center(), true},
        {"blank page", QPoint(p->width() - 5, 5), false},
    };
    for (const Case& c : cases) {
        bool opened = false;
        whenModalOpens([&opened](QWidget* modal) {
            opened = qobject_cast<CImageViewDlg*>(modal) != nullptr;
            modal->close();
        });
        QTest::mouseDClick(p.get(), Qt::LeftButton, {}, c.point);
        QCoreApplication::processEvents();
        EXPECT_EQ(opened, c.opens) << c.what;
    }
}

TEST_F(SingleReportDlgTest, MagnifierButtonsSitOnTheirPicturesAndOpenTheViewer) {
    auto p = page(2, 66, solid(kDetectionBgr), solid(kAnalysisBgr));
    const std::vector<std::pair<int, int>> pairs{{1209, 1260}, {1210, 1270}, {1211, 1261}};
    for (const auto& [button, picture] : pairs) {
        auto* b = control<QAbstractButton>(p.get(), button);
        EXPECT_EQ(b->geometry(), geo::magnifierRect(control(p.get(), picture)->geometry()));
        bool opened = false;
        whenModalOpens([&opened](QWidget* modal) {
            opened = qobject_cast<CImageViewDlg*>(modal) != nullptr;
            modal->close();
        });
        b->click();
        EXPECT_TRUE(opened) << button;
    }
}

// ---- recommended products ------------------------------------------------------

class SingleReportProductsTest : public SingleReportDlgTest {
protected:
    void SetUp() override {
        const QString picture = folder.file("rose.png");
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 90));
        ASSERT_TRUE(image.save(picture));
        ProductTable table(app);
        ASSERT_TRUE(table.open());
        ProductRecord rose;
        rose.type = "Serum";
        rose.name = "Rose serum";
        rose.model = "R1";
        rose.price = "99";
        rose.picturePath = picture;
        ASSERT_EQ(table.add(rose), DataResult::Ok);
    }

    // Presses add, and picks the first product in the picker.
    static void addFirstProduct(CSingleReportDlg& p) {
        whenModalOpens([](QWidget* modal) {
            auto* picker = qobject_cast<CProductListDlg*>(modal);
            ASSERT_NE(picker, nullptr);
            ASSERT_FALSE(picker->products().isEmpty());
            picker->list()->SetSelectedRow(0);
            control<QAbstractButton>(picker, 1207)->click();
        });
        control<QAbstractButton>(&p, 1207)->click();
    }

    static QStringList listed(CSingleReportDlg& p) {
        QStringList texts;
        auto* list = control<QListWidget>(&p, 1102);
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
};

TEST_F(SingleReportProductsTest, TheSameProductAddedTwiceIsListedTwice) {
    auto p = page(1, 70, solid(kDetectionBgr), solid(kAnalysisBgr));
    addFirstProduct(*p);
    addFirstProduct(*p);
    ASSERT_EQ(p->products().size(), 2u);
    EXPECT_EQ(p->products()[0], p->products()[1]);
    EXPECT_EQ(p->products()[0].name, "Rose serum");
    const QString stem = QFileInfo(p->products()[0].picturePath).completeBaseName();
    EXPECT_EQ(listed(*p), QStringList({stem, stem}));
    auto* list = control<QListWidget>(p.get(), 1102);
    EXPECT_FALSE(list->item(0)->icon().isNull());
    EXPECT_EQ(list->item(0)->icon().availableSizes().value(0), QSize(80, 80));
}

TEST_F(SingleReportProductsTest, RemoveTakesTheSelectedProductOrTellsTheOperatorToChoose) {
    auto p = page(1, 70, solid(kDetectionBgr), solid(kAnalysisBgr));
    ProductRecord other;
    other.name = "Night cream";
    other.picturePath = folder.file("PreSetting/product_image/night.jpg"); // not there
    p->appendRecommendedProduct(other);
    addFirstProduct(*p);
    ASSERT_EQ(p->products().size(), 2u);
    auto* list = control<QListWidget>(p.get(), 1102);
    // A product whose picture cannot be read is listed by its text alone.
    EXPECT_EQ(list->item(0)->text(), "night");
    EXPECT_TRUE(list->item(0)->icon().isNull());

    list->clearSelection();
    control<QAbstractButton>(p.get(), 1208)->click();
    EXPECT_EQ(tips, QStringList{"2:" + TextLookup::text("IDS_SELECT_PRODUCT")});
    EXPECT_EQ(p->products().size(), 2u);

    list->item(0)->setSelected(true);
    control<QAbstractButton>(p.get(), 1208)->click();
    ASSERT_EQ(p->products().size(), 1u);
    EXPECT_EQ(p->products()[0].name, "Rose serum");
    EXPECT_EQ(list->count(), 1);
}

// ---- a look at the page --------------------------------------------------------

TEST_F(SingleReportDlgTest, ScreenshotsForPeopleToLookAt) {
    writeReference("xw.jpg", kReferenceBgr);
    for (const int item : {2, 5}) {
        auto p = page(item, item == 2 ? 87 : 43, syntheticSkin(), solid(kAnalysisBgr));
        finish(*p);
        const QString file =
            TempProgramFolder::artifactsFolder() + QStringLiteral("single_report_%1.png").arg(item);
        QDir().mkpath(TempProgramFolder::artifactsFolder());
        EXPECT_TRUE(p->grab().save(file));
    }
}

} // namespace
