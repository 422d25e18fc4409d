#include "platform/number_edit.h"

#include <QKeyEvent>

#include <limits>

namespace ssq::platform {

std::int32_t leadingInteger(QStringView text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative)
        ++i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > kMax + 1) // past either end already: clamp below
            magnitude = kMax + 1;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(value > kMax ? kMax : value < kMin ? kMin : value);
}

QString numberText(std::int32_t value) {
    return value == 0 ? QString() : QString::number(value);
}

NumberEdit::NumberEdit(int maxChars, QWidget* parent) : NumberEdit(QString(), maxChars, parent) {}

NumberEdit::NumberEdit(const QString& text, int maxChars, QWidget* parent) : QLineEdit(parent) {
    setMaxLength(maxChars);
    setText(text);
    // An input method would commit text past the key filter; numbers need none.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    m_palette = palette();
    showSelection(false);
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    // Ctrl (with or without Shift) makes the box's own shortcuts (copy, paste,
    // undo), which insert nothing. Any other key that carries a character of
    // code 32 or more inserts it, so only digits and the minus sign may pass;
    // DEL (the text of the Delete key) is an editing key, not a character.
    const QString typed = event->text();
    const auto modifiers =
        event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    if (modifiers != Qt::ControlModifier) {
        for (const QChar c : typed) {
            const bool character = c.unicode() >= 32 && c.unicode() != 127;
            if (character && !((c >= u'0' && c <= u'9') || c == u'-')) {
                event->accept(); // refused: swallowed, not passed on to the window
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::focusInEvent(QFocusEvent* event) {
    showSelection(true);
    QLineEdit::focusInEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A popup menu borrows the focus only while it is open and gives it back.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    setText(numberText(leadingInteger(text())));
    showSelection(false);
}

void NumberEdit::showSelection(bool shown) {
    // Without the focus a selection is drawn in the colours of plain text, so
    // it is kept but not seen; it shows again with the focus.
    QPalette pal = m_palette;
    if (!shown) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::Highlight, pal.color(group, QPalette::Base));
            pal.setColor(group, QPalette::HighlightedText, pal.color(group, QPalette::Text));
        }
    }
    setPalette(pal);
}

} // namespace ssq::platform
