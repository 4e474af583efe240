#include "GradedTextTable.h"

#include <utility>

namespace {

bool insideTable(int item, int grade) {
    return item >= 0 && item < kSkinItemCount && grade >= 0 && grade < GradedTextTable::kGradeCount;
}

} // namespace

int GradedTextTable::gradeOf(int score) {
    if (score >= 90)
        return 0;
    if (score >= 80)
        return 1;
    if (score >= 70)
        return 2;
    if (score >= 60)
        return 3;
    return 4;
}

void GradedTextTable::setTexts(int item, int grade, std::string result, std::string suggestion) {
    if (!insideTable(item, grade))
        return;
    const auto i = static_cast<std::size_t>(item);
    const auto g = static_cast<std::size_t>(grade);
    m_result[i][g] = std::move(result);
    m_suggestion[i][g] = std::move(suggestion);
}

const std::string& GradedTextTable::resultText(int item, int score) const {
    return lookup(m_result, item, score);
}

const std::string& GradedTextTable::suggestionText(int item, int score) const {
    return lookup(m_suggestion, item, score);
}

const std::string& GradedTextTable::lookup(const Grid& grid, int item, int score) {
    static const std::string empty;
    const int grade = gradeOf(score);
    if (!insideTable(item, grade))
        return empty;
    return grid[static_cast<std::size_t>(item)][static_cast<std::size_t>(grade)];
}
