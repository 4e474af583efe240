#pragma once

#include <QWidget>

#include <QList>
#include <QPair>
#include <QString>

#include <array>

class QLabel;
class QPlainTextEdit;

// The page on which the operator edits one skin item's graded texts: five
// symptom texts and five suggestion texts, one of each per grade. The settings
// screen holds one page per item and asks each to save.
//
// Threading: GUI thread only.
class CSuggestionDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGrades = 5;

    CSuggestionDlg(int item, QWidget* parent);

    int item() const { return m_item; }

    // Writes the ten boxes into the current language's section of the presetting
    // file in one replacement of the file. False when the write failed.
    bool Save();

    // The ten boxes as presetting keys and texts, symptom boxes first, in grade
    // order: what Save() writes, for a caller that saves several pages at once.
    QList<QPair<QString, QString>> entries() const;

    // Each box takes only as much text as the presetting file gives back
    // whole (Presetting::kMaxStoredChars, counted after escaping): typed or
    // pasted text beyond it is refused where it was inserted.
    static void limitBox(QPlainTextEdit* box);

    // The score that loads each grade column (one inside each grade).
    static constexpr std::array<int, kGrades> kColumnScores{95, 85, 75, 65, 50};
    // Control ids of the column captions and of the two rows of boxes.
    static constexpr std::array<int, kGrades> kCaptionIds{1292, 1291, 1290, 1289, 1293};
    static constexpr std::array<int, kGrades> kResultIds{1218, 1219, 1175, 1178, 1222};
    static constexpr std::array<int, kGrades> kSuggestionIds{1223, 1224, 1225, 1226, 1227};

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutControls();

    int m_item;
    std::array<QLabel*, kGrades> m_captions{};
    std::array<QPlainTextEdit*, kGrades> m_results{};
    std::array<QPlainTextEdit*, kGrades> m_suggestions{};
    QLabel* m_scoreHeading = nullptr;
    QLabel* m_resultHeading = nullptr;
    QLabel* m_suggestHeading = nullptr;
};
