#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class CGdipButton;
class CMyListCtrl;
class QImage;
class QLabel;
class QLineEdit;
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

    // A list in the screens' style: whole rows, header, centred cells.
    static void styleList(CMyListCtrl* list, int rowHeight);

    // A stable objectName for a control without an id (captions added for the
    // operator's benefit).
    static QString idName(int id) { return QString::number(id); }
};
