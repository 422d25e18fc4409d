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

QString askSavePath(QWidget* parent, const QString& title, const QString& fileName,
                    const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(fileName), filter);
}

} // namespace ssq::numbers
