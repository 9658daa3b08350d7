#include "localization/ProfileFile.h"

#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;

TProfileFile Ansi(const char* text) {
    return TProfileFile(DecodeText(QByteArray(text)));
}

TEST(ProfileFileTest, ReadsValuesTheWayTheProfileRoutinesDo) {
    const TProfileFile file = Ansi("top=before any section\r\n"
                                   "[Other]\r\n"
                                   "Key=other section\r\n"
                                   "  [ trans ]  \r\n"
                                   "; Comment=not a key\r\n"
                                   "Plain=text\r\n"
                                   "  Spaced Key  =   padded value   \r\n"
                                   "Quoted=\" kept blanks \"\r\n"
                                   "Single=' single '\r\n"
                                   "Unmatched=\"open\r\n"
                                   "Inner=a \"b\" c\r\n"
                                   "Twice=first\r\n"
                                   "TWICE=second\r\n"
                                   "Empty=\r\n"
                                   "Equals=a=b\r\n"
                                   "no equals sign\r\n"
                                   "[TRANS]\r\n"
                                   "Later=a second TRANS section is not read\r\n");
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"TRANS", "Plain", "text"},
        {"trans", "PLAIN", "text"},
        {"TRANS", "spaced key", "padded value"},
        {"TRANS", "Quoted", " kept blanks "},
        {"TRANS", "Single", " single "},
        {"TRANS", "Unmatched", "\"open"},
        {"TRANS", "Inner", "a \"b\" c"},
        {"TRANS", "twice", "first"},
        {"TRANS", "Empty", ""},
        {"TRANS", "Equals", "a=b"},
        {"TRANS", "; Comment", "(default)"},
        {"TRANS", "no equals sign", "(default)"},
        {"TRANS", "Later", "(default)"},
        {"TRANS", "top", "(default)"},
        {"TRANS", "Key", "(default)"},
        {"Other", "Key", "other section"},
        {"Missing", "Plain", "(default)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.ReadString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                  QStringLiteral("(default)")),
                  QString::fromLatin1(c.expected))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(file.KeyNames(QStringLiteral("TRANS")),
              QStringList({"Plain", "Spaced Key", "Quoted", "Single", "Unmatched", "Inner", "Twice",
                           "TWICE", "Empty", "Equals"}));
}

TEST(ProfileFileTest, AcceptsEveryLineEndAndCutsLongValues) {
    const QString longValue(5000, QLatin1Char('x'));
    const TProfileFile file =
        Ansi(("[S]\nA=lf\rB=cr\r\nC=crlf\nLong=" + longValue.toLatin1()).constData());
    EXPECT_EQ(file.KeyNames(QStringLiteral("S")), QStringList({"A", "B", "C", "Long"}));
    EXPECT_EQ(file.ReadString(QStringLiteral("S"), QStringLiteral("B"), QString()),
              QStringLiteral("cr"));
    EXPECT_EQ(file.ReadString(QStringLiteral("S"), QStringLiteral("Long"), QString()),
              longValue.left(kMaxProfileValueLength));
}

TEST(ProfileFileTest, WritingReplacesTheLineOrAppendsToTheSection) {
    TProfileFile file = Ansi("; translator's note\r\n"
                             "[TRANS]\r\n"
                             "A=1\r\n"
                             "b=2\r\n"
                             "\r\n"
                             "  \r\n"
                             "[Next]\r\n"
                             "X=9\r\n");
    EXPECT_TRUE(
        file.WriteString(QStringLiteral("trans"), QStringLiteral("B"), QStringLiteral("two")));
    EXPECT_TRUE(
        file.WriteString(QStringLiteral("TRANS"), QStringLiteral("C"), QStringLiteral(" 3 ")));
    EXPECT_TRUE(
        file.WriteString(QStringLiteral("TRANS"), QStringLiteral("D"), QStringLiteral("4")));
    EXPECT_TRUE(file.WriteString(QStringLiteral("New"), QStringLiteral("K"), QStringLiteral("v")));
    EXPECT_EQ(file.Bytes(), QByteArray("; translator's note\r\n"
                                       "[TRANS]\r\n"
                                       "A=1\r\n"
                                       "B=two\r\n"
                                       "C= 3 \r\n"
                                       "D=4\r\n"
                                       "\r\n"
                                       "  \r\n"
                                       "[Next]\r\n"
                                       "X=9\r\n"
                                       "[New]\r\n"
                                       "K=v\r\n"));
    EXPECT_EQ(file.ReadString(QStringLiteral("TRANS"), QStringLiteral("c"), QString()),
              QStringLiteral("3"));
}

TEST(ProfileFileTest, RefusesWhatCannotStandOnOneLine) {
    TProfileFile file;
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"TRANS", "Key", "two\nlines"}, {"TRANS", "Key", "cr\rhere"},
        {"TRANS", "a=b", "v"},          {"TRANS", "[Key", "v"},
        {"TRANS", ";Key", "v"},         {"TRANS", "", "v"},
        {"TRANS", "Line\nbreak", "v"},  {"", "Key", "v"},
        {"Sec]tion", "Key", "v"},       {"Sec\ntion", "Key", "v"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(file.WriteString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                      QString::fromLatin1(c.value)))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(file.Bytes(), Bytes({0xFF, 0xFE}));
}

TEST(ProfileFileTest, KeepsItsEncodingUnlessACharacterWouldBeLost) {
    // "Grün" and "Maß" in Windows-1252.
    TProfileFile ansi(DecodeText(QByteArray("[TRANS]\r\nA=Gr\xFCn\r\n")));
    EXPECT_EQ(ansi.Encoding(), teAnsi);
    EXPECT_EQ(ansi.ReadString(QStringLiteral("TRANS"), QStringLiteral("A"), QString()),
              QStringLiteral("Gr\u00fcn"));
    ansi.WriteString(QStringLiteral("TRANS"), QStringLiteral("B"),
                     QStringLiteral("Ma\u00df \u20ac"));
    EXPECT_EQ(ansi.Bytes(), QByteArray("[TRANS]\r\nA=Gr\xFCn\r\nB=Ma\xDF \x80\r\n"));

    ansi.WriteString(QStringLiteral("TRANS"), QStringLiteral("C"), QStringLiteral("\u4e2d"));
    const TDecodedText reread = DecodeText(ansi.Bytes());
    EXPECT_EQ(reread.Encoding, teUtf16LE);
    EXPECT_EQ(
        TProfileFile(reread).ReadString(QStringLiteral("TRANS"), QStringLiteral("C"), QString()),
        QStringLiteral("\u4e2d"));

    TProfileFile created;
    created.WriteString(QStringLiteral("TRANS"), QStringLiteral("K"), QStringLiteral("\u00e4"));
    EXPECT_EQ(created.Bytes(),
              Bytes({0xFF, 0xFE, '[',  0, 'T', 0, 'R', 0, 'A',  0, 'N',  0, 'S',  0, ']', 0,
                     '\r', 0,    '\n', 0, 'K', 0, '=', 0, 0xE4, 0, '\r', 0, '\n', 0}));
}

} // namespace
} // namespace zov
