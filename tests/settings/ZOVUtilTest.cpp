#include "settings/ZOVUtil.h"

#include "support/SettingsFolders.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using ZOVUtilTest = test::SettingsFolders;

TEST_F(ZOVUtilTest, FirstStartWritesEveryValueInOrder) {
    StartSettings(Folders());
    LoadRecentFiles();
    SaveRecentFiles();
    ASSERT_TRUE(FinishSettings());
    EXPECT_EQ(FileBytes(ProgramPath()),
              QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
                         "<ZOV_ROOT>\n"
                         "  <RRFILE_ROOT>\n"
                         "    <FILE_01/>\n"
                         "    <FILE_02/>\n"
                         "    <FILE_03/>\n"
                         "    <FILE_04/>\n"
                         "    <FILE_05/>\n"
                         "    <FILE_06/>\n"
                         "  </RRFILE_ROOT>\n"
                         "  <RRFILE_SETUP>\n"
                         "    <LANGUAGE>DE</LANGUAGE>\n"
                         "    <USER_KENN>?\?</USER_KENN>\n"
                         "    <USER_NAME>?\?</USER_NAME>\n"
                         "    <SHOW_TAG>1</SHOW_TAG>\n"
                         "    <SHOW_SHADE>1</SHOW_SHADE>\n"
                         "    <PRINT_INFO>0</PRINT_INFO>\n"
                         "    <CITRIX>1</CITRIX>\n"
                         "    <REG_ZOV>0</REG_ZOV>\n"
                         "  </RRFILE_SETUP>\n"
                         "</ZOV_ROOT>\n"));
    EXPECT_TRUE(PRG.LANGUAGE.isEmpty());
}

TEST_F(ZOVUtilTest, DefaultsAreReadIntoPRG) {
    StartSettings(Folders());
    EXPECT_EQ(PRG.LANGUAGE, QStringLiteral("DE"));
    EXPECT_EQ(PRG.USER_KENN, QStringLiteral("??"));
    EXPECT_EQ(PRG.USER_NAME, QStringLiteral("??"));
    EXPECT_TRUE(PRG.bTAG);
    EXPECT_TRUE(PRG.bShade);
    EXPECT_FALSE(PRG.bPrintInfo);
    EXPECT_TRUE(PRG.bCitrix);
    EXPECT_FALSE(PRG.bEndungReg);
}

struct StoredValue {
    const char* stored;
    const char* read;
};

class QuotesTest : public test::SettingsFolders,
                   public ::testing::WithParamInterface<StoredValue> {};

TEST_P(QuotesTest, AreRemovedOnReading) {
    StartSettings(Folders());
    SettingsStore->WriteReg(QStringLiteral("USER_NAME"), QString::fromUtf8(GetParam().stored));
    EXPECT_EQ(ReadSetting(QStringLiteral("USER_NAME"), QString()),
              QString::fromUtf8(GetParam().read));
}

INSTANTIATE_TEST_SUITE_P(Values, QuotesTest,
                         ::testing::Values(StoredValue{"\"Max\"", "Max"},
                                           StoredValue{"Max \"der\" Muster", "Max der Muster"},
                                           StoredValue{"\"\"", ""}, StoredValue{"\"", ""},
                                           StoredValue{"Max", "Max"}));

struct FlagCase {
    const char* stored;
    bool flag;
};

class FlagTest : public test::SettingsFolders, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(FlagTest, IsTrueOnlyForOne) {
    StartSettings(Folders());
    SettingsStore->WriteReg(QStringLiteral("SHOW_TAG"), QString::fromUtf8(GetParam().stored));
    LoadProgramSettings();
    EXPECT_EQ(PRG.bTAG, GetParam().flag);
}

INSTANTIATE_TEST_SUITE_P(Texts, FlagTest,
                         ::testing::Values(FlagCase{"1", true}, FlagCase{"\"1\"", true},
                                           FlagCase{"true", false}, FlagCase{"0", false},
                                           FlagCase{"", false}, FlagCase{" 1", false},
                                           FlagCase{"yes", false}));

TEST_F(ZOVUtilTest, RegZovOneMarksTheAssociationDoneAndIsNeverWritten) {
    WriteFile(ProgramPath(),
              "<ZOV_ROOT><RRFILE_SETUP><REG_ZOV>1</REG_ZOV></RRFILE_SETUP></ZOV_ROOT>");
    StartSettings(Folders());
    EXPECT_TRUE(PRG.bEndungReg);
    PRG.bEndungReg = false;
    SaveProgramSettings();
    EXPECT_EQ(SettingsStore->ReadReg(QStringLiteral("REG_ZOV"), QString()), QStringLiteral("1"));
}

TEST_F(ZOVUtilTest, WriteSettingMirrorsTheValueInQuotes) {
    StartSettings(Folders());
    WriteSetting(QStringLiteral("LANGUAGE"), QStringLiteral("EN"));
    EXPECT_EQ(MirrorValue(QStringLiteral("LANGUAGE")).toString(), QStringLiteral("\"EN\""));
    EXPECT_EQ(SettingsStore->ReadReg(QStringLiteral("LANGUAGE"), QString()), QStringLiteral("EN"));
}

TEST_F(ZOVUtilTest, SaveProgramSettingsWritesInItsOrderAndAnEmptyLanguageAsDE) {
    WriteFile(ProgramPath(), "<ZOV_ROOT/>");
    SettingsStore = std::make_unique<TSetup>(Folders());
    PRG.USER_KENN = QStringLiteral("MM");
    PRG.USER_NAME = QStringLiteral("Max");
    PRG.bShade = true;
    SaveProgramSettings();
    ASSERT_TRUE(SettingsStore->Save());

    EXPECT_EQ(PRG.LANGUAGE, QStringLiteral("DE"));
    EXPECT_EQ(MirrorValue(QStringLiteral("LANGUAGE")).toString(), QStringLiteral("\"DE\""));
    EXPECT_EQ(MirrorValue(QStringLiteral("PRINT_INFO")).toString(), QStringLiteral("\"0\""));
    EXPECT_FALSE(MirrorValue(QStringLiteral("REG_ZOV")).isValid());
    EXPECT_TRUE(FileBytes(ProgramPath())
                    .contains("  <RRFILE_SETUP>\n"
                              "    <LANGUAGE>DE</LANGUAGE>\n"
                              "    <USER_KENN>MM</USER_KENN>\n"
                              "    <USER_NAME>Max</USER_NAME>\n"
                              "    <SHOW_TAG>0</SHOW_TAG>\n"
                              "    <CITRIX>0</CITRIX>\n"
                              "    <SHOW_SHADE>1</SHOW_SHADE>\n"
                              "    <PRINT_INFO>0</PRINT_INFO>\n"
                              "  </RRFILE_SETUP>\n"));
}

// Six listed files, as LoadRecentFiles reads them.
QStringList SixFiles() {
    return {QStringLiteral("/a.zov"), QStringLiteral("/b.zov"), QStringLiteral("/c.zov"),
            QStringLiteral("/d.zov"), QStringLiteral("/e.zov"), QStringLiteral("/f.zov")};
}

struct AddCase {
    const char* name;
    QStringList before;
    QString added;
    QStringList after;
};

class AddRecentFileTest : public test::SettingsFolders,
                          public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddRecentFileTest, FollowsTheListRules) {
    RecentFiles = GetParam().before;
    AddRecentFile(GetParam().added);
    EXPECT_EQ(RecentFiles, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AddRecentFileTest,
    ::testing::Values(
        AddCase{"NewFileDropsTheSixth",
                SixFiles(),
                QStringLiteral("/new.zov"),
                {QStringLiteral("/new.zov"), QStringLiteral("/a.zov"), QStringLiteral("/b.zov"),
                 QStringLiteral("/c.zov"), QStringLiteral("/d.zov"), QStringLiteral("/e.zov")}},
        AddCase{"ListedFileStaysWhereItIs", SixFiles(), QStringLiteral("/d.zov"), SixFiles()},
        AddCase{"CaseMatters",
                SixFiles(),
                QStringLiteral("/A.zov"),
                {QStringLiteral("/A.zov"), QStringLiteral("/a.zov"), QStringLiteral("/b.zov"),
                 QStringLiteral("/c.zov"), QStringLiteral("/d.zov"), QStringLiteral("/e.zov")}},
        AddCase{"EmptyListGrowsToOne", {}, QStringLiteral("/a.zov"), {QStringLiteral("/a.zov")}},
        AddCase{"EmptyEntriesMoveDown",
                {QStringLiteral("/a.zov"), QString(), QString(), QString(), QString(), QString()},
                QStringLiteral("/b.zov"),
                {QStringLiteral("/b.zov"), QStringLiteral("/a.zov"), QString(), QString(),
                 QString(), QString()}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZOVUtilTest, RecentFileIndexFindsTheLastEqualEntry) {
    RecentFiles = {QStringLiteral("/a.zov"),
                   QStringLiteral("/b.zov"),
                   QStringLiteral("/a.zov"),
                   QString(),
                   QString(),
                   QString(),
                   QStringLiteral("/b.zov")};
    EXPECT_EQ(RecentFileIndex(QStringLiteral("/a.zov")), 2);
    EXPECT_EQ(RecentFileIndex(QStringLiteral("/b.zov")), 1);
    EXPECT_EQ(RecentFileIndex(QString()), 5);
    EXPECT_EQ(RecentFileIndex(QStringLiteral("/c.zov")), -1);
}

TEST_F(ZOVUtilTest, MissingRecentFileElementsAreCreatedEmpty) {
    WriteFile(ProgramPath(), "<ZOV_ROOT><RRFILE_ROOT><FILE_03>/c.zov</FILE_03>"
                             "<FILE_01>/a.zov</FILE_01></RRFILE_ROOT></ZOV_ROOT>");
    SettingsStore = std::make_unique<TSetup>(Folders());
    LoadRecentFiles();
    const QStringList expected = {QStringLiteral("/a.zov"),
                                  QString(),
                                  QStringLiteral("/c.zov"),
                                  QString(),
                                  QString(),
                                  QString()};
    EXPECT_EQ(RecentFiles, expected);
    EXPECT_EQ(RecentFilesAtStart, expected);

    QStringList order;
    for (const auto& child : SettingsStore->Root().Child(kRecentFilesGroup)->Children) {
        order.append(child->Name);
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("FILE_03"), QStringLiteral("FILE_01"),
                                  QStringLiteral("FILE_02"), QStringLiteral("FILE_04"),
                                  QStringLiteral("FILE_05"), QStringLiteral("FILE_06")}));
}

TEST_F(ZOVUtilTest, AMissingRecentFileGroupIsCreated) {
    WriteFile(ProgramPath(), "<ZOV_ROOT/>");
    SettingsStore = std::make_unique<TSetup>(Folders());
    LoadRecentFiles();
    EXPECT_EQ(RecentFiles, QStringList(kRecentFileCount, QString()));
    EXPECT_NE(SettingsStore->Root().Child(kRecentFilesGroup), nullptr);
}

TEST_F(ZOVUtilTest, SavedFilesReachTheDocumentButNotTheListAtStart) {
    StartSettings(Folders());
    LoadRecentFiles();
    AddRecentFile(QStringLiteral("/new.zov"));
    EXPECT_EQ(RecentFilesAtStart, QStringList(kRecentFileCount, QString()));
    SaveRecentFiles();
    EXPECT_TRUE(RecentFiles.isEmpty());
    ASSERT_TRUE(FinishSettings());

    StartSettings(Folders());
    LoadRecentFiles();
    EXPECT_EQ(RecentFilesAtStart.first(), QStringLiteral("/new.zov"));
}

TEST_F(ZOVUtilTest, WithoutAStoreDefaultsAreRead) {
    EXPECT_EQ(ReadSetting(QStringLiteral("LANGUAGE"), QStringLiteral("\"DE\"")),
              QStringLiteral("DE"));
    LoadRecentFiles();
    EXPECT_TRUE(RecentFiles.isEmpty());
}

} // namespace
} // namespace zov
