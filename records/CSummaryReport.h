#pragma once

#include "ItemResult.h"

#include <QWidget>

#include <array>

// The page that sums up a visit inside the main window's content area.
//
// This first version shows the organisation name and the eight scores as bars
// with their average; the radar chart, suggestions, products, saving and
// printing come with the reports.
//
// Threading: GUI thread only.
class CSummaryReport : public QWidget {
    Q_OBJECT
public:
    // fromHistory: 1 when the page shows a stored visit. Reads the scores once.
    CSummaryReport(int fromHistory, const std::array<ItemResult, 8>& items, QWidget* mainWindow);

    int fromHistory() const { return m_fromHistory; }
    const std::array<int, 8>& scores() const { return m_scores; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_fromHistory;
    std::array<int, 8> m_scores{};
};
