// The RTF the text-node editor builds (pictures, tables), inserting RTF at a
// cursor, and drawing a document into a metafile.
#include "richtext/RtfBuilders.h"

#include "platform/pictures/Metafile.h"
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

TEST(BitmapToRtf, OnePixelIsAHeaderAndOnePaddedRow) {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.setPixel(0, 0, qRgb(0x11, 0x22, 0x33));
    const QByteArray rtf = BitmapToRtf(pixel);
    const QByteArray hex = "28000000" // header size
                           "01000000" // width
                           "01000000" // height: rows from the bottom up
                           "0100"     // planes
                           "1800"     // 24 bits a pixel
                           "00000000" // no compression
                           "04000000" // bytes of pixels
                           "00000000000000000000000000000000"
                           "33221100"; // blue, green, red, padding
    ASSERT_EQ(hex.size(), 88);
    EXPECT_EQ(rtf, "{\\rtf1 {\\pict\\dibitmap " + hex + " }}");
}

TEST(BitmapToRtf, ReadsBackAsThePicture) {
    QImage image(5, 3, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(4, 2, qRgb(0, 0, 255));
    const auto document = ReadDocument(BitmapToRtf(image));
    const QTextImageFormat format =
        document->begin().begin().fragment().charFormat().toImageFormat();
    ASSERT_TRUE(format.isValid());
    const QImage back =
        document->resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    ASSERT_EQ(back.size(), QSize(5, 3));
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(4, 2), qRgb(0, 0, 255));
    EXPECT_EQ(back.pixel(2, 1), qRgb(255, 255, 255)); // transparent on white
}

TEST(BitmapToRtf, LargeAndNullBitmapsGiveNothing) {
    EXPECT_TRUE(BitmapToRtf(QImage()).isEmpty());
    EXPECT_TRUE(BitmapToRtf(QImage(kMaxRtfBitmapSide + 1, 1, QImage::Format_RGB32)).isEmpty());
    EXPECT_FALSE(BitmapToRtf(QImage(kMaxRtfBitmapSide, 1, QImage::Format_RGB32)).isEmpty());
}

TEST(TableRtf, TheTextOfTheTable) {
    EXPECT_EQ(TableRtf(2, 3, 300),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\froman\\fprq2"
              "\\fcharset0 Times New Roman;}{\\f1\\fnil MS Sans Serif;}}{\\colortbl ;\\red0\\green0"
              "\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\trowd"
              "\\trgaph100\\trql\\tcelld"
              "\\cellx1390\\pard\\intbl\\cf1\\highlight1\\f0\\cb2\\fs24\\b"
              "\\cellx2780\\pard\\intbl\\cf1\\highlight1\\f0\\cb2\\fs24\\b"
              "\\cellx4170\\pard\\intbl\\cf1\\highlight1\\f0\\cb2\\fs24\\b"
              "\\pard\\intbl\\qj\\highlight2\\cell\\cell\\cell\\row"
              "\\pard\\intbl\\qj\\highlight2\\cell\\cell\\cell\\row\\par}");
}

TEST(TableRtf, ReadsAsATableOfThatSize) {
    struct TCase {
        int rows;
        int columns;
        int32_t width;
    };
    for (const TCase c : {TCase{1, 1, 200}, TCase{1, 4, 300}, TCase{3, 1, 300}, TCase{2, 4, 3}}) {
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns << " in " << c.width);
        const auto document = ReadDocument(TableRtf(c.rows, c.columns, c.width));
        const QStringList outline = Outline(*document);
        EXPECT_TRUE(outline.contains(QStringLiteral("table %1x%2").arg(c.rows).arg(c.columns)))
            << outline.join('\n').toStdString();
    }
    // A node narrower than its columns: the edges are negative.
    EXPECT_TRUE(TableRtf(1, 4, 3).contains("\\cellx-10\\pard"));
    EXPECT_TRUE(TableRtf(1, 4, 3).contains("\\cellx-40\\pard"));
    // Wide nodes: the edges pass 32 bits.
    EXPECT_TRUE(TableRtf(1, 63, 1 << 24).contains("\\cellx234880380\\pard"));
    EXPECT_TRUE(TableRtf(1, 2, 1 << 30).contains("\\cellx15032385516"));
}

TEST(InsertRtf, ReplacesTheSelectionWithTextAndPictures) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("before middle after");
    cursor.setPosition(7);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(InsertRtf(cursor, BitmapToRtf(image)));
    ASSERT_TRUE(InsertRtf(cursor, "{\\rtf1 {\\b bold}}"));
    EXPECT_EQ(BlockTexts(document), QStringList{QStringLiteral("before \uFFFCbold after")});
    EXPECT_EQ(FormatOf(document, "bold").fontWeight(), QFont::Bold);
    QTextCursor at(&document);
    at.setPosition(8); // after the picture
    const QTextImageFormat shown = at.charFormat().toImageFormat();
    ASSERT_TRUE(shown.isValid());
    EXPECT_EQ(document.resource(QTextDocument::ImageResource, QUrl(shown.name())).value<QImage>(),
              image);
    EXPECT_FALSE(InsertRtf(cursor, "plain"));
    EXPECT_EQ(BlockTexts(document), QStringList{QStringLiteral("before \uFFFCbold after")});
}

TEST(RenderToMetafile, TextStaysTextAtTheGivenSize) {
    const auto document = ReadDocument(RichEditRtf("Hello {\\b world}"));
    const QByteArray emf = RenderToMetafile(*document, QSize(200, 80));
    ASSERT_TRUE(IsEnhancedMetafile(emf));
    EXPECT_EQ(EnhancedMetafileSize(emf), (TSize{200, 80}));
    const QString word = QStringLiteral("world");
    EXPECT_TRUE(
        emf.contains(QByteArray(reinterpret_cast<const char*>(word.utf16()), word.size() * 2)));
    // The document itself keeps its layout width.
    EXPECT_LT(document->textWidth(), 0);
}

} // namespace
} // namespace zov::test
