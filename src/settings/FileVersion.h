#pragma once

#include <QString>

namespace zov {

// One string of a program file's version information: "FileVersion",
// "ProductVersion", "ProductName", "FileDescription" or "FileDateMS" (the build date,
// yyyy-MM-dd). Only the running program carries version information, set at build
// time; any other file, an empty name or an unknown value gives the empty string.
QString GetFileVersionString(const QString& fileName, const QString& valueName);

} // namespace zov
