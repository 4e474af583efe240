#include "CSummaryReport.h"

#include "CGdiPlusBitmapResource.h"
#include "CGdipButton.h"
#include "CTessalyApp.h"
#include "CurrentMember.h"
#include "LimitedTextEdit.h"
#include "MemberRecord.h"
#include "PicturePrinter.h"
#include "Presetting.h"
#include "ProductTable.h"
#include "ReportPaths.h"
#include "ReportStore.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "SkinItem.h"
#include "SummaryGeometry.h"
#include "TextLookup.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

namespace {

constexpr QColor kInk{80, 80, 80};
constexpr QColor kScoreGreen{12, 170, 60};
constexpr QColor kPanelGrey{245, 245, 245};
constexpr QColor kBarGreen{111, 215, 174};
constexpr QColor kListGrey{244, 244, 244};
constexpr int kTickMs = 10;
constexpr int kThumbSize = 75;

// The score number ids of items 0..7.
constexpr std::array<int, 8> kNumberIds{1263, 1272, 1273, 1274, 1278, 1275, 1277, 1276};

struct RadarCaption {
    const char* key;
    QRect rect; // left, top, right, bottom as given for the chart
};
const std::array<RadarCaption, 9> kRadarCaptions{{
    {"IDS_AVERA_SCORE", QRect(QPoint(130, 2), QPoint(210, 25))},
    {"IDS_SKINCOLOR", QRect(QPoint(65, 26), QPoint(129, 54))},
    {"IDS_WATER_OIL", QRect(QPoint(20, 80), QPoint(103, 188))},
    {"IDS_TEXTURE", QRect(QPoint(36, 166), QPoint(86, 190))},
    {"IDS_SPOT", QRect(QPoint(88, 210), QPoint(152, 230))},
    {"IDS_GLOSS", QRect(QPoint(166, 210), QPoint(236, 230))},
    {"IDS_Inflammation", QRect(QPoint(236, 164), QPoint(306, 182))},
    {"IDS_Sensitivity", QRect(QPoint(251, 93), QPoint(321, 111))},
    {"IDS_Pore", QRect(QPoint(223, 32), QPoint(293, 50))},
}};

std::function<QDateTime()>& reportClock() {
    static std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    return now;
}

QLabel* makeLabel(QWidget* parent, int id, const QRect& geometry, const QFont& font,
                  const QColor& ink, const QColor& background) {
    QLabel* l = ScreenParts::label(parent, id, geometry);
    l->setFont(font);
    const QString fill = background.isValid() ? background.name() : QStringLiteral("transparent");
    l->setStyleSheet(QStringLiteral("color: %1; background: %2;").arg(ink.name(), fill));
    return l;
}

QImage thumbnail(const QString& picturePath) {
    if (picturePath.isEmpty())
        return {};
    QImage picture(picturePath);
    if (picture.isNull())
        return {};
    QImage thumb =
        picture.scaled(kThumbSize, kThumbSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    // White is the transparent colour of the product thumbnails.
    for (int y = 0; y < thumb.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(thumb.scanLine(y));
        for (int x = 0; x < thumb.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
        }
    }
    return thumb;
}

} // namespace

void CSummaryReport::setClockForTesting(std::function<QDateTime()> now) {
    reportClock() = now ? std::move(now) : [] { return QDateTime::currentDateTime(); };
}

CSummaryReport::CSummaryReport(int fromHistory, const ItemResults& items, QWidget* mainWindow,
                               Sources sources)
    : QWidget(mainWindow), m_fromHistory(fromHistory), m_items(&items),
      m_sources(std::move(sources)) {
    setObjectName(QStringLiteral("CSummaryReport"));
    setMinimumSize(kDesignSize);
    resize(kDesignSize);
    for (int i = 0; i < 8; ++i)
        m_scores[i] = items[i].score;
    if (const CTessalyApp* app = CTessalyApp::instance())
        m_background = QImage(app->m_strSkinPath + QStringLiteral("report_bk.bmp"));

    buildControls();
    setTexts();
    buildRadar();

    if (m_fromHistory == 1) {
        m_save->hide();
        const ReportStore::FreeTexts texts = ReportStore::loadFreeTexts(m_sources.visitFolder);
        m_suggestion->setText(texts.suggestion);
        m_expert->setText(texts.expert);
        m_expert->setReadOnly(true);
        m_storedProducts = texts.products;
    } else {
        const int lowest = SummaryGeometry::lowestItem(m_scores);
        m_suggestion->setText(QString::fromStdString(items[lowest].suggestionText));
    }

    // Without the catalogue the page opens without its animation: the numbers
    // and bars are never drawn, so a database failure is never taken for scores.
    if (!loadCatalogue())
        return;
    rebuildProductList();
    m_animationStarted = true;
    m_timer.start(kTickMs, this);
}

CSummaryReport::~CSummaryReport() = default;

void CSummaryReport::buildControls() {
    const QFont label = SharedFonts::label();
    const QColor none; // transparent
    makeLabel(this, 1285, QRect(30, 8, 760, 40), SharedFonts::title(), kInk, none);

    const struct {
        int captionId, valueId, x, captionWidth, valueWidth;
    } header[] = {{1101, 1106, 30, 90, 150},
                  {1107, 1108, 280, 70, 90},
                  {1109, 1110, 450, 70, 80},
                  {1116, 1127, 610, 70, 200}};
    for (const auto& h : header) {
        makeLabel(this, h.captionId, QRect(h.x, 56, h.captionWidth, 30), label, kInk, Qt::white);
        makeLabel(this, h.valueId, QRect(h.x + h.captionWidth, 56, h.valueWidth, 30), label, kInk,
                  Qt::white);
    }

    for (int i = 0; i < 8; ++i) {
        const int y = 110 + i * 42;
        m_itemLabels[i] = makeLabel(this, 1264 + i, QRect(30, y, 130, 30), label, kInk, kPanelGrey);
        m_itemLabels[i]->setAlignment(Qt::AlignCenter);
        const QRect track = SummaryGeometry::barTrack(m_itemLabels[i]->geometry());
        m_numbers[i] = makeLabel(this, kNumberIds[i], QRect(track.right() + 12, y, 50, 30), label,
                                 kScoreGreen, Qt::white);
    }

    m_radarArea = new QLabel(this);
    m_radarArea->setObjectName(QStringLiteral("1281"));
    m_radarArea->setGeometry(470, 104, SummaryGeometry::kRadarWidth, SummaryGeometry::kRadarHeight);

    makeLabel(this, 1283, QRect(30, 454, 300, 30), label, kInk, none);
    m_suggestion =
        ScreenParts::textEdit(this, 1219, QRect(30, 488, 520, 140), ReportStore::kMaxValueChars);
    m_suggestion->setReadOnly(true);
    m_suggestion->setFont(SharedFonts::text());
    m_suggestion->setStyleSheet(
        QStringLiteral("color: rgb(20,20,20); background: rgb(245,245,245); border: none;"));

    makeLabel(this, 1282, QRect(580, 454, 300, 30), label, kInk, none);
    // The stored visit keeps at most 999 characters of a text, so the box takes
    // no more: what the operator typed is what comes back from the history.
    m_expert =
        ScreenParts::textEdit(this, 1218, QRect(580, 488, 510, 140), ReportStore::kMaxValueChars);
    m_expert->setFont(SharedFonts::text());
    m_expert->setStyleSheet(
        QStringLiteral("color: rgb(80,80,80); background: rgb(245,245,245); border: none;"));

    makeLabel(this, 1233, QRect(30, 640, 300, 30), label, kInk, none);
    m_products = new QListWidget(this);
    m_products->setObjectName(QStringLiteral("1102"));
    m_products->setGeometry(30, 672, 860, 120);
    m_products->setViewMode(QListView::IconMode);
    m_products->setIconSize(QSize(kThumbSize, kThumbSize));
    m_products->setGridSize(QSize(100, 100));
    m_products->setMovement(QListView::Static);
    m_products->setFlow(QListView::LeftToRight);
    m_products->setWrapping(false);
    m_products->setSelectionMode(QAbstractItemView::NoSelection);
    m_products->setFont(SharedFonts::faceFont(13));
    m_products->setStyleSheet(
        QStringLiteral("QListWidget { background: rgb(244,244,244); border: none; color: "
                       "rgb(80,80,80); }"));

    m_save = ScreenParts::button(this, 1153, 413, QRect(830, 120, 160, 48));
    m_print = ScreenParts::button(this, 1208, 402, QRect(830, 180, 160, 48));
    // Beside Print: the same page as an A4 PDF, for reports sent by e-mail.
    m_pdf = ScreenParts::button(this, 0, 402, QRect(830, 240, 160, 48));
    m_pdf->setObjectName(QStringLiteral("exportPdf"));
    connect(m_save, &QAbstractButton::clicked, this, &CSummaryReport::OnSave);
    connect(m_print, &QAbstractButton::clicked, this, &CSummaryReport::OnPrint);
    connect(m_pdf, &QAbstractButton::clicked, this, &CSummaryReport::OnExportPdf);
}

void CSummaryReport::setTexts() {
    const int language = SharedFonts::currentLanguage();
    const auto set = [this](int id, const QString& text) {
        if (auto* l = findChild<QLabel*>(QString::number(id)))
            l->setText(text);
    };
    set(1101, TextLookup::text("IDS_MEMBER_NAME"));
    set(1107, TextLookup::text("IDS_MEMBER_SEX"));
    set(1109, TextLookup::text("IDS_MEMBER_AGE"));
    set(1116, TextLookup::text("IDS_DATE"));
    const MemberRecord& member = CurrentMember::get();
    const bool chosen = member.selected != 0;
    set(1106, chosen ? member.name : QStringLiteral("Customer"));
    set(1108, chosen ? member.sex : QStringLiteral("-"));
    set(1110, chosen ? member.age : QStringLiteral("-"));
    const QDateTime now = reportClock()();
    set(1127, QString::asprintf("%d-%02d-%02d %02d:%02d", now.date().year(), now.date().month(),
                                now.date().day(), now.time().hour(), now.time().minute()));
    if (const CTessalyApp* app = CTessalyApp::instance())
        set(1285, Presetting::orgName(*app).left(ReportStore::kMaxValueChars));
    for (int i = 0; i < 8; ++i)
        m_itemLabels[i]->setText(TextLookup::text(kSkinItems[i].textKey));
    set(1283, TextLookup::text("IDS_SUGGEST"));
    set(1282, TextLookup::text("IDS_PROFESS_SUGGEST"));
    set(1233, TextLookup::text("IDS_PRODUCT_MANAGE"));
    m_save->SetText(TextLookup::text("IDS_SAVE"), language, 0, 0, 18, AlignCentre, kInk, 0);
    m_print->SetText(TextLookup::text("IDS_PRINT"), language, 0.4, 0, 18, AlignLeft, kInk, 0);
    m_pdf->SetText(QStringLiteral("PDF"), language, 0.4, 0, 18, AlignLeft, kInk, 0);
}

bool CSummaryReport::loadCatalogue() {
    const CTessalyApp* app = CTessalyApp::instance();
    if (!app)
        return false;
    ProductTable table(*app);
    QList<ProductRecord> all;
    if (!table.open() || table.listAll(all) != DataResult::Ok) {
        app->ShowTip(TextLookup::text("IDS_WARN_CATCH") + table.lastError(), CTessalyApp::TipError);
        return false;
    }
    m_catalogue = all;
    return true;
}

void CSummaryReport::buildRadar() {
    CGdiPlusBitmapResource web;
    m_radar = QImage(SummaryGeometry::kRadarWidth, SummaryGeometry::kRadarHeight,
                     QImage::Format_ARGB32_Premultiplied);
    m_radar.fill(Qt::white);
    QPainter p(&m_radar);
    if (web.Load(365, QStringLiteral("BITMAP")))
        p.drawImage(0, 0, web.image());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(SharedFonts::faceFont(20));
    p.setPen(kInk);
    for (const RadarCaption& c : kRadarCaptions)
        p.drawText(c.rect, Qt::AlignLeft | Qt::AlignTop, TextLookup::text(c.key));
    const std::array<QPoint, 9> points = SummaryGeometry::radarPoints(m_scores);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 170, 60, 128));
    p.drawPolygon(points.data(), int(points.size()), Qt::OddEvenFill);
    p.end();
    m_radarArea->setPixmap(QPixmap::fromImage(m_radar));
}

void CSummaryReport::addProduct(const ProductRecord& product) {
    auto* item = new QListWidgetItem(ReportStore::productRowText(product), m_products);
    const QImage thumb = thumbnail(product.picturePath);
    if (!thumb.isNull())
        item->setIcon(QIcon(QPixmap::fromImage(thumb)));
}

void CSummaryReport::rebuildProductList() {
    m_products->clear();
    if (m_fromHistory == 1) {
        for (const ProductRecord& p : ReportStore::storedProducts(m_storedProducts, m_catalogue))
            addProduct(p);
        return;
    }
    if (!m_sources.products)
        return;
    for (const ProductRecord& p : m_sources.products())
        addProduct(p);
}

void CSummaryReport::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The single-item pages may have gained or lost products since last time.
    if (m_fromHistory != 1 && m_animationStarted)
        rebuildProductList();
}

void CSummaryReport::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    animationStep();
}

void CSummaryReport::animationStep() {
    ++m_counter;
    for (int i = 0; i < 8; ++i) {
        if (m_scores[i] >= m_counter)
            m_numbers[i]->setText(QString::number(m_counter));
    }
    if (m_counter >= 100) {
        m_timer.stop();
        m_finished = true;
    }
    update();
}

void CSummaryReport::finishAnimation() {
    if (!m_animationStarted)
        return;
    while (!m_finished)
        animationStep();
}

void CSummaryReport::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_background.isNull()) {
        p.fillRect(rect(), Qt::white);
    } else {
        // Stretched once per size, not on every repaint.
        if (m_scaledBackground.size() != size())
            m_scaledBackground = QPixmap::fromImage(
                m_background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        p.drawPixmap(0, 0, m_scaledBackground);
    }
    for (int i = 0; i < 8; ++i) {
        const QRect track = SummaryGeometry::barTrack(m_itemLabels[i]->geometry());
        p.fillRect(track, kPanelGrey);
        if (!m_animationStarted)
            continue;
        // While counting, a bar grows with the counter up to its own score.
        const int value = m_finished ? m_scores[i] : std::min(m_counter, m_scores[i]);
        const int width = std::clamp(SummaryGeometry::barWidth(value), 0, track.width());
        if (width > 0)
            p.fillRect(QRect(track.topLeft(), QSize(width, track.height())), kBarGreen);
    }
}

QString CSummaryReport::overallSuggestion() const {
    return m_suggestion->text();
}

QString CSummaryReport::expertSuggestion() const {
    return m_expert->text();
}

QStringList CSummaryReport::productRows() const {
    QStringList rows;
    for (int i = 0; i < m_products->count(); ++i)
        rows << m_products->item(i)->text();
    return rows;
}

void CSummaryReport::setButtonsVisible(bool visible) {
    m_save->setVisible(visible && m_fromHistory != 1);
    m_print->setVisible(visible);
    m_pdf->setVisible(visible);
}

QImage CSummaryReport::capturePage() {
    setButtonsVisible(false);
    const QImage page = grab().toImage().convertToFormat(QImage::Format_RGB888);
    setButtonsVisible(true);
    return page;
}

QString CSummaryReport::savedReportFile() const {
    return ReportPaths::savedReportFile(theApp(), CurrentMember::get(),
                                        TextLookup::text("IDS_MAIN_ZJCL"), reportClock()());
}

bool CSummaryReport::writeSavedPicture(const QString& file, const QImage& picture) {
    QString error;
    if (QDir().mkpath(QFileInfo(file).path()) && PicturePrinter::writeBitmap(picture, file, &error))
        return true;
    if (error.isEmpty())
        error = QStringLiteral("folder cannot be created");
    theApp().ShowTip(TextLookup::text("IDS_WARN_CATCH") + file + QStringLiteral(": ") + error,
                     CTessalyApp::TipError);
    return false;
}

void CSummaryReport::OnSave() {
    if (m_fromHistory == 1)
        return;
    const ReportStore::SaveResult result = ReportStore::saveVisit(
        ReportPaths::memberReportFolder(theApp(), CurrentMember::get()), reportClock()(), *m_items,
        overallSuggestion(), expertSuggestion(), productRows());
    if (!result.ok) {
        theApp().ShowTip(TextLookup::text("IDS_WARN_CATCH") + result.failedFile +
                             QStringLiteral(": ") + result.error,
                         CTessalyApp::TipError);
        return;
    }
    theApp().ShowTip(TextLookup::text("IDS_SAVE_SUCCESS"), CTessalyApp::TipSuccess);
}

void CSummaryReport::OnPrint() {
    const QString file = savedReportFile();
    QImage picture;
    if (QFileInfo::exists(file)) {
        // A second print within the same minute prints the first capture again.
        picture = QImage(file);
    }
    if (picture.isNull()) {
        picture = capturePage();
        // Paper is still worth having when the picture cannot be kept.
        writeSavedPicture(file, picture);
    }
    PicturePrinter::print(this, picture, file);
}

void CSummaryReport::OnExportPdf() {
    const QString bitmap = savedReportFile();
    QImage picture;
    if (QFileInfo::exists(bitmap))
        picture = QImage(bitmap);
    if (picture.isNull()) {
        picture = capturePage();
        if (!writeSavedPicture(bitmap, picture))
            return;
    }
    const QString pdf = bitmap.left(bitmap.size() - 4) + QStringLiteral(".pdf");
    QString error;
    if (!PicturePrinter::exportPdf(picture, pdf, &error)) {
        theApp().ShowTip(TextLookup::text("IDS_WARN_CATCH") + pdf + QStringLiteral(": ") + error,
                         CTessalyApp::TipError);
        return;
    }
    theApp().ShowTip(TextLookup::text("IDS_SAVE_SUCCESS") + QStringLiteral(" ") + pdf,
                     CTessalyApp::TipSuccess);
}
