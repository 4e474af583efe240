#pragma once

#include <QString>

// Texts by text key from the current language file, the language choice, the
// grading of scores and the graded symptom and suggestion texts of the
// presetting file.
//
// Threading: GUI thread only; the lookups read the application state and may
// restore a missing presetting file. The analysis worker gets its graded texts
// as a table built beforehand (Presetting::gradedTextRows).
class TextLookup {
public:
    // Text of key from section "Setting" of the current language file; "Not found"
    // when the file or key is missing. At most 999 characters; backslash + "n"
    // becomes a line feed.
    static QString text(const char* key);
    static QString text(const QString& key);

    // Grade 0 (90 and above) to 4 (below 60).
    static int gradeOf(int score);

    // Graded symptom text (column grade) and suggestion text (column grade + 5)
    // of item; empty when missing. Restores a missing presetting file first.
    static QString resultText(int item, int score);
    static QString suggestionText(int item, int score);

    // Language file of the language index (folder "Language"): 0 Simplified
    // Chinese, 1 Traditional Chinese, anything else English. Stores its path in
    // the application state; a missing file of languages 0-2 gives an error tip,
    // and so does a damaged one (a tip naming the file, which stays untouched).
    static QString languageFileName(int index);
    static void chooseLanguageFile(int index);

    // True for a language file that cannot be read or has no entry in section
    // "Setting".
    static bool isDamagedLanguageFile(const QString& path);

    // The tip shown when the chosen language's file is missing (empty for other indexes).
    static QString languageMissingTip(int index);
};
