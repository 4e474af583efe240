#include "LimitedTextEdit.h"

#include <QTextCursor>

LimitedTextEdit::LimitedTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::enforceLimit);
}

void LimitedTextEdit::setMaxLength(int length) {
    m_maxLength = length;
    m_allowed = std::max(length, static_cast<int>(toPlainText().size()));
}

void LimitedTextEdit::setText(const QString& text) {
    m_allowed = std::max(m_maxLength, static_cast<int>(text.size()));
    setPlainText(text);
}

void LimitedTextEdit::enforceLimit() {
    if (m_enforcing)
        return;
    const int length = static_cast<int>(toPlainText().size());
    if (length <= m_allowed) {
        // Once a long stored text has been shortened, it may not grow back.
        m_allowed = std::max(m_maxLength, length);
        return;
    }
    // Remove what was just inserted beyond the limit: the characters right
    // before the cursor.
    m_enforcing = true;
    QTextCursor cursor = textCursor();
    const int excess = length - m_allowed;
    const int end = cursor.position();
    cursor.setPosition(std::max(0, end - excess));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    m_enforcing = false;
}
