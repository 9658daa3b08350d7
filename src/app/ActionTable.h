#pragma once

#include <QList>
#include <functional>
#include <span>

class QAction;
class QObject;

namespace zov {

// One row of a window's action table: what the user sees of an action.
struct TActionDesign {
    const char* Name;     // object name, the part of the catalogue keys
    const char* Caption;  // UTF-8, with "&" marking the mnemonic
    const char* Shortcut; // portable key text ("Ctrl+N"), or nullptr
    const char* Icon;     // file name below ":/icons/" without ".svg", or nullptr
    const char* Hint;     // "short|long", or nullptr
};

// Makes the action of a row, owned by parent.
QAction* CreateAction(const TActionDesign& design, QObject* parent);

// Runs command when the action is triggered. An error it throws is shown to the user
// here, before it could unwind through Qt's frames (which are built without exception
// support and would skip their clean-up).
void OnTriggered(QAction* action, QObject* context, std::function<void()> command);

} // namespace zov
