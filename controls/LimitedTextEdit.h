#pragma once

#include <QPlainTextEdit>

// A multi-line edit that takes at most maxLength() characters, as a line edit
// does: typed, pasted or composed text beyond the limit is refused where it
// was inserted, so nothing already written is cut.
//
// Threading: GUI thread only.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(QWidget* parent = nullptr);

    void setMaxLength(int length);
    int maxLength() const { return m_maxLength; }

    // Sets the text; a stored text longer than the limit is shown whole (the
    // limit then only stops it from growing).
    void setText(const QString& text);
    QString text() const { return toPlainText(); }

private:
    void enforceLimit();

    int m_maxLength = 32767;
    int m_allowed = 32767; // the limit, or a longer stored text's length
    bool m_enforcing = false;
};
