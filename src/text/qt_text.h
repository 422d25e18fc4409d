#pragma once
// The widget boundary: program text (code page 936 bytes) to QString and back.

#include <QString>
#include <string>
#include <string_view>

namespace ssq::text {

QString toQString(std::string_view gbkText);
std::string fromQString(const QString& text);

} // namespace ssq::text
