// Files written by other programs: the rich-edit control's form (by hand, from its
// published format) and LibreOffice's (made by data/libreoffice/make-rtf.sh).
#include "richtext/RtfImageProperties.h"
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

std::unique_ptr<QTextDocument> ReadFile(const char* name) {
    QFile file(QStringLiteral(ZOV_RTF_TEST_DATA "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    auto document = std::make_unique<QTextDocument>();
    EXPECT_EQ(ReadRtf(file.readAll(), *document), rrComplete) << name;
    return document;
}

QString ListStyle(const QTextDocument& document, const QString& text) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text() == text) {
            return block.textList() != nullptr ? QString::number(block.textList()->format().style())
                                               : QStringLiteral("none");
        }
    }
    return QStringLiteral("missing");
}

int ImageCount(const QTextDocument& document) {
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            count += it.fragment().charFormat().isImageFormat() ? 1 : 0;
        }
    }
    return count;
}

TEST(RtfSampleFiles, RichEditFormatting) {
    const auto document = ReadFile("richedit-formatting.rtf");
    EXPECT_EQ(FormatOf(*document, "bold").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatOf(*document, "italic").fontItalic());
    EXPECT_TRUE(FormatOf(*document, "struck").fontStrikeOut());
    EXPECT_EQ(FormatOf(*document, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(*document, "marked").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(FormatOf(*document, "Times").fontPointSize(), 14);
    EXPECT_EQ(BlockFormatOf(*document, "justified").alignment(), Qt::AlignJustify);
    EXPECT_EQ(BlockFormatOf(*document, "indented").leftMargin(), 48);
    EXPECT_EQ(BlockFormatOf(*document, "exactly").lineHeightType(), QTextBlockFormat::FixedHeight);
    EXPECT_TRUE(BlockTexts(*document).contains(QString::fromUtf8("Привет café €😀 end")));
}

TEST(RtfSampleFiles, RichEditLists) {
    const auto document = ReadFile("richedit-lists.rtf");
    EXPECT_EQ(BlockTexts(*document), (QStringList{"Lists", "first bullet", "second bullet", "one",
                                                  "two", "letter", "after"}));
    EXPECT_EQ(ListStyle(*document, "second bullet"), QString::number(QTextListFormat::ListDisc));
    EXPECT_EQ(ListStyle(*document, "two"), QString::number(QTextListFormat::ListDecimal));
    EXPECT_EQ(ListStyle(*document, "letter"), QString::number(QTextListFormat::ListLowerAlpha));
    EXPECT_EQ(ListStyle(*document, "after"), "none");
}

TEST(RtfSampleFiles, RichEditTableAndPicture) {
    const auto document = ReadFile("richedit-table-picture.rtf");
    EXPECT_EQ(
        Outline(*document),
        (QStringList{"Before the table", "table 2x3", "Name | Count | Note", "Apples | 12 | fresh",
                     QStringLiteral("item with a picture \uFFFC"), "After"}));
    EXPECT_EQ(BlockFormatOf(*document, "12").alignment(), Qt::AlignRight);
    EXPECT_EQ(ImageCount(*document), 1);
}

TEST(RtfSampleFiles, LibreOffice) {
    const auto document = ReadFile("libreoffice/sample.rtf");
    EXPECT_EQ(Outline(*document),
              (QStringList{"Plain bold italic underlined struck red marked x2 H2O", "centred",
                           "right", "justified text", "indented",
                           QString::fromUtf8("Привет café €"), "first bullet", "second bullet",
                           "one", "two", "table 3x3", "Name | Count | Note", "Apples | 12 | fresh",
                           "wide (1x2) | last", QStringLiteral("picture \uFFFC after")}));
    EXPECT_EQ(FormatOf(*document, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(*document, "underlined").underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_EQ(FormatOf(*document, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(*document, "marked").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(FormatOf(*document, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(BlockFormatOf(*document, "centred").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(BlockFormatOf(*document, "indented").leftMargin(), 1134 / 15.0);
    EXPECT_EQ(ListStyle(*document, "first bullet"), QString::number(QTextListFormat::ListDisc));
    EXPECT_EQ(ListStyle(*document, "two"), QString::number(QTextListFormat::ListDecimal));
    EXPECT_EQ(FormatOf(*document, "Name").fontWeight(), QFont::Bold);
    EXPECT_EQ(ImageCount(*document), 1);
}

} // namespace
} // namespace zov::test
