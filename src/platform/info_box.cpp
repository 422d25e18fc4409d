#include "platform/info_box.h"

#include <QMessageBox>
#include <QTimer>

namespace ssq::platform {

void infoBox(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("提示信息"), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(kInfoBoxMs, &box, [&box] { box.done(QMessageBox::Ok); });
    box.exec();
}

} // namespace ssq::platform
