#include "CGdipButton.h"
#include "CImageViewDlg.h"
#include "CTessalyPicDlg.h"
#include "CVideoViewDlg.h"
#include "ComparisonFakes.h"
#include "CurrentMember.h"
#include "FrameSinks.h"
#include "MemberRecord.h"
#include "PicturePrinter.h"
#include "Presetting.h"
#include "TextLookup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <opencv2/imgcodecs.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <thread>

namespace {

const cv::Scalar kRed(0, 0, 220);
const cv::Scalar kBlue(220, 0, 0);

cv::Mat frameOf(const cv::Scalar& bgr, int width = 640, int height = 480) {
    return cv::Mat(height, width, CV_8UC3, bgr);
}

// Delivers like a camera: from a thread of its own, through the frame sinks.
void deliverFromCamera(FrameSinks& sinks, const cv::Mat& frame) {
    std::thread camera([&] { sinks.deliverFrame(frame); });
    camera.join();
    QCoreApplication::processEvents();
}

QColor colourAt(CTessalyPicDlg& screen, const QPoint& pos) {
    return QColor(screen.screenPicture().pixel(pos));
}

bool nearly(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

QString labelText(const CTessalyPicDlg& screen, const char* id) {
    return screen.findChild<QLabel*>(id)->text();
}

class ComparisonScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.app.m_strMemberImagePath = f.dir.path() + "Guests-Image/Li";
        QDir().mkpath(f.app.m_strMemberImagePath);
        member.selected = 1;
        member.name = "Li";
        member.sex = "Female";
        member.age = "31";
        CurrentMember::set(&member);
        screen = std::make_unique<CTessalyPicDlg>(nullptr);
        screen->resize(1020, 700);
        screen->setFrameSinks(&sinks);
        screen->setCameraDevice([this]() -> CameraDevice* { return camera.get(); });
    }
    void TearDown() override {
        screen.reset();
        CurrentMember::set(nullptr);
        CTessalyPicDlg::setOpenDialogHook({});
        CTessalyPicDlg::setPdfDialogHook({});
        PicturePrinter::setDialogHook({});
    }

    QString writePicture(const QString& name, const cv::Scalar& bgr) {
        const QString path = f.dir.file(name);
        cv::imwrite(path.toStdString(), frameOf(bgr, 320, 240));
        return path;
    }

    QRect area(int index) const { return ComparisonGeometry::pictureAreas()[std::size_t(index)]; }

    ComparisonFixture f;
    MemberRecord member;
    FrameSinks sinks;
    std::unique_ptr<FakeComparisonCamera> camera = std::make_unique<FakeComparisonCamera>();
    std::unique_ptr<CTessalyPicDlg> screen;
};

TEST_F(ComparisonScreenTest, HeaderShowsTheMemberOrTheGuestValuesWithOrganisationAndDate) {
    ASSERT_TRUE(Presetting::writeOrgName(f.app, QString::fromUtf8("美丽沙龙")));
    screen->refreshControls();
    EXPECT_EQ(labelText(*screen, "1106"), "Li");
    EXPECT_EQ(labelText(*screen, "1108"), "Female");
    EXPECT_EQ(labelText(*screen, "1110"), "31");
    EXPECT_EQ(labelText(*screen, "1117"), QString::fromUtf8("美丽沙龙"));
    const QDate today = QDate::currentDate();
    EXPECT_EQ(labelText(*screen, "1118"),
              QString::asprintf("%4d-%2d-%2d", today.year(), today.month(), today.day()));
    EXPECT_EQ(labelText(*screen, "1101"), TextLookup::text("IDS_MEMBER_NAME"));

    member.selected = 0;
    screen->refreshControls();
    EXPECT_EQ(labelText(*screen, "1106"), "Customer");
    EXPECT_EQ(labelText(*screen, "1108"), "-");
    EXPECT_EQ(labelText(*screen, "1110"), "-");
}

struct ClickCase {
    const char* name;
    QPoint pos;
    int picture; // 0: no chooser
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class DoubleClick : public ComparisonScreenTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(DoubleClick, OpensTheChooserOnlyInsideAComparedPicture) {
    const ClickCase& c = GetParam();
    const QString file = writePicture("face.jpg", kRed);
    QStringList starts;
    CTessalyPicDlg::setOpenDialogHook([&](QWidget*, const QString& start) {
        starts << start;
        return file;
    });
    screen->show();
    QTest::mouseDClick(screen.get(), Qt::LeftButton, Qt::NoModifier, c.pos);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(screen->picture(i).empty(), i != c.picture) << "picture " << i;
    if (c.picture == 0) {
        EXPECT_TRUE(starts.isEmpty());
        return;
    }
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0], f.app.m_strMemberImagePath);
    EXPECT_FALSE(screen->findChild<QLabel*>(QString::number(1119 + c.picture))->isVisible());
    EXPECT_TRUE(screen->findChild<CGdipButton*>(QString::number(1206 + c.picture))->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Positions, DoubleClick,
                         ::testing::Values(ClickCase{"Picture1TopLeft", {615, 150}, 1},
                                           ClickCase{"Picture1RightEdge", {938, 150}, 0},
                                           ClickCase{"Picture2Inside", {300, 500}, 2},
                                           ClickCase{"Picture3LastPixel", {937, 581}, 3},
                                           ClickCase{"Between", {560, 360}, 0},
                                           ClickCase{"Header", {300, 100}, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComparisonScreenTest, ASecondPictureReplacesTheFirstAndAnUnreadableOneKeepsIt) {
    screen->show();
    ASSERT_TRUE(screen->loadPicture(3, writePicture("first.jpg", kRed)));
    ASSERT_TRUE(screen->loadPicture(3, writePicture("second.bmp", kBlue)));
    const QPoint middle = area(3).center();
    EXPECT_TRUE(nearly(colourAt(*screen, middle), QColor(0, 0, 220)));

    f.dir.write("broken.jpg", "not a picture");
    EXPECT_FALSE(screen->loadPicture(3, f.dir.file("broken.jpg")));
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:"));
    EXPECT_TRUE(nearly(colourAt(*screen, middle), QColor(0, 0, 220))) << "nothing lost";
    EXPECT_TRUE(screen->findChild<CGdipButton*>("1209")->isVisible());

    EXPECT_FALSE(screen->loadPicture(2, f.dir.file("missing.jpg")));
    EXPECT_TRUE(screen->picture(2).empty());
    EXPECT_TRUE(screen->findChild<QLabel*>("1121")->isVisible());
}

TEST_F(ComparisonScreenTest, PauseKeepsTheFrozenFrameAcrossRepaintsAndFrameSizes) {
    f.app.m_bCameraStreaming = 1;
    screen->show();
    auto* play = screen->findChild<CGdipButton*>("1105");
    EXPECT_TRUE(play->isEnabled());
    EXPECT_EQ(play->labelText(), TextLookup::text("IDS_STOP"));

    const QPoint live = area(0).center();
    deliverFromCamera(sinks, frameOf(kRed));
    EXPECT_TRUE(nearly(colourAt(*screen, live), QColor(220, 0, 0)));
    EXPECT_FALSE(screen->findChild<QLabel*>("1119")->isVisible());

    play->click();
    EXPECT_TRUE(screen->isPaused());
    EXPECT_EQ(play->labelText(), TextLookup::text("IDS_PLAY"));
    deliverFromCamera(sinks, frameOf(kBlue));
    deliverFromCamera(sinks, frameOf(kBlue, 320, 240));
    screen->repaint();
    EXPECT_TRUE(nearly(colourAt(*screen, live), QColor(220, 0, 0))) << "frozen frame kept";
    EXPECT_EQ(screen->liveFrame().size(), cv::Size(640, 480));

    play->click();
    deliverFromCamera(sinks, frameOf(kBlue, 320, 240));
    EXPECT_TRUE(nearly(colourAt(*screen, live), QColor(0, 0, 220)));
    EXPECT_EQ(screen->liveFrame().size(), cv::Size(320, 240));
}

TEST_F(ComparisonScreenTest, CameraButtonTogglesPlayAndStop) {
    f.app.m_bCameraStreaming = 1;
    screen->show();
    std::thread([&] { sinks.deliverButton(); }).join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen->isPaused());
    std::thread([&] { sinks.deliverButton(); }).join();
    QCoreApplication::processEvents();
    EXPECT_FALSE(screen->isPaused());

    screen->hide();
    std::thread([&] { sinks.deliverButton(); }).join();
    QCoreApplication::processEvents();
    EXPECT_FALSE(screen->isPaused()) << "a hidden screen is no frame sink";
}

TEST_F(ComparisonScreenTest, WithoutACameraTheLiveAreaIsEmptyAndPlayIsDisabled) {
    screen->show();
    auto* play = screen->findChild<CGdipButton*>("1105");
    EXPECT_FALSE(play->isEnabled());
    EXPECT_EQ(play->labelText(), TextLookup::text("IDS_PLAY"));
    EXPECT_TRUE(screen->findChild<QLabel*>("1119")->isVisible());
    EXPECT_EQ(screen->findChild<QLabel*>("1119")->text(), TextLookup::text("IDS_COMPARE_PAUSE"));
    QDir().mkpath(TempProgramFolder::artifactsFolder());
    screen->screenPicture().save(TempProgramFolder::artifactsFolder() + "comparison_empty.png");
}

TEST_F(ComparisonScreenTest, CameraPulledOutEmptiesTheLiveAreaUnlessFrozen) {
    f.app.m_bCameraStreaming = 1;
    screen->show();
    deliverFromCamera(sinks, frameOf(kRed));
    const QPoint live = area(0).center();
    ASSERT_TRUE(nearly(colourAt(*screen, live), QColor(220, 0, 0)));

    f.app.m_bCameraStreaming = 0; // no frame tells the screen; it notices by itself
    QTest::qWait(700);
    EXPECT_TRUE(screen->findChild<QLabel*>("1119")->isVisible());
    EXPECT_FALSE(screen->findChild<CGdipButton*>("1105")->isEnabled());
    EXPECT_FALSE(nearly(colourAt(*screen, live), QColor(220, 0, 0)));

    f.app.m_bCameraStreaming = 1;
    deliverFromCamera(sinks, frameOf(kRed));
    screen->togglePaused();
    f.app.m_bCameraStreaming = 0;
    QTest::qWait(700);
    EXPECT_TRUE(nearly(colourAt(*screen, live), QColor(220, 0, 0))) << "the frozen frame stays";
    EXPECT_TRUE(screen->findChild<CGdipButton*>("1105")->isEnabled()) << "and can be released";
}

TEST_F(ComparisonScreenTest, EnlargeButtonOpensTheImageViewerOnThatPicture) {
    screen->show();
    ASSERT_TRUE(screen->loadPicture(2, writePicture("two.bmp", kBlue)));
    cv::Mat shown;
    QTimer::singleShot(100, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<CImageViewDlg*>(w); viewer && viewer->isVisible()) {
                shown = viewer->picture().clone();
                viewer->reject();
            }
        }
    });
    screen->findChild<CGdipButton*>("1208")->click();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.size(), cv::Size(320, 240));
    EXPECT_EQ(shown.at<cv::Vec3b>(5, 5), cv::Vec3b(220, 0, 0));
}

TEST_F(ComparisonScreenTest, LightChoiceSwitchesTheCameraTwice300msApart) {
    screen->show();
    screen->findChild<QRadioButton*>("1301")->click();
    ASSERT_EQ(camera->calls.size(), 1u);
    EXPECT_EQ(camera->calls[0].mode, 3);
    QTest::qWait(500);
    ASSERT_EQ(camera->calls.size(), 2u);
    EXPECT_EQ(camera->calls[1].mode, 3);
    EXPECT_GE(camera->calls[1].atMs - camera->calls[0].atMs, 290);
    EXPECT_EQ(screen->lightChoice(), 2);

    camera.reset();
    screen->findChild<QRadioButton*>("1299")->click();
    QTest::qWait(400);
    EXPECT_TRUE(screen->findChild<QRadioButton*>("1299")->isChecked());
    EXPECT_EQ(screen->lightChoice(), 0);
}

TEST_F(ComparisonScreenTest, CameraGoneBetweenTheTwoLightCallsIsNotCalledAgain) {
    screen->show();
    screen->findChild<QRadioButton*>("1300")->click();
    camera.reset();
    QTest::qWait(450); // a dangling device would crash here
    SUCCEED();
}

TEST_F(ComparisonScreenTest, SaveWritesTheScreenAsAnUncompressedBitmapWithTheExactHeader) {
    screen->show();
    screen->loadPicture(1, writePicture("a.jpg", kRed));
    const QString path = screen->saveScreen();
    ASSERT_FALSE(path.isEmpty());
    const QString name = QFileInfo(path).fileName();
    EXPECT_EQ(QFileInfo(path).absolutePath(), f.app.m_strMemberImagePath + "/Comparison");
    EXPECT_TRUE(QRegularExpression("^Li_" +
                                   QRegularExpression::escape(TextLookup::text("IDS_MAIN_SGDB")) +
                                   R"(_\d{14}\.bmp$)")
                    .match(name)
                    .hasMatch())
        << name.toStdString();
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_EQ(f.tips[0], "0:" + TextLookup::text("IDS_SAVE_SUCCESS") + "(" + path + ")");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    const int w = screen->width();
    const int h = screen->height();
    const int stride = (w * 3 + 3) / 4 * 4;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    ASSERT_EQ(b.size(), 54 + stride * h);
    EXPECT_EQ(b.left(2), "BM");
    EXPECT_EQ(u32(2), quint32(b.size()));
    EXPECT_EQ(u32(6), 0u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), quint32(w));
    EXPECT_EQ(u32(22), quint32(h));
    EXPECT_EQ(u16(26), 1);
    EXPECT_EQ(u16(28), 24);
    for (int at = 30; at < 54; at += 4)
        EXPECT_EQ(u32(at), 0u) << "header field at " << at;

    // Rows bottom-up: the middle of picture 1 is red in the file.
    const QPoint mid = area(1).center();
    const char* px = b.constData() + 54 + (h - 1 - mid.y()) * stride + mid.x() * 3;
    EXPECT_NEAR(uchar(px[2]), 220, 3);
    EXPECT_NEAR(uchar(px[0]), 0, 3);
}

struct BlockCase {
    const char* name;
    const char* blocker; // a plain file where a folder must go, relative to the program folder
};

void PrintTo(const BlockCase& c, std::ostream* os) {
    *os << c.name;
}

class UnwritableSave : public ComparisonScreenTest,
                       public ::testing::WithParamInterface<BlockCase> {};

TEST_P(UnwritableSave, GivesAnErrorTipAndNoSuccessTip) {
    QDir(f.app.m_strMemberImagePath).removeRecursively();
    f.dir.write(GetParam().blocker, "keep me");
    screen->show();
    EXPECT_TRUE(screen->saveScreen().isEmpty());
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:" + TextLookup::text("IDS_WARN_CATCH")))
        << f.tips[0].toStdString();
    EXPECT_EQ(f.dir.read(GetParam().blocker), "keep me");
}

INSTANTIATE_TEST_SUITE_P(Folders, UnwritableSave,
                         ::testing::Values(BlockCase{"ComparisonIsAFile",
                                                     "Guests-Image/Li/Comparison"},
                                           BlockCase{"MemberFolderIsAFile", "Guests-Image/Li"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComparisonScreenTest, ReadOnlyComparisonFolderGivesAnErrorTip) {
    const QString folder = f.app.m_strMemberImagePath + "/Comparison";
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable()) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    screen->show();
    EXPECT_TRUE(screen->saveScreen().isEmpty());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:"));
    EXPECT_TRUE(QDir(folder).isEmpty());
}

TEST_F(ComparisonScreenTest, PrintingDeletesNoSavedFileAndWritesNone) {
    screen->show();
    const QString saved = screen->saveScreen();
    ASSERT_FALSE(saved.isEmpty());
    const QByteArray before = f.dir.read(QDir(f.dir.path()).relativeFilePath(saved));
    const QString pdf = f.dir.file("printed.pdf");
    QString documentName;
    PicturePrinter::setDialogHook([&](QPrinter& printer) {
        documentName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    EXPECT_TRUE(screen->printScreen());
    EXPECT_TRUE(QFile::exists(saved)) << "the operator's saved screen stays";
    EXPECT_EQ(f.dir.read(QDir(f.dir.path()).relativeFilePath(saved)), before);
    EXPECT_TRUE(documentName.startsWith(f.app.m_strMemberImagePath + "/Comparison/Li_"));
    EXPECT_TRUE(f.dir.read("printed.pdf").startsWith("%PDF"));

    PicturePrinter::setDialogHook([](QPrinter&) { return false; });
    EXPECT_FALSE(screen->printScreen());
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(QDir(f.app.m_strMemberImagePath + "/Comparison").entryList(QDir::Files).size(), 1);
    EXPECT_EQ(f.tips.size(), 1) << "printing shows no save tip";
}

TEST_F(ComparisonScreenTest, PdfExportWritesTheChosenFileWithItsExtension) {
    screen->show();
    QString proposed;
    CTessalyPicDlg::setPdfDialogHook([&](QWidget*, const QString& p) {
        proposed = p;
        return f.dir.file("visit");
    });
    ASSERT_TRUE(screen->exportPdf());
    EXPECT_TRUE(proposed.startsWith(f.app.m_strMemberImagePath + "/Comparison/Li_"));
    EXPECT_TRUE(proposed.endsWith(".pdf"));
    EXPECT_TRUE(f.dir.read("visit.pdf").startsWith("%PDF"));
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("0:"));
}

TEST_F(ComparisonScreenTest, DoubleClickOnTheLiveAreaOpensTheVideoViewerWithTheFrozenFrame) {
    f.app.m_bCameraStreaming = 1;
    screen->show();
    deliverFromCamera(sinks, frameOf(kRed));
    screen->togglePaused();
    QImage seen;
    QTimer::singleShot(100, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<CVideoViewDlg*>(w); viewer && viewer->isVisible()) {
                sinks.deliverFrame(frameOf(kBlue)); // paused: the viewer still gets red
                seen = viewer->currentFrame();
                viewer->reject();
            }
        }
    });
    QTest::mouseDClick(screen.get(), Qt::LeftButton, Qt::NoModifier, area(0).center());
    ASSERT_FALSE(seen.isNull());
    EXPECT_EQ(QColor(seen.pixel(10, 10)), QColor(220, 0, 0));
    EXPECT_EQ(screen->findChildren<CVideoViewDlg*>().size(), 0) << "forgotten when closed";
}

TEST_F(ComparisonScreenTest, ScreenCanBeDestroyedWhileTheCameraDelivers) {
    f.app.m_bCameraStreaming = 1;
    screen->show();
    std::atomic<bool> stop{false};
    const cv::Mat frame = frameOf(kRed);
    std::thread camera([&] {
        while (!stop)
            sinks.deliverFrame(frame);
    });
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
    screen.reset();
    QCoreApplication::processEvents();
    stop = true;
    camera.join();
    EXPECT_FALSE(sinks.hasSink());
}

} // namespace

namespace {

// The screen as a salon sees it: three stored pictures beside a frozen live
// frame. The picture is left in the artifacts folder for people to look at; on
// a real display VELATRIX_LOOK_MS keeps the window up that long for a screenshot.
TEST_F(ComparisonScreenTest, LooksRightWithThreePicturesAndAFrozenLiveFrame) {
    f.app.m_bCameraStreaming = 1;
    ASSERT_TRUE(Presetting::writeOrgName(f.app, "Velatrix Salon"));
    screen->resize(1020, 974);
    screen->show();
    const QString photos = TempProgramFolder::builtProgramFolder() + "PreSetting/image/";
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(screen->loadPicture(i, photos + QString("singleface%1.jpg").arg(i)));
    cv::Mat live = cv::imread((photos + "type1.jpg").toStdString());
    ASSERT_FALSE(live.empty());
    deliverFromCamera(sinks, live);
    screen->togglePaused();
    deliverFromCamera(sinks, frameOf(kBlue));
    screen->refreshControls();

    const QImage shot = screen->screenPicture();
    QDir().mkpath(TempProgramFolder::artifactsFolder());
    shot.save(TempProgramFolder::artifactsFolder() + "comparison_screen.png");
    EXPECT_FALSE(nearly(QColor(shot.pixel(area(0).center())), QColor(0, 0, 220)));
    for (int id : {1119, 1120, 1121, 1122})
        EXPECT_FALSE(screen->findChild<QLabel*>(QString::number(id))->isVisible()) << id;

    if (const int ms = qEnvironmentVariableIntValue("VELATRIX_LOOK_MS"); ms > 0)
        QTest::qWait(ms);
}

} // namespace
