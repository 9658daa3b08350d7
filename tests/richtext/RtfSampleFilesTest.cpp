// Files written by other programs: the rich-edit control's form (by hand, from its
// published format) and LibreOffice's (made by data/libreoffice/make-rtf.sh).
#include "richtext/RtfImageProperties.h"
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
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

// The document laid out 16 cm wide and drawn: the table's lines, the list's bullet
// and the picture's two halves appear (the image is kept in the test output).
TEST(RtfSampleFiles, TableListAndPictureAreDrawn) {
    const auto document = ReadFile("richedit-table-picture.rtf");
    document->setTextWidth(605);
    QImage image(605, static_cast<int>(document->size().height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    document->drawContents(&painter);
    painter.end();
    QDir().mkpath(QStringLiteral(ZOV_TEST_OUTPUT));
    image.save(QStringLiteral(ZOV_TEST_OUTPUT "/rtf-table-list-picture.png"));
    int red = 0;
    int blue = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += pixel == qRgb(255, 0, 0) ? 1 : 0;
            blue += pixel == qRgb(0, 0, 255) ? 1 : 0;
            dark += qGray(pixel) < 64 ? 1 : 0;
        }
    }
    EXPECT_GE(red, 16 * 16 - 16);  // the picture's left half, 16 x 16 pixels shown
    EXPECT_GE(blue, 16 * 16 - 16); // and its right half
    EXPECT_GT(dark, 1000);         // text, bullet and the table's lines
    // The table's lines run across its three columns of 1500 twips: 300 pixels.
    int longestLine = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 128 ? run + 1 : 0;
            longestLine = std::max(longestLine, run);
        }
    }
    EXPECT_GE(longestLine, 290);
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
