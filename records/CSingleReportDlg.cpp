#include "CSingleReportDlg.h"

#include "CGdiPlusBitmapResource.h"
#include "CGdipButton.h"
#include "CImageViewDlg.h"
#include "CProductListDlg.h"
#include "CTessalyApp.h"
#include "CurrentMember.h"
#include "CvvImage.h"
#include "DataTips.h"
#include "MemberRecord.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

#include <opencv2/imgcodecs.hpp>

namespace geo = SingleReportGeometry;

namespace {

constexpr QColor kLabelInk{80, 80, 80};
constexpr QColor kBoxInk{20, 20, 20};
constexpr QColor kBoxBackground{245, 245, 245};
constexpr QColor kListBackground{244, 244, 244};
constexpr int kThumbnail = 80;
constexpr int kIconSpacing = 100;
constexpr int kMargin = 30;
constexpr int kCaptionHeight = 28;
constexpr int kLeftColumn = 320;
constexpr int kScoreBox = 140;
constexpr int kButton = 40;

// A static in the page's label colour; `transparent` false gives it the white
// background every other static of the page has.
QLabel* pageLabel(QWidget* page, int id, const QFont& font, bool transparent) {
    QLabel* l = ScreenParts::label(page, id, QRect());
    l->setFont(font);
    if (!transparent) {
        l->setAutoFillBackground(true);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, Qt::white);
        l->setPalette(pal);
    }
    return l;
}

QPlainTextEdit* readOnlyBox(QWidget* page, int id) {
    auto* box = new QPlainTextEdit(page);
    box->setObjectName(ScreenParts::idName(id));
    box->setReadOnly(true);
    // Graded texts are sentences: they wrap at the box's edge and never scroll sideways.
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFrameShape(QFrame::NoFrame);
    box->setFont(SharedFonts::text());
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, kBoxBackground);
    pal.setColor(QPalette::Text, kBoxInk);
    box->setPalette(pal);
    return box;
}

QPixmap resourcePixmap(int id) {
    CGdiPlusBitmapResource bitmap;
    if (!bitmap.Load(id, QStringLiteral("BITMAP")))
        return {};
    return QPixmap::fromImage(bitmap.image());
}

// The product's picture as an 80 x 80 icon (stretched whatever its shape),
// white counting as transparent; a null icon when the file cannot be read.
QIcon productThumbnail(const QString& path) {
    if (path.isEmpty())
        return {};
    // Decoded straight at thumbnail size: a product photo of many megapixels
    // costs no more than a small one.
    QImageReader reader(path);
    reader.setScaledSize(QSize(kThumbnail, kThumbnail));
    const QImage picture = reader.read();
    if (picture.isNull())
        return {};
    QImage thumb =
        picture.scaled(kThumbnail, kThumbnail, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < thumb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(thumb.scanLine(y));
        for (int x = 0; x < thumb.width(); ++x)
            if ((line[x] & 0x00ffffffu) == 0x00ffffffu)
                line[x] = 0;
    }
    return QIcon(QPixmap::fromImage(thumb));
}

} // namespace

CSingleReportDlg::CSingleReportDlg(int item, int score, const cv::Mat& detection,
                                   const cv::Mat& analysis, const QString& resultText,
                                   const QString& suggestionText, QWidget* mainWindow)
    : QWidget(mainWindow), m_result(item), m_resultText(resultText),
      m_suggestionText(suggestionText) {
    setObjectName(QStringLiteral("358"));
    m_result.score = score;
    m_result.detectionImage = detection.empty() ? cv::Mat() : detection.clone();
    m_result.analysisImage = analysis.empty() ? cv::Mat() : analysis.clone();
    m_background = ScreenParts::background(QStringLiteral("singlereport_bk.bmp"));

    buildControls();
    showMemberHeader();
    m_resultBox->setPlainText(m_resultText);
    m_suggestionBox->setPlainText(m_suggestionText);
    loadReferencePicture();
    layoutControls();

    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CSingleReportDlg::OnTimer);
    m_timer->start(geo::kTickMs);
}

CSingleReportDlg::~CSingleReportDlg() = default;

void CSingleReportDlg::buildControls() {
    static const char* const headerKeys[] = {"IDS_MEMBER_NAME", "IDS_MEMBER_SEX", "IDS_MEMBER_AGE"};
    static const int headerIds[] = {1101, 1106, 1107, 1108, 1109, 1110};
    for (int i = 0; i < 6; ++i) {
        m_header[i] = pageLabel(this, headerIds[i], SharedFonts::label(), true);
        if (i % 2 == 0)
            m_header[i]->setText(TextLookup::text(headerKeys[i / 2]));
    }

    m_scoreCaption = pageLabel(this, 1259, SharedFonts::label(), false);
    m_scoreCaption->setText(TextLookup::text("IDS_THIS_SCORE"));
    m_scoreNumber = pageLabel(this, 1264, SharedFonts::score(), true);
    m_scoreNumber->setAlignment(Qt::AlignCenter);
    m_scoreNumber->setText(QString::number(0));

    m_scale = pageLabel(this, 1265, SharedFonts::label(), false);
    m_scale->setPixmap(resourcePixmap(424));
    m_scale->setScaledContents(true);
    m_pointer = pageLabel(this, 1273, SharedFonts::label(), false);
    m_pointer->setPixmap(resourcePixmap(364));
    m_pointer->setScaledContents(true);

    m_resultCaption = pageLabel(this, 1263, SharedFonts::label(), false);
    m_resultCaption->setText(TextLookup::text("IDS_RESULT"));
    m_resultBox = readOnlyBox(this, 1262);
    m_suggestionCaption = pageLabel(this, 1282, SharedFonts::label(), false);
    m_suggestionCaption->setText(TextLookup::text("IDS_SUGGEST"));
    m_suggestionBox = readOnlyBox(this, 1268);

    // The page paints the pictures itself; the boxes mark where, and let the
    // double-click through to the page.
    static const int pictureIds[] = {1261, 1270, 1260};
    static const int captionIds[] = {1267, 1271, 1269};
    static const char* const captionKeys[] = {"IDS_REPORT_IMAGE_JCT", "IDS_REPORT_IMAGE_ZZT",
                                              "IDS_REPORT_IMAGE_NORMAL"};
    static const int magnifierIds[] = {1211, 1210, 1209};
    for (int i = 0; i < 3; ++i) {
        m_pictureBoxes[i] = new QWidget(this);
        m_pictureBoxes[i]->setObjectName(ScreenParts::idName(pictureIds[i]));
        m_pictureBoxes[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_pictureCaptions[i] = pageLabel(this, captionIds[i], SharedFonts::label(), true);
        m_pictureCaptions[i]->setAlignment(Qt::AlignCenter);
        m_pictureCaptions[i]->setText(TextLookup::text(captionKeys[i]));
        m_magnifiers[i] = ScreenParts::button(this, magnifierIds[i], 425, QRect());
    }
    connect(m_magnifiers[geo::AnalysisPicture], &QAbstractButton::clicked, this,
            &CSingleReportDlg::OnZoomAnalysis);
    connect(m_magnifiers[geo::DetectionPicture], &QAbstractButton::clicked, this,
            &CSingleReportDlg::OnZoomDetection);
    connect(m_magnifiers[geo::ReferencePicture], &QAbstractButton::clicked, this,
            &CSingleReportDlg::OnZoomReference);

    m_productsCaption = pageLabel(this, 1266, SharedFonts::label(), true);
    m_productsCaption->setText(TextLookup::text("IDS_PRODUCT_MANAGE"));
    m_productList = new QListWidget(this);
    m_productList->setObjectName(ScreenParts::idName(1102));
    m_productList->setViewMode(QListView::IconMode);
    m_productList->setMovement(QListView::Static);
    m_productList->setResizeMode(QListView::Adjust);
    m_productList->setWrapping(true);
    m_productList->setIconSize(QSize(kThumbnail, kThumbnail));
    m_productList->setGridSize(QSize(kIconSpacing, kIconSpacing));
    m_productList->setFrameShape(QFrame::NoFrame);
    // The tiles are 100 x 100 around an 80 x 80 thumbnail: the name gets one
    // short line below it.
    QFont tileFont = SharedFonts::label();
    tileFont.setPixelSize(13);
    m_productList->setFont(tileFont);
    m_productList->setTextElideMode(Qt::ElideRight);
    m_productList->setSpacing(0);
    QPalette listPalette = m_productList->palette();
    listPalette.setColor(QPalette::Base, kListBackground);
    listPalette.setColor(QPalette::Text, kLabelInk);
    m_productList->setPalette(listPalette);

    m_add = ScreenParts::button(this, 1207, 366, QRect());
    m_remove = ScreenParts::button(this, 1208, 367, QRect());
    connect(m_add, &QAbstractButton::clicked, this, &CSingleReportDlg::OnAddProduct);
    connect(m_remove, &QAbstractButton::clicked, this, &CSingleReportDlg::OnRemoveProduct);
}

void CSingleReportDlg::showMemberHeader() {
    const MemberRecord& member = CurrentMember::get();
    const bool chosen = member.selected == 1;
    m_header[1]->setText(chosen ? member.name : QStringLiteral("Customer"));
    m_header[3]->setText(chosen ? member.sex : QStringLiteral("-"));
    m_header[5]->setText(chosen ? member.age : QStringLiteral("-"));
    for (int i = 1; i < 6; i += 2)
        m_header[i]->setToolTip(m_header[i]->text());
}

void CSingleReportDlg::loadReferencePicture() {
    const QString file = geo::referencePictureFile(m_result.item);
    if (!file.isEmpty()) {
        const QString path = theApp().m_strAppPath + QStringLiteral("PreSetting/image/") + file;
        m_reference = cv::imread(QFile::encodeName(path).toStdString(), cv::IMREAD_COLOR);
    }
    // A missing reference picture leaves its box empty and its zoom inactive.
    m_magnifiers[geo::ReferencePicture]->setEnabled(!m_reference.empty());
    m_magnifiers[geo::DetectionPicture]->setEnabled(!m_result.detectionImage.empty());
    m_magnifiers[geo::AnalysisPicture]->setEnabled(!m_result.analysisImage.empty());
}

void CSingleReportDlg::layoutControls() {
    const int w = std::max(width(), 900);
    const int h = std::max(height(), 620);

    // Member header across the top.
    static const int headerWidths[] = {70, 170, 60, 90, 60, 70};
    int x = kMargin;
    for (int i = 0; i < 6; ++i) {
        m_header[i]->setGeometry(x, 12, headerWidths[i], kCaptionHeight);
        x += headerWidths[i] + (i % 2 ? 20 : 0);
    }

    // Left column: score ring, scale, products.
    m_scoreCaption->setGeometry(kMargin, 52, kLeftColumn, kCaptionHeight);
    m_scoreNumber->setGeometry(kMargin + (kLeftColumn - kScoreBox) / 2, 100, kScoreBox, kScoreBox);
    m_scale->setGeometry(kMargin, 292, kLeftColumn, 26);
    m_pointer->setGeometry(
        geo::pointerRect(m_scale->geometry(), m_finished ? m_result.score : m_value));
    const int buttonsTop = h - kMargin - kButton;
    m_productsCaption->setGeometry(kMargin, 330, kLeftColumn, kCaptionHeight);
    m_productList->setGeometry(kMargin, 362, kLeftColumn,
                               std::max(kIconSpacing + 4, buttonsTop - 10 - 362));
    m_add->setGeometry(kMargin, buttonsTop, kButton, kButton);
    m_remove->setGeometry(kMargin + kButton + 12, buttonsTop, kButton, kButton);

    // Right area: the three pictures in a row at the bottom, texts above them.
    const int left = kMargin + kLeftColumn + 30;
    const int areaWidth = w - left - kMargin;
    const int pictureWidth = (areaWidth - 40) / 3;
    const int pictureHeight = pictureWidth * 3 / 4;
    const int pictureTop = h - kMargin - kCaptionHeight - pictureHeight;
    // Left to right: reference, detection, analysis.
    const geo::Picture order[] = {geo::ReferencePicture, geo::DetectionPicture,
                                  geo::AnalysisPicture};
    for (int i = 0; i < 3; ++i) {
        const QRect box(left + i * (pictureWidth + 20), pictureTop, pictureWidth, pictureHeight);
        m_pictureBoxes[order[i]]->setGeometry(box);
        m_pictureCaptions[order[i]]->setGeometry(box.x(), box.y() + box.height() + 2, box.width(),
                                                 kCaptionHeight - 2);
        m_magnifiers[order[i]]->setGeometry(geo::magnifierRect(box));
        m_magnifiers[order[i]]->raise();
    }
    const int textBottom = pictureTop - 20;
    const int boxHeight = std::max(60, (textBottom - 52 - 2 * kCaptionHeight - 12) / 2);
    m_resultCaption->setGeometry(left, 52, 160, kCaptionHeight);
    m_resultBox->setGeometry(left, 52 + kCaptionHeight, areaWidth, boxHeight);
    const int suggestionTop = 52 + kCaptionHeight + boxHeight + 12;
    m_suggestionCaption->setGeometry(left, suggestionTop, 160, kCaptionHeight);
    m_suggestionBox->setGeometry(left, suggestionTop + kCaptionHeight, areaWidth, boxHeight);

    scalePictures();
}

void CSingleReportDlg::scalePictures() {
    for (int i = 0; i < 3; ++i) {
        const cv::Mat& source = picture(static_cast<geo::Picture>(i));
        const QSize size = m_pictureBoxes[i]->size();
        m_scaled[i] = QImage();
        if (source.empty() || size.isEmpty())
            continue;
        m_scaled[i] = QImage(size, QImage::Format_RGB32);
        m_scaled[i].fill(Qt::white);
        QPainter p(&m_scaled[i]);
        CvvImage holder;
        holder.copyOf(source, 1);
        holder.drawToRect(p, QRect(QPoint(0, 0), size));
    }
}

const cv::Mat& CSingleReportDlg::picture(geo::Picture which) const {
    static const cv::Mat none;
    switch (which) {
    case geo::AnalysisPicture:
        return m_result.analysisImage;
    case geo::DetectionPicture:
        return m_result.detectionImage;
    case geo::ReferencePicture:
        return m_reference;
    default:
        return none;
    }
}

QRect CSingleReportDlg::ringRect() const {
    return geo::ringSquare(m_scoreNumber->geometry());
}

void CSingleReportDlg::resizeEvent(QResizeEvent*) {
    layoutControls();
}

void CSingleReportDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_background.isNull())
        p.drawImage(rect(), m_background);

    // The reference picture does not depend on the capture, so it is drawn
    // even for a stored visit whose detection picture is missing.
    for (int i = 0; i < 3; ++i)
        if (!m_scaled[i].isNull())
            p.drawImage(m_pictureBoxes[i]->geometry().topLeft(), m_scaled[i]);

    p.setRenderHint(QPainter::Antialiasing);
    const QRect ring = ringRect();
    // The pen is centred on the ring's square, half of it inside.
    const QRectF path = QRectF(ring).adjusted(geo::kRingPen / 2.0, geo::kRingPen / 2.0,
                                              -geo::kRingPen / 2.0, -geo::kRingPen / 2.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(geo::ringBackgroundColour(), geo::kRingPen));
    p.drawEllipse(path);
    const int shown = m_finished ? geo::ringValue(m_result.score) : m_value;
    if (shown > 0) {
        p.setPen(QPen(geo::scoreColour(shown), geo::kRingPen, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(path, geo::arcStartSixteenths(), geo::arcSpanSixteenths(shown));
    }
    p.setPen(geo::innerDiscColour());
    p.setBrush(geo::innerDiscColour());
    p.drawEllipse(m_scoreNumber->geometry());
}

void CSingleReportDlg::OnTimer() {
    const geo::AnimationStep step = geo::nextAnimationStep(m_value, geo::ringValue(m_result.score));
    if (step.finished) {
        finishAnimation();
        return;
    }
    m_value = step.value;
    m_pointer->setGeometry(geo::pointerRect(m_scale->geometry(), m_value));
    m_scoreNumber->setText(QString::number(m_value));
    update(ringRect());
}

void CSingleReportDlg::finishAnimation() {
    m_timer->stop();
    m_finished = true;
    // The steps of two stop one short of an odd score; the pointer ends on
    // the score itself, like the ring.
    m_pointer->setGeometry(geo::pointerRect(m_scale->geometry(), m_result.score));
    m_scoreNumber->setText(QString::number(m_result.score));
    for (CGdipButton* b : m_magnifiers)
        b->update();
    update(ringRect());
}

void CSingleReportDlg::appendRecommendedProduct(const ProductRecord& product) {
    m_products.push_back(product);
}

void CSingleReportDlg::rebuildProductList() {
    m_productList->clear();
    for (const ProductRecord& product : m_products) {
        QString text = QFileInfo(product.picturePath).completeBaseName();
        // A product stored without a picture would otherwise be an empty tile.
        if (text.isEmpty())
            text = product.name;
        auto* entry = new QListWidgetItem(productThumbnail(product.picturePath), text);
        entry->setToolTip(product.name);
        m_productList->addItem(entry);
    }
}

void CSingleReportDlg::OnAddProduct() {
    CProductListDlg picker(*this, this);
    if (picker.exec() == QDialog::Accepted)
        rebuildProductList();
}

void CSingleReportDlg::OnRemoveProduct() {
    const QList<QListWidgetItem*> selected = m_productList->selectedItems();
    int row = -1;
    for (QListWidgetItem* entry : selected) {
        const int r = m_productList->row(entry);
        if (row < 0 || r < row)
            row = r;
    }
    if (row < 0 || row >= static_cast<int>(m_products.size())) {
        DataTips::info("IDS_SELECT_PRODUCT");
        return;
    }
    m_products.erase(m_products.begin() + row);
    rebuildProductList();
}

void CSingleReportDlg::zoom(const cv::Mat& picture) {
    if (picture.empty())
        return;
    CImageViewDlg viewer(picture, this);
    viewer.exec();
}

void CSingleReportDlg::OnZoomReference() {
    zoom(m_reference);
}

void CSingleReportDlg::OnZoomDetection() {
    zoom(m_result.detectionImage);
}

void CSingleReportDlg::OnZoomAnalysis() {
    zoom(m_result.analysisImage);
}

geo::Picture CSingleReportDlg::pictureAt(const QPoint& point) const {
    std::array<geo::PictureSpot, 3> spots;
    for (int i = 0; i < 3; ++i)
        spots[i] = {m_pictureBoxes[i]->geometry(), !picture(static_cast<geo::Picture>(i)).empty()};
    return geo::pictureAt(point, spots);
}

void CSingleReportDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    zoom(picture(pictureAt(event->position().toPoint())));
}
