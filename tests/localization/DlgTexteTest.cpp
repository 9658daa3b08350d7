#include "localization/DlgTexte.h"

#include "localization/ProfileFile.h"
#include "support/Bytes.h"
#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;

// A catalogue over a temporary program folder (and, when asked, a user folder).
class DlgTexteTest : public ::testing::Test {
protected:
    QString ProgramPath(const QString& name) const { return fProgram.filePath(name); }
    QString UserPath(const QString& name) const { return fUser.filePath(name); }

    void WriteProgramFile(const QString& name, const QByteArray& bytes) const {
        QFile file(ProgramPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QString LanguageText(const QString& path, const char* key) {
        return TProfileFile(DecodeText(FileBytes(path)))
            .ReadString(kTransSection, QString::fromLatin1(key), QStringLiteral("(missing)"));
    }
    static QStringList Keys(const TDlgTexte& catalogue) {
        QStringList keys;
        for (qsizetype i = 0; i < catalogue.Entries()->Count(); ++i) {
            keys.append(catalogue.Entries()->Items(i).Key);
        }
        return keys;
    }

    // A new catalogue in the language, as at the start of the program.
    std::unique_ptr<TDlgTexte> Start(const QString& language = QStringLiteral("DE"),
                                     bool withUserFolder = false) const {
        auto catalogue = std::make_unique<TDlgTexte>();
        catalogue->SetFolders({fProgram.path() + QLatin1Char('/'),
                               withUserFolder ? fUser.path() + QLatin1Char('/') : QString()});
        catalogue->SetLanguage(language);
        return catalogue;
    }

    QTemporaryDir fProgram;
    QTemporaryDir fUser;
};

TEST_F(DlgTexteTest, BarsOfNewDefaultsBecomeLineFeeds) {
    WriteProgramFile(QStringLiteral("ZOV.IDX"), "Known\r\nWithBar\r\n");
    WriteProgramFile(QStringLiteral("ZOV.DE"), "[TRANS]\r\nKnown=#\r\nWithBar=Neu|Erzeugt\r\n");
    const auto catalogue = Start();

    EXPECT_EQ(catalogue->Get(QStringLiteral("New"), QStringLiteral("New|Creates a graph")),
              QStringLiteral("New\nCreates a graph"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("New"), QStringLiteral("other")),
              QStringLiteral("New\nCreates a graph"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("Known"), QStringLiteral("Open|Opens")),
              QStringLiteral("Open|Opens"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("Known"), QStringLiteral("other")),
              QStringLiteral("Open|Opens"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("WithBar"), QStringLiteral("x")),
              QStringLiteral("Neu|Erzeugt"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("NoDefault")), QString());
}

TEST_F(DlgTexteTest, KeysIgnoreTheCaseOfLetters) {
    const auto catalogue = Start();
    catalogue->Get(QStringLiteral("MainForm_FileNew1_C"), QStringLiteral("&New"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("MAINFORM_filenew1_c"), QStringLiteral("x")),
              QStringLiteral("&New"));
    EXPECT_EQ(Keys(*catalogue), QStringList({"MainForm_FileNew1_C"}));
}

TEST_F(DlgTexteTest, FirstStartWritesBothFilesAndTheSecondReadsThemBack) {
    {
        const auto first = Start();
        first->Get(QStringLiteral("MDIChild_SaveChg"), QStringLiteral("Save changes?"));
        first->Get(QStringLiteral("AlignDialog_M"), QStringLiteral("Alignment"));
        first->Get(QStringLiteral("Empty_C"), QString());
        EXPECT_TRUE(first->Flush());
    }
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))),
              Bytes({0xEF, 0xBB, 0xBF}) + "MDIChild_SaveChg\r\nAlignDialog_M\r\nEmpty_C\r\n");
    const QByteArray language = FileBytes(ProgramPath(QStringLiteral("ZOV.DE")));
    EXPECT_EQ(DecodeText(language).Encoding, teUtf16LE);
    EXPECT_EQ(DecodeText(language).Text, QStringLiteral("[TRANS]\r\nAlignDialog_M=Alignment\r\n"
                                                        "Empty_C=\r\n"
                                                        "MDIChild_SaveChg=Save changes?\r\n"));

    const auto second = Start();
    EXPECT_EQ(second->Entries()->Mode(), TDlgTextList::lmUnsorted);
    EXPECT_EQ(Keys(*second), QStringList({"MDIChild_SaveChg", "AlignDialog_M", "Empty_C"}));
    EXPECT_EQ(second->Get(QStringLiteral("AlignDialog_M"), QStringLiteral("other")),
              QStringLiteral("Alignment"));
    EXPECT_EQ(second->Get(QStringLiteral("Empty_C"), QStringLiteral("other")), QString());

    // A new language starts from the index alone: keys not asked stay "#".
    second->SetLanguage(QStringLiteral("EN"));
    second->Get(QStringLiteral("AlignDialog_M"), QStringLiteral("Alignment"));
    EXPECT_TRUE(second->Flush());
    const QString english = ProgramPath(QStringLiteral("ZOV.EN"));
    EXPECT_EQ(LanguageText(english, "AlignDialog_M"), QStringLiteral("Alignment"));
    EXPECT_EQ(LanguageText(english, "MDIChild_SaveChg"), QStringLiteral("#"));
}

TEST_F(DlgTexteTest, NewKeysFollowTheIndexAndTheLanguageFileIsSorted) {
    WriteProgramFile(QStringLiteral("ZOV.IDX"), "Zeta\r\nAlpha\r\n");
    WriteProgramFile(QStringLiteral("ZOV.DE"), "[TRANS]\r\nOnlyInFile=kept line\r\n");
    const auto catalogue = Start();
    // A key missing from the index is unknown, however the language file has it.
    EXPECT_EQ(catalogue->Get(QStringLiteral("OnlyInFile"), QStringLiteral("default")),
              QStringLiteral("default"));
    catalogue->Get(QStringLiteral("Beta"), QStringLiteral("b"));
    EXPECT_TRUE(catalogue->Flush());

    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))),
              "Zeta\r\nAlpha\r\nOnlyInFile\r\nBeta\r\n");
    EXPECT_EQ(DecodeText(FileBytes(ProgramPath(QStringLiteral("ZOV.DE")))).Text,
              QStringLiteral("[TRANS]\r\nOnlyInFile=default\r\nAlpha=#\r\nBeta=b\r\nZeta=#\r\n"));
}

TEST_F(DlgTexteTest, TheLanguageFileAloneLoadsSorted) {
    WriteProgramFile(QStringLiteral("ZOV.DE"), "[TRANS]\r\nb=2\r\nC=3\r\na=1\r\nA=dup\r\n");
    const auto catalogue = Start();
    EXPECT_EQ(catalogue->Entries()->Mode(), TDlgTextList::lmSorted);
    EXPECT_EQ(Keys(*catalogue), QStringList({"a", "b", "C"}));
    catalogue->Get(QStringLiteral("Ab"), QStringLiteral("new"));
    EXPECT_EQ(Keys(*catalogue), QStringList({"a", "Ab", "b", "C"}));
    EXPECT_EQ(catalogue->Get(QStringLiteral("A"), QString()), QStringLiteral("1"));
    EXPECT_TRUE(catalogue->Flush());
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))),
              Bytes({0xEF, 0xBB, 0xBF}) + "a\r\nAb\r\nb\r\nC\r\n");
}

TEST_F(DlgTexteTest, TextsSurviveTheLanguageFile) {
    {
        const auto first = Start();
        first->Get(QStringLiteral("Hint"), QStringLiteral("New|Creates a new graph"));
        first->Get(QStringLiteral("Path"), QStringLiteral("C:\\Graphs\\new"));
        first->Get(QStringLiteral("Padded"), QStringLiteral(" Line Style "));
        first->Get(QStringLiteral("Quoted"), QStringLiteral("\"Name\""));
        first->Get(QStringLiteral("Umlaut"), QStringLiteral("Gr\u00f6\u00dfe \u4e2d"));
        EXPECT_TRUE(first->Flush());
    }
    const QString file = ProgramPath(QStringLiteral("ZOV.DE"));
    EXPECT_EQ(LanguageText(file, "Hint"), QStringLiteral("New\\nCreates a new graph"));
    EXPECT_TRUE(
        DecodeText(FileBytes(file)).Text.contains(QStringLiteral("Padded= Line Style \r\n")));

    const auto second = Start();
    const struct {
        const char* key;
        QString expected;
    } cases[] = {
        {"Hint", QStringLiteral("New\nCreates a new graph")},
        {"Path", QStringLiteral("C:\\Graphs\\new")},
        {"Padded", QStringLiteral("Line Style")},
        {"Quoted", QStringLiteral("Name")},
        {"Umlaut", QStringLiteral("Gr\u00f6\u00dfe \u4e2d")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(second->Get(QString::fromLatin1(c.key), QStringLiteral("x")), c.expected)
            << c.key;
    }
}

TEST_F(DlgTexteTest, HandWrittenFilesInOtherEncodings) {
    // An index in UTF-16 big endian and an ANSI language file with umlauts; both are
    // written back in their encodings.
    const QByteArray index =
        Bytes({0xFE, 0xFF, 0, 'G', 0, 'r', 0, 0xF6, 0, 0xDF, 0, 'e',  0, '\r',
               0,    '\n', 0, 'B', 0, 'a', 0, 'c',  0, 'k',  0, '\r', 0, '\n'});
    WriteProgramFile(QStringLiteral("ZOV.IDX"), index);
    WriteProgramFile(QStringLiteral("ZOV.DE"),
                     "[TRANS]\r\nGr\xF6\xDF\x65=\xC4nderungen sichern\r\nBack=C:\\Dir\r\n");
    const auto catalogue = Start();
    EXPECT_EQ(catalogue->Get(QStringLiteral("GR\u00d6\u00dfE"), QStringLiteral("x")),
              QStringLiteral("\u00c4nderungen sichern"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("Back")), QStringLiteral("C:\\Dir"));
    EXPECT_TRUE(catalogue->Flush());
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))), index);
    EXPECT_EQ(DecodeText(FileBytes(ProgramPath(QStringLiteral("ZOV.DE")))).Encoding, teAnsi);
}

TEST_F(DlgTexteTest, LanguageCodesAreLettersOnly) {
    const struct {
        const char* code;
        const char* expected;
    } cases[] = {
        {"DE", "DE"},   {"en", "EN"},   {"Deutsch", "DEUTSCH"}, {"ABCDEFGH", "ABCDEFGH"},
        {"", "DE"},     {"E", "DE"},    {"ABCDEFGHI", "DE"},    {"../x", "DE"},
        {"..", "DE"},   {"E/N", "DE"},  {"EN ", "DE"},          {"D\xC3\x84", "DE"},
        {"/etc", "DE"}, {"E\\N", "DE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidLanguageCode(QString::fromUtf8(c.code)), QString::fromLatin1(c.expected))
            << c.code;
    }

    QDir(fProgram.path()).mkdir(QStringLiteral("sub"));
    auto catalogue = std::make_unique<TDlgTexte>();
    catalogue->SetFolders({fProgram.filePath(QStringLiteral("sub")) + QLatin1Char('/'), QString()});
    catalogue->SetLanguage(QStringLiteral("../x"));
    EXPECT_EQ(catalogue->Language(), QStringLiteral("DE"));
    catalogue->Get(QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_TRUE(catalogue->Flush());
    EXPECT_TRUE(QFile::exists(fProgram.filePath(QStringLiteral("sub/ZOV.DE"))));
    EXPECT_EQ(QDir(fProgram.path()).entryList(QDir::Files), QStringList());
}

TEST_F(DlgTexteTest, AFailedFlushIsReportedAndLeavesTheOldFiles) {
    WriteProgramFile(QStringLiteral("ZOV.IDX"), "Old\r\n");
    WriteProgramFile(QStringLiteral("ZOV.DE"), "[TRANS]\r\nOld=alt\r\n");
    const auto catalogue = Start();
    catalogue->Get(QStringLiteral("New"), QStringLiteral("neu"));
    {
        test::ReadOnlyFolder readOnly(fProgram.path());
        if (!readOnly.Active()) {
            GTEST_SKIP() << "the folder cannot be made read-only here";
        }
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(catalogue->Flush());
        const std::string report = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
        EXPECT_NE(report.find("ZOV.IDX"), std::string::npos) << report;
    }
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))), "Old\r\n");
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.DE"))), "[TRANS]\r\nOld=alt\r\n");
    EXPECT_EQ(catalogue->Entries(), nullptr);
}

TEST_F(DlgTexteTest, AReadOnlyProgramFolderSendsTheFilesToTheUser) {
    WriteProgramFile(QStringLiteral("ZOV.IDX"), "Shipped\r\n");
    WriteProgramFile(QStringLiteral("ZOV.DE"), "[TRANS]\r\nShipped=ausgeliefert\r\n");
    const QString userFolder = fUser.filePath(QStringLiteral("ZOV"));
    auto catalogue = std::make_unique<TDlgTexte>();
    catalogue->SetFolders({fProgram.path() + QLatin1Char('/'), userFolder + QLatin1Char('/')});
    catalogue->SetLanguage(QStringLiteral("DE"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("Shipped")), QStringLiteral("ausgeliefert"));
    catalogue->Get(QStringLiteral("Mine"), QStringLiteral("meins"));
    {
        test::ReadOnlyFolder readOnly(fProgram.path());
        if (!readOnly.Active()) {
            GTEST_SKIP() << "the folder cannot be made read-only here";
        }
        EXPECT_TRUE(catalogue->Flush());
    }
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))), "Shipped\r\n");
    EXPECT_EQ(LanguageText(userFolder + QStringLiteral("/ZOV.DE"), "Mine"),
              QStringLiteral("meins"));

    // The user's copies are read first from now on, and written in place.
    catalogue->SetLanguage(QStringLiteral("DE"));
    EXPECT_EQ(catalogue->Get(QStringLiteral("Mine"), QStringLiteral("x")), QStringLiteral("meins"));
    catalogue->Get(QStringLiteral("Later"), QStringLiteral("danach"));
    EXPECT_TRUE(catalogue->Flush());
    EXPECT_EQ(LanguageText(userFolder + QStringLiteral("/ZOV.DE"), "Later"),
              QStringLiteral("danach"));
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.DE"))),
              "[TRANS]\r\nShipped=ausgeliefert\r\n");
}

TEST_F(DlgTexteTest, BeforeALanguageNothingIsKept) {
    TDlgTexte catalogue;
    EXPECT_EQ(catalogue.Get(QStringLiteral("K"), QStringLiteral("a|b")), QStringLiteral("a\nb"));
    EXPECT_EQ(catalogue.Entries(), nullptr);
    EXPECT_TRUE(catalogue.Flush());
}

TEST_F(DlgTexteTest, KeysThatCannotBeStoredStayOutOfTheFiles) {
    const auto catalogue = Start();
    catalogue->Get(QStringLiteral("Good"), QStringLiteral("g"));
    catalogue->Get(QStringLiteral("Bad=Key"), QStringLiteral("b"));
    catalogue->Get(QStringLiteral("[Section]"), QStringLiteral("s"));
    catalogue->Get(QStringLiteral("Two\nLines"), QStringLiteral("t"));
    EXPECT_TRUE(catalogue->Flush());
    EXPECT_EQ(FileBytes(ProgramPath(QStringLiteral("ZOV.IDX"))),
              Bytes({0xEF, 0xBB, 0xBF}) + "Good\r\n");
    EXPECT_EQ(DecodeText(FileBytes(ProgramPath(QStringLiteral("ZOV.DE")))).Text,
              QStringLiteral("[TRANS]\r\nGood=g\r\n"));
}

} // namespace
} // namespace zov
