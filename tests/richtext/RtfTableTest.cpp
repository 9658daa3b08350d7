// Tables of "\trowd", "\cellx", "\intbl", "\cell" and "\row" read into QTextTable.
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

QTextTable* FirstTable(const QTextDocument& document) {
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            return table;
        }
    }
    return nullptr;
}

struct TTableCase {
    const char* name;
    QByteArray body;
    QStringList outline;
};

class RtfTableTest : public testing::TestWithParam<TTableCase> {};

TEST_P(RtfTableTest, Outline) {
    const auto document = ReadDocument(RichEditRtf(GetParam().body));
    EXPECT_EQ(Outline(*document), GetParam().outline);
}

const QByteArray kTwoCells = "\\trowd\\trgaph108\\trleft-108\\cellx1000\\cellx2000";

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfTableTest,
    testing::Values(
        TTableCase{"BetweenParagraphs",
                   "before\\par " + kTwoCells + "\\pard\\intbl a\\cell b\\cell\\row " + kTwoCells +
                       "\\pard\\intbl c\\cell d\\cell\\row\\pard after",
                   {"before", "table 2x2", "a | b", "c | d", "after"}},
        TTableCase{"ParagraphsInACell",
                   "x\\par " + kTwoCells + "\\pard\\intbl a\\par a2\\cell b\\cell\\row\\pard y",
                   {"x", "table 1x2", "a/a2 | b", "y"}},
        TTableCase{"EmptyCells",
                   "x\\par " + kTwoCells + "\\pard\\intbl\\cell\\cell\\row\\pard y",
                   {"x", "table 1x2", " | ", "y"}},
        TTableCase{"DefinitionAfterTheCells",
                   "x\\par\\pard\\intbl a\\cell b\\cell " + kTwoCells + "\\row\\pard y",
                   {"x", "table 1x2", "a | b", "y"}},
        TTableCase{"RowsOfDifferentLengths",
                   "x\\par " + kTwoCells + "\\intbl a\\cell b\\cell\\row " + kTwoCells +
                       "\\cellx3000\\intbl c\\cell d\\cell e\\cell\\row\\pard y",
                   {"x", "table 2x3", "a | b | ", "c | d | e", "y"}},
        TTableCase{"MergedAcross",
                   "x\\par\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000"
                   "\\intbl ab\\cell\\cell c\\cell\\row\\pard y",
                   {"x", "table 1x3", "ab (1x2) | c", "y"}},
        TTableCase{"MergedDown",
                   "x\\par\\trowd\\clvmgf\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                   "\\trowd\\clvmrg\\cellx1000\\cellx2000\\intbl\\cell d\\cell\\row\\pard y",
                   {"x", "table 2x2", "a (2x1) | b", "d", "y"}},
        TTableCase{"DecreasingAndNegativeEdges",
                   "x\\par\\trowd\\cellx-500\\cellx2000\\cellx1000\\intbl a\\cell b\\cell "
                   "c\\cell\\row\\pard y",
                   {"x", "table 1x3", "a | b | c", "y"}},
        TTableCase{
            "WideCellSpansColumnsByItsEdge",
            "x\\par\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl a\\cell b\\cell c\\cell\\row"
            "\\trowd\\cellx2010\\cellx3000\\intbl wide\\cell d\\cell\\row\\pard y",
            {"x", "table 2x3", "a | b | c", "wide (1x2) | d", "y"}},
        TTableCase{"UnclosedAtTheEnd",
                   "x\\par " + kTwoCells + "\\intbl a\\cell b",
                   {"x", "table 1x2", "a | b", ""}},
        TTableCase{"NestedCellsReadFlat",
                   "x\\par " + kTwoCells +
                       "\\intbl a\\nestcell a2\\nestcell\\cell b\\cell\\row\\pard y",
                   {"x", "table 1x2", "a/a2/ | b", "y"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfTable, FirstRowGivesTheColumnWidths) {
    const auto document =
        ReadDocument(RichEditRtf("x\\par\\trowd\\trgaph150\\trleft-150\\cellx1350\\cellx1000"
                                 "\\intbl a\\cell b\\cell\\row\\pard y"));
    const QTextTable* table = FirstTable(*document);
    ASSERT_NE(table, nullptr);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_EQ(widths[0], QTextLength(QTextLength::FixedLength, 100)); // 1500 twips
    EXPECT_EQ(widths[1].type(), QTextLength::VariableLength);         // the edge went back
    EXPECT_DOUBLE_EQ(table->format().cellPadding(), 10);
}

TEST(RtfTable, CellFormattingIsKept) {
    const auto document = ReadDocument(RichEditRtf(
        "x\\par " + kTwoCells + "\\intbl\\qc{\\b a}\\cell\\qr\\cf1 b\\cell\\row\\pard y"));
    EXPECT_EQ(FormatOf(*document, "a").fontWeight(), QFont::Bold);
    EXPECT_EQ(BlockFormatOf(*document, "a").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(BlockFormatOf(*document, "b").alignment(), Qt::AlignRight);
    EXPECT_EQ(FormatOf(*document, "b").foreground().color(), QColor(255, 0, 0));
}

TEST(RtfTable, CellsBeyondTheBoundsJoinTheLast) {
    QByteArray row = "\\trowd";
    QByteArray cells;
    for (int i = 1; i <= 100; ++i) {
        row += "\\cellx" + QByteArray::number(i * 100);
        cells += QByteArray::number(i) + "\\cell ";
    }
    const auto document = ReadDocument(RichEditRtf("x\\par " + row + "\\intbl " + cells + "\\row"));
    const QTextTable* table = FirstTable(*document);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columns(), 63);
    EXPECT_TRUE(table->cellAt(0, 62).firstCursorPosition().block().text() == "63");
    EXPECT_TRUE(Outline(*document).join('\n').contains("99"));
}

TEST(RtfTable, ManyRowsMakeSeveralBoundedTables) {
    QByteArray rows;
    for (int i = 0; i < 5100; ++i) {
        rows += kTwoCells + "\\intbl a\\cell b\\cell\\row ";
    }
    const auto document = ReadDocument(RichEditRtf("x\\par " + rows + "\\pard y"));
    int tables = 0;
    int cells = 0;
    for (auto it = document->rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            ++tables;
            cells += table->rows() * table->columns();
            EXPECT_LE(table->rows() * table->columns(), 10000);
        }
    }
    EXPECT_EQ(tables, 2);
    EXPECT_EQ(cells, 10200);
}

} // namespace
} // namespace zov::test
