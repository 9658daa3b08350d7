// Character and paragraph formatting read into QTextCharFormat and QTextBlockFormat.
#include "richtext/RtfFormatState.h"
#include "support/RtfTestDocument.h"

#include <QFont>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

TEST(RtfCharacterFormat, FontsAndSizes) {
    const auto document =
        ReadDocument(RichEditRtf("arial \\f2\\fs36 times\\plain  plain \\fs1 tiny \\fs99999 huge"));
    const QTextCharFormat arial = FormatOf(*document, "arial");
    EXPECT_EQ(arial.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_DOUBLE_EQ(arial.fontPointSize(), 10.0);
    const QTextCharFormat times = FormatOf(*document, "times");
    EXPECT_EQ(times.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_DOUBLE_EQ(times.fontPointSize(), 18.0);
    const QTextCharFormat plain = FormatOf(*document, "plain");
    EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_DOUBLE_EQ(plain.fontPointSize(), 12.0);
    EXPECT_DOUBLE_EQ(FormatOf(*document, "tiny").fontPointSize(), 1.5);
    EXPECT_DOUBLE_EQ(FormatOf(*document, "huge").fontPointSize(), 1638.0);
}

TEST(RtfCharacterFormat, TogglesAndGroups) {
    const auto document = ReadDocument(
        RichEditRtf("\\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike struck\\strike0  "
                    "{\\b\\i both} after \\ulwave wave\\ul0  \\uld dots\\ulnone  end"));
    EXPECT_EQ(FormatOf(*document, "bold").fontWeight(), QFont::Bold);
    EXPECT_FALSE(FormatOf(*document, "bold").fontItalic());
    EXPECT_TRUE(FormatOf(*document, "italic").fontItalic());
    EXPECT_EQ(FormatOf(*document, "italic").fontWeight(), QFont::Normal);
    EXPECT_EQ(FormatOf(*document, "under").underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_TRUE(FormatOf(*document, "struck").fontStrikeOut());
    EXPECT_EQ(FormatOf(*document, "both").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatOf(*document, "both").fontItalic());
    const QTextCharFormat after = FormatOf(*document, "after");
    EXPECT_EQ(after.fontWeight(), QFont::Normal);
    EXPECT_FALSE(after.fontItalic());
    EXPECT_EQ(after.underlineStyle(), QTextCharFormat::NoUnderline);
    EXPECT_FALSE(after.fontStrikeOut());
    EXPECT_EQ(FormatOf(*document, "wave").underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(FormatOf(*document, "dots").underlineStyle(), QTextCharFormat::DotLine);
    EXPECT_EQ(FormatOf(*document, "end").underlineStyle(), QTextCharFormat::NoUnderline);
}

TEST(RtfCharacterFormat, ColoursFromTheColourTable) {
    const auto document = ReadDocument(
        RichEditRtf("auto \\cf1 red\\cf2  green\\cf0  back \\highlight1 marked\\highlight0  "
                    "\\cb2 shaded\\cb0  \\cf99 unknown"));
    EXPECT_FALSE(FormatOf(*document, "auto").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(FormatOf(*document, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(*document, "green").foreground().color(), QColor(0, 128, 0));
    EXPECT_FALSE(FormatOf(*document, "back").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(FormatOf(*document, "marked").background().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(*document, "shaded").background().color(), QColor(0, 128, 0));
    EXPECT_FALSE(FormatOf(*document, "unknown").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(FormatOf(*document, "unknown").hasProperty(QTextFormat::BackgroundBrush));
}

TEST(RtfCharacterFormat, SuperAndSubscript) {
    const auto document =
        ReadDocument(RichEditRtf("x\\super 2\\nosupersub  y\\sub i\\nosupersub  z"));
    EXPECT_EQ(FormatOf(*document, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatOf(*document, "i").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(FormatOf(*document, "z").verticalAlignment(), QTextCharFormat::AlignNormal);
    // Word processors raise and lower by half points instead.
    const auto raised = ReadDocument(RichEditRtf("x{\\up7 2} y{\\dn2 i}\\up6 k\\up0  z"));
    EXPECT_EQ(FormatOf(*raised, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatOf(*raised, "i").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(FormatOf(*raised, "k").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatOf(*raised, "z").verticalAlignment(), QTextCharFormat::AlignNormal);
}

TEST(RtfCharacterFormat, FontTableWithoutEntryGroups) {
    const auto document =
        ReadDocument("{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fmodern Courier"
                     "{\\*\\panose 02070309020205020404};}\\plain mono\\f0  sans}");
    EXPECT_EQ(FormatOf(*document, "mono").fontFamilies().toStringList(), QStringList{"Courier"});
    EXPECT_EQ(FormatOf(*document, "sans").fontFamilies().toStringList(), QStringList{"Helvetica"});
}

struct TAlignmentCase {
    const char* control;
    Qt::Alignment alignment;
};

class RtfAlignmentTest : public ::testing::TestWithParam<TAlignmentCase> {};

TEST_P(RtfAlignmentTest, SetsBlockAlignment) {
    const auto document =
        ReadDocument(RichEditRtf(QByteArray(GetParam().control) + " text\\par\\pard next"));
    EXPECT_EQ(BlockFormatOf(*document, "text").alignment(), GetParam().alignment);
    EXPECT_EQ(BlockFormatOf(*document, "next").alignment(), Qt::AlignLeft);
}

INSTANTIATE_TEST_SUITE_P(Snippets, RtfAlignmentTest,
                         ::testing::Values(TAlignmentCase{"\\ql", Qt::AlignLeft},
                                           TAlignmentCase{"\\qc", Qt::AlignHCenter},
                                           TAlignmentCase{"\\qr", Qt::AlignRight},
                                           TAlignmentCase{"\\qj", Qt::AlignJustify}));

TEST(RtfParagraphFormat, IndentsAndSpacingInPixels) {
    const auto document =
        ReadDocument(RichEditRtf("\\li1440\\ri720\\fi-360\\sb120\\sa240 indented\\par\\pard "
                                 "plain"));
    const QTextBlockFormat indented = BlockFormatOf(*document, "indented");
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 96.0);
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(indented.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(indented.bottomMargin(), 16.0);
    const QTextBlockFormat plain = BlockFormatOf(*document, "plain");
    EXPECT_DOUBLE_EQ(plain.leftMargin(), 0.0);
    EXPECT_DOUBLE_EQ(plain.textIndent(), 0.0);
}

TEST(RtfParagraphFormat, PropertiesAtTheMarkApplyToTheParagraph) {
    // The rich-edit control may set a paragraph's properties after its text.
    const auto document = ReadDocument("{\\rtf1 first\\qc\\par second\\par}");
    EXPECT_EQ(BlockFormatOf(*document, "first").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(BlockFormatOf(*document, "second").alignment(), Qt::AlignHCenter);
}

struct TLineSpacingCase {
    const char* control;
    int heightType;
    double height;
};

class RtfLineSpacingTest : public ::testing::TestWithParam<TLineSpacingCase> {};

TEST_P(RtfLineSpacingTest, SetsLineHeight) {
    const auto document = ReadDocument(RichEditRtf(QByteArray(GetParam().control) + " text"));
    const QTextBlockFormat format = BlockFormatOf(*document, "text");
    EXPECT_EQ(format.lineHeightType(), GetParam().heightType);
    EXPECT_DOUBLE_EQ(format.lineHeight(), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, RtfLineSpacingTest,
    ::testing::Values(
        TLineSpacingCase{"", QTextBlockFormat::SingleHeight, 0.0},
        TLineSpacingCase{"\\sl360\\slmult1", QTextBlockFormat::ProportionalHeight, 150.0},
        TLineSpacingCase{"\\sl480\\slmult1", QTextBlockFormat::ProportionalHeight, 200.0},
        TLineSpacingCase{"\\sl300\\slmult0", QTextBlockFormat::MinimumHeight, 20.0},
        TLineSpacingCase{"\\sl-300\\slmult0", QTextBlockFormat::FixedHeight, 20.0},
        TLineSpacingCase{"\\sl2400\\slmult1", QTextBlockFormat::ProportionalHeight, 1000.0},
        TLineSpacingCase{"\\sl31680\\slmult1", QTextBlockFormat::ProportionalHeight, 1000.0},
        TLineSpacingCase{"\\sl-2147483648", QTextBlockFormat::FixedHeight, 2112.0}));

TEST(RtfParagraphFormat, TabStops) {
    const auto document =
        ReadDocument(RichEditRtf("\\tx720\\tqr\\tx2880\\tqc\\tx4320\\tqdec\\tx5760 a\\tab b"));
    const QList<QTextOption::Tab> tabs = BlockFormatOf(*document, "a").tabPositions();
    ASSERT_EQ(tabs.size(), 4);
    EXPECT_EQ(tabs[0], QTextOption::Tab(48.0, QTextOption::LeftTab));
    EXPECT_EQ(tabs[1], QTextOption::Tab(192.0, QTextOption::RightTab));
    EXPECT_EQ(tabs[2], QTextOption::Tab(288.0, QTextOption::CenterTab));
    EXPECT_EQ(tabs[3], QTextOption::Tab(384.0, QTextOption::DelimiterTab, QChar('.')));
}

TEST(RtfParagraphFormat, TabStopsInOrderWithoutRepeatsOrNegatives) {
    const auto document = ReadDocument(RichEditRtf("\\tx2880\\tx-720\\tx720\\tqr\\tx720 a"));
    const QList<QTextOption::Tab> tabs = BlockFormatOf(*document, "a").tabPositions();
    EXPECT_EQ(tabs, (QList<QTextOption::Tab>{QTextOption::Tab(48.0, QTextOption::LeftTab),
                                             QTextOption::Tab(192.0, QTextOption::LeftTab)}));
}

TEST(RtfStyleSheet, StylesGiveTheParagraphsTheirDefaults) {
    const auto document = ReadDocument(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f2 Times New Roman;}}"
        "{\\stylesheet{\\f2\\fs28\\sa120 Normal;}{\\s1\\qc\\b\\fs36\\sbasedon0 heading 1;}"
        "{\\*\\cs10 Default Paragraph Font;}{\\cs11\\i Emphasis;}}"
        "\\pard\\plain\\s1 Title\\par\\pard\\plain\\s0 body {\\cs11\\i stress}\\par"
        "\\pard\\plain\\s1\\ql\\fs20 own\\par\\pard\\plain\\s7 unknown\\par}");
    EXPECT_EQ(FormatOf(*document, "Title").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(*document, "Title").fontPointSize(), 18);
    EXPECT_EQ(BlockFormatOf(*document, "Title").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(FormatOf(*document, "body").fontFamilies().toStringList(),
              QStringList{"Times New Roman"});
    EXPECT_EQ(FormatOf(*document, "body").fontPointSize(), 14);
    EXPECT_EQ(BlockFormatOf(*document, "body").bottomMargin(), 8);
    EXPECT_TRUE(FormatOf(*document, "stress").fontItalic());
    // What the paragraph says itself overrides its style; an unknown style is no style.
    EXPECT_EQ(BlockFormatOf(*document, "own").alignment(), Qt::AlignLeft);
    EXPECT_EQ(FormatOf(*document, "own").fontPointSize(), 10);
    EXPECT_EQ(FormatOf(*document, "unknown").fontPointSize(), 12);
    EXPECT_EQ(FormatOf(*document, "unknown").fontWeight(), QFont::Normal);
}

} // namespace
} // namespace zov::test
