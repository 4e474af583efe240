#pragma once

#include "AnalysisRun.h"
#include "ProductRecord.h"

#include <QBasicTimer>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class CGdipButton;
class LimitedTextEdit;
class QLabel;
class QListWidget;

// The page that sums up a visit inside the main window's content area: member
// header, date, organisation name, eight animated bars with their numbers, the
// radar chart, the overall and expert suggestions, the recommended products,
// and the commands Save (fresh results only), Print and export PDF.
//
// Everything the page shows is read when it opens (scores, texts, the
// catalogue, pictures) or when it is shown again (the products chosen on the
// single-item pages); painting reads no file and queries no database.
//
// Threading: GUI thread only. The page keeps a pointer to the main window's
// item results for Save; the main window deletes the page before it changes them.
class CSummaryReport : public QWidget {
    Q_OBJECT
public:
    struct Sources {
        // History mode: the stored visit's folder, for its free texts and products.
        QString visitFolder;
        // Fresh mode: the products chosen on the single-item pages, in item order.
        std::function<std::vector<ProductRecord>()> products;
    };

    // fromHistory: 1 when the page shows a stored visit.
    CSummaryReport(int fromHistory, const ItemResults& items, QWidget* mainWindow,
                   Sources sources = {});
    ~CSummaryReport() override;

    int fromHistory() const { return m_fromHistory; }
    const std::array<int, 8>& scores() const { return m_scores; }

    // Bar animation state: the counter (0..100) and whether it has finished.
    int animationCounter() const { return m_counter; }
    bool animationFinished() const { return m_finished; }
    bool animationStarted() const { return m_animationStarted; }
    // Runs the rest of the animation at once (offscreen rendering, tests).
    void finishAnimation();

    QString overallSuggestion() const;
    QString expertSuggestion() const;
    // The product list's rows, in order.
    QStringList productRows() const;
    const QImage& radarPicture() const { return m_radar; }

    // The page as the saved picture shows it: without its command buttons.
    QImage capturePage();

    // The commands, also reachable for the report tool and tests.
    void OnSave();
    void OnPrint();
    void OnExportPdf();

    // The saved picture this page would write now ("Guests-Image/<member>/Report/...bmp").
    QString savedReportFile() const;

    // Tests fix the clock (visit stamps, saved picture names).
    static void setClockForTesting(std::function<QDateTime()> clock);

    static constexpr QSize kDesignSize{1120, 800};

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void setTexts();
    bool loadCatalogue();
    void buildRadar();
    void rebuildProductList();
    void addProduct(const ProductRecord& product);
    void animationStep();
    void setButtonsVisible(bool visible);
    bool writeSavedPicture(const QString& file, const QImage& picture);

    int m_fromHistory;
    const ItemResults* m_items;
    Sources m_sources;
    std::array<int, 8> m_scores{};
    QString m_storedProducts;
    QList<ProductRecord> m_catalogue;
    QImage m_background;
    QPixmap m_scaledBackground;
    QImage m_radar;

    QBasicTimer m_timer;
    int m_counter = 0;
    bool m_finished = false;
    bool m_animationStarted = false;

    std::array<QLabel*, 8> m_itemLabels{};
    std::array<QLabel*, 8> m_numbers{};
    QLabel* m_radarArea = nullptr;
    LimitedTextEdit* m_suggestion = nullptr;
    LimitedTextEdit* m_expert = nullptr;
    QListWidget* m_products = nullptr;
    CGdipButton* m_save = nullptr;
    CGdipButton* m_print = nullptr;
    CGdipButton* m_pdf = nullptr;
};
