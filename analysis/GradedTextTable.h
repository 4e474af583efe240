#pragma once

#include "SkinItem.h"

#include <array>
#include <string>

// The graded symptom and suggestion texts of every skin item, as one value.
//
// The GUI thread fills a table from the presetting file before a run starts and
// hands it to the worker by value, so the worker never reads a file or the
// application state. Texts are UTF-8; a missing entry is an empty text.
//
// Threading: plain value; a const table may be read from any thread.
class GradedTextTable {
public:
    static constexpr int kGradeCount = 5;

    // Grade 0 (90 and above), 1 (80-89), 2 (70-79), 3 (60-69), 4 (below 60).
    static int gradeOf(int score);

    // Stores the texts of item at grade; indexes outside the table are ignored.
    void setTexts(int item, int grade, std::string result, std::string suggestion);

    // The texts for item at the grade of score; empty for an unknown item.
    const std::string& resultText(int item, int score) const;
    const std::string& suggestionText(int item, int score) const;

private:
    using Grid = std::array<std::array<std::string, kGradeCount>, kSkinItemCount>;
    static const std::string& lookup(const Grid& grid, int item, int score);

    Grid m_result;
    Grid m_suggestion;
};
