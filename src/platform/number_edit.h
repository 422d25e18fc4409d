#pragma once
// NumberEdit: an edit box for whole numbers, as the user sees it.

#include <QLineEdit>

#include <cstdint>

namespace ssq::platform {

// The whole number a text begins with: an optional '-' and ASCII digits,
// clamped to the int32 range; 0 when the text begins otherwise.
std::int32_t leadingInteger(QStringView text);

// The text a NumberEdit keeps for a value: its decimal text, empty for 0.
QString numberText(std::int32_t value);

// A line edit that
// - refuses typed characters of code 32 and above other than '0'-'9' and '-'
//   (editing keys and shortcuts such as backspace or Ctrl+V work as usual);
// - holds at most maxChars characters, typed or pasted (pasted text is cut,
//   not filtered);
// - on losing the input focus replaces its text by numberText(leadingInteger(text)),
//   so «-», «0» and «00» all leave it empty;
// - shows no selection while it does not have the focus.
// Texts the program sets with setText() are taken as they are.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(int maxChars, QWidget* parent = nullptr);
    NumberEdit(const QString& text, int maxChars, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showSelection(bool shown);

    QPalette m_palette; // as styled, with visible selection colours
};

} // namespace ssq::platform
