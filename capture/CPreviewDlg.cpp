#include "CPreviewDlg.h"

#include "CConectFailDlg.h"
#include "CGdiPlusBitmapResource.h"
#include "CGdipButton.h"
#include "CImageViewDlg.h"
#include "CNetCameraCapture.h"
#include "CPictureEx.h"
#include "CTessalyApp.h"
#include "CVideoViewDlg.h"
#include "CameraDevice.h"
#include "CameraMessage.h"
#include "CurrentMember.h"
#include "DataPaths.h"
#include "FrameSinks.h"
#include "IniFile.h"
#include "MemberRecord.h"
#include "ScreenChrome.h"
#include "SharedFonts.h"
#include "SkinItem.h"
#include "TextLookup.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cerrno>

namespace {

constexpr QColor kBackground(244, 244, 244);
constexpr QColor kTipGrey(80, 80, 80);
constexpr QColor kTipRed(255, 0, 0);

constexpr int kDetectionDelayMs = 1000;
constexpr int kFailureDelayMs = 5000;
constexpr int kSequenceStepMs = 2000;
constexpr int kDotMs = 1000;
// The camera sometimes misses a light command sent right after another one.
constexpr int kLightRepeatMs = 300;
constexpr int kLightAfterShowMs = 2000;

const QString kDefaultNetCamera = QString::fromLatin1(CNetCameraCapture::defaultAddress);

QImage imageOf(const cv::Mat& mat) {
    if (mat.empty() || mat.type() != CV_8UC3)
        return {};
    return QImage(mat.data, mat.cols, mat.rows, static_cast<qsizetype>(mat.step),
                  QImage::Format_BGR888)
        .copy();
}

QWidget* pictureArea(QWidget* parent, int id) {
    auto* area = new QWidget(parent);
    area->setObjectName(QString::number(id));
    return area;
}

} // namespace

CPreviewDlg::CPreviewDlg(QWidget* mainWindow, Cameras cameras, MainWindowCalls calls)
    : QWidget(mainWindow), m_cameras(std::move(cameras)), m_calls(std::move(calls)) {
    setObjectName(QStringLiteral("CPreviewDlg"));
    m_currentFrame = cv::Mat(480, 640, CV_8UC3, cv::Scalar::all(0));

    createControls();
    establishMemberFolders();
    layoutForMode();
    m_start->hide();
    layoutControls();
    showCaptureControls(false);
    startWaitingAnimation();
    m_detectTimer->start();

    if (m_cameras.sinks)
        m_cameras.sinks->set(FrameSinks::CapturePanel, this);
}

CPreviewDlg::~CPreviewDlg() {
    // Frames stop first: once the sink is cleared no camera thread calls in,
    // then the sources' threads are joined while every member still exists.
    if (m_cameras.sinks)
        m_cameras.sinks->clear(static_cast<CameraFrameSink*>(this));
    m_acceptFrames = false;
    m_network.reset();
    m_device.reset();
}

QTimer* CPreviewDlg::makeTimer(int id, int intervalMs, bool singleShot) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer%1").arg(id));
    timer->setInterval(intervalMs);
    timer->setSingleShot(singleShot);
    m_timers.emplace_back(id, timer);
    return timer;
}

void CPreviewDlg::createControls() {
    const int language = theApp().m_nLanguage;
    auto button = [this, language](int id, int picture, const char* key, const QColor& colour) {
        auto* b = new CGdipButton(this);
        b->setObjectName(QString::number(id));
        b->LoadStdImage(picture);
        b->SetText(TextLookup::text(key), language, 0, 0, 16, AlignCentre, colour, 0);
        return b;
    };
    m_retry = button(1022, 423, "IDS_RETRY", kTipGrey);
    m_start = button(1054, 422, "IDS_START_ANALYSIS", Qt::white);
    m_retake = button(1055, 421, "IDS_RETAKE_LAST", kTipGrey);
    m_capture = button(1056, 420, "IDS_CAPTURE", kTipGrey);
    m_exchange = button(1057, 423, "IDS_EXCHANGE_SINGLE", kTipGrey);
    connect(m_retry, &QAbstractButton::clicked, this, &CPreviewDlg::OnRetry);
    connect(m_start, &QAbstractButton::clicked, this, &CPreviewDlg::OnStartAnalysis);
    connect(m_retake, &QAbstractButton::clicked, this, &CPreviewDlg::OnRetake);
    connect(m_capture, &QAbstractButton::clicked, this, &CPreviewDlg::OnCapture);
    connect(m_exchange, &QAbstractButton::clicked, this, &CPreviewDlg::OnExchange);

    m_notice = new CConectFailDlg(this);
    m_notice->hide();
    connect(m_notice, &CConectFailDlg::netCameraRequested, this, [this] {
        QCoreApplication::postEvent(this,
                                    new CameraMessage(CameraMessage::WM_CAMERA_CONNECT, 0, 0));
    });

    m_realTimeCheck = new QCheckBox(TextLookup::text("IDS_PREVIEW_SHOW_PROCESS"), this);
    m_realTimeCheck->setObjectName(QStringLiteral("1297"));
    m_realTimeCheck->setFont(SharedFonts::label());
    m_realTimeCheck->setStyleSheet(
        QStringLiteral("QCheckBox { color: rgb(80, 80, 80); background: rgb(244, 244, 244); }"));
    connect(m_realTimeCheck, &QCheckBox::toggled, this, &CPreviewDlg::OnRealTimeCheck);

    m_tip = new QLabel(this);
    m_tip->setObjectName(QStringLiteral("1097"));
    m_tip->setAlignment(Qt::AlignCenter);
    m_tip->setFont(SharedFonts::label());
    setTipEmphasis(false);

    m_video = pictureArea(this, 1011);
    m_liveArea = pictureArea(this, 1012);
    m_liveArea->hide();
    const std::array<int, 6> fullIds{1111, 1112, 1113, 1114, 1256, 1257};
    for (std::size_t i = 0; i < fullIds.size(); ++i)
        m_fullThumbs[i] = pictureArea(this, fullIds[i]);
    const std::array<int, 3> singleIds{1115, 1117, 1116};
    for (std::size_t i = 0; i < singleIds.size(); ++i)
        m_singleThumbs[i] = pictureArea(this, singleIds[i]);
    m_video->installEventFilter(this);
    for (QWidget* w : m_fullThumbs)
        w->installEventFilter(this);
    for (QWidget* w : m_singleThumbs)
        w->installEventFilter(this);

    m_waiting = new CPictureEx(this);
    m_waiting->setObjectName(QStringLiteral("1013"));

    CGdiPlusBitmapResource frame;
    if (frame.Load(231, QStringLiteral("BITMAP")))
        m_videoFramePicture = frame.image();
    const QString images = theApp().m_strAppPath + QStringLiteral("PreSetting/image/");
    for (int i = 0; i < 6; ++i)
        m_placeholders[static_cast<std::size_t>(i)] =
            QImage(images + QStringLiteral("type%1.jpg").arg(i + 1));
    for (int i = 0; i < 3; ++i)
        m_placeholders[static_cast<std::size_t>(6 + i)] =
            QImage(images + QStringLiteral("singleface%1.jpg").arg(i + 1));

    m_aboutTimer = makeTimer(13, kAboutHoldMs, true);
    m_detectTimer = makeTimer(14, kDetectionDelayMs, true);
    m_sequenceTimer = makeTimer(15, kSequenceStepMs, true);
    m_failureTimer = makeTimer(17, kFailureDelayMs, true);
    m_dotTimer = makeTimer(18, kDotMs, false);
    for (int light = 1; light <= 3; ++light)
        m_lightTimers[static_cast<std::size_t>(light - 1)] =
            makeTimer(18 + light, kLightRepeatMs, true);
    m_lightNextTimer = makeTimer(22, kLightAfterShowMs, true);

    for (const auto& [id, timer] : m_timers)
        connect(timer, &QTimer::timeout, this, [this, id = id] { OnTimer(id); });
}

void CPreviewDlg::establishMemberFolders() {
    CTessalyApp& app = theApp();
    const MemberRecord& member = CurrentMember::get();
    const QString name = member.selected == 1 ? member.name : QStringLiteral("Guest");
    app.m_strMemberImagePath = DataPaths::memberPictureFolder(app, name);
    app.m_strReportPath = DataPaths::memberReportFolder(app, name);
    // A folder that cannot be created keeps its path; saving reports it later.
    QDir().mkpath(app.m_strMemberImagePath);
    QDir().mkpath(app.m_strReportPath);
}

void CPreviewDlg::OnTimer(int timerId) {
    switch (timerId) {
    case 13:
        m_aboutTimer->stop();
        if (m_calls.showAbout)
            m_calls.showAbout();
        break;
    case 14:
        onDetectionTimer();
        break;
    case 15:
        onSequenceTimer();
        break;
    case 17:
        m_failureTimer->stop();
        OnCameraConnect(1);
        break;
    case 18:
        onDotTimer();
        break;
    case 19:
    case 20:
    case 21:
        m_lightTimers[static_cast<std::size_t>(timerId - 19)]->stop();
        repeatLight(timerId - 18);
        break;
    case 22:
        m_lightNextTimer->stop();
        applyNextLight();
        break;
    default:
        break;
    }
}

bool CPreviewDlg::isTimerActive(int timerId) const {
    for (const auto& [id, timer] : m_timers) {
        if (id == timerId)
            return timer->isActive();
    }
    return false;
}

// ---- frames (camera thread) ----

void CPreviewDlg::OnCameraFrame(const cv::Mat& frame) {
    if (!m_acceptFrames.load() || frame.empty() || frame.type() != CV_8UC3)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        if (frame.size() != m_currentFrame.size())
            m_currentFrame.create(frame.rows, frame.cols, CV_8UC3);
        frame.copyTo(m_currentFrame);
        if (m_videoViewer)
            m_videoViewer->showFrame(m_currentFrame);
    }
    // Only this thread writes the current frame, so it reads it here unlocked;
    // the GUI thread waits for the lock only during the copies above and below.
    const int item = m_liveItem.load();
    if (item >= 0 && item < kSkinItemCount) {
        cv::Mat result;
        kSkinItems[static_cast<std::size_t>(item)].analysis(m_currentFrame, result, true);
        std::lock_guard lock(m_frameMutex);
        m_liveResult = result;
    }
    requestRepaint();
}

void CPreviewDlg::OnCameraButton() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_sequence.isFilled(CaptureSequence::kSlots)) {
                if (m_capture->isEnabled() && m_capture->isVisibleTo(this))
                    OnCapture();
            } else if (m_start->isEnabled() && m_start->isVisibleTo(this)) {
                OnStartAnalysis();
            }
        },
        Qt::QueuedConnection);
}

void CPreviewDlg::requestRepaint() {
    if (m_repaintPending.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_repaintPending = false;
            update(m_layout.videoFrame);
            if (m_liveArea->isVisible())
                update(m_liveArea->geometry());
        },
        Qt::QueuedConnection);
}

cv::Mat CPreviewDlg::currentFrameCopy() const {
    std::lock_guard lock(m_frameMutex);
    return m_currentFrame.clone();
}

cv::Mat CPreviewDlg::liveResultCopy() const {
    std::lock_guard lock(m_frameMutex);
    return m_liveResult.clone();
}

// ---- capture ----

void CPreviewDlg::storeCapture() {
    int filled = 0;
    {
        std::lock_guard lock(m_frameMutex);
        filled = m_sequence.store(m_currentFrame);
    }
    const int next = m_sequence.nextSlot();
    if (m_sequence.mode() == CaptureSequence::FullFace) {
        setTip(QString::fromLatin1(CaptureSequence::promptFor(next)));
        if (m_sequence.complete()) {
            m_capture->hide();
            m_start->show();
        }
    } else if (filled > 0 && next <= CaptureSequence::kSlots) {
        m_sequenceTimer->start();
    }
    updateLiveItem();
    applyNextLight();
    update();
}

void CPreviewDlg::OnCapture() {
    if (m_sequence.complete())
        return;
    if (m_sequence.mode() == CaptureSequence::FullFace) {
        if (!m_sequence.isFilled(1))
            m_retake->show();
        storeCapture();
        return;
    }
    m_capture->setEnabled(false);
    setCaptureText("IDS_WAIT");
    m_retake->hide();
    setTipEmphasis(true);
    setTip(QStringLiteral("IDS_MOVETO_nomove"));
    m_dotTimer->start();
    storeCapture();
}

void CPreviewDlg::onSequenceTimer() {
    if (!m_sequence.isFilled(CaptureSequence::kSlots)) {
        storeCapture();
        m_sequenceTimer->start();
        return;
    }
    m_capture->setEnabled(true);
    setCaptureText("IDS_CAPTURE");
    m_capture->hide();
    m_start->show();
    m_retake->show();
    m_dotTimer->stop();
    setTipEmphasis(false);
    setTip(QStringLiteral("IDS_MOVETO_FINISH"));
}

void CPreviewDlg::onDotTimer() {
    m_tip->setText(m_tip->text() + '.');
}

void CPreviewDlg::OnRetake() {
    m_sequence.retake();
    if (m_sequence.mode() == CaptureSequence::FullFace)
        setTip(QString::fromLatin1(CaptureSequence::promptFor(m_sequence.nextSlot())));
    else
        setTip(QStringLiteral("IDS_MOVETO_SINGLE"));
    if (!m_sequence.isFilled(1))
        m_retake->hide();
    m_start->hide();
    m_capture->show();
    updateLiveItem();
    applyNextLight();
    if (m_calls.discardResults)
        m_calls.discardResults();
    update();
}

void CPreviewDlg::OnExchange() {
    m_sequence.setMode(m_sequence.mode() == CaptureSequence::FullFace ? CaptureSequence::SingleArea
                                                                      : CaptureSequence::FullFace);
    m_sequenceTimer->stop();
    // A sequence cut short by the switch must not leave its dots running.
    m_dotTimer->stop();
    setTipEmphasis(false);
    layoutForMode();
    m_sequence.releaseAll();
    updateLiveItem();
    applyNextLight();
    update();
}

void CPreviewDlg::layoutForMode() {
    const bool full = m_sequence.mode() == CaptureSequence::FullFace;
    for (QWidget* w : m_fullThumbs)
        w->setVisible(full);
    for (QWidget* w : m_singleThumbs)
        w->setVisible(!full);
    const int language = theApp().m_nLanguage;
    setTip(full ? QStringLiteral("IDS_MOVETO_forehead") : QStringLiteral("IDS_MOVETO_SINGLE"));
    m_exchange->SetText(TextLookup::text(full ? "IDS_EXCHANGE_SINGLE" : "IDS_EXCHANGE_FULLFACE"),
                        language, 0, 0, 16, AlignCentre, kTipGrey, 0);
    m_retake->SetText(TextLookup::text(full ? "IDS_RETAKE_LAST" : "IDS_RETAKE"), language, 0, 0, 16,
                      AlignCentre, kTipGrey, 0);
    m_retake->hide();
    m_start->hide();
    m_capture->show();
    m_capture->setEnabled(true);
    setCaptureText("IDS_CAPTURE");
}

void CPreviewDlg::OnStartAnalysis() {
    if (!m_sequence.complete()) {
        theApp().ShowTip(TextLookup::text("IDS_NOT_FINISH"), CTessalyApp::TipError);
        return;
    }
    applyNextLight();
    setTip(QStringLiteral("IDS_MOVETO_ANALYSISING"));
    // An item left without a picture by a loaded visit gets one of the capture's size.
    if (m_calls.itemResults)
        fillDetectionImages(m_calls.itemResults(), m_sequence.pictures());
    m_start->hide();
    m_capture->show();
    m_video->hide();
    if (m_calls.startRun)
        m_calls.startRun();
}

void CPreviewDlg::returnToCaptureLayout() {
    ++m_handBacks;
    m_sequence.releaseAll();
    // A camera lost during the run leaves the panel waiting rather than capturing.
    const bool streaming = m_acceptFrames.load();
    showCaptureControls(streaming);
}

void CPreviewDlg::showCaptureControls(bool show) {
    m_video->setVisible(show);
    m_exchange->setVisible(show);
    m_capture->setVisible(show);
    for (QWidget* w : m_fullThumbs)
        w->setVisible(show);
    m_tip->setVisible(show);
    m_realTimeCheck->setVisible(show);
    for (QWidget* w : m_singleThumbs)
        w->hide();
    m_start->hide();

    setTipEmphasis(false);
    m_sequence.setMode(CaptureSequence::FullFace);
    m_capture->setEnabled(true);
    setCaptureText("IDS_CAPTURE");
    m_retake->hide();
    const int language = theApp().m_nLanguage;
    m_exchange->SetText(TextLookup::text("IDS_EXCHANGE_SINGLE"), language, 0, 0, 16, AlignCentre,
                        kTipGrey, 0);
    m_retake->SetText(TextLookup::text("IDS_RETAKE_LAST"), language, 0, 0, 16, AlignCentre,
                      kTipGrey, 0);
    if (show) {
        setTip(QStringLiteral("IDS_MOVETO_forehead"));
        m_liveArea->setVisible(m_realTime);
        m_lightNextTimer->start();
    } else {
        m_realTime = false;
        {
            const QSignalBlocker quiet(m_realTimeCheck);
            m_realTimeCheck->setChecked(false);
        }
        m_liveArea->hide();
        m_sequenceTimer->stop();
        m_dotTimer->stop();
        m_lightNextTimer->stop();
        m_sequence.releaseAll();
    }
    updateLiveItem();
    update();
}

void CPreviewDlg::OnRealTimeCheck() {
    m_realTime = m_realTimeCheck->isChecked();
    m_liveArea->setVisible(m_realTime);
    if (!m_realTime) {
        std::lock_guard lock(m_frameMutex);
        m_liveResult.release();
    }
    updateLiveItem();
}

void CPreviewDlg::updateLiveItem() {
    m_liveItem = m_realTime ? CaptureSequence::liveItemFor(m_sequence.nextSlot()) : -1;
}

// ---- light ----

void CPreviewDlg::applyNextLight() {
    ++m_lightRequests;
    if (!m_device)
        return;
    const int light = CaptureSequence::lightFor(m_sequence.nextSlot());
    m_device->SetLightMode(light);
    m_lightTimers[static_cast<std::size_t>(light - 1)]->start();
    if (m_calls.comparisonLight)
        m_calls.comparisonLight(light - 1);
}

void CPreviewDlg::repeatLight(int light) {
    if (m_device)
        m_device->SetLightMode(light);
}

// ---- tip line ----

void CPreviewDlg::setTip(const QString& key) {
    m_tip->setText(TextLookup::text(key.toLatin1().constData()));
}

QString CPreviewDlg::tipText() const {
    return m_tip->text();
}

void CPreviewDlg::setTipEmphasis(bool on) {
    m_tipEmphasis = on;
    const QColor c = on ? kTipRed : kTipGrey;
    m_tip->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(c.name()));
}

void CPreviewDlg::setCaptureText(const char* key) {
    m_capture->SetText(TextLookup::text(key), theApp().m_nLanguage, 0, 0, 16, AlignCentre, kTipGrey,
                       0);
    m_capture->update();
}

// ---- camera connection ----

void CPreviewDlg::setCameraStreaming(bool on) {
    theApp().m_bCameraStreaming = on ? 1 : 0;
    m_acceptFrames = on;
}

void CPreviewDlg::startWaitingAnimation() {
    m_waiting->Load(346, QStringLiteral("GIF"));
    m_waiting->setGeometry(m_layout.waiting);
    m_waiting->Draw();
    m_waiting->show();
}

bool CPreviewDlg::openFirstCamera(const std::vector<DeviceEntry>& entries) {
    closeCamera();
    if (entries.empty() || !m_cameras.system || !m_cameras.sinks)
        return false;
    m_device = m_cameras.system->createDevice(entries.front(), *m_cameras.sinks);
    if (!m_device)
        return false;
    const int status = m_device->Open();
    if (status >= 0)
        return true;
    m_device.reset();
    if (status == -EACCES || status == -EPERM)
        theApp().ShowTip(TextLookup::text("IDS_CAMERA_PERMISSION"), CTessalyApp::TipError);
    return false;
}

void CPreviewDlg::closeCamera() {
    m_device.reset();
}

void CPreviewDlg::onDetectionTimer() {
    m_detectTimer->stop();
    update();
    std::vector<DeviceEntry> entries;
    if (m_cameras.system)
        entries = m_cameras.system->EnumerateCameras();
    if (entries.empty()) {
        m_failureTimer->start();
        const QString settings = theApp().settingsFile();
        if (IniFile::readInt(settings, QStringLiteral("setup"), QStringLiteral("netcamera_auto"),
                             0) == 1)
            QCoreApplication::postEvent(this,
                                        new CameraMessage(CameraMessage::WM_CAMERA_CONNECT, 0, 0));
        return;
    }
    m_devices = entries;
    if (openFirstCamera(m_devices)) {
        setCameraStreaming(true);
        m_waiting->hide();
        m_waiting->Stop();
        showCaptureControls(true);
        update();
    } else {
        setCameraStreaming(false);
        // The operator still gets the notice, with the Wi-Fi camera's button.
        m_failureTimer->start();
    }
}

void CPreviewDlg::showNotConnected() {
    m_waiting->hide();
    m_waiting->Stop();
    m_notice->show();
    m_notice->raise();
    m_retry->show();
    m_retry->raise();
    update();
    showCaptureControls(false);
}

void CPreviewDlg::OnRetry() {
    m_failureTimer->start();
    m_retry->hide();
    // The animation takes the notice's place until the next verdict.
    m_notice->hide();
    startWaitingAnimation();
}

void CPreviewDlg::OnDeviceChange() {
    ++m_deviceChanges;
    if (theApp().m_bNetCameraMode.load() != 0 || !m_cameras.system)
        return;
    m_devices = m_cameras.system->EnumerateCameras();
    if (m_devices.empty()) {
        // The old device is gone: release it so its thread ends now.
        closeCamera();
        setCameraStreaming(false);
        showCaptureControls(false);
        m_failureTimer->start();
        m_retry->hide();
        m_notice->hide();
        startWaitingAnimation();
        return;
    }
    if (m_acceptFrames.load() && m_device && m_device->isStreaming())
        return;
    if (openFirstCamera(m_devices)) {
        setCameraStreaming(true);
        m_waiting->hide();
        m_waiting->Stop();
        m_notice->hide();
        m_retry->hide();
        update();
        showCaptureControls(true);
        m_failureTimer->stop();
    } else {
        setCameraStreaming(false);
    }
}

void CPreviewDlg::OnCameraConnect(long long lParam) {
    if (lParam != 0) {
        showNotConnected();
        return;
    }
    // One Wi-Fi camera at a time: a second request while it runs is ignored.
    if (m_network && m_network->isRunning())
        return;
    if (!m_cameras.network)
        return;
    releaseNetworkCamera();
    closeCamera();
    const QString settings = theApp().settingsFile();
    const QString section = QStringLiteral("setup");
    NetworkCamera::Request request;
    request.address =
        IniFile::read(settings, section, QStringLiteral("netcamera"), kDefaultNetCamera, 16);
    request.streamPort =
        IniFile::readInt(settings, section, QStringLiteral("netcamera_port"), 8196);
    request.controlPort =
        IniFile::readInt(settings, section, QStringLiteral("netcamera_control_port"), 15002);
    request.sink = this;
    request.panel = this;
    theApp().m_bNetCameraMode = 1;
    m_network = m_cameras.network(request);
    if (!m_network)
        theApp().m_bNetCameraMode = 0;
}

void CPreviewDlg::OnStreamOpened() {
    // A notice from a source that has since been dropped changes nothing.
    if (!m_network)
        return;
    setCameraStreaming(true);
    m_waiting->hide();
    m_waiting->Stop();
    m_notice->hide();
    m_retry->hide();
    m_failureTimer->stop();
    showCaptureControls(true);
    update();
    m_network->confirmStreamOpened();
}

void CPreviewDlg::OnCameraConnecting() {
    // The Wi-Fi stream ended: drop it so a USB camera or a new request can take over.
    if (m_network) {
        setCameraStreaming(false);
        releaseNetworkCamera();
        m_failureTimer->start();
    }
    showCaptureControls(false);
    m_notice->hide();
    m_retry->hide();
    startWaitingAnimation();
}

void CPreviewDlg::releaseNetworkCamera() {
    m_network.reset();
    theApp().m_bNetCameraMode = 0;
}

bool CPreviewDlg::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == CameraMessage::WM_CAMERA_CONNECT) {
        OnCameraConnect(static_cast<CameraMessage*>(event)->lParam());
        return true;
    }
    if (type == CameraMessage::WM_CAMERA_STREAM_OPENED) {
        OnStreamOpened();
        return true;
    }
    if (type == CameraMessage::WM_CAMERA_CONNECTING) {
        OnCameraConnecting();
        return true;
    }
    return QWidget::event(event);
}

// ---- viewers, keys, mouse ----

bool CPreviewDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_video) {
            openVideoViewer();
            return true;
        }
        for (std::size_t i = 0; i < m_fullThumbs.size(); ++i) {
            if (watched == m_fullThumbs[i]) {
                openSlotViewer(int(i) + 1);
                return true;
            }
        }
        const std::array<int, 3> singleSlots{1, 3, 6};
        for (std::size_t i = 0; i < m_singleThumbs.size(); ++i) {
            if (watched == m_singleThumbs[i]) {
                openSlotViewer(singleSlots[i]);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CPreviewDlg::openSlotViewer(int slot) {
    if (!m_sequence.isFilled(slot))
        return;
    CImageViewDlg viewer(m_sequence.picture(slot), this);
    viewer.exec();
}

void CPreviewDlg::openVideoViewer() {
    {
        std::lock_guard lock(m_frameMutex);
        if (m_videoViewer)
            return;
    }
    CVideoViewDlg viewer(this);
    {
        std::lock_guard lock(m_frameMutex);
        m_videoViewer = &viewer;
    }
    viewer.exec();
    std::lock_guard lock(m_frameMutex);
    m_videoViewer = nullptr;
}

void CPreviewDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        QWidget::keyPressEvent(event);
}

void CPreviewDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton)
        m_aboutTimer->start();
    QWidget::mousePressEvent(event);
}

void CPreviewDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton)
        m_aboutTimer->stop();
    QWidget::mouseReleaseEvent(event);
}

// ---- layout and painting ----

void CPreviewDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void CPreviewDlg::layoutControls() {
    m_layout = CapturePanelLayout::forSize(size(), m_notice->size());
    m_video->setGeometry(m_layout.video);
    m_liveArea->setGeometry(m_layout.liveResult);
    m_tip->setGeometry(m_layout.tipLine);
    m_exchange->setGeometry(m_layout.modeSwitch);
    m_realTimeCheck->setGeometry(m_layout.realTimeCheck);
    m_retake->setGeometry(m_layout.retake);
    m_capture->setGeometry(m_layout.capture);
    m_start->setGeometry(m_layout.capture);
    for (std::size_t i = 0; i < m_fullThumbs.size(); ++i)
        m_fullThumbs[i]->setGeometry(m_layout.fullFaceThumbs[i]);
    for (std::size_t i = 0; i < m_singleThumbs.size(); ++i)
        m_singleThumbs[i]->setGeometry(m_layout.singleThumbs[i]);
    m_notice->setGeometry(m_layout.notice);
    m_retry->setGeometry(m_layout.retry);
    if (m_waiting->isVisible())
        startWaitingAnimation();
    else
        m_waiting->setGeometry(m_layout.waiting);
}

void CPreviewDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    if (!m_videoFramePicture.isNull())
        p.drawImage(m_layout.videoFrame, m_videoFramePicture);

    QImage frame;
    QImage live;
    {
        std::lock_guard lock(m_frameMutex);
        if (m_acceptFrames.load() && m_video->isVisible())
            frame = imageOf(m_currentFrame);
        if (m_liveArea->isVisible())
            live = imageOf(m_liveResult);
    }
    if (!frame.isNull())
        p.drawImage(m_video->geometry(), frame);
    if (!live.isNull())
        p.drawImage(m_liveArea->geometry(), live);

    auto drawThumb = [&](QWidget* area, int slot, const QImage& placeholder) {
        if (!area->isVisible())
            return;
        if (m_sequence.isFilled(slot))
            p.drawImage(area->geometry(), imageOf(m_sequence.picture(slot)));
        else if (!placeholder.isNull())
            p.drawImage(area->geometry(), placeholder);
    };
    for (std::size_t i = 0; i < m_fullThumbs.size(); ++i)
        drawThumb(m_fullThumbs[i], int(i) + 1, m_placeholders[i]);
    const std::array<int, 3> singleSlots{1, 3, 6};
    for (std::size_t i = 0; i < m_singleThumbs.size(); ++i)
        drawThumb(m_singleThumbs[i], singleSlots[i], m_placeholders[6 + i]);
}
