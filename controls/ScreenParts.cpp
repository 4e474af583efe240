#include "ScreenParts.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "LimitedTextEdit.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>

CGdipButton* ScreenParts::button(QWidget* parent, int id, int image, const QRect& geometry,
                                 const QString& text, const QColor& colour) {
    auto* b = new CGdipButton(parent);
    b->setObjectName(idName(id));
    b->setGeometry(geometry);
    b->LoadStdImage(image);
    if (!text.isEmpty())
        b->SetText(text, SharedFonts::currentLanguage(), 0, 0, kButtonTextHeight, AlignCentre,
                   colour, 0);
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
    list->SetAlignment(AlignCentre);
    list->SetRowHeight(rowHeight);
    list->SetFont(21, 0);
}

LimitedTextEdit* ScreenParts::textEdit(QWidget* parent, int id, const QRect& geometry,
                                       int maxLength) {
    auto* e = new LimitedTextEdit(parent);
    e->setObjectName(idName(id));
    e->setGeometry(geometry);
    e->setMaxLength(maxLength);
    e->setStyleSheet(QStringLiteral("QPlainTextEdit { background: %1; color: %2; border: 1px "
                                    "solid rgb(230,230,230); border-radius: 4px; }")
                         .arg(kEditBackground.name(), kInk.name()));
    return e;
}

void ScreenParts::styleRadios(std::initializer_list<QRadioButton*> radios, const QFont& font) {
    for (QRadioButton* r : radios) {
        r->setFont(font);
        r->setStyleSheet(QStringLiteral("color: %1;").arg(kInk.name()));
    }
}

QLabel* ScreenParts::title(QWidget* parent, const QRect& geometry) {
    QLabel* t = label(parent, 1007, geometry);
    t->setFont(SharedFonts::title());
    QPalette white = t->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    t->setPalette(white);
    return t;
}

QLabel* ScreenParts::valueLabel(QWidget* parent, int id, const QRect& geometry, const QFont& font) {
    QLabel* v = label(parent, id, geometry);
    v->setFont(font);
    v->setStyleSheet(QStringLiteral("background: white; padding-left: 4px;"));
    return v;
}

void ScreenParts::showValues(std::span<QLabel* const> labels, const QStringList& values) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setText(values.at(static_cast<qsizetype>(i)));
        labels[i]->setToolTip(values.at(static_cast<qsizetype>(i)));
    }
}

void ScreenParts::clearValues(std::span<QLabel* const> labels) {
    for (QLabel* value : labels) {
        value->clear();
        value->setToolTip(QString());
    }
}

CMyListCtrl* ScreenParts::list(QWidget* parent, int id, const QRect& geometry, int rowHeight,
                               std::initializer_list<Column> columns, int wholeParts) {
    auto* l = new CMyListCtrl(parent);
    l->setObjectName(idName(id));
    l->setGeometry(geometry);
    styleList(l, rowHeight);
    const int w = l->width();
    // Titles go in with the columns: the drawn header keeps its own copy.
    int index = 0;
    for (const Column& c : columns) {
        l->InsertColumn(index++, c.key ? TextLookup::text(c.key) : QString(), AlignCentre,
                        c.parts * w / wholeParts);
    }
    // A salon's list outgrows the screen; the list has no scrollbar of its own.
    l->SetSkinnedScrollbar(true);
    l->CreateScrollbar();
    return l;
}

void ScreenParts::fillList(CMyListCtrl* list, const QList<QStringList>& rows,
                           const QStringList& pictures) {
    list->setUpdatesEnabled(false);
    list->DeleteAllItems();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int row = list->InsertItem(list->GetItemCount(), QString());
        if (i < pictures.size())
            list->SetRowPicture(row, pictures.at(i));
        for (qsizetype c = 0; c < rows.at(i).size(); ++c)
            list->SetItemText(row, static_cast<int>(c) + 1, rows.at(i).at(c));
    }
    list->setUpdatesEnabled(true);
}

void ScreenParts::centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - window->rect().center());
    }
}

void ScreenParts::whiten(QWidget* area) {
    area->setAutoFillBackground(true);
    QPalette pal = area->palette();
    pal.setColor(QPalette::Window, Qt::white);
    area->setPalette(pal);
}

void ScreenParts::paintBackground(QWidget* window, const QImage& background) {
    QPainter p(window);
    if (background.isNull())
        p.fillRect(window->rect(), Qt::white);
    else
        p.drawImage(window->rect(), background);
}

bool ScreenParts::confirmDelete() {
    return theApp().Confirm(TextLookup::text("IDS_DELETE_MAKESURE"), TextLookup::text("IDS_OK"),
                            TextLookup::text("IDS_CANCEL")) == 1;
}
