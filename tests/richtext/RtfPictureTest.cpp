// Pictures of "\pict" in the formats the reader shows, and their bounds.
#include "richtext/RtfPicture.h"

#include "platform/pictures/EmfWriter.h"
#include "richtext/RtfImageProperties.h"
#include "richtext/RtfReader.h"
#include "support/RtfTestDocument.h"

#include <QBuffer>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <gtest/gtest.h>

namespace zov::test {
namespace {

// A 4 x 2 picture: red left half, blue right half.
QImage Sample() {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 2; ++y) {
        image.setPixel(2, y, qRgb(0, 0, 255));
        image.setPixel(3, y, qRgb(0, 0, 255));
    }
    return image;
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The bitmap file's bytes without its 14-byte file header: a packed DIB.
QByteArray PackedDib(const QImage& image) {
    return Encoded(image, "BMP").mid(14);
}

QByteArray EmfSample() {
    TEmfDevice device(40, 20);
    QPainter painter(&device);
    painter.fillRect(0, 0, 20, 20, Qt::red);
    painter.fillRect(20, 0, 20, 20, Qt::blue);
    painter.end();
    return device.Bytes();
}

struct TShownPicture {
    QImage image;
    QTextImageFormat format;
};

// The first picture of the document, null when there is none.
TShownPicture FirstPicture(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                return {document.resource(QTextDocument::ImageResource, QUrl(image.name()))
                            .value<QImage>(),
                        image};
            }
        }
    }
    return {};
}

QByteArray Picture(const QByteArray& words, const QByteArray& data) {
    return RichEditRtf("a{\\pict" + words + "\r\n" + data.toHex() + "}b");
}

struct TPictureCase {
    const char* name;
    QByteArray rtf;
    const char* format;
    QSizeF shown;
};

bool IsNear(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 &&
           std::abs(a.blue() - b.blue()) < 8;
}

class RtfPictureFormats : public testing::TestWithParam<TPictureCase> {};

TEST_P(RtfPictureFormats, ShowTheirPixels) {
    const auto document = ReadDocument(GetParam().rtf);
    EXPECT_EQ(BlockTexts(*document), QStringList{QStringLiteral("a\uFFFCb")});
    const TShownPicture picture = FirstPicture(*document);
    ASSERT_FALSE(picture.image.isNull());
    EXPECT_EQ(picture.format.property(kRtfPictureFormatProperty).toString(), GetParam().format);
    EXPECT_EQ(QSizeF(picture.format.width(), picture.format.height()), GetParam().shown);
    const QImage image = picture.image;
    const int y = image.height() / 2;
    // JPEG is lossy: a few steps off in each channel.
    EXPECT_PRED2(IsNear, image.pixelColor(image.width() / 8, y), QColor(Qt::red));
    EXPECT_PRED2(IsNear, image.pixelColor(image.width() * 7 / 8, y), QColor(Qt::blue));
}

QByteArray DdbSample() {
    // Two rows of four pixels, 24 bits each in blue-green-red order, no padding
    // needed past 12 bytes (a multiple of 2).
    QByteArray bits;
    for (int y = 0; y < 2; ++y) {
        bits += QByteArray::fromHex("0000ff0000ffff0000ff0000");
    }
    return bits;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfPictureFormats,
    testing::Values(
        TPictureCase{
            "Png", Picture("\\pngblip\\picw4\\pich2", Encoded(Sample(), "PNG")), "png", {4, 2}},
        TPictureCase{"PngGoalAndScale",
                     Picture("\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300\\picscalex50",
                             Encoded(Sample(), "PNG")),
                     "png",
                     {20, 20}},
        TPictureCase{"Jpeg",
                     Picture("\\jpegblip", Encoded(Sample().scaled(64, 32), "JPEG")),
                     "jpeg",
                     {64, 32}},
        TPictureCase{"DibWithParameter",
                     Picture("\\dibitmap0\\picw4\\pich2", PackedDib(Sample())),
                     "dib",
                     {4, 2}},
        TPictureCase{
            "DibWithoutParameter", Picture("\\dibitmap", PackedDib(Sample())), "dib", {4, 2}},
        TPictureCase{
            "DeviceBitmap",
            Picture("\\wbitmap0\\wbmbitspixel24\\wbmplanes1\\wbmwidthbytes12\\picw4\\pich2",
                    DdbSample()),
            "wbitmap",
            {4, 2}},
        TPictureCase{"Emf", Picture("\\emfblip", EmfSample()), "emf", {40, 20}},
        TPictureCase{"Binary",
                     RichEditRtf("a{\\pict\\pngblip\\bin" +
                                 QByteArray::number(Encoded(Sample(), "PNG").size()) + " " +
                                 Encoded(Sample(), "PNG") + "}b"),
                     "png",
                     {4, 2}},
        TPictureCase{
            "WordShapePicture",
            RichEditRtf("a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\pngblip " +
                        Encoded(Sample(), "PNG").toHex() +
                        "}}{\\nonshppict{\\pict\\wmetafile8 0100}}b"),
            "png",
            {4, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfPicture, UnshownPicturesLeaveTheText) {
    const QByteArray png = Encoded(Sample(), "PNG");
    const QByteArray cases[] = {
        Picture("\\wmetafile8\\picw4\\pich2", png),           // a format not shown
        Picture("\\pngblip", png.left(png.size() / 2)),       // truncated data
        Picture("\\pngblip", Encoded(Sample(), "BMP")),       // data of another format
        Picture("\\dibitmap0", PackedDib(Sample()).left(30)), // a header cut short
        Picture("\\wbitmap0\\wbmbitspixel24\\picw400\\pich2", DdbSample()), // rows missing
        Picture("\\emfblip", QByteArray(200, 'x')),
        RichEditRtf("a{\\pict\\pngblip 89504e47"), // the document ends inside
    };
    for (const QByteArray& rtf : cases) {
        const auto document = ReadDocument(rtf);
        EXPECT_TRUE(FirstPicture(*document).image.isNull()) << rtf.left(60).toStdString();
        EXPECT_TRUE(BlockTexts(*document).join("").startsWith("a")) << rtf.left(60).toStdString();
    }
}

TEST(RtfPicture, HugeDimensionsAreRefusedBeforeDecoding) {
    // A PNG header claiming 100000 x 100000 pixels.
    QByteArray png = Encoded(Sample(), "PNG");
    png.replace(16, 8, QByteArray::fromHex("000186a0000186a0"));
    const auto document = ReadDocument(Picture("\\pngblip", png));
    EXPECT_TRUE(FirstPicture(*document).image.isNull());
}

TEST(RtfPicture, AbsurdGoalsAndScalesAreBounded) {
    const QByteArray png = Encoded(Sample(), "PNG");
    const auto document = ReadDocument(
        Picture("\\pngblip\\picwgoal2147483647\\pichgoal-5\\picscalex99999999\\picscaley-3", png));
    const TShownPicture picture = FirstPicture(*document);
    ASSERT_FALSE(picture.image.isNull());
    EXPECT_LE(picture.format.width(), TRtfPicture::kMaxSide);
    EXPECT_EQ(picture.format.height(), 2); // no goal, no scale: its own height
}

TEST(RtfPicture, OriginalBytesAreKeptForTheWriter) {
    const QByteArray png = Encoded(Sample(), "PNG");
    const auto document = ReadDocument(Picture("\\pngblip", png));
    EXPECT_EQ(FirstPicture(*document).format.property(kRtfPictureDataProperty).toByteArray(), png);
}

} // namespace
} // namespace zov::test
