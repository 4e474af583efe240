#include "CTessalyPicDlg.h"

#include "CGdipButton.h"
#include "CImageViewDlg.h"
#include "CTessalyApp.h"
#include "CVideoViewDlg.h"
#include "CameraDevice.h"
#include "CurrentMember.h"
#include "DataPaths.h"
#include "FrameSinks.h"
#include "MemberRecord.h"
#include "PicturePrinter.h"
#include "Presetting.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QButtonGroup>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>

#include <opencv2/imgcodecs.hpp>

#include <cstring>
#include <vector>

namespace {

// Placement of the controls at the screen's own layout; the picture areas come
// from ComparisonGeometry.
constexpr int kHeaderTop = 58;
constexpr int kHeaderHeight = 30;
constexpr int kColumnLeft = 20;
constexpr int kButtonWidth = 140;
constexpr int kButtonHeight = 44;
// The PDF export has no id of its own in the screen's template; it takes the
// next free one after the hint lines.
constexpr int kPdfId = 1124;
// The camera flag is read by polling: a camera pulled out sends no frame that
// could tell the screen.
constexpr int kStatePollMs = 500;

// The member values on the first header row, organisation and date on the
// second; each caption is as wide as its text in the current language.
struct HeaderField {
    int captionId;
    const char* captionKey;
    int valueId;
    int row;
    int valueWidth;
};

constexpr std::array<HeaderField, 5> kHeader{{
    {1101, "IDS_MEMBER_NAME", 1106, 0, 180},
    {1107, "IDS_MEMBER_SEX", 1108, 0, 90},
    {1109, "IDS_MEMBER_AGE", 1110, 0, 60},
    {1115, "IDS_JG_NAME", 1117, 1, 250},
    {1116, "IDS_DATE", 1118, 1, 130},
}};
constexpr int kHeaderRowGap = 38;
constexpr int kHeaderFieldGap = 20;

constexpr std::array<int, 4> kHintIds{1119, 1120, 1121, 1122};
constexpr std::array<int, 4> kAreaIds{1111, 1112, 1113, 1114};
constexpr std::array<int, 4> kEnlargeIds{0, 1207, 1208, 1209};
constexpr std::array<int, 3> kRadioIds{1299, 1300, 1301};
constexpr std::array<const char*, 3> kRadioKeys{"IDS_RADIO_WHITE", "IDS_RADIO_POR", "IDS_RADIO_UV"};

CTessalyPicDlg::FileDialogHook& openDialogHook() {
    static CTessalyPicDlg::FileDialogHook hook;
    return hook;
}

CTessalyPicDlg::FileDialogHook& pdfDialogHook() {
    static CTessalyPicDlg::FileDialogHook hook;
    return hook;
}

QImage toImage(const cv::Mat& bgr) {
    if (bgr.empty() || bgr.type() != CV_8UC3)
        return {};
    return QImage(bgr.data, bgr.cols, bgr.rows, int(bgr.step), QImage::Format_BGR888).copy();
}

// Reads a picture as 3-channel colour; the bytes go through Qt so that any
// file name the platform allows can be opened.
cv::Mat readColourPicture(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (bytes.isEmpty())
        return {};
    const std::vector<uchar> data(bytes.begin(), bytes.end());
    try {
        return cv::imdecode(data, cv::IMREAD_COLOR);
    } catch (const cv::Exception&) {
        return {};
    }
}

bool cameraStreaming() {
    return theApp().m_bCameraStreaming.load() == 1;
}

void tip(const QString& text, int kind) {
    theApp().ShowTip(text, kind);
}

} // namespace

CTessalyPicDlg::CTessalyPicDlg(QWidget* mainWindow) : QWidget(mainWindow) {
    setObjectName(QStringLiteral("1100"));
    m_live.create(480, 640, CV_8UC3);
    m_live.setTo(cv::Scalar::all(0));
    m_background = ScreenParts::background(QStringLiteral("compare_bk.bmp"));
    createControls();

    auto* poll = new QTimer(this);
    poll->setInterval(kStatePollMs);
    connect(poll, &QTimer::timeout, this, [this] {
        if (isVisible())
            updatePlayButton();
    });
    poll->start();

    refreshControls();
}

CTessalyPicDlg::~CTessalyPicDlg() {
    if (m_sinks)
        m_sinks->clear(static_cast<CameraFrameSink*>(this));
    std::lock_guard lock(m_liveMutex);
    m_videoView = nullptr;
}

void CTessalyPicDlg::setOpenDialogHook(FileDialogHook hook) {
    openDialogHook() = std::move(hook);
}

void CTessalyPicDlg::setPdfDialogHook(FileDialogHook hook) {
    pdfDialogHook() = std::move(hook);
}

void CTessalyPicDlg::createControls() {
    const ComparisonGeometry::Areas placed = ComparisonGeometry::pictureAreas();
    const QFont& font = SharedFonts::label();

    for (std::size_t i = 0; i < placed.size(); ++i) {
        auto* area = new QWidget(this);
        area->setObjectName(ScreenParts::idName(kAreaIds[i]));
        area->setGeometry(placed[i]);
        // The screen paints the pictures and takes the double-clicks itself.
        area->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_areas[i] = area;

        const QRect r = placed[i];
        QLabel* hint = ScreenParts::label(
            this, kHintIds[i], QRect(r.left() + 10, r.center().y() - 30, r.width() - 20, 60));
        hint->setFont(font);
        hint->setAlignment(Qt::AlignCenter);
        hint->setWordWrap(true);
        hint->setAttribute(Qt::WA_TransparentForMouseEvents);
        hint->setText(TextLookup::text(i == 0 ? "IDS_COMPARE_PAUSE" : "IDS_COMPARE_DOUBLECLICK"));
        m_hints[i] = hint;

        if (i > 0) {
            CGdipButton* enlarge = ScreenParts::button(this, kEnlargeIds[i], 425,
                                                       ComparisonGeometry::enlargeButton(r));
            const int index = int(i);
            connect(enlarge, &CGdipButton::clicked, this, [this, index] { enlargePicture(index); });
            m_enlarge[i] = enlarge;
        }
    }

    const QFontMetrics metrics(font);
    int x = kColumnLeft;
    int row = 0;
    for (std::size_t i = 0; i < kHeader.size(); ++i) {
        const HeaderField& h = kHeader[i];
        if (h.row != row) {
            row = h.row;
            x = kColumnLeft;
        }
        const int top = kHeaderTop + row * kHeaderRowGap;
        const QString text = TextLookup::text(h.captionKey);
        const int captionWidth = metrics.horizontalAdvance(text) + 12;
        QLabel* caption =
            ScreenParts::label(this, h.captionId, QRect(x, top, captionWidth, kHeaderHeight));
        caption->setFont(font);
        caption->setText(text);
        x += captionWidth;
        QLabel* value =
            ScreenParts::label(this, h.valueId, QRect(x, top, h.valueWidth, kHeaderHeight));
        value->setFont(font);
        m_values[i] = value;
        x += h.valueWidth + kHeaderFieldGap;
    }

    m_lights = new QButtonGroup(this);
    std::array<QRadioButton*, 3> radios{};
    for (std::size_t i = 0; i < radios.size(); ++i) {
        auto* radio = new QRadioButton(TextLookup::text(kRadioKeys[i]), this);
        radio->setObjectName(ScreenParts::idName(kRadioIds[i]));
        radio->setGeometry(kColumnLeft, 150 + int(i) * 40, kButtonWidth, 30);
        m_lights->addButton(radio, int(i));
        radios[i] = radio;
    }
    ScreenParts::styleRadios({radios[0], radios[1], radios[2]}, font);
    radios[0]->setChecked(true);
    connect(m_lights, &QButtonGroup::idClicked, this, &CTessalyPicDlg::onLightChoice);

    auto columnButton = [this](int id, int image, int row, const QString& text,
                               const QColor& colour) {
        return ScreenParts::button(
            this, id, image,
            QRect(kColumnLeft, 390 + row * (kButtonHeight + 10), kButtonWidth, kButtonHeight), text,
            colour);
    };
    m_play = columnButton(1105, 413, 0, TextLookup::text("IDS_PLAY"), Qt::white);
    m_save = columnButton(1104, 412, 1, TextLookup::text("IDS_SAVE"), ScreenParts::kInk);
    m_print = columnButton(1103, 402, 2, TextLookup::text("IDS_PRINT"), ScreenParts::kInk);
    m_pdf = columnButton(kPdfId, 412, 3, QStringLiteral("PDF"), ScreenParts::kInk);
    connect(m_play, &CGdipButton::clicked, this, &CTessalyPicDlg::togglePaused);
    connect(m_save, &CGdipButton::clicked, this, [this] { saveScreen(); });
    connect(m_print, &CGdipButton::clicked, this, [this] { printScreen(); });
    connect(m_pdf, &CGdipButton::clicked, this, [this] { exportPdf(); });
}

void CTessalyPicDlg::setFrameSinks(FrameSinks* sinks) {
    if (m_sinks && m_sinks != sinks)
        m_sinks->clear(static_cast<CameraFrameSink*>(this));
    m_sinks = sinks;
    if (m_sinks && isVisible())
        m_sinks->set(FrameSinks::Comparison, this);
}

void CTessalyPicDlg::setCameraDevice(CameraGetter camera) {
    m_camera = std::move(camera);
}

void CTessalyPicDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_sinks)
        m_sinks->set(FrameSinks::Comparison, this);
    refreshControls();
}

void CTessalyPicDlg::hideEvent(QHideEvent* event) {
    // Waits for a delivery in progress, so no frame is copied into a hidden screen.
    if (m_sinks)
        m_sinks->clear(static_cast<CameraFrameSink*>(this));
    QWidget::hideEvent(event);
}

void CTessalyPicDlg::OnCameraFrame(const cv::Mat& frame) {
    if (frame.empty() || frame.type() != CV_8UC3)
        return;
    {
        std::lock_guard lock(m_liveMutex);
        // A frozen picture stays as it was, even when the camera changes its
        // frame size meanwhile; the buffer takes the new size when live again.
        if (!m_paused) {
            frame.copyTo(m_live);
            m_hasLive = true;
        }
        if (m_videoView && m_hasLive)
            m_videoView->showFrame(m_live);
    }
    if (!m_repaintPending.exchange(true))
        QMetaObject::invokeMethod(
            this, [this] { onLiveFrame(); }, Qt::QueuedConnection);
}

void CTessalyPicDlg::OnCameraButton() {
    QMetaObject::invokeMethod(
        this, [this] { togglePaused(); }, Qt::QueuedConnection);
}

void CTessalyPicDlg::onLiveFrame() {
    m_repaintPending = false;
    if (m_hints[0]->isVisible() || !m_play->isEnabled())
        refreshControls();
    update(m_areas[0]->geometry());
}

void CTessalyPicDlg::togglePaused() {
    {
        std::lock_guard lock(m_liveMutex);
        m_paused = !m_paused;
    }
    updatePlayButton();
    update(m_areas[0]->geometry());
}

bool CTessalyPicDlg::isPaused() const {
    std::lock_guard lock(m_liveMutex);
    return m_paused;
}

cv::Mat CTessalyPicDlg::liveFrame() const {
    std::lock_guard lock(m_liveMutex);
    return m_hasLive ? m_live.clone() : cv::Mat();
}

void CTessalyPicDlg::setPlayText(const char* key) {
    if (m_playKey && std::strcmp(m_playKey, key) == 0)
        return;
    m_playKey = key;
    m_play->SetText(TextLookup::text(key), SharedFonts::currentLanguage(), 0, 0,
                    ScreenParts::kButtonTextHeight, AlignCentre, Qt::white, 0);
}

void CTessalyPicDlg::updatePlayButton() {
    bool paused = false;
    bool hasLive = false;
    {
        std::lock_guard lock(m_liveMutex);
        paused = m_paused;
        hasLive = m_hasLive;
    }
    const bool streaming = cameraStreaming();
    setPlayText(paused || !streaming ? "IDS_PLAY" : "IDS_STOP");
    // A frozen picture can always be released again, even after the camera went.
    m_play->setEnabled(streaming || paused);
    const bool liveShown = hasLive && (streaming || paused);
    if (m_hints[0]->isVisibleTo(this) == liveShown) {
        m_hints[0]->setVisible(!liveShown);
        update(m_areas[0]->geometry());
    }
    m_play->update();
}

void CTessalyPicDlg::setLightChoice(int choice) {
    if (choice < 0 || choice > 2)
        return;
    m_lightChoice = choice;
    m_lights->button(choice)->setChecked(true);
}

void CTessalyPicDlg::onLightChoice(int choice) {
    m_lightChoice = choice;
    const int mode = choice + 1;
    CameraDevice* device = m_camera ? m_camera() : nullptr;
    if (!device)
        return;
    device->SetLightMode(mode);
    // The light switches reliably only when told twice; the device is asked
    // for again, since the camera may have gone in the meantime.
    QTimer::singleShot(300, this, [this, mode] {
        if (CameraDevice* again = m_camera ? m_camera() : nullptr)
            again->SetLightMode(mode);
    });
}

void CTessalyPicDlg::fillHeader() {
    const MemberRecord& member = CurrentMember::get();
    const bool selected = member.selected == 1;
    const QDate today = QDate::currentDate();
    const QStringList values{
        selected ? member.name : QStringLiteral("Customer"),
        selected ? member.sex : QStringLiteral("-"), selected ? member.age : QStringLiteral("-"),
        Presetting::ensureExists(theApp()) ? Presetting::orgName(theApp()).left(1000) : QString(),
        QString::asprintf("%4d-%2d-%2d", today.year(), today.month(), today.day())};
    ScreenParts::showValues(m_values, values);
}

void CTessalyPicDlg::refreshControls() {
    fillHeader();
    for (std::size_t i = 1; i < m_pictures.size(); ++i) {
        const bool loaded = !m_shown[i].isNull();
        m_hints[i]->setVisible(!loaded);
        m_enlarge[i]->setVisible(loaded);
    }
    if (m_lights->checkedId() != m_lightChoice)
        m_lights->button(m_lightChoice)->setChecked(true);
    updatePlayButton();
    update();
}

ComparisonGeometry::Areas CTessalyPicDlg::areas() const {
    ComparisonGeometry::Areas out;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = m_areas[i]->geometry();
    return out;
}

void CTessalyPicDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(rect(), m_background);

    const ComparisonGeometry::Areas placed = areas();
    p.setPen(QColor(225, 225, 225));
    for (const QRect& r : placed) {
        p.fillRect(r, QColor(250, 250, 250));
        p.drawRect(r.adjusted(-1, -1, 0, 0));
    }

    QImage live;
    {
        std::lock_guard lock(m_liveMutex);
        if (m_hasLive && (m_paused || cameraStreaming()))
            live = toImage(m_live);
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!live.isNull())
        p.drawImage(placed[0], live);
    for (std::size_t i = 1; i < placed.size(); ++i) {
        if (!m_shown[i].isNull())
            p.drawImage(placed[i], m_shown[i]);
    }
}

void CTessalyPicDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        chooseAt(event->position().toPoint());
}

QString CTessalyPicDlg::memberPictureFolder() const {
    if (!theApp().m_strMemberImagePath.isEmpty())
        return theApp().m_strMemberImagePath;
    const MemberRecord& member = CurrentMember::get();
    return DataPaths::memberPictureFolder(theApp(), member.selected == 1 ? member.name
                                                                         : QStringLiteral("Guest"));
}

void CTessalyPicDlg::chooseAt(const QPoint& pos) {
    const int index = ComparisonGeometry::hitTest(areas(), pos);
    if (index == ComparisonGeometry::NoArea) {
        update();
        return;
    }
    if (index == ComparisonGeometry::LiveArea) {
        openVideoViewer();
        return;
    }
    const QString start = memberPictureFolder();
    QString file;
    if (openDialogHook())
        file = openDialogHook()(this, start);
    else
        file = QFileDialog::getOpenFileName(
            this, QString(), start, QStringLiteral("image files (*.jpg *.bmp *.JPG *.BMP)"));
    if (!file.isEmpty())
        loadPicture(index, file);
}

bool CTessalyPicDlg::loadPicture(int index, const QString& file) {
    if (index < 1 || index > 3)
        return false;
    cv::Mat picture = readColourPicture(file);
    if (picture.empty()) {
        tip(TextLookup::text("IDS_OPEN_DATA_FAILED") + " (" + file + ")", CTessalyApp::TipError);
        return false;
    }
    m_pictures[std::size_t(index)] = std::move(picture);
    m_shown[std::size_t(index)] = toImage(m_pictures[std::size_t(index)]);
    refreshControls();
    return true;
}

void CTessalyPicDlg::enlargePicture(int index) {
    if (index < 1 || index > 3 || m_pictures[std::size_t(index)].empty())
        return;
    CImageViewDlg viewer(m_pictures[std::size_t(index)], this);
    viewer.exec();
}

void CTessalyPicDlg::openVideoViewer() {
    {
        std::lock_guard lock(m_liveMutex);
        if (m_videoView)
            return;
    }
    QPointer<CTessalyPicDlg> self(this);
    QPointer<CVideoViewDlg> viewer = new CVideoViewDlg(this);
    {
        std::lock_guard lock(m_liveMutex);
        m_videoView = viewer;
        if (m_hasLive)
            viewer->showFrame(m_live);
    }
    viewer->exec();
    // The main window may have closed while the viewer was up, taking this
    // screen and the viewer with it.
    if (!self)
        return;
    {
        std::lock_guard lock(m_liveMutex);
        m_videoView = nullptr;
    }
    delete viewer.data();
}

QImage CTessalyPicDlg::screenPicture() {
    return grab().toImage();
}

QString CTessalyPicDlg::saveFilePath() const {
    const MemberRecord& member = CurrentMember::get();
    return ComparisonGeometry::comparisonFolder(memberPictureFolder()) + '/' +
           ComparisonGeometry::saveFileName(member.selected == 1 ? member.name : QString(),
                                            TextLookup::text("IDS_MAIN_SGDB"),
                                            QDateTime::currentDateTime());
}

QString CTessalyPicDlg::saveScreen() {
    const QString path = saveFilePath();
    const QString folder = ComparisonGeometry::comparisonFolder(memberPictureFolder());
    QString reason;
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("cannot create the folder ") + folder;
    } else {
        QString error;
        if (!PicturePrinter::writeBitmap(screenPicture(), path, &error))
            reason = error + " (" + path + ")";
    }
    if (!reason.isEmpty()) {
        tip(TextLookup::text("IDS_WARN_CATCH") + reason, CTessalyApp::TipError);
        return {};
    }
    tip(TextLookup::text("IDS_SAVE_SUCCESS") + "(" + path + ")", CTessalyApp::TipSuccess);
    return path;
}

bool CTessalyPicDlg::printScreen() {
    // Printed from memory: no bitmap is written for it, so none is deleted, and
    // a screen the operator saved in the same second stays where it is.
    return PicturePrinter::print(this, screenPicture(), saveFilePath());
}

bool CTessalyPicDlg::exportPdf() {
    const QImage picture = screenPicture();
    QString proposed = saveFilePath();
    proposed.chop(4);
    proposed += QLatin1String(".pdf");
    QDir().mkpath(ComparisonGeometry::comparisonFolder(memberPictureFolder()));
    QString chosen;
    if (pdfDialogHook())
        chosen = pdfDialogHook()(this, proposed);
    else
        chosen =
            QFileDialog::getSaveFileName(this, QString(), proposed, QStringLiteral("PDF (*.pdf)"));
    if (chosen.isEmpty())
        return false;
    if (!chosen.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        chosen += QLatin1String(".pdf");
    QString error;
    if (!PicturePrinter::exportPdf(picture, chosen, &error)) {
        tip(TextLookup::text("IDS_WARN_CATCH") + error + " (" + chosen + ")",
            CTessalyApp::TipError);
        return false;
    }
    tip(TextLookup::text("IDS_SAVE_SUCCESS") + "(" + chosen + ")", CTessalyApp::TipSuccess);
    return true;
}
