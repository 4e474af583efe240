#include "CGdipButton.h"
#include "CImageViewDlg.h"
#include "CVideoViewDlg.h"
#include "ComparisonFakes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <opencv2/imgcodecs.hpp>

#include <gtest/gtest.h>

#include <thread>

namespace {

cv::Mat colourPicture(const cv::Scalar& bgr, int width = 64, int height = 48) {
    return cv::Mat(height, width, CV_8UC3, bgr);
}

void wheel(QWidget& w, int notches) {
    const QPoint pos = w.rect().center();
    const int delta = notches > 0 ? 120 : -120;
    for (int i = 0; i < std::abs(notches); ++i) {
        QWheelEvent e(pos, w.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&w, &e);
    }
}

QRect screenRect() {
    return QGuiApplication::primaryScreen()->geometry();
}

class ViewerTest : public ::testing::Test {
protected:
    void TearDown() override { CImageViewDlg::setSaveDialogHook({}); }
    ComparisonFixture f;
};

TEST_F(ViewerTest, WheelZoomsBetweenItsLimitsAndKeepsTheWindowCentred) {
    CImageViewDlg viewer(colourPicture({0, 0, 255}));
    EXPECT_EQ(viewer.size(), QSize(640, 480));
    EXPECT_EQ(viewer.geometry().center(), screenRect().center());

    wheel(viewer, -5);
    EXPECT_EQ(viewer.zoomLevel(), -5);
    EXPECT_EQ(viewer.size(), QSize(320, 240));
    wheel(viewer, -3);
    EXPECT_EQ(viewer.size(), QSize(320, 240)) << "further steps down change nothing";

    wheel(viewer, 30);
    EXPECT_EQ(viewer.zoomLevel(), 20);
    EXPECT_EQ(viewer.size(), QSize(1920, 1440));
    EXPECT_EQ(viewer.geometry().center(), screenRect().center());

    // The picture area and the close button follow every size.
    EXPECT_EQ(viewer.findChild<QWidget*>("1264")->geometry(), viewer.rect());
    EXPECT_EQ(viewer.findChild<CGdipButton*>("1009")->geometry(), QRect(1880, 2, 38, 38));
}

TEST_F(ViewerTest, VideoViewerZoomsLikeTheImageViewer) {
    CVideoViewDlg viewer(nullptr);
    wheel(viewer, -9);
    EXPECT_EQ(viewer.size(), QSize(320, 240));
    wheel(viewer, 1);
    EXPECT_EQ(viewer.size(), QSize(384, 288));
}

TEST_F(ViewerTest, DraggingMovesTheWindowWithTheGrabPointAndKeepsItsSize) {
    CImageViewDlg viewer(colourPicture({0, 255, 0}));
    const QRect before = viewer.geometry();
    viewer.beginDrag(QPoint(400, 300));
    EXPECT_TRUE(viewer.isDragging());
    EXPECT_EQ(viewer.cursor().shape(), Qt::ClosedHandCursor);
    viewer.dragTo(QPoint(430, 290));
    EXPECT_EQ(viewer.geometry(), before.translated(30, -10));
    viewer.dragTo(QPoint(380, 320));
    EXPECT_EQ(viewer.geometry(), before.translated(-20, 20)) << "moves from the grab, not by steps";
    viewer.endDrag();
    EXPECT_FALSE(viewer.isDragging());
    EXPECT_EQ(viewer.cursor().shape(), Qt::ArrowCursor);
    viewer.dragTo(QPoint(0, 0));
    EXPECT_EQ(viewer.geometry(), before.translated(-20, 20)) << "no move after the release";
}

TEST_F(ViewerTest, CloseButtonClosesTheViewer) {
    CImageViewDlg viewer(colourPicture({0, 255, 0}));
    viewer.show();
    viewer.findChild<CGdipButton*>("1009")->click();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.result(), QDialog::Rejected);
}

TEST_F(ViewerTest, ImageViewerKeepsItsOwnCopyOfThePicture) {
    cv::Mat picture = colourPicture({255, 0, 0});
    CImageViewDlg viewer(picture);
    picture.setTo(cv::Scalar(0, 0, 0));
    EXPECT_EQ(viewer.picture().at<cv::Vec3b>(0, 0), cv::Vec3b(255, 0, 0));
    const QImage shot = viewer.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(320, 240)), QColor(0, 0, 255)) << "BGR blue drawn as blue";
}

TEST_F(ViewerTest, SavePictureAsProposesTheTimeAndWritesJpegUnderTheChosenName) {
    CImageViewDlg viewer(colourPicture({10, 200, 30}));
    f.app.m_strMemberImagePath = f.dir.path() + "Guests-Image/Li";
    QString proposed;
    CImageViewDlg::setSaveDialogHook([&](QWidget*, const QString& p) {
        proposed = p;
        return f.dir.file("face.JPG");
    });
    ASSERT_TRUE(viewer.savePictureAs());
    EXPECT_TRUE(QRegularExpression("^" + QRegularExpression::escape(f.dir.path()) +
                                   R"(Guests-Image/Li/\d{14}\.jpg$)")
                    .match(proposed)
                    .hasMatch())
        << proposed.toStdString();
    const cv::Mat back = cv::imread(f.dir.file("face.JPG").toStdString());
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back.size(), cv::Size(64, 48));
    EXPECT_FALSE(QFile::exists(f.dir.file("face.JPG.jpg")));

    EXPECT_EQ(viewer.writeJpeg(f.dir.file("second")), f.dir.file("second.jpg"));
    EXPECT_TRUE(QFile::exists(f.dir.file("second.jpg")));
    EXPECT_TRUE(f.tips.isEmpty());

    CImageViewDlg::setSaveDialogHook([](QWidget*, const QString&) { return QString(); });
    EXPECT_FALSE(viewer.savePictureAs()) << "cancel writes nothing";
}

TEST_F(ViewerTest, UnwritableJpegTargetGivesAnErrorTipAndLeavesNoFile) {
    CImageViewDlg viewer(colourPicture({10, 200, 30}));
    f.dir.write("blocker", "not a folder");
    EXPECT_TRUE(viewer.writeJpeg(f.dir.file("blocker/face.jpg")).isEmpty());
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:"));
    EXPECT_EQ(f.dir.read("blocker"), "not a folder");
}

TEST_F(ViewerTest, VideoViewerShowsTheNewestFramePassedFromAnotherThread) {
    CVideoViewDlg viewer(nullptr);
    viewer.show();
    std::thread camera([&viewer] {
        viewer.showFrame(colourPicture({0, 0, 200}, 640, 480));
        viewer.showFrame(colourPicture({200, 0, 0}, 640, 480));
    });
    camera.join();
    QCoreApplication::processEvents();
    const QImage shot = viewer.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(100, 300)), QColor(0, 0, 200)) << "only the newest frame shows";
    EXPECT_EQ(viewer.currentFrame().size(), QSize(640, 480));
}

} // namespace

namespace {

// A picture in the image viewer, left in the artifacts folder for people to
// look at; on a real display VELATRIX_LOOK_MS keeps the window up that long.
TEST_F(ViewerTest, ImageViewerLooksRight) {
    const cv::Mat picture =
        cv::imread((TempProgramFolder::builtProgramFolder() + "PreSetting/image/singleface2.jpg")
                       .toStdString());
    ASSERT_FALSE(picture.empty());
    CImageViewDlg viewer(picture);
    viewer.show();
    wheel(viewer, 2);
    QCoreApplication::processEvents();
    const QImage shot = viewer.grab().toImage();
    QDir().mkpath(TempProgramFolder::artifactsFolder());
    shot.save(TempProgramFolder::artifactsFolder() + "image_viewer.png");
    EXPECT_EQ(shot.size(), QSize(768, 576));
    if (const int ms = qEnvironmentVariableIntValue("VELATRIX_LOOK_MS"); ms > 0)
        QTest::qWait(ms);
}

} // namespace
