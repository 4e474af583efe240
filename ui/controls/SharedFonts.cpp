#include "SharedFonts.h"

#include "CTessalyApp.h"

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
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
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
