#pragma once

// What every fuzz target shares: Qt's application object on the offscreen platform
// and the leak reports to ignore. Include it in the target's one source file.
#include <QByteArray>
#include <QtGlobal>

// Fontconfig keeps font patterns for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

// Creates the application object App (fonts need a QGuiApplication, widgets a
// QApplication) once, for the whole run.
template <class App> int InitializeApplication(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static App app(*argc, *argv);
    return 0;
}
