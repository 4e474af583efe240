#pragma once

#include "ItemResult.h"

#include <QWidget>

// The result page of one skin item inside the main window's content area.
//
// This first version shows the item's name, score, graded texts and its
// detection and analysis pictures; the score ring, scale, reference picture,
// member header and product list come with the reports.
//
// Threading: GUI thread only.
class CSingleReportDlg : public QWidget {
    Q_OBJECT
public:
    // Copies the pictures and texts, so the page stays valid when the main
    // window's results change.
    CSingleReportDlg(int item, int score, const cv::Mat& detection, const cv::Mat& analysis,
                     const QString& resultText, const QString& suggestionText, QWidget* mainWindow);

    int item() const { return m_result.item; }
    int score() const { return m_result.score; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ItemResult m_result;
    QString m_resultText;
    QString m_suggestionText;
};
