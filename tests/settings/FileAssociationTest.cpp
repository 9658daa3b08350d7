#include "settings/FileAssociation.h"

#include "support/SettingsFolders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace zov {
namespace {

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished()) {
        return {};
    }
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed()};
}

bool HaveTools(const QStringList& tools) {
    for (const QString& tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            return false;
        }
    }
    return true;
}

class FileAssociationTest : public test::SettingsFolders {
protected:
    void SetUp() override {
        SettingsFolders::SetUp();
        SettingsStore = std::make_unique<TSetup>(Folders());
        SettingsStore->WriteReg(QStringLiteral("CITRIX"), QStringLiteral("0"));
    }

    QString PackagePath() const {
        return DataPath(QStringLiteral("mime/packages/") + kMimePackageName);
    }
    QString EntryPath() const {
        return DataPath(QStringLiteral("applications/") + kDesktopEntryName);
    }
    // A file that is a graph file only by its first bytes.
    QString GraphWithoutExtension() const {
        const QString path = fProgram.filePath(QStringLiteral("drawing"));
        WriteFile(path, "0.GS\x01\x02 rest of a graph");
        return path;
    }
    QString Citrix() const { return SettingsStore->ReadReg(QStringLiteral("CITRIX"), QString()); }
};

TEST_F(FileAssociationTest, WritesThePackageAndTheEntryAndStoresCitrix) {
    InstallFileAssociation();

    const QByteArray package = FileBytes(PackagePath());
    for (const char* part :
         {"type=\"application/x-zov-graph\"", "<glob pattern=\"*.zov\"/>",
          "<glob pattern=\"*.ZOV\"/>", "<comment>ZOV Grafik</comment>", "<icon name=\"zov\"/>",
          "<match type=\"string\" value=\"0.GS\" offset=\"0\"/>"}) {
        EXPECT_TRUE(package.contains(part)) << part;
    }
    const QByteArray entry = FileBytes(EntryPath());
    const QByteArray exec =
        "\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %f\n";
    EXPECT_TRUE(entry.contains(exec)) << entry.constData();
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-zov-graph;\n"));
    EXPECT_TRUE(entry.contains("\nIcon=zov\n"));
    EXPECT_EQ(Citrix(), QStringLiteral("1"));
    EXPECT_EQ(MirrorValue(QStringLiteral("CITRIX")).toString(), QStringLiteral("\"1\""));
}

TEST_F(FileAssociationTest, TheDesktopKnowsTheTypeAndItsProgram) {
    if (!HaveTools({QStringLiteral("xdg-mime"), QStringLiteral("update-mime-database"),
                    QStringLiteral("update-desktop-database"),
                    QStringLiteral("desktop-file-validate")})) {
        GTEST_SKIP() << "xdg-utils, shared-mime-info or desktop-file-utils missing";
    }
    InstallFileAssociation();

    const ToolRun bySignature =
        RunTool(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("filetype"), GraphWithoutExtension()});
    EXPECT_EQ(bySignature.output, kGraphMimeType);
    const QString byName = fProgram.filePath(QStringLiteral("Plan.ZOV"));
    WriteFile(byName, "no signature");
    EXPECT_EQ(RunTool(QStringLiteral("xdg-mime"),
                      {QStringLiteral("query"), QStringLiteral("filetype"), byName})
                  .output,
              kGraphMimeType);
    EXPECT_EQ(RunTool(QStringLiteral("xdg-mime"),
                      {QStringLiteral("query"), QStringLiteral("default"), kGraphMimeType})
                  .output,
              kDesktopEntryName);
    const ToolRun validation = RunTool(QStringLiteral("desktop-file-validate"), {EntryPath()});
    EXPECT_EQ(validation.exitCode, 0) << validation.output.toStdString();
    EXPECT_TRUE(validation.output.isEmpty()) << validation.output.toStdString();
}

TEST_F(FileAssociationTest, ASecondRunRewritesNothing) {
    InstallFileAssociation();
    // An old time on both files shows any rewrite, however quick.
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    QStringList paths = {PackagePath(), EntryPath()};
    QList<QByteArray> before;
    for (const QString& path : paths) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
        before.append(file.readAll());
    }

    InstallFileAssociation();

    for (qsizetype i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(FileBytes(paths[i]), before[i]) << paths[i].toStdString();
        EXPECT_EQ(QFileInfo(paths[i]).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch())
            << paths[i].toStdString();
    }
}

TEST_F(FileAssociationTest, AChangedFileIsWrittenAgain) {
    InstallFileAssociation();
    const QByteArray entry = FileBytes(EntryPath());
    WriteFile(EntryPath(), "[Desktop Entry]\nType=Application\nName=Other\n");
    InstallFileAssociation();
    EXPECT_EQ(FileBytes(EntryPath()), entry);
}

TEST_F(FileAssociationTest, DoneAssociationWritesNothing) {
    PRG.bEndungReg = true;
    InstallFileAssociation();
    EXPECT_TRUE(QDir(fData.path()).isEmpty());
    EXPECT_TRUE(QDir(fConfig.path()).isEmpty());
    EXPECT_EQ(Citrix(), QStringLiteral("0"));
    EXPECT_FALSE(MirrorValue(QStringLiteral("CITRIX")).isValid());
}

TEST_F(FileAssociationTest, RegZovOneSkipsTheAssociationAtStart) {
    SettingsStore.reset();
    WriteFile(ProgramPath(), "<ZOV_ROOT><RRFILE_SETUP><CITRIX>0</CITRIX><REG_ZOV>1</REG_ZOV>"
                             "</RRFILE_SETUP></ZOV_ROOT>");
    StartSettings(Folders());
    EXPECT_TRUE(QDir(fData.path()).isEmpty());
    EXPECT_FALSE(PRG.bCitrix);
    EXPECT_EQ(Citrix(), QStringLiteral("0"));
}

TEST_F(FileAssociationTest, StartUpAssociates) {
    SettingsStore.reset();
    StartSettings(Folders());
    EXPECT_TRUE(QFileInfo::exists(PackagePath()));
    EXPECT_TRUE(QFileInfo::exists(EntryPath()));
}

TEST_F(FileAssociationTest, FailureReachesTheCallerButNotTheStart) {
    // A data folder that is a plain file cannot hold the package.
    const QString blocked = fProgram.filePath(QStringLiteral("not-a-folder"));
    WriteFile(blocked, "x");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));

    EXPECT_THROW(InstallFileAssociation(), EAssociationError);
    EXPECT_EQ(Citrix(), QStringLiteral("0"));

    SettingsStore.reset();
    StartSettings(Folders());
    EXPECT_EQ(PRG.LANGUAGE, QStringLiteral("DE"));
}

struct ExecCase {
    const char* name;
    QString programPath;
    QByteArray execLine;
};

class ExecQuotingTest : public FileAssociationTest,
                        public ::testing::WithParamInterface<ExecCase> {};

TEST_P(ExecQuotingTest, KeepsTheProgramPathWhole) {
    InstallFileAssociation(GetParam().programPath);
    const QByteArray entry = FileBytes(EntryPath());
    EXPECT_TRUE(entry.contains("\n" + GetParam().execLine + "\n")) << entry.constData();
    if (HaveTools({QStringLiteral("desktop-file-validate")})) {
        const ToolRun validation = RunTool(QStringLiteral("desktop-file-validate"), {EntryPath()});
        EXPECT_EQ(validation.exitCode, 0) << validation.output.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExecQuotingTest,
    ::testing::Values(
        ExecCase{"Plain", QStringLiteral("/opt/zov/zov"), "Exec=\"/opt/zov/zov\" %f"},
        ExecCase{"Blanks", QStringLiteral("/opt/my zov/zov"), "Exec=\"/opt/my zov/zov\" %f"},
        ExecCase{"ShellCharacters", QStringLiteral("/opt/a\"b$c`d/zov"),
                 "Exec=\"/opt/a\\\\\"b\\\\$c\\\\`d/zov\" %f"},
        ExecCase{"Backslash", QStringLiteral("/opt/a\\b/zov"), "Exec=\"/opt/a\\\\\\\\b/zov\" %f"},
        ExecCase{"Percent", QStringLiteral("/opt/100%f/zov"), "Exec=\"/opt/100%%f/zov\" %f"},
        ExecCase{"NonAscii", QStringLiteral("/opt/Gr\u00fcn/zov"),
                 QStringLiteral("Exec=\"/opt/Gr\u00fcn/zov\" %f").toUtf8()}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zov
