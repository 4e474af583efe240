#pragma once

#include "ItemResult.h"
#include "ProductPickerOwner.h"
#include "ProductRecord.h"
#include "SingleReportGeometry.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <vector>

class CGdipButton;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;

// The result page of one skin item inside the main window's content area: the
// member header, the score as an animated ring and a pointer on the 0-100 scale,
// the graded result and suggestion texts, the reference, detection and analysis
// pictures (magnifier buttons and double-click open the zoom viewer) and the
// products the operator recommends for the item, which the summary report
// collects through products().
//
// Everything the page shows is read when it is built (pictures, reference
// picture, background, member header) or when the product list changes;
// painting reads no file and queries no database.
//
// Threading: GUI thread only. The animation is a GUI-thread timer owned by the
// page, so the page can be destroyed at any moment.
class CSingleReportDlg : public QWidget, public ProductPickerOwner {
    Q_OBJECT
public:
    // Copies the pictures and texts, so the page stays valid when the main
    // window's results change; starts the score animation.
    CSingleReportDlg(int item, int score, const cv::Mat& detection, const cv::Mat& analysis,
                     const QString& resultText, const QString& suggestionText, QWidget* mainWindow);
    ~CSingleReportDlg() override;

    int item() const { return m_result.item; }
    int score() const { return m_result.score; }

    // The recommended products in the order they were added.
    const std::vector<ProductRecord>& products() const { return m_products; }
    void appendRecommendedProduct(const ProductRecord& product) override;

    // The ring's current value and whether the animation has ended.
    int ringValue() const { return m_value; }
    bool animationFinished() const { return m_finished; }
    bool hasReferencePicture() const { return !m_reference.empty(); }

    // Which picture a double-click at a page point would open.
    SingleReportGeometry::Picture pictureAt(const QPoint& point) const;

public slots:
    void OnAddProduct();
    void OnRemoveProduct();
    void OnZoomReference();
    void OnZoomDetection();
    void OnZoomAnalysis();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private slots:
    void OnTimer();

private:
    void buildControls();
    void layoutControls();
    void showMemberHeader();
    void loadReferencePicture();
    void scalePictures();
    void rebuildProductList();
    void finishAnimation();
    void zoom(const cv::Mat& picture);
    const cv::Mat& picture(SingleReportGeometry::Picture which) const;
    QRect ringRect() const;

    ItemResult m_result;
    QString m_resultText;
    QString m_suggestionText;
    cv::Mat m_reference;
    QImage m_background;
    // The three pictures scaled to their boxes, redone when the page is resized.
    std::array<QImage, 3> m_scaled;
    std::vector<ProductRecord> m_products;

    int m_value = 0;
    bool m_finished = false;
    QTimer* m_timer = nullptr;

    QLabel* m_scoreNumber = nullptr; // 1264
    QLabel* m_scale = nullptr;       // 1265
    QLabel* m_pointer = nullptr;     // 1273
    QPlainTextEdit* m_resultBox = nullptr;
    QPlainTextEdit* m_suggestionBox = nullptr;
    // Picture boxes in the order of SingleReportGeometry::Picture.
    std::array<QWidget*, 3> m_pictureBoxes{};
    std::array<QLabel*, 3> m_pictureCaptions{};
    std::array<CGdipButton*, 3> m_magnifiers{};
    QLabel* m_productsCaption = nullptr;
    QListWidget* m_productList = nullptr; // 1102
    CGdipButton* m_add = nullptr;
    CGdipButton* m_remove = nullptr;
    std::array<QLabel*, 6> m_header{};
    QLabel* m_scoreCaption = nullptr;
    QLabel* m_resultCaption = nullptr;
    QLabel* m_suggestionCaption = nullptr;
};
