#pragma once
// Writing an export file and asking where to put it.

#include <QString>

#include <functional>
#include <string_view>

class QWidget;

namespace ssq::numbers {

// Writes the bytes whole or not at all (an existing file is replaced only
// once the new one is complete). False when the file could not be written.
bool saveBytes(const QString& path, std::string_view bytes);

// Asks where to save with a dialog offering `fileName`, then writes there:
// "已导出：path" or "导出失败：path", or the empty text when the user cancels.
// The filter follows from the file name's ending (.csv or .png).
QString exportWithDialog(QWidget* parent, const QString& title, const QString& fileName,
                         const std::function<bool(const QString&)>& write);

} // namespace ssq::numbers
