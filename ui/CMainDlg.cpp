#include "CMainDlg.h"

#include "CGdipButton.h"
#include "CLoadingDlg.h"
#include "CPreviewDlg.h"
#include "CSingleReportDlg.h"
#include "CSummaryReport.h"
#include "CTessalyApp.h"
#include "CTessalyPicDlg.h"
#include "CurrentMember.h"
#include "DeviceMonitor.h"
#include "Presetting.h"
#include "ReportPaths.h"
#include "ReportStore.h"
#include "ScreenChrome.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdlib>

namespace {

struct MenuEntry {
    int id;
    int normalPicture;
    int selectedPicture;
    const char* caption;
    int item; // skin item of a report button, -1 otherwise
};

constexpr std::array<MenuEntry, 11> kMenu{{
    {1207, 399, 393, "IDS_PREVIEW", -1},
    {1208, 377, 389, "IDS_COMPARE", -1},
    {1218, 381, 394, "IDS_REPORT", -1},
    {1209, 383, 396, "IDS_SKINCOLOR", 0},
    {1210, 385, 398, "IDS_WATER_OIL", 1},
    {1212, 384, 397, "IDS_TEXTURE", 2},
    {1213, 382, 395, "IDS_SPOT", 3},
    {1215, 378, 390, "IDS_GLOSS", 4},
    {1214, 379, 391, "IDS_Inflammation", 5},
    {1216, 400, 401, "IDS_Sensitivity", 6},
    {1217, 380, 392, "IDS_Pore", 7},
}};

// Menu geometry: the buttons' pictures are 220 x 60, stacked below the title.
constexpr int kMenuLeft = 10;
constexpr int kMenuTop = 52;
constexpr int kMenuWidth = 220;
constexpr int kMenuHeight = 60;
constexpr int kMenuGap = 4;
constexpr int kBackDelayMs = 500;

// The report store's reader: the stamp names a visit of the current member. A
// visit that cannot be read is reported and leaves the results untouched.
bool loadStoredVisit(const QString& stamp, ItemResults& items) {
    QString error;
    const QString folder = ReportPaths::visitFolder(theApp(), CurrentMember::get(), stamp);
    if (ReportStore::loadVisit(folder, items, &error))
        return true;
    theApp().ShowTip(TextLookup::text("IDS_WARN_CATCH") + error, CTessalyApp::TipError);
    return false;
}

CMainDlg::VisitLoader& visitLoader() {
    static CMainDlg::VisitLoader loader = loadStoredVisit;
    return loader;
}

std::function<void(int)>& processExit() {
    static std::function<void(int)> exitProcess = [](int code) { std::_Exit(code); };
    return exitProcess;
}

CameraSystem*& cameraSystem() {
    static CameraSystem* system = nullptr;
    return system;
}

NetworkCamera::Factory& networkCameraFactory() {
    static NetworkCamera::Factory factory;
    return factory;
}

std::chrono::milliseconds& analysisWait() {
    static std::chrono::milliseconds wait = AnalysisRun::kDefaultWait;
    return wait;
}

// The graded texts of the current language as the worker needs them, read
// here on the GUI thread in one pass over the presetting file.
GradedTextTable gradedTextTable() {
    const QList<QStringList> rows = Presetting::gradedTextRows(theApp());
    GradedTextTable table;
    for (int item = 0; item < kSkinItemCount && item < rows.size(); ++item) {
        const QStringList& row = rows[item];
        for (int grade = 0; grade < GradedTextTable::kGradeCount; ++grade) {
            const int suggestion = grade + GradedTextTable::kGradeCount;
            if (suggestion < row.size())
                table.setTexts(item, grade, row[grade].toStdString(),
                               row[suggestion].toStdString());
        }
    }
    return table;
}

CGdipButton* makeButton(QWidget* parent, int id, int picture) {
    auto* b = new CGdipButton(parent);
    b->setObjectName(QString::number(id));
    b->LoadStdImage(picture);
    return b;
}

} // namespace

void CMainDlg::setVisitLoader(VisitLoader loader) {
    visitLoader() = loader ? std::move(loader) : VisitLoader(loadStoredVisit);
}

void CMainDlg::setProcessExit(std::function<void(int)> exitProcess) {
    processExit() = std::move(exitProcess);
}

void CMainDlg::setAnalysisWait(std::chrono::milliseconds wait) {
    analysisWait() = wait;
}

void CMainDlg::setCameraSystem(CameraSystem* system) {
    cameraSystem() = system;
}

void CMainDlg::setNetworkCameraFactory(NetworkCamera::Factory factory) {
    networkCameraFactory() = std::move(factory);
}

CMainDlg::CMainDlg(int fromHistory, const QString& visitFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_fromHistory(fromHistory),
      m_visitFolder(visitFolder), m_items(makeItemResults()) {
    setObjectName(QStringLiteral("CMainDlg"));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    theApp().m_pMainWnd = this;

    m_loading = new CLoadingDlg(this);

    // Each menu button has a normal and a selected picture; the selected one
    // marks the panel on show.
    const int language = theApp().m_nLanguage;
    m_title = new QLabel(TextLookup::text("IDS_APP_NAME"), this);
    m_title->setObjectName(QStringLiteral("1035"));
    m_title->setFont(SharedFonts::mainTitle());
    m_title->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_back = makeButton(this, kBackId, 350);
    m_exit = makeButton(this, kExitId, 351);
    m_hidden = makeButton(this, 1010, 352);
    m_hidden->hide();
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
        const MenuEntry& e = kMenu[i];
        CGdipButton* b = makeButton(this, e.id, e.normalPicture);
        b->LoadAltImage(e.selectedPicture);
        b->SetText(TextLookup::text(e.caption), language, 0.33, 10, 20, AlignLeft, Qt::white, 0);
        m_menu[i] = b;
        connect(b, &QAbstractButton::clicked, this, [this, id = e.id] { OnMenu(id); });
    }
    connect(m_back, &QAbstractButton::clicked, this, &CMainDlg::OnBack);
    connect(m_exit, &QAbstractButton::clicked, this, &CMainDlg::OnExit);
    layoutControls();
    m_menu[0]->SetToggle(true);

    // The capture panel exists for the whole life of the window: the camera
    // stays open while the operator looks at reports.
    CPreviewDlg::Cameras cameras{&m_frameSinks, cameraSystem(), networkCameraFactory()};
    CPreviewDlg::MainWindowCalls calls;
    calls.itemResults = [this]() -> ItemResults& { return m_items; };
    calls.startRun = [this] { startRun(); };
    calls.discardResults = [this] { discardResults(); };
    // The comparison screen's light buttons follow the light the capture sets.
    calls.comparisonLight = [this](int choice) {
        if (m_compare) {
            m_compare->setLightChoice(choice);
            m_compare->refreshControls();
        }
    };
    calls.showAbout = [] {
        theApp().ShowTip(TextLookup::text("IDS_APP_NAME") + ' ' +
                             QCoreApplication::applicationVersion(),
                         CTessalyApp::TipInfo);
    };
    m_preview = new CPreviewDlg(this, std::move(cameras), std::move(calls));
    // Plug-in and removal of cameras, for the program's real camera system.
    if (cameraSystem()) {
        auto* monitor = new DeviceMonitor(this);
        connect(monitor, &DeviceMonitor::deviceChanged, this, [this] { OnDeviceChange(); });
    }
    m_preview->setGeometry(m_content);
    m_preview->show();

    // Report buttons would open empty reports before any results exist.
    setItemButtonsVisible(theApp().m_bResultsAvailable == 1);

    // The worker only posts; the results are taken over on this thread.
    m_run = std::make_unique<AnalysisRun>(
        [this](std::uint64_t token, ItemResults results) {
            QMetaObject::invokeMethod(
                this,
                [this, token, results = std::move(results)]() mutable {
                    takeRunResults(token, std::move(results));
                },
                Qt::QueuedConnection);
        },
        analysisWait());
}

CMainDlg::~CMainDlg() {
    // Cancels and joins a run still under way before any member goes; the worker
    // never waits for this window, so the join cannot deadlock, and events it
    // posted meanwhile are discarded with the window.
    m_run.reset();
    // The panels go before the frame sinks they are registered with.
    delete m_compare;
    m_compare = nullptr;
    delete m_preview;
    m_preview = nullptr;
    if (theApp().m_pMainWnd == this)
        theApp().m_pMainWnd = nullptr;
}

void CMainDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A stored visit is shown once the window is on screen, without an analysis
    // run: its results were scored when it was captured.
    if (!m_opened) {
        m_opened = true;
        if (m_fromHistory == 1)
            openStoredVisit();
    }
}

void CMainDlg::openStoredVisit() {
    // A visit that could not be loaded is never shown as a summary of zeros.
    if (visitLoader()(m_visitFolder, m_items))
        sendCompletion();
}

void CMainDlg::layoutControls() {
    const int w = width();
    m_title->setGeometry(kMenuLeft + 10, 0, std::max(200, w - 200), 50);
    m_back->setGeometry(w - 82, 4, 38, 38);
    m_exit->setGeometry(w - 40, 4, 38, 38);
    m_hidden->setGeometry(w - 124, 4, 38, 38);
    for (std::size_t i = 0; i < m_menu.size(); ++i)
        m_menu[i]->setGeometry(kMenuLeft, kMenuTop + int(i) * (kMenuHeight + kMenuGap), kMenuWidth,
                               kMenuHeight);
    // Panels fill what the menu and title leave, 30 pixels clear of the menu.
    const int left = m_menu[0]->geometry().right() + 1 + 30;
    m_content = QRect(QPoint(left, 50), QPoint(w - 1, height() - 1));
}

void CMainDlg::setItemButtonsVisible(bool visible) {
    for (std::size_t i = 2; i < m_menu.size(); ++i)
        m_menu[i]->setVisible(visible);
}

QWidget* CMainDlg::currentPanel() const {
    const QList<QWidget*> panels{m_preview, m_compare, m_summary};
    for (QWidget* p : panels) {
        if (p && p->isVisibleTo(this))
            return p;
    }
    for (QWidget* p : m_single) {
        if (p && p->isVisibleTo(this))
            return p;
    }
    return nullptr;
}

int CMainDlg::selectedMenuId() const {
    for (std::size_t i = 0; i < m_menu.size(); ++i) {
        if (m_menu[i]->isToggled())
            return kMenu[i].id;
    }
    return 0;
}

void CMainDlg::showPanel(int menuId, QWidget* panel) {
    QList<QWidget*> panels{m_preview, m_compare, m_summary};
    for (QWidget* p : m_single)
        panels << p;
    for (QWidget* p : panels) {
        if (p && p != panel)
            p->hide();
    }
    for (std::size_t i = 0; i < m_menu.size(); ++i) {
        m_menu[i]->SetToggle(kMenu[i].id == menuId);
        m_menu[i]->update();
    }
    panel->setGeometry(m_content);
    panel->show();
}

void CMainDlg::OnMenu(int id) {
    const bool results = theApp().m_bResultsAvailable == 1;
    if (id == 1207) {
        showPanel(id, m_preview);
        m_preview->applyNextLight();
        return;
    }
    if (id == 1208) {
        if (!m_compare) {
            m_compare = new CTessalyPicDlg(this);
            m_compare->setFrameSinks(&m_frameSinks);
            m_compare->setCameraDevice([this]() -> CameraDevice* {
                return m_preview ? m_preview->cameraDevice() : nullptr;
            });
        }
        showPanel(id, m_compare);
        return;
    }
    if (!results)
        return;
    if (id == 1218) {
        if (m_summary)
            showPanel(id, m_summary);
        return;
    }
    for (const MenuEntry& e : kMenu) {
        if (e.id != id || e.item < 0)
            continue;
        CSingleReportDlg*& page = m_single[e.item];
        if (!page) {
            const ItemResult& r = m_items[e.item];
            page = new CSingleReportDlg(e.item, r.score, r.detectionImage, r.analysisImage,
                                        QString::fromStdString(r.resultText),
                                        QString::fromStdString(r.suggestionText), this);
        }
        showPanel(id, page);
    }
}

void CMainDlg::discardResults() {
    for (CSingleReportDlg*& page : m_single) {
        delete page;
        page = nullptr;
    }
    delete m_summary;
    m_summary = nullptr;
    theApp().m_bResultsAvailable = 0;
    setItemButtonsVisible(false);
}

int CMainDlg::startRun() {
    switch (m_run->start(m_items, gradedTextTable())) {
    case AnalysisRun::Start::Started:
        m_fromHistory = 0; // a run always produces a new, unsaved visit
        m_awaitedRun = m_run->token();
        m_loading->exec();
        break;
    case AnalysisRun::Start::StillRunning:
        theApp().ShowTip(TextLookup::text("IDS_ANALYSISING"), CTessalyApp::TipInfo);
        break;
    case AnalysisRun::Start::CaptureUnusable:
        theApp().ShowTip(TextLookup::text("IDS_NOT_FINISH"), CTessalyApp::TipError);
        break;
    }
    return 1;
}

void CMainDlg::takeRunResults(std::uint64_t token, ItemResults results) {
    if (token == 0 || token != m_awaitedRun)
        return; // a run nobody waits for any more
    m_awaitedRun = 0;
    m_items = std::move(results);
    sendCompletion();
    // The capture panel starts over at its first slot once the results are shown.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_preview)
                m_preview->returnToCaptureLayout();
        },
        Qt::QueuedConnection);
}

void CMainDlg::sendCompletion() {
    QEvent message(WM_USER_35);
    QCoreApplication::sendEvent(this, &message);
}

bool CMainDlg::event(QEvent* event) {
    if (event->type() == WM_USER_35) {
        OnAnalysisComplete();
        return true;
    }
    return QDialog::event(event);
}

void CMainDlg::OnAnalysisComplete() {
    discardResults();
    if (m_fromHistory == 0)
        m_loading->PostCancel();
    theApp().m_bResultsAvailable = 1;
    setItemButtonsVisible(true);
    CSummaryReport::Sources sources;
    if (m_fromHistory == 1)
        sources.visitFolder =
            ReportPaths::visitFolder(theApp(), CurrentMember::get(), m_visitFolder);
    // The products chosen on the single-item pages, in item order; a page that
    // was never opened holds none.
    sources.products = [this] {
        std::vector<ProductRecord> products;
        for (const CSingleReportDlg* page : m_single) {
            if (page)
                products.insert(products.end(), page->products().begin(), page->products().end());
        }
        return products;
    };
    m_summary = new CSummaryReport(m_fromHistory, m_items, this, std::move(sources));
    showPanel(1218, m_summary);
}

void CMainDlg::OnDeviceChange() {
    if (m_preview)
        m_preview->OnDeviceChange();
}

void CMainDlg::OnBack() {
    m_awaitedRun = 0; // a result still on its way belongs to no one now
    CTessalyApp& app = theApp();
    app.m_bResultsAvailable = 0;
    app.m_bNetCameraMode = 0;
    app.m_bCameraStreaming = 0;
    // Camera threads read the flags; give them half a second before the window goes.
    setEnabled(false);
    QTimer::singleShot(kBackDelayMs, this, [this] { QDialog::reject(); });
}

void CMainDlg::OnExit() {
    const int answer = theApp().Confirm(TextLookup::text("IDS_EXIT_ASK"),
                                        TextLookup::text("IDS_OK"), TextLookup::text("IDS_CANCEL"));
    if (answer == 1)
        processExit()(0);
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        QDialog::keyPressEvent(event);
}

void CMainDlg::paintEvent(QPaintEvent*) {
    ScreenChrome::paintSkin(*this, QStringLiteral("main_bk.bmp"));
}
