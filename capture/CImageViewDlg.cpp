#include "CImageViewDlg.h"

#include "CTessalyApp.h"
#include "TextLookup.h"
#include "ViewerGeometry.h"

#include <QAction>
#include <QDateTime>
#include <QFileDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

namespace {

CImageViewDlg::SaveDialogHook& saveDialogHook() {
    static CImageViewDlg::SaveDialogHook hook;
    return hook;
}

QImage toImage(const cv::Mat& picture) {
    if (picture.empty() || picture.depth() != CV_8U)
        return {};
    cv::Mat bgr;
    if (picture.channels() == 1)
        cv::cvtColor(picture, bgr, cv::COLOR_GRAY2BGR);
    else if (picture.channels() == 4)
        cv::cvtColor(picture, bgr, cv::COLOR_BGRA2BGR);
    else
        bgr = picture;
    return QImage(bgr.data, bgr.cols, bgr.rows, int(bgr.step), QImage::Format_BGR888).copy();
}

} // namespace

CImageViewDlg::CImageViewDlg(const cv::Mat& picture, QWidget* parent)
    : ZoomingViewer(parent), m_picture(picture.clone()), m_shown(toImage(m_picture)) {
    setObjectName(QStringLiteral("403"));
}

CImageViewDlg::~CImageViewDlg() = default;

void CImageViewDlg::setSaveDialogHook(SaveDialogHook hook) {
    saveDialogHook() = std::move(hook);
}

void CImageViewDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_shown.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(pictureArea(), m_shown);
    }
}

void CImageViewDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        showContextMenu(event->globalPosition().toPoint());
        return;
    }
    ZoomingViewer::mouseReleaseEvent(event);
}

void CImageViewDlg::showContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("438"));
    QAction* saveAs = menu.addAction(QStringLiteral("图片另存为"));
    saveAs->setObjectName(QStringLiteral("32772"));
    if (menu.exec(globalPos) == saveAs)
        savePictureAs();
}

bool CImageViewDlg::savePictureAs() {
    const QString folder = theApp().m_strMemberImagePath.isEmpty() ? theApp().m_strImagePath
                                                                   : theApp().m_strMemberImagePath;
    const QString proposed =
        folder + '/' + ViewerGeometry::proposedJpegName(QDateTime::currentDateTime());
    QString chosen;
    if (saveDialogHook())
        chosen = saveDialogHook()(this, proposed);
    else
        chosen = QFileDialog::getSaveFileName(this, QString(), proposed,
                                              QStringLiteral("Image file (*.jpg)"));
    if (chosen.isEmpty())
        return false;
    return !writeJpeg(chosen).isEmpty();
}

QString CImageViewDlg::writeJpeg(const QString& path) {
    const QString target = ViewerGeometry::jpegPath(path);
    std::vector<uchar> bytes;
    QString reason;
    if (m_picture.empty() || !cv::imencode(".jpg", m_picture, bytes)) {
        reason = QStringLiteral("the picture cannot be encoded");
    } else {
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
                qint64(bytes.size()) ||
            !file.commit()) {
            reason = file.errorString() + " (" + target + ")";
        }
    }
    if (!reason.isEmpty()) {
        theApp().ShowTip(TextLookup::text("IDS_WARN_CATCH") + reason, CTessalyApp::TipError);
        return {};
    }
    return target;
}
