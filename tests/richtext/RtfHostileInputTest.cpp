// Malformed and hostile documents end in a partial document: never a crash, a hang
// or memory out of proportion to the input.
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

struct THostileCase {
    const char* name;
    QByteArray rtf;
    TRtfReadResult result;
    QStringList blocks;
};

void PrintTo(const THostileCase& c, std::ostream* out) {
    *out << c.name;
}

class RtfHostileInputTest : public ::testing::TestWithParam<THostileCase> {};

TEST_P(RtfHostileInputTest, ReadsWhatCanBeRead) {
    QTextDocument document;
    EXPECT_EQ(ReadRtf(GetParam().rtf, document), GetParam().result);
    EXPECT_EQ(BlockTexts(document), GetParam().blocks);
}

QByteArray Repeated(const QByteArray& part, int count) {
    return part.repeated(count);
}

constexpr char kControlCharacters[] = "{\\rtf1 a\0b\x01"
                                      "c}";

INSTANTIATE_TEST_SUITE_P(
    Inputs, RtfHostileInputTest,
    ::testing::Values(
        THostileCase{"Empty", "", rrNotRtf, {""}},
        THostileCase{"OnlyHeader", "{\\rtf", rrPartial, {""}},
        THostileCase{"TruncatedHexEscape", "{\\rtf1 ab\\'4", rrPartial, {"ab"}},
        THostileCase{"HexEscapeWithoutDigits", "{\\rtf1 a\\'zz}", rrComplete, {"azz"}},
        THostileCase{"TruncatedControlWord", "{\\rtf1 a\\par", rrPartial, {"a"}},
        THostileCase{"TrailingBackslash", "{\\rtf1 a\\", rrPartial, {"a"}},
        THostileCase{"MissingClosingBraces", "{\\rtf1 a{\\b b{\\i c", rrPartial, {"abc"}},
        THostileCase{"ExtraClosingBraces", "{\\rtf1 a}}}}", rrComplete, {"a"}},
        THostileCase{"HugeParameters",
                     "{\\rtf1{\\fonttbl{\\f99999999999999999999 X;}}\\fs99999999999999 a"
                     "\\li-99999999999 \\uc99999999999 \\u99999999999 bcd\\cf4294967296 e"
                     "\\bin99999999999999}",
                     rrPartial,
                     {"a"}},
        THostileCase{"NegativeBinaryLength", "{\\rtf1 a\\bin-5 b}", rrComplete, {"ab"}},
        THostileCase{
            "LongControlWord", "{\\rtf1 a\\x" + Repeated("y", 100000) + " b}", rrComplete, {"ab"}},
        THostileCase{"DeepNesting",
                     "{\\rtf1 " + Repeated("{", 100000) + "deep" + Repeated("}", 100000) +
                         " after}",
                     rrComplete,
                     {"deep after"}},
        THostileCase{"DeepNestingUnclosed",
                     "{\\rtf1 " + Repeated("{\\b x", 50000),
                     rrPartial,
                     {Repeated("x", 50000)}},
        THostileCase{"ManyEscapesWithoutDigits",
                     "{\\rtf1 " + Repeated("\\'", 100000) + "}",
                     rrComplete,
                     {""}},
        THostileCase{"ControlCharactersDropped",
                     QByteArray(kControlCharacters, sizeof(kControlCharacters) - 1),
                     rrComplete,
                     {"abc"}}));

TEST(RtfHostileInput, ManyColoursAndFontsAreBounded) {
    QByteArray rtf = "{\\rtf1{\\colortbl" + Repeated("\\red1;", 10000) + "}{\\fonttbl";
    for (int i = 0; i < 10000; ++i) {
        rtf += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    }
    rtf += "}\\f9999\\cf9999 x\\f5\\cf5 y}";
    const auto document = ReadDocument(rtf);
    EXPECT_EQ(BlockTexts(*document), QStringList{"xy"});
    EXPECT_FALSE(FormatOf(*document, "x").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(FormatOf(*document, "y").foreground().color(), QColor(1, 0, 0));
    EXPECT_EQ(FormatOf(*document, "y").fontFamilies().toStringList(), QStringList{"F5"});
}

TEST(RtfHostileInput, UnknownCodePageReadsAsWindows1252) {
    const auto document = ReadDocument("{\\rtf1\\ansi\\ansicpg77777 \\'e4}");
    EXPECT_EQ(BlockTexts(*document), QStringList{QString::fromUtf16(u"\u00E4")});
}

} // namespace
} // namespace zov::test
