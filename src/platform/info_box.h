#pragma once
// Message boxes of the program, all without an owner window.

#include <QString>

namespace ssq::platform {

inline constexpr int kInfoBoxMs = 3000;

// "提示信息" box with the text, an OK button and no icon, that closes itself
// after kInfoBoxMs. Returns when it has closed.
void infoBox(const QString& text);

} // namespace ssq::platform
