// Text, special characters, Unicode, code pages and skipped destinations, read
// from snippets in the rich-edit control's form.
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

struct TTextCase {
    const char* name;
    QByteArray rtf;
    QStringList blocks;
};

void PrintTo(const TTextCase& c, std::ostream* out) {
    *out << c.name;
}

class RtfTextTest : public ::testing::TestWithParam<TTextCase> {};

TEST_P(RtfTextTest, ReadsBlocks) {
    const auto document = ReadDocument(GetParam().rtf);
    EXPECT_EQ(BlockTexts(*document), GetParam().blocks);
}

const QString kLine(QChar::LineSeparator);

INSTANTIATE_TEST_SUITE_P(
    Snippets, RtfTextTest,
    ::testing::Values(
        TTextCase{"OneParagraph", RichEditRtf("Hello World"), {"Hello World"}},
        TTextCase{"LineBreaksInSourceAreNoText", RichEditRtf("Hel\r\nlo\n World"), {"Hello World"}},
        TTextCase{
            "Paragraphs", RichEditRtf("One\\par Two\\par\\par Four"), {"One", "Two", "", "Four"}},
        TTextCase{"BackslashNewlineIsParagraph", RichEditRtf("One\\\nTwo"), {"One", "Two"}},
        TTextCase{"LineAndTab", RichEditRtf("a\\line b\\tab c"), {"a" + kLine + "b\tc"}},
        TTextCase{"EscapedSymbols", RichEditRtf("\\{x\\} \\\\ y"), {"{x} \\ y"}},
        TTextCase{"SpecialCharacters",
                  RichEditRtf("a\\~b\\-c\\_d\\emdash\\endash\\bullet\\lquote\\rquote"
                              "\\ldblquote\\rdblquote"),
                  {QString::fromUtf16(u"a\u00A0b\u00ADc\u2011d\u2014\u2013\u2022\u2018"
                                      u"\u2019\u201C\u201D")}},
        TTextCase{"ControlWordDelimiter", RichEditRtf("\\b bold\\b0  plain"), {"bold plain"}},
        TTextCase{"HexEscapesWindows1252",
                  RichEditRtf("gr\\'fc\\'dfe \\'80"),
                  {QString::fromUtf16(u"gr\u00FC\u00DFe \u20AC")}},
        TTextCase{"CyrillicFontCharset",
                  RichEditRtf("\\f1\\'e0\\'e1\\'e2\\f0  \\'e0"),
                  {QString::fromUtf16(u"\u0430\u0431\u0432 \u00E0")}},
        TTextCase{"AnsiCodePage1251",
                  "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil Arial;}"
                  "{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset1 Arial;}}"
                  "\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\f1\\'e0\\f2\\'e0\\par}",
                  {QString::fromUtf16(u"\u041F\u0440\u0438\u0432\u0435\u0442 \u00E0\u0430")}},
        TTextCase{"GreekFontCharset",
                  "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset161 Arial Greek;}}\\f0\\'e1\\'e2}",
                  {QString::fromUtf16(u"\u03B1\u03B2")}},
        TTextCase{"ShiftJisFontCharset",
                  "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'82\\'a0\\'93\\'fa}",
                  {QString::fromUtf16(u"\u3042\u65E5")}},
        TTextCase{"UnicodeWithFallback",
                  RichEditRtf("\\u8364?x \\uc2\\u8364\\'80\\'80y"),
                  {QString::fromUtf16(u"\u20ACx \u20ACy")}},
        TTextCase{"UnicodeNegative", RichEditRtf("\\u-4064?"), {QString::fromUtf16(u"\uF020")}},
        TTextCase{
            "UnicodeSkipZero", RichEditRtf("\\uc0\\u1046 x"), {QString::fromUtf16(u"\u0416x")}},
        TTextCase{"UnicodeSkipEndsWithGroup",
                  RichEditRtf("{\\uc3\\u1046}xyz"),
                  {QString::fromUtf16(u"\u0416xyz")}},
        TTextCase{"SurrogatePair",
                  RichEditRtf("\\u-10179?\\u-8704?"),
                  {QString::fromUtf16(u"\U0001F600")}},
        TTextCase{
            "LoneSurrogateReplaced", RichEditRtf("\\u-10179?a"), {QString::fromUtf16(u"\uFFFDa")}},
        TTextCase{"SkippedDestinations",
                  RichEditRtf("{\\*\\generator Riched20 10.0;}{\\info{\\title T}{\\author A}}"
                              "{\\stylesheet{\\s0 Normal;}}{\\header head}{\\footer foot}"
                              "{\\*\\unknownthing xyz{\\nested q}}text{\\*\\bkmkstart b}"),
                  {"text"}},
        TTextCase{"UnknownControlWordsIgnored", RichEditRtf("a\\foo123 b\\bar-5 c"), {"abc"}},
        TTextCase{"FieldResultKept",
                  RichEditRtf("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"),
                  {"link"}},
        TTextCase{"BinaryDataSkipped", RichEditRtf("a{\\*\\blob\\bin3 }}}b}c"), {"ac"}},
        TTextCase{"PageAndSectionEndParagraphs", RichEditRtf("a\\page b\\sect c"), {"a", "b", "c"}},
        TTextCase{"ListFallbackTextKeptWithoutList",
                  RichEditRtf("{\\pntext\\f0 1.\\tab}item\\par{\\listtext 2.\\tab}\\ls7 next"),
                  {"1.\titem", "2.\tnext"}},
        TTextCase{"ListFallbackTextDroppedForList",
                  RichEditRtf("{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}item"),
                  {"item"}},
        TTextCase{"PictureSkipped",
                  RichEditRtf("a{\\pict\\wmetafile8\\picw10\\pich10 0100090000}b"),
                  {"ab"}},
        TTextCase{"NoTrailingEmptyParagraph", "{\\rtf1 x\\par}", {"x"}},
        TTextCase{"LastParagraphWithoutMark", "{\\rtf1 x\\par y}", {"x", "y"}}));

TEST(RtfReaderResult, ReportsCompletePartialAndNotRtf) {
    QTextDocument document;
    EXPECT_EQ(ReadRtf(RichEditRtf("x"), document), rrComplete);
    EXPECT_EQ(ReadRtf("{\\rtf1 x", document), rrPartial);
    EXPECT_EQ(document.toPlainText(), "x");
    document.setPlainText("old");
    EXPECT_EQ(ReadRtf("plain text", document), rrNotRtf);
    EXPECT_TRUE(document.isEmpty());
}

TEST(RtfReaderResult, IgnoresWhatFollowsTheDocument) {
    const auto document = ReadDocument("{\\rtf1 x}{\\rtf1 y} z");
    EXPECT_EQ(BlockTexts(*document), QStringList{"x"});
}

TEST(RtfReaderResult, KeepsTheDocumentsUndoSetting) {
    QTextDocument document;
    ReadRtf(RichEditRtf("x"), document);
    EXPECT_TRUE(document.isUndoRedoEnabled());
    EXPECT_FALSE(document.isUndoAvailable());
}

} // namespace
} // namespace zov::test
