#include "settings/Setup.h"

#include "localization/support/ReadOnlyFolder.h"
#include "support/SettingsFolders.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using SetupTest = test::SettingsFolders;

constexpr char kDefaultDocument[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
    "<ZOV_ROOT>\n"
    "  <RRFILE_ROOT>\n"
    "    <FILE_01/>\n"
    "    <FILE_02/>\n"
    "    <FILE_03/>\n"
    "    <FILE_04/>\n"
    "    <FILE_05/>\n"
    "  </RRFILE_ROOT>\n"
    "  <RRFILE_SETUP>Y</RRFILE_SETUP>\n"
    "</ZOV_ROOT>\n";

TEST_F(SetupTest, MissingFileGivesTheDefaultDocument) {
    TSetup setup(Folders());
    EXPECT_EQ(setup.FileName(), ProgramPath());
    ASSERT_TRUE(setup.Save());
    EXPECT_EQ(FileBytes(ProgramPath()), QByteArray(kDefaultDocument));
}

TEST_F(SetupTest, ReadingAMissingValueCreatesItWithItsDefault) {
    TSetup setup(Folders());
    EXPECT_EQ(setup.ReadReg(QStringLiteral("B"), QStringLiteral("2")), QStringLiteral("2"));
    setup.WriteReg(QStringLiteral("A"), QStringLiteral("<x & \"y\">"));
    EXPECT_EQ(setup.ReadReg(QStringLiteral("B"), QStringLiteral("other")), QStringLiteral("2"));
    ASSERT_TRUE(setup.Save());

    const QByteArray bytes = FileBytes(ProgramPath());
    EXPECT_TRUE(bytes.contains("  <RRFILE_SETUP>\n"
                               "    <B>2</B>\n"
                               "    <A>&lt;x &amp; &quot;y&quot;&gt;</A>\n"
                               "  </RRFILE_SETUP>\n"))
        << bytes.constData();
    EXPECT_EQ(TSetup(Folders()).ReadReg(QStringLiteral("A"), QString()),
              QStringLiteral("<x & \"y\">"));
}

TEST_F(SetupTest, WithoutTheSetupGroupReadingCreatesNothing) {
    WriteFile(ProgramPath(), "<OTHER_ROOT>\n\t<RRFILE_ROOT>\r\n<FILE_01>a</FILE_01></RRFILE_ROOT>"
                             "</OTHER_ROOT>");
    TSetup setup(Folders());
    EXPECT_EQ(setup.ReadReg(QStringLiteral("LANGUAGE"), QStringLiteral("DE")),
              QStringLiteral("DE"));
    EXPECT_EQ(setup.Root().Name, QStringLiteral("OTHER_ROOT"));
    EXPECT_EQ(setup.Root().Children.size(), 1u);

    setup.WriteReg(QStringLiteral("LANGUAGE"), QStringLiteral("EN"));
    EXPECT_EQ(setup.Root().Children.size(), 2u);
    EXPECT_EQ(setup.ReadReg(QStringLiteral("LANGUAGE"), QStringLiteral("DE")),
              QStringLiteral("EN"));
}

TEST_F(SetupTest, AnEmptyRootIsWrittenWhole) {
    WriteFile(ProgramPath(), "<OTHER_ROOT></OTHER_ROOT>");
    ASSERT_TRUE(TSetup(Folders()).Save());
    EXPECT_EQ(FileBytes(ProgramPath()).toStdString(),
              "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
              "<OTHER_ROOT/>\n");
}

TEST_F(SetupTest, TheEncodingIsTakenFromTheDeclaration) {
    WriteFile(ProgramPath(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                             "<ZOV_ROOT><RRFILE_SETUP><USER_NAME>J\xfcrgen</USER_NAME>"
                             "</RRFILE_SETUP></ZOV_ROOT>");
    TSetup setup(Folders());
    EXPECT_EQ(setup.ReadReg(QStringLiteral("USER_NAME"), QString()), QStringLiteral("J\u00fcrgen"));
}

struct BrokenCase {
    const char* name;
    QByteArray bytes;
};

class BrokenSetupTest : public test::SettingsFolders,
                        public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenSetupTest, IsKeptAsACopyAndTheDefaultDocumentUsed) {
    WriteFile(ProgramPath(), GetParam().bytes);
    TSetup setup(Folders());
    EXPECT_EQ(FileBytes(ProgramPath(kSettingsFileName + kBrokenSuffix)), GetParam().bytes);
    EXPECT_EQ(setup.ReadReg(QStringLiteral("LANGUAGE"), QStringLiteral("DE")),
              QStringLiteral("DE"));
    ASSERT_TRUE(setup.Save());
    EXPECT_TRUE(FileBytes(ProgramPath()).contains("<LANGUAGE>DE</LANGUAGE>"));
    EXPECT_EQ(FileBytes(ProgramPath(kSettingsFileName + kBrokenSuffix)), GetParam().bytes);
}

QByteArray Nested(int depth) {
    return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenSetupTest,
    ::testing::Values(BrokenCase{"Empty", QByteArray()},
                      BrokenCase{"Truncated", "<ZOV_ROOT><RRFILE_SETUP><LANGUAGE>EN"},
                      BrokenCase{"Garbage", QByteArray("\x00\xff\x10 not xml", 11)},
                      BrokenCase{"TwoRoots", "<A/><B/>"},
                      BrokenCase{"TooDeep", Nested(kMaxSettingsDepth + 1)},
                      BrokenCase{"TooLarge",
                                 "<A>" + QByteArray(kMaxSettingsFileSize, 'x') + "</A>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupTest, DeepButAllowedNestingIsRead) {
    WriteFile(ProgramPath(), Nested(kMaxSettingsDepth));
    TSetup setup(Folders());
    EXPECT_EQ(setup.Root().Name, QStringLiteral("a"));
    EXPECT_FALSE(QFile::exists(ProgramPath(kSettingsFileName + kBrokenSuffix)));
}

TEST_F(SetupTest, AFailedWriteLeavesTheOldFile) {
    WriteFile(ProgramPath(), kDefaultDocument);
    TSetup setup(Folders());
    setup.WriteReg(QStringLiteral("LANGUAGE"), QStringLiteral("EN"));
    test::ReadOnlyFolder readOnly(fProgram.path());
    if (!readOnly.Active()) {
        GTEST_SKIP() << "the folder cannot be made read-only here";
    }
    EXPECT_FALSE(setup.Save());
    EXPECT_EQ(FileBytes(ProgramPath()), QByteArray(kDefaultDocument));
}

TEST_F(SetupTest, AReadOnlyProgramFolderSendsTheFileToTheUsersFolder) {
    WriteFile(ProgramPath(), kDefaultDocument);
    {
        TSetup setup(Folders(true));
        setup.WriteReg(QStringLiteral("LANGUAGE"), QStringLiteral("EN"));
        test::ReadOnlyFolder readOnly(fProgram.path());
        if (!readOnly.Active()) {
            GTEST_SKIP() << "the folder cannot be made read-only here";
        }
        ASSERT_TRUE(setup.Save());
    }
    EXPECT_EQ(FileBytes(ProgramPath()), QByteArray(kDefaultDocument));
    TSetup reread(Folders(true));
    EXPECT_EQ(reread.FileName(), UserPath());
    EXPECT_EQ(reread.ReadReg(QStringLiteral("LANGUAGE"), QString()), QStringLiteral("EN"));
}

} // namespace
} // namespace zov
