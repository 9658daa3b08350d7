#include "app/MessageBox.h"

#include "app/AppConstants.h"

namespace zov {

QMessageBox::StandardButton AskMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& name, const QString& text,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton escape) {
    QMessageBox box(icon, ApplicationTitle(), text, buttons, parent);
    box.setObjectName(name);
    box.setTextFormat(Qt::PlainText);
    if (escape != QMessageBox::NoButton) {
        box.setEscapeButton(escape);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace zov
