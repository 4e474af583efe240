#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <span>

class CGdipButton;
class CMyListCtrl;
class LimitedTextEdit;
class QFont;
class QImage;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// Small builders shared by the member and product screens: every control gets
// its numeric id as objectName and the look the screens share.
//
// Threading: GUI thread only.
class ScreenParts {
public:
    static constexpr QColor kInk{80, 80, 80};
    static constexpr QColor kSearchBackground{244, 244, 244};
    static constexpr QColor kEditBackground{247, 247, 247};
    // Base height of button labels (the label font grows it by language).
    static constexpr int kButtonTextHeight = 16;

    // A picture button of resource `image`, with an optional label.
    static CGdipButton* button(QWidget* parent, int id, int image, const QRect& geometry,
                               const QString& text = {}, const QColor& colour = kInk);
    static QLabel* label(QWidget* parent, int id, const QRect& geometry);
    static QLineEdit* lineEdit(QWidget* parent, int id, const QRect& geometry,
                               const QColor& background, int maxLength);

    // A line edit's limit: the capacity, or a longer stored text's length so
    // that showing it cuts nothing.
    static void setTextWithin(QLineEdit* edit, const QString& text, int maxLength);

    // Loads a window background picture (empty when it cannot be read).
    static QImage background(const QString& file);

    // A multi-line edit in the line edits' look.
    static LimitedTextEdit* textEdit(QWidget* parent, int id, const QRect& geometry, int maxLength);
    // Radio buttons in the screens' ink.
    static void styleRadios(std::initializer_list<QRadioButton*> radios, const QFont& font);

    // A management screen's white title (id 1007) over its background picture.
    static QLabel* title(QWidget* parent, const QRect& geometry);
    // A value of a management screen's left column: white, the text inset.
    static QLabel* valueLabel(QWidget* parent, int id, const QRect& geometry, const QFont& font);
    // Shows the values, each also as its tooltip (a long value is cut off in
    // its label), or clears them.
    static void showValues(std::span<QLabel* const> labels, const QStringList& values);
    static void clearValues(std::span<QLabel* const> labels);

    // A list in the screens' style: whole rows, header, centred cells.
    static void styleList(CMyListCtrl* list, int rowHeight);

    // A column of a list: its title's text key (none: no title) and its share
    // of the list's width, in parts of the whole.
    struct Column {
        const char* key;
        int parts;
    };
    // A styled list with the skinned scrollbar; column i is parts * width /
    // `wholeParts` wide.
    static CMyListCtrl* list(QWidget* parent, int id, const QRect& geometry, int rowHeight,
                             std::initializer_list<Column> columns, int wholeParts);
    // Replaces the list's lines: one per entry of `rows`, its texts from column
    // 1 on, and the row's picture from `pictures` when given.
    static void fillList(CMyListCtrl* list, const QList<QStringList>& rows,
                         const QStringList& pictures = {});

    // Puts a window in the middle of the primary screen's free area.
    static void centreOnScreen(QWidget* window);
    // A white background for a dialog's client area.
    static void whiten(QWidget* area);
    // Paints a window's background picture, or white when there is none.
    static void paintBackground(QWidget* window, const QImage& background);
    // Asks before a delete; true when the operator confirmed.
    static bool confirmDelete();

    // A stable objectName for a control without an id (captions added for the
    // operator's benefit).
    static QString idName(int id) { return QString::number(id); }
};
