#include "graph/model/Geometry.h"
#include "platform/graphics/Canvas.h"
#include "support/FixedWidthMeasure.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using test::FixedWidthMeasure;

// Widths below are in characters of the fixed-width stand-in (10 units each).
TEST(BreakIntoLinesTest, BreaksAsCaptionsExpect) {
    const struct {
        const char* name;
        QString text;
        int chars;
        QString expected;
    } cases[] = {
        {"two words, the space dropped", QStringLiteral("abcde fghi"), 8,
         QStringLiteral("abcde\r\nfghi")},
        {"a long word cut in halves", QStringLiteral("abcdef"), 3, QStringLiteral("abc\r\ndef")},
        {"a trailing CR LF is kept", QStringLiteral("a\r\n"), 10, QStringLiteral("a\r\n")},
        {"leading blanks skipped", QStringLiteral(" \t lead"), 10, QStringLiteral("lead")},
        {"cut after a hyphen", QStringLiteral("one-two"), 5, QStringLiteral("one-\r\ntwo")},
        {"cut after the last break character", QStringLiteral("a.b,cdef"), 6,
         QStringLiteral("a.b,\r\ncdef")},
        {"blank that does not fit ends the line", QStringLiteral("x   y"), 2,
         QStringLiteral("x\r\ny")},
        {"CR CR is two breaks", QStringLiteral("a\r\rb"), 10, QStringLiteral("a\r\n\r\nb")},
        {"LF CR is one break", QStringLiteral("a\n\rb"), 10, QStringLiteral("a\r\nb")},
        {"LF alone", QStringLiteral("a\nb"), 10, QStringLiteral("a\r\nb")},
        {"LF LF is two breaks", QStringLiteral("a\n\nb"), 10, QStringLiteral("a\r\n\r\nb")},
        {"blanks after a break are skipped", QStringLiteral("a\r\n   b"), 10,
         QStringLiteral("a\r\nb")},
        {"trailing blanks removed", QStringLiteral("ab   \r\ncd"), 10, QStringLiteral("ab\r\ncd")},
        {"first character always taken", QStringLiteral("abc"), 0, QStringLiteral("a\r\nb\r\nc")},
        {"characters above 255 never break", QStringLiteral("ab\u2014cd"), 4,
         QStringLiteral("ab\u2014c\r\nd")},
        {"empty text", QString(), 10, QString()},
        {"only blanks", QStringLiteral("   "), 10, QString()},
    };
    const FixedWidthMeasure measure;
    for (const auto& c : cases) {
        EXPECT_EQ(BreakIntoLines(measure, c.text, c.chars * FixedWidthMeasure::CharWidth),
                  c.expected)
            << c.name;
    }
}

TEST(FitTextToBoxTest, ShortensTheLastLineThatFits) {
    const struct {
        const char* name;
        bool hasEllipsis;
        QString text;
        TRect box;
        QString expected;
    } cases[] = {
        {"three lines in a box two lines high",
         true,
         QStringLiteral("aaa bbb ccc"),
         {0, 0, 30, 32},
         QStringLiteral("aaa\r\nbb\u2026")},
        {"one line kept, wide enough for the ellipsis",
         true,
         QStringLiteral("aaaaaa bbbbbb ccc"),
         {0, 0, 90, 16},
         QStringLiteral("aaaaaa\u2026")},
        {"fallback shortened down to the dots",
         false,
         QStringLiteral("aaa bbb ccc"),
         {0, 0, 30, 32},
         QStringLiteral("aaa\r\n...")},
        {"everything fits",
         true,
         QStringLiteral("aaa bbb"),
         {10, 10, 40, 42},
         QStringLiteral("aaa\r\nbbb")},
        {"nothing fits", true, QStringLiteral("aaa bbb"), {0, 0, 30, 15}, QString()},
        {"an empty line counts a space's height",
         true,
         QStringLiteral("a\r\n\r\nb"),
         {0, 0, 30, 32},
         QStringLiteral("a\r\n\u2026")},
    };
    for (const auto& c : cases) {
        const FixedWidthMeasure measure(c.hasEllipsis);
        EXPECT_EQ(FitTextToBox(measure, c.text, c.box), c.expected) << c.name;
    }
}

TEST(FitTextToBoxTest, RealFontUsesItsEllipsisGlyphAndStaysInsideTheBox) {
    TBitmapCanvas bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName(QStringLiteral("Liberation Sans"));
    canvas.Font().SetHeight(-13);
    const int32_t lineHeight = canvas.TextHeight(QStringLiteral("X"));
    const TRect box{0, 0, 80, 2 * lineHeight};
    const QString fitted =
        FitTextToBox(canvas, QStringLiteral("The quick brown fox jumps over the lazy dog"), box);
    const QStringList lines = fitted.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    for (const QString& line : lines) {
        EXPECT_LE(canvas.TextWidth(line), box.Width()) << line.toStdString();
    }
}

} // namespace
} // namespace zov
