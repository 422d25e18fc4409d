#include "numbers/save_file.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

namespace ssq::numbers {

bool saveBytes(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString exportWithDialog(QWidget* parent, const QString& title, const QString& fileName,
                         const std::function<bool(const QString&)>& write) {
    const QString filter = fileName.endsWith(QStringLiteral(".png"))
                               ? QStringLiteral("PNG (*.png)")
                               : QStringLiteral("CSV (*.csv)");
    const QString path =
        QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(fileName), filter);
    if (path.isEmpty())
        return {};
    return (write(path) ? QStringLiteral("已导出：") : QStringLiteral("导出失败：")) + path;
}

} // namespace ssq::numbers
