#include "platform/graphics/Brush.h"
#include "platform/graphics/DashPatterns.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

#include <QFontInfo>
#include <gtest/gtest.h>
#include <limits>

namespace zov {
namespace {

// Counts the change notifications of one drawing object.
template <typename T> struct Watched {
    T object;
    int changes = 0;
    Watched() {
        object.OnChange = [this] {
            ++changes;
        };
    }
};

TEST(GraphicsObjectsTest, DefaultsAreBlackPenWhiteBrushEightPointFont) {
    const TPen pen;
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Mode(), pmCopy);
    EXPECT_EQ(pen.Style(), psSolid);
    EXPECT_EQ(pen.Width(), 1);

    const TBrush brush;
    EXPECT_EQ(brush.Color(), clWhite);
    EXPECT_EQ(brush.Style(), bsSolid);

    const TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Pitch(), fpDefault);
    EXPECT_EQ(font.Quality(), fqDefault);
    EXPECT_EQ(font.Orientation(), 0);
    EXPECT_TRUE(font.Style().IsEmpty());
}

TEST(GraphicsObjectsTest, SettersReportOnlyRealChanges) {
    Watched<TPen> pen;
    pen.object.SetWidth(1);
    pen.object.SetColor(clBlack);
    EXPECT_EQ(pen.changes, 0);
    pen.object.SetWidth(3);
    pen.object.SetStyle(psDash);
    pen.object.SetMode(pmNot);
    pen.object.SetWidth(-2); // ignored
    EXPECT_EQ(pen.changes, 3);
    EXPECT_EQ(pen.object.Width(), 3);

    Watched<TBrush> brush;
    brush.object.SetStyle(bsSolid);
    brush.object.SetColor(clRed);
    brush.object.SetColor(clRed);
    EXPECT_EQ(brush.changes, 1);

    Watched<TFont> font;
    font.object.SetStyle({fsBold});
    font.object.SetStyle({fsBold});
    font.object.SetName(QString()); // an empty name is ignored
    font.object.SetSize(8);         // the same height
    EXPECT_EQ(font.changes, 1);
}

TEST(GraphicsObjectsTest, AssignReportsOnceAndCopiesDoNotInheritTheHandler) {
    Watched<TFont> font;
    TFont other;
    other.SetName(QStringLiteral("Courier New"));
    other.SetHeight(-20);
    other.SetStyle({fsItalic, fsUnderline});
    font.object.Assign(other);
    EXPECT_EQ(font.changes, 1);
    EXPECT_TRUE(font.object.SameAs(other));
    font.object.Assign(other);
    EXPECT_EQ(font.changes, 1);

    TFont copy(font.object);
    EXPECT_FALSE(copy.OnChange);
    copy.SetHeight(-30);
    EXPECT_EQ(font.changes, 1);

    Watched<TPen> pen;
    TPen wide;
    wide.SetWidth(4);
    pen.object.Assign(wide);
    pen.object.Assign(wide);
    EXPECT_EQ(pen.changes, 1);
}

TEST(GraphicsObjectsTest, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
    const struct {
        int32_t size, height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {24, -32}};
    for (const auto& c : cases) {
        TFont font;
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height) << c.size;
        EXPECT_EQ(font.Size(), c.size);
    }
}

TEST(GraphicsObjectsTest, QtFontCarriesTheAttributes) {
    TFont font;
    font.SetName(QStringLiteral("Liberation Serif"));
    font.SetHeight(-20);
    font.SetStyle({fsBold, fsItalic, fsStrikeOut});
    const QFont q = font.ToQFont();
    EXPECT_EQ(q.pixelSize(), 20);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.strikeOut());
    EXPECT_FALSE(q.underline());
    EXPECT_EQ(QFontInfo(q).family(), QStringLiteral("Liberation Serif"));

    // No height means the standard 8 points; absurd heights are limited.
    TFont unset;
    unset.SetHeight(0);
    EXPECT_EQ(unset.ToQFont().pixelSize(), 11);
    TFont huge;
    huge.SetHeight(std::numeric_limits<int32_t>::min());
    EXPECT_EQ(huge.ToQFont().pixelSize(), 4096);
    huge.SetHeight(std::numeric_limits<int32_t>::max());
    EXPECT_LE(huge.ToQFont().pixelSize(), 4096);

    // A positive height is the cell height: the characters come out smaller.
    TFont cell;
    cell.SetHeight(20);
    EXPECT_LT(cell.ToQFont().pixelSize(), 20);
    EXPECT_GT(cell.ToQFont().pixelSize(), 12);
}

TEST(GraphicsObjectsTest, ChosenFontsTakeNameSizeAndStylesOnly) {
    TFont font;
    font.SetCharset(SYMBOL_CHARSET);
    font.SetColor(clRed);
    font.SetSize(12);
    EXPECT_EQ(font.ToChooserFont().pointSize(), 12);

    QFont chosen(QStringLiteral("Courier New"));
    chosen.setPointSize(20);
    chosen.setBold(true);
    chosen.setStrikeOut(true);
    font.AssignChosenFont(chosen);
    EXPECT_EQ(font.Name(), QStringLiteral("Courier New"));
    EXPECT_EQ(font.Size(), 20);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(font.Charset(), SYMBOL_CHARSET);
    EXPECT_EQ(font.Color(), clRed);

    const struct {
        int pixels;
        int points;
    } sizes[] = {{16, 12}, {100000, 999}, {0, 1}};
    for (const auto& size : sizes) {
        QFont pixelFont(QStringLiteral("Arial"));
        pixelFont.setPixelSize(std::max(size.pixels, 1));
        if (size.pixels == 0) {
            pixelFont.setPointSizeF(0.2);
        }
        font.AssignChosenFont(pixelFont);
        EXPECT_EQ(font.Size(), size.points) << size.pixels;
    }
    font.SetHeight(-50000); // from a damaged file
    EXPECT_EQ(font.ToChooserFont().pointSize(), 999);
}

// A dashed line draws its dashes from its start: shorter than the first dash it is
// all ink, and over whole periods it has the pattern's share.
TEST(GraphicsObjectsTest, DashInkIsTheShareOfTheLineTheDashesCover) {
    struct Case {
        TPenStyle style;
        double length; // in pen widths
        double ink;
    };
    const Case cases[] = {
        {psSolid, 100, 1},       {psInsideFrame, 3, 1},      {psDash, 10, 1},
        {psDash, 24, 18.0 / 24}, {psDash, 30, 24.0 / 30},    {psDash, 2400, 0.75},
        {psDot, 4, 3.0 / 4},     {psDashDot, 24, 12.0 / 24}, {psDash, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << kPenStyleNames[c.style] << " " << c.length);
        EXPECT_DOUBLE_EQ(DashInk(c.style, c.length), c.ink);
    }
}

} // namespace
} // namespace zov
