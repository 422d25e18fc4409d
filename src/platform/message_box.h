#pragma once
// Message boxes that wait for the user.

#include <QMessageBox>
#include <QString>

namespace ssq::platform {

// Shows a box without an owner window and waits until it closes. The box is
// application-modal: the main window takes no input meanwhile, but its timers
// keep ticking in the box's own event loop. Returns the button that closed it
// (closing the box by other means counts as its escape button, Cancel when it
// has one, otherwise OK).
QMessageBox::StandardButton modalBox(const QString& caption, const QString& text,
                                     QMessageBox::Icon icon = QMessageBox::NoIcon,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok);

} // namespace ssq::platform
