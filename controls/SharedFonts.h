#pragma once

#include <QFont>

// The six fonts every screen shares (main title, title, label, message, text,
// score). They depend on the language: the screen that changes the language calls
// rebuild() with the new index, and every screen reads them afterwards. Until the
// first rebuild() they hold the sizes of language index 0.
//
// Threading: GUI thread only.
class SharedFonts {
public:
    struct Heights {
        int mainTitle;
        int title;
        int label;
        int message;
        int text;
        int score;
    };

    // Pixel heights of a language index; English (2) uses smaller main title,
    // label and message fonts, every other index (0, 1, -1) the larger ones.
    static Heights heightsFor(int language);

    // Recreates all six fonts for a language index.
    static void rebuild(int language);
    // Language index the fonts were last built for.
    static int language();

    static const QFont& mainTitle();
    static const QFont& title();
    static const QFont& label();
    static const QFont& message();
    static const QFont& text();
    static const QFont& score();

    // The interface face whose line (ascent + descent) is pixelHeight high: "微软雅黑" (replaced by
    // the machine's CJK sans-serif through the font substitutions made at start-up).
    static QFont faceFont(int pixelHeight, QFont::Weight weight = QFont::Normal);

    // Language index of the application state, or 0 when there is none (tests).
    static int currentLanguage();
};
