#include "SharedFonts.h"

#include "CTessalyApp.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

struct FontSet {
    int language = 0;
    QFont mainTitle, title, label, message, text, score;
};

FontSet buildSet(int language) {
    const SharedFonts::Heights h = SharedFonts::heightsFor(language);
    FontSet set;
    set.language = language;
    set.mainTitle = SharedFonts::faceFont(h.mainTitle);
    set.title = SharedFonts::faceFont(h.title);
    set.label = SharedFonts::faceFont(h.label);
    set.message = SharedFonts::faceFont(h.message);
    set.text = SharedFonts::faceFont(h.text);
    set.score = SharedFonts::faceFont(h.score);
    return set;
}

FontSet& fonts() {
    static FontSet set = buildSet(0);
    return set;
}

} // namespace

SharedFonts::Heights SharedFonts::heightsFor(int language) {
    if (language == 2)
        return {28, 30, 20, 28, 22, 30};
    return {40, 30, 24, 30, 22, 30};
}

void SharedFonts::rebuild(int language) {
    fonts() = buildSet(language);
}

int SharedFonts::language() {
    return fonts().language;
}

const QFont& SharedFonts::mainTitle() {
    return fonts().mainTitle;
}
const QFont& SharedFonts::title() {
    return fonts().title;
}
const QFont& SharedFonts::label() {
    return fonts().label;
}
const QFont& SharedFonts::message() {
    return fonts().message;
}
const QFont& SharedFonts::text() {
    return fonts().text;
}
const QFont& SharedFonts::score() {
    return fonts().score;
}

QFont SharedFonts::faceFont(int pixelHeight, QFont::Weight weight) {
    QFont font(QStringLiteral("微软雅黑"));
    font.setStyleHint(QFont::SansSerif);
    // The screens were laid out with cell heights (ascent + descent), while Qt's
    // pixel size is the em square. The face's own proportion converts one into
    // the other, so whichever CJK face stands in fills the same lines.
    static const double emPerCell = [] {
        QFont probe(QStringLiteral("微软雅黑"));
        probe.setStyleHint(QFont::SansSerif);
        probe.setPixelSize(100);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        return cell > 0 ? 100.0 / cell : 1.0;
    }();
    font.setPixelSize(std::max(1, qRound(std::max(pixelHeight, 1) * emPerCell)));
    font.setWeight(weight);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

int SharedFonts::currentLanguage() {
    const CTessalyApp* app = CTessalyApp::instance();
    return app ? app->m_nLanguage : 0;
}
