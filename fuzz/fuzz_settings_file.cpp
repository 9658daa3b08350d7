// Reads arbitrary bytes as ZOV.XML through the settings store: reading settings and
// the recent-file lists must work on whatever was read (or on the default document
// that replaces an unreadable file), and a saved document must read back and save to
// the same bytes.
#include "FuzzApplication.h"
#include "settings/SettingsXml.h"
#include "settings/ZOVUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>

using namespace zov;

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

QTemporaryDir& Folder() {
    static QTemporaryDir folder(QFile::exists(QStringLiteral("/dev/shm"))
                                    ? QStringLiteral("/dev/shm/zov-fuzz-XXXXXX")
                                    : QString());
    return folder;
}

// Parsing must never fail on what the writer produced, and must give it back.
void CheckRoundTrip(const QByteArray& bytes) {
    const auto root = ParseSettingsXml(bytes);
    if (!root) {
        return;
    }
    const std::optional<QByteArray> written = SettingsXmlBytes(**root);
    if (!written) {
        return;
    }
    const auto reread = ParseSettingsXml(*written);
    Check(reread.has_value());
    Check(SettingsXmlBytes(**reread) == written);
}

void CheckStore(const QByteArray& bytes) {
    const QString dir = Folder().path() + QLatin1Char('/');
    QFile::remove(dir + kSettingsFileName);
    {
        QFile file(dir + kSettingsFileName);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(file.write(bytes) == bytes.size());
    }
    StartSettings({dir, QString()});
    Check(!PRG.LANGUAGE.contains(QLatin1Char('"')));
    LoadRecentFiles();
    Check(RecentFiles.size() == kRecentFileCount);
    AddRecentFile(QStringLiteral("/fuzz.zov"));
    Check(RecentFileIndex(QStringLiteral("/fuzz.zov")) >= 0);
    SaveRecentFiles();
    SettingsStore->WriteReg(QStringLiteral("USER_NAME"), QStringLiteral("<\"&\u00e4\">"));
    if (FinishSettings()) {
        StartSettings({dir, QString()});
        Check(PRG.USER_NAME == QStringLiteral("<&\u00e4>"));
        FinishSettings();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    InitializeApplication<QCoreApplication>(argc, argv);
    // The registry mirror and the file association go to the temporary folder, never
    // the user's own. The desktop tools stay out of reach: the association is not
    // what is fuzzed here, and starting them for every input would stall the fuzzer.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder().path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(Folder().filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Folder().filePath(QStringLiteral("config"))));
    qputenv("PATH", QFile::encodeName(Folder().filePath(QStringLiteral("no-tools"))));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckRoundTrip(bytes);
    CheckStore(bytes);
    return 0;
}
