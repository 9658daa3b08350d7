#include "app/ErrorReport.h"

#include "app/MessageBox.h"
#include "platform/types/Exceptions.h"

namespace zov {

void ShowErrorMessage(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    const QString message = own != nullptr ? own->Message() : QString::fromLocal8Bit(error.what());
    AskMessageBox(QApplication::activeWindow(), QMessageBox::Critical, QStringLiteral("ErrorBox"),
                  message, QMessageBox::Ok);
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
