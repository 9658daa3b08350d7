// Bullet and numbered lists of both RTF forms read into QTextList.
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace zov::test {
namespace {

using enum QTextListFormat::Style;

// A paragraph as a reader sees it: its list is told by the order in which the
// document's lists first appear (-1: none).
struct TItem {
    QString text;
    QTextListFormat::Style style = ListStyleUndefined;
    int indent = 0;
    int list = -1;

    bool operator==(const TItem&) const = default;
};

void PrintTo(const TItem& item, std::ostream* out) {
    *out << '"' << item.text.toStdString() << "\" style " << item.style << " indent " << item.indent
         << " list " << item.list;
}

std::vector<TItem> ItemsOf(const QTextDocument& document) {
    std::vector<TItem> items;
    QHash<const QTextList*, int> lists;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        TItem item{block.text()};
        if (const QTextList* list = block.textList()) {
            item.style = list->format().style();
            item.indent = list->format().indent();
            item.list = lists.value(list, static_cast<int>(lists.size()));
            lists.insert(list, item.list);
        }
        items.push_back(item);
    }
    return items;
}

// Word processors' list tables: list 100 bullets (disc, circle, square), list 200
// numbers (decimal, lower alpha, lower roman, upper alpha, upper roman);
// "\ls1" is list 100, "\ls2" list 200.
QByteArray WordRtf(const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}"
           "{\\f2 Courier New;}{\\f3\\fcharset2 Wingdings;}}\r\n"
           "{\\*\\listtable{\\list\\listtemplateid1\\listhybrid"
           "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\levelstartat1\\levelfollow0"
           "{\\leveltext\\leveltemplateid2\\'01\\u-3913 ?;}{\\levelnumbers;}\\f1\\fi-360\\li720}"
           "{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01o;}{\\levelnumbers;}\\f2}"
           "{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\u-3929 ?;}{\\levelnumbers;}"
           "\\f3}{\\listname ;}\\listid100}\r\n"
           "{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
           "{\\levelnumbers\\'01;}}{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01.;}}"
           "{\\listlevel\\levelnfc2{\\leveltext\\'02\\'02.;}}{\\listlevel\\levelnfc3}"
           "{\\listlevel\\levelnfc1}{\\*\\levelmarker x}\\listid200}}\r\n"
           "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}"
           "{\\listoverride\\listid200\\listoverridecount0\\ls2}}\r\n"
           "\\pard\\plain\\f0\\fs24 " +
           body + "\\par}";
}

struct TListCase {
    const char* name;
    QByteArray rtf;
    std::vector<TItem> items;
};

void PrintTo(const TListCase& c, std::ostream* out) {
    *out << c.name;
}

class RtfListTest : public ::testing::TestWithParam<TListCase> {};

TEST_P(RtfListTest, ReadsListItems) {
    QTextDocument document;
    ReadRtf(GetParam().rtf, document);
    EXPECT_EQ(ItemsOf(document), GetParam().items);
}

constexpr char kRichEditBullet[] =
    "{\\pntext\\f0\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'B7}}";

INSTANTIATE_TEST_SUITE_P(
    RichEdit, RtfListTest,
    ::testing::Values(
        TListCase{"Bullets",
                  RichEditRtf(QByteArray(kRichEditBullet) + "\\fi-720\\li720 one\\par"
                                                            "{\\pntext\\f0\\'B7\\tab}two\\par"
                                                            "\\pard after"),
                  {{"one", ListDisc, 1, 0}, {"two", ListDisc, 1, 0}, {"after"}}},
        TListCase{"BulletShapes",
                  RichEditRtf("{\\*\\pn\\pnlvlblt{\\pntxtb o}}circle\\par\\pard"
                              "{\\*\\pn\\pnlvlblt\\pnf3{\\pntxtb\\u-3929 ?}}square"),
                  {{"circle", ListCircle, 1, 0}, {"square", ListSquare, 1, 1}}},
        TListCase{"Numbers",
                  RichEditRtf("{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1"
                              "\\pndec{\\pntxta.}}\\fi-360\\li360 first\\par"
                              "{\\pntext\\f0 2.\\tab}second"),
                  {{"first", ListDecimal, 1, 0}, {"second", ListDecimal, 1, 0}}},
        TListCase{
            "NumberStyles",
            RichEditRtf("{\\pntext a.\\tab}{\\*\\pn\\pnlvlbody\\pnlcltr{\\pntxta.}}a\\par\\pard"
                        "{\\pntext A.\\tab}{\\*\\pn\\pnlvlbody\\pnucltr{\\pntxta.}}b\\par\\pard"
                        "{\\pntext i.\\tab}{\\*\\pn\\pnlvlbody\\pnlcrm{\\pntxta.}}c\\par\\pard"
                        "{\\pntext I.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxta.}}d"),
            {{"a", ListLowerAlpha, 1, 0},
             {"b", ListUpperAlpha, 1, 1},
             {"c", ListLowerRoman, 1, 2},
             {"d", ListUpperRoman, 1, 3}}},
        TListCase{
            "BulletsThenNumbers",
            RichEditRtf(QByteArray(kRichEditBullet) +
                        "b1\\par{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}n1\\par"
                        "{\\pntext 2.\\tab}n2\\par\\pard plain"),
            {{"b1", ListDisc, 1, 0},
             {"n1", ListDecimal, 1, 1},
             {"n2", ListDecimal, 1, 1},
             {"plain"}}},
        TListCase{"OutlineLevels",
                  RichEditRtf("{\\*\\pn\\pnlvl1\\pndec}top\\par{\\*\\pn\\pnlvl3\\pnlcrm}deep\\par"
                              "{\\*\\pn\\pnlvl1\\pndec}top2\\par{\\*\\pn\\pnlvl99\\pndec}absurd"),
                  {{"top", ListDecimal, 1, 0},
                   {"deep", ListLowerRoman, 3, 1},
                   {"top2", ListDecimal, 1, 0},
                   {"absurd", ListDecimal, 1, 0}}},
        TListCase{"ListEndsAtPard",
                  RichEditRtf(QByteArray(kRichEditBullet) + "one\\par\\pard two\\par" +
                              kRichEditBullet + "three"),
                  {{"one", ListDisc, 1, 0}, {"two"}, {"three", ListDisc, 1, 1}}}));

INSTANTIATE_TEST_SUITE_P(
    WordProcessor, RtfListTest,
    ::testing::Values(
        TListCase{"NestedBullets",
                  WordRtf("{\\listtext\\f1 \\u-3913 ?\\tab}\\ls1\\ilvl0\\fi-360\\li720 apple\\par"
                          "{\\listtext\\f2 o\\tab}\\ls1\\ilvl1 seed\\par"
                          "{\\listtext\\f3 \\u-3929 ?\\tab}\\ls1\\ilvl2 core\\par"
                          "{\\listtext\\f1 \\u-3913 ?\\tab}\\ls1\\ilvl0 pear\\par\\pard plain"),
                  {{"apple", ListDisc, 1, 0},
                   {"seed", ListCircle, 2, 1},
                   {"core", ListSquare, 3, 2},
                   {"pear", ListDisc, 1, 0},
                   {"plain"}}},
        TListCase{"NumberStyles",
                  WordRtf("\\pard\\ls2{\\listtext 1.\\tab}one\\par\\ilvl1{\\listtext a.\\tab}a\\par"
                          "\\ilvl2 i\\par\\ilvl3 A\\par\\ilvl4 I"),
                  {{"one", ListDecimal, 1, 0},
                   {"a", ListLowerAlpha, 2, 1},
                   {"i", ListLowerRoman, 3, 2},
                   {"A", ListUpperAlpha, 4, 3},
                   {"I", ListUpperRoman, 5, 4}}},
        TListCase{"TextFirstThenList",
                  WordRtf("{\\listtext\\pard\\plain\\f1 \\u-3913 ?\\tab}\\ilvl0\\ls1 \\li720 item"),
                  {{"item", ListDisc, 1, 0}}},
        TListCase{"BulletsThenNumbers",
                  WordRtf("\\ls1 b\\par\\ls2 n\\par\\pard p"),
                  {{"b", ListDisc, 1, 0}, {"n", ListDecimal, 1, 1}, {"p"}}},
        TListCase{"AbsurdNumbersIgnored",
                  WordRtf("\\ls1\\ilvl1\\ilvl99\\ilvl-1 kept\\par\\pard\\ls-5 none\\par"
                          "{\\listtext 9.\\tab}\\ls99999 unknown\\par\\pard\\ls0 zero"),
                  {{"kept", ListCircle, 2, 0}, {"none"}, {"9.\tunknown"}, {"zero"}}}));

QByteArray ManyLists(int count) {
    QByteArray rtf = "{\\rtf1{\\*\\listtable";
    for (int i = 1; i <= count; ++i) {
        rtf += "{\\list" + QByteArray("{\\listlevel\\levelnfc4}").repeated(20) + "\\listid" +
               QByteArray::number(i) + "}";
    }
    rtf += "}{\\*\\listoverridetable";
    for (int i = 1; i <= count; ++i) {
        rtf += "{\\listoverride\\listid" + QByteArray::number(i) + "\\ls" + QByteArray::number(i) +
               "}";
    }
    return rtf + "}\\ls1\\ilvl8 first\\par\\ls" + QByteArray::number(count) + " last}";
}

TEST(RtfListTables, AreBounded) {
    QTextDocument document;
    ReadRtf(ManyLists(2000), document);
    EXPECT_EQ(ItemsOf(document), (std::vector<TItem>{{"first", ListLowerAlpha, 9, 0}, {"last"}}));
}

TEST(RtfListTables, TruncatedDefinitionsEndInAPartialDocument) {
    for (const QByteArray& rtf :
         {QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01"),
          QByteArray("{\\rtf1{\\*\\listoverridetable{\\listoverride\\listid1\\ls1"),
          QByteArray("{\\rtf1 a{\\*\\pn\\pnlvlblt{\\pntxtb\\u-3913"),
          QByteArray("{\\rtf1{\\listtext 1.")}) {
        QTextDocument document;
        EXPECT_EQ(ReadRtf(rtf, document), rrPartial) << rtf.constData();
    }
}

} // namespace
} // namespace zov::test
