#include "platform/message_box.h"

namespace ssq::platform {

QMessageBox::StandardButton modalBox(const QString& caption, const QString& text,
                                     QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace ssq::platform
