#pragma once

#include "localization/DlgTexte.h"
#include "settings/ZOVUtil.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace zov::test {

// A temporary program folder, user folder, registry mirror and desktop data and
// configuration folders (where the file association goes), so that no test touches
// the real user's files; the global store and lists are reset afterwards.
class SettingsFolders : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, fMirror.path());
        qputenv("XDG_DATA_HOME", QFile::encodeName(fData.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(fConfig.path()));
    }
    void TearDown() override {
        SettingsStore.reset();
        PRG = TPRG();
        RecentFiles.clear();
        RecentFilesAtStart.clear();
        Restore("XDG_DATA_HOME", fOldDataHome);
        Restore("XDG_CONFIG_HOME", fOldConfigHome);
    }

    TCatalogueFolders Folders(bool withUserFolder = false) const {
        return {fProgram.path() + QLatin1Char('/'),
                withUserFolder ? fUser.path() + QLatin1Char('/') : QString()};
    }
    QString ProgramPath(const QString& name = kSettingsFileName) const {
        return fProgram.filePath(name);
    }
    QString UserPath(const QString& name = kSettingsFileName) const { return fUser.filePath(name); }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QVariant MirrorValue(const QString& name) {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, kMirrorOrganization,
                         kMirrorApplication)
            .value(name);
    }

    QString DataPath(const QString& name) const { return fData.filePath(name); }

    QTemporaryDir fProgram;
    QTemporaryDir fUser;
    QTemporaryDir fMirror;
    QTemporaryDir fData;
    QTemporaryDir fConfig;

private:
    static std::optional<QByteArray> Saved(const char* name) {
        return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<QByteArray>& value) {
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
    }

    const std::optional<QByteArray> fOldDataHome = Saved("XDG_DATA_HOME");
    const std::optional<QByteArray> fOldConfigHome = Saved("XDG_CONFIG_HOME");
};

} // namespace zov::test
