#include "support/modal_driver.h"

#include <QApplication>

void ModalDriver::Poll()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog->objectName() != name_ || !dialog->isVisible())
        return;
    if (!seen_) {
        seen_ = true;
        act_(dialog);
    } else if (clock_.elapsed() > 10000) {
        dialog->reject();
    }
}
