#include "settings/FileVersion.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zov {

namespace {

struct TVersionString {
    const char* Name;
    const char* Value;
};

constexpr TVersionString kVersionStrings[] = {
    {"FileVersion", ZOV_VERSION},      {"ProductVersion", ZOV_VERSION}, {"ProductName", "ZOV"},
    {"FileDescription", "ZOV Grafik"}, {"FileDateMS", ZOV_BUILD_DATE},
};

bool IsProgramFile(const QString& fileName) {
    if (fileName.isEmpty() || QCoreApplication::instance() == nullptr) {
        return false;
    }
    const QString file = QFileInfo(fileName).canonicalFilePath();
    return !file.isEmpty() &&
           file == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
}

} // namespace

QString GetFileVersionString(const QString& fileName, const QString& valueName) {
    if (!IsProgramFile(fileName)) {
        return QString();
    }
    for (const TVersionString& entry : kVersionStrings) {
        if (valueName == QLatin1String(entry.Name)) {
            return QString::fromUtf8(entry.Value);
        }
    }
    return QString();
}

} // namespace zov
