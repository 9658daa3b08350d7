#pragma once

#include <QApplication>
#include <exception>

namespace zov {

// Shows an error that reached the top of an event handler in a message box over the
// active window, with its message; the program goes on.
void ShowErrorMessage(const std::exception& error);

// The editor's application object: an exception escaping any event handler is shown
// by ShowErrorMessage instead of ending the program. The commands report their own
// errors (OnTriggered); this is the net for everything else.
class TZovApplication : public QApplication {
public:
    TZovApplication(int& argc, char** argv);

    // Delivers the event; an exception thrown by the receiver is reported and the
    // event counts as not handled.
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zov
