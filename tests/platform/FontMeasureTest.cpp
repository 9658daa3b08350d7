#include "platform/graphics/FontMeasure.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace zov {
namespace {

// The cached per-character widths must agree with shaping the whole string, for every
// prefix that caption layout measures.
TEST(FontMeasureTest, PrefixWidthsMatchShapedText) {
    const QString sample = QString::fromUtf8(
        "Order AVATAR Ty Wo, \"fi fl ffi\" Größe Ölförderung ÀÉÎ ДОБРЫЙ день αβγ e\u0301 ok");
    for (const char* family : {"Liberation Sans", "Liberation Serif", "DejaVu Sans"}) {
        for (const int32_t height : {-11, -13, -16, 20}) {
            TFont font;
            font.SetName(QString::fromLatin1(family));
            font.SetHeight(height);
            font.SetStyle(height == -13 ? TFontStyles{fsBold} : TFontStyles{});
            const TFontMeasure measure(font);
            const QFontMetrics shaped(font.ToQFont());
            for (qsizetype n = 0; n <= sample.size(); ++n) {
                const QString prefix = sample.left(n);
                ASSERT_EQ(measure.Width(prefix), shaped.horizontalAdvance(prefix))
                    << family << " " << height << " '" << prefix.toStdString() << "'";
            }
            EXPECT_EQ(measure.Height(), shaped.ascent() + shaped.descent());
        }
    }
}

TEST(FontMeasureTest, TabsMeasureAsTheSpacesTheyAreDrawnAs) {
    TFont font;
    font.SetName(QStringLiteral("Liberation Sans"));
    const TFontMeasure measure(font);
    EXPECT_EQ(measure.Width(QStringLiteral("a\tb")), measure.Width(QStringLiteral("a b")));
    EXPECT_EQ(measure.Width(QStringLiteral("\u05d0\t")), measure.Width(QStringLiteral("\u05d0 ")));
}

TEST(FontMeasureTest, KnowsTheFontsOwnGlyphs) {
    TFont font;
    font.SetName(QStringLiteral("Liberation Sans"));
    const TFontMeasure measure(font);
    EXPECT_TRUE(measure.HasGlyph(U'\u2026'));
    EXPECT_TRUE(measure.HasGlyph(U'\u00e4'));
    EXPECT_FALSE(measure.HasGlyph(U'\u4e2d')); // CJK comes only from fallback fonts
    EXPECT_EQ(measure.TextExtent(QString()), (TSize{0, measure.Height()}));
}

} // namespace
} // namespace zov
