#pragma once
// Writing an export file and asking where to put it.

#include <QString>

#include <string_view>

class QWidget;

namespace ssq::numbers {

// Writes the bytes whole or not at all (an existing file is replaced only
// once the new one is complete). False when the file could not be written.
bool saveBytes(const QString& path, std::string_view bytes);

// A save dialog; the empty text when the user cancels.
QString askSavePath(QWidget* parent, const QString& title, const QString& fileName,
                    const QString& filter);

} // namespace ssq::numbers
