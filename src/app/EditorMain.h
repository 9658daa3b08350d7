#pragma once

#include <QStringList>

namespace zov {

// The editor's run: opens the settings, shows the frame, runs the command line and
// the event loop, then writes the settings and the catalogue. The application object
// must exist. Returns the program's exit code.
int RunEditor(const QStringList& arguments);

} // namespace zov
