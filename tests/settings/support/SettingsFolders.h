#pragma once

#include "localization/DlgTexte.h"
#include "settings/ZOVUtil.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov::test {

// A temporary program folder, user folder and registry mirror, so that no test
// touches the real user's files; the global store and lists are reset afterwards.
class SettingsFolders : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, fMirror.path());
    }
    void TearDown() override {
        SettingsStore.reset();
        PRG = TPRG();
        RecentFiles.clear();
        RecentFilesAtStart.clear();
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

    QTemporaryDir fProgram;
    QTemporaryDir fUser;
    QTemporaryDir fMirror;
};

} // namespace zov::test
