#include "ScreenParts.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "SharedFonts.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>

CGdipButton* ScreenParts::button(QWidget* parent, int id, int image, const QRect& geometry,
                                 const QString& text, const QColor& colour) {
    auto* b = new CGdipButton(parent);
    b->setObjectName(idName(id));
    b->setGeometry(geometry);
    b->LoadStdImage(image);
    if (!text.isEmpty())
        b->SetText(text, SharedFonts::currentLanguage(), 0, 0, kButtonTextHeight,
                   CGdipButton::AlignCentre, colour, 0);
    return b;
}

QLabel* ScreenParts::label(QWidget* parent, int id, const QRect& geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(idName(id));
    l->setGeometry(geometry);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kInk);
    l->setPalette(pal);
    return l;
}

QLineEdit* ScreenParts::lineEdit(QWidget* parent, int id, const QRect& geometry,
                                 const QColor& background, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(idName(id));
    e->setGeometry(geometry);
    e->setMaxLength(maxLength);
    e->setFrame(false);
    e->setTextMargins(8, 0, 8, 0);
    e->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid "
                                    "rgb(230,230,230); border-radius: 4px; }")
                         .arg(background.name(), kInk.name()));
    return e;
}

void ScreenParts::setTextWithin(QLineEdit* edit, const QString& text, int maxLength) {
    edit->setMaxLength(std::max(maxLength, static_cast<int>(text.size())));
    edit->setText(text);
}

QImage ScreenParts::background(const QString& file) {
    return QImage(theApp().m_strSkinPath + file);
}

void ScreenParts::styleList(CMyListCtrl* list, int rowHeight) {
    list->ShowHeader(true);
    list->SetAlignment(1);
    list->SetRowHeight(rowHeight);
    list->SetFont(21, 0);
}
