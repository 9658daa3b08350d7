#include "app/ErrorReport.h"

#include "app/AppConstants.h"
#include "platform/types/Exceptions.h"

#include <QMessageBox>

namespace zov {

void ShowErrorMessage(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    const QString message = own != nullptr ? own->Message() : QString::fromLocal8Bit(error.what());
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

TZovApplication::TZovApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TZovApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorMessage(error);
    }
    return false;
}

} // namespace zov
