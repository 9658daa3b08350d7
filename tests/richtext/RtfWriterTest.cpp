// The writer: its form, and round trips (read, write, read) that keep text and
// formatting.
#include "richtext/RtfWriter.h"

#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

QByteArray DataFile(const QString& name) {
    QFile file(QStringLiteral(ZOV_RTF_TEST_DATA "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

std::unique_ptr<QTextDocument> RoundTrip(const QTextDocument& document,
                                         TRtfBitmapForm bitmaps = rbPng) {
    return ReadDocument(WriteRtf(document, bitmaps));
}

class RtfRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(RtfRoundTrip, KeepsTextAndFormatting) {
    const auto document = ReadDocument(DataFile(GetParam()));
    ASSERT_FALSE(document->isEmpty());
    const QByteArray written = WriteRtf(*document);
    EXPECT_EQ(Describe(*ReadDocument(written)), Describe(*document));
    // Written again, the document gives the same RTF.
    EXPECT_EQ(WriteRtf(*ReadDocument(written)), written);
}

INSTANTIATE_TEST_SUITE_P(Files, RtfRoundTrip,
                         testing::Values("richedit-formatting.rtf", "richedit-lists.rtf",
                                         "richedit-table-picture.rtf", "libreoffice/sample.rtf"));

// Inputs the fuzz target failed on: laid out, written and read again, they must give
// the same paragraphs, in time and with the sanitizers watching.
TEST(RtfWriter, FuzzedInputsRoundTrip) {
    const QDir dir(QStringLiteral(ZOV_RTF_TEST_DATA "/fuzz"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const auto document = ReadDocument(DataFile("fuzz/" + name));
        document->setTextWidth(200); // laid out in a narrow column, as the target does
        EXPECT_GE(document->size().height(), 0);
        EXPECT_EQ(BlockTexts(*RoundTrip(*document)), BlockTexts(*document));
    }
}

TEST(RtfWriter, WritesTheRichEditForm) {
    QTextDocument document;
    document.setDefaultFont(QFont("Arial", 10));
    QTextCursor cursor(&document);
    cursor.insertText("Hello ");
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(255, 0, 0));
    cursor.insertText("world", bold);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred, QTextCharFormat());
    cursor.insertText("{\\}");
    EXPECT_EQ(WriteRtf(document),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
              "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
              "\\viewkind4\\uc1\\pard\\f0\\fs20 Hello \\b\\cf1 world\\par\r\n"
              "\\pard\\qc\\b0\\cf0 \\{\\\\\\}\\par\r\n}\r\n");
}

TEST(RtfWriter, OutputIsSevenBitWithEscapes) {
    QTextDocument document;
    QTextCursor cursor(&document);
    const QString text = QString::fromUtf8("café € Ж 😀\ta") + QChar(QChar::LineSeparator) + "b";
    cursor.insertText(text);
    const QByteArray rtf = WriteRtf(document);
    for (const char c : rtf) {
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << rtf.toStdString();
    }
    EXPECT_TRUE(rtf.contains("caf\\'e9 \\'80 \\u1046? \\u-10179?\\u-8704?\\tab a\\line b"))
        << rtf.toStdString();
    EXPECT_EQ(BlockTexts(*RoundTrip(document)), QStringList{text});
}

TEST(RtfWriter, DocumentMadeInTheEditorRoundTrips) {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Courier New")});
    format.setFontPointSize(9);
    format.setFontItalic(true);
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setBackground(QColor(0, 255, 0));
    cursor.insertText("styled", format);
    QTextBlockFormat block;
    block.setLeftMargin(40);
    block.setTextIndent(-20);
    block.setTopMargin(8);
    block.setBottomMargin(4);
    block.setLineHeight(200, QTextBlockFormat::ProportionalHeight);
    block.setTabPositions({QTextOption::Tab(96, QTextOption::RightTab)});
    cursor.insertBlock(block, QTextCharFormat());
    cursor.insertText("spaced\tout");
    QTextListFormat roman;
    roman.setStyle(QTextListFormat::ListUpperRoman);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.createList(roman);
    cursor.insertText("first");
    cursor.insertBlock();
    cursor.insertText("second");
    QTextListFormat nested;
    nested.setStyle(QTextListFormat::ListLowerAlpha);
    nested.setIndent(2);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.createList(nested);
    cursor.insertText("inner");
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTable* table = cursor.insertTable(3, 3);
    table->cellAt(0, 0).firstCursorPosition().insertText("a");
    table->cellAt(0, 2).firstCursorPosition().insertText("c");
    table->cellAt(1, 0).firstCursorPosition().insertText("d");
    table->cellAt(2, 2).firstCursorPosition().insertText("i");
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(1, 0, 2, 1);
    QTextCursor inCell = table->cellAt(1, 1).firstCursorPosition();
    inCell.insertText("e1");
    inCell.insertBlock();
    inCell.insertText("e2");
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.insertText("end");

    const auto read = RoundTrip(document);
    EXPECT_EQ(Outline(*read),
              (QStringList{"styled", "spaced\tout", "first", "second", "inner", "", "table 3x3",
                           "a (1x2) | c", "d (2x1) | e1/e2 | ", " | i", "end"}));
    EXPECT_EQ(Describe(*read), Describe(document));
}

TEST(RtfWriter, PicturesWithoutBytesOfTheirOwnAsPngOrDib) {
    QImage image(6, 3, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 255));
    for (const TRtfBitmapForm form : {rbPng, rbDib}) {
        QTextDocument document;
        document.addResource(QTextDocument::ImageResource, QUrl("made"), image);
        QTextImageFormat picture;
        picture.setName("made");
        picture.setWidth(12);
        picture.setHeight(6);
        QTextCursor(&document).insertImage(picture);
        const QByteArray rtf = WriteRtf(document, form);
        EXPECT_TRUE(rtf.contains(form == rbPng ? "\\pngblip" : "\\dibitmap0"));
        const auto read = ReadDocument(rtf);
        const QTextFragment fragment = read->begin().begin().fragment();
        ASSERT_TRUE(fragment.charFormat().isImageFormat());
        const QTextImageFormat shown = fragment.charFormat().toImageFormat();
        EXPECT_EQ(QSizeF(shown.width(), shown.height()), QSizeF(12, 6));
        const QImage back =
            read->resource(QTextDocument::ImageResource, QUrl(shown.name())).value<QImage>();
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
    }
}

TEST(RtfWriter, EmptyDocumentAndEmptyParagraphs) {
    QTextDocument empty;
    EXPECT_EQ(BlockTexts(*RoundTrip(empty)), QStringList{""});
    QTextDocument blanks;
    QTextCursor(&blanks).insertText("a\n\n\nb\n");
    EXPECT_EQ(BlockTexts(*RoundTrip(blanks)), (QStringList{"a", "", "", "b", ""}));
}

} // namespace
} // namespace zov::test
