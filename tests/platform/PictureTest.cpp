#include "platform/pictures/Picture.h"

#include "platform/pictures/EmfWriter.h"
#include "platform/stream/Filer.h"
#include "platform/types/Exceptions.h"
#include "support/Bytes.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;
using test::Short;

QByteArray Encoded(const char* format, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

QByteArray WriteData(const TPicture& picture) {
    TMemoryStream stream;
    TWriter(stream).WriteProperties(picture, QStringLiteral("Background."));
    return stream.Bytes();
}

void ReadData(const QByteArray& records, TPicture& picture) {
    struct Holder : TPersistent {
        TPicture* picture;
        const TPropertyList& Properties() const override {
            static const TPropertyList list =
                TPropertyListBuilder<Holder>()
                    .Object("Background", [](Holder& h) -> TPersistent* { return h.picture; })
                    .Build();
            return list;
        }
    } holder;
    holder.picture = &picture;
    TMemoryStream stream(records);
    TReader reader(stream);
    reader.ReadProperty(holder);
}

TEST(PictureTest, EachGraphicClassStreamsItsOwnWay) {
    const QByteArray png = Encoded("PNG", 4, 3);
    const QByteArray bmp = Encoded("BMP", 4, 3);
    const QByteArray emf = QByteArray("\x01\x00\x00\x00 metafile bytes", 20);
    const struct {
        const char* className;
        QByteArray file;
        QByteArray prefix;
        TSize size;
    } cases[] = {
        {"TPngImage", png, {}, {4, 3}},
        {"TBitmap",
         bmp,
         Bytes({static_cast<int>(bmp.size() & 0xFF), static_cast<int>((bmp.size() >> 8) & 0xFF), 0,
                0}),
         {4, 3}},
        {"TMetafile", emf, Bytes({24, 0, 0, 0}), {0, 0}},
        {"TJPEGImage", QByteArray("not really a jpeg"), Bytes({17, 0, 0, 0}), {0, 0}},
        {"TSomeFutureGraphic", QByteArray("opaque"), {}, {0, 0}},
    };
    for (const auto& c : cases) {
        TPicture picture;
        picture.SetGraphic(QString::fromLatin1(c.className), c.file);
        const QByteArray data = Short(c.className) + c.prefix + c.file;
        const QByteArray expected = Short("Background.Data") + Bytes({10}) +
                                    Bytes({static_cast<int>(data.size() & 0xFF),
                                           static_cast<int>((data.size() >> 8) & 0xFF), 0, 0}) +
                                    data;
        EXPECT_EQ(WriteData(picture), expected) << c.className;
        EXPECT_EQ(picture.Graphic()->Size(), c.size) << c.className;

        TPicture copy;
        ReadData(expected, copy);
        ASSERT_FALSE(copy.IsEmpty()) << c.className;
        EXPECT_EQ(copy.Graphic()->ClassName(), QString::fromLatin1(c.className));
        EXPECT_EQ(copy.Graphic()->Bytes(), c.file) << c.className;
        EXPECT_EQ(WriteData(copy), expected) << c.className; // written back unchanged
    }
}

TEST(PictureTest, AnEmptyPictureWritesNothing) {
    TPicture picture;
    EXPECT_TRUE(WriteData(picture).isEmpty());
}

TEST(PictureTest, LengthsBeyondTheBlockFail) {
    const QByteArray cases[] = {
        Short("TBitmap") + Bytes({100, 0, 0, 0}) + QByteArray("short"),
        Short("TMetafile") + Bytes({2, 0, 0, 0}), // counts less than its own field
        Short("TMetafile") + Bytes({9, 0, 0, 0}), // more than is there
        Bytes({40}) + QByteArray("TBitmap"),      // class name longer than the block
    };
    for (const QByteArray& data : cases) {
        TPicture picture;
        const QByteArray record = Short("Background.Data") + Bytes({10}) +
                                  Bytes({static_cast<int>(data.size()), 0, 0, 0}) + data;
        EXPECT_THROW(ReadData(record, picture), EReadError) << data.toHex().toStdString();
    }
}

TEST(PictureTest, AssignSharesAndReportsChanges) {
    TPicture a;
    int changes = 0;
    a.OnChange = [&] {
        ++changes;
    };
    TPicture b;
    b.SetGraphic(QStringLiteral("TPngImage"), Encoded("PNG", 2, 2));
    a.Assign(b);
    a.Assign(b);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.Graphic(), b.Graphic());
    a.Clear();
    a.Clear();
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(a.IsEmpty());
}

// ---- Reading picture files --------------------------------------------------------------

QByteArray SmallMetafile() {
    TEmfDevice device(30, 20);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, 30, 20), Qt::red);
    }
    return device.Bytes();
}

TEST(PictureFileTest, ClassicFormatsKeepTheirBytesOthersBecomePng) {
    const struct {
        const char* format;
        const char* className;
        bool bytesKept;
    } cases[] = {
        {"BMP", "TBitmap", true}, {"JPEG", "TJPEGImage", true}, {"PNG", "TPngImage", true},
        {"ICO", "TIcon", true},   {"PPM", "TPngImage", false},  {"XPM", "TPngImage", false},
    };
    for (const auto& c : cases) {
        const QByteArray file = Encoded(c.format, 5, 4);
        ASSERT_FALSE(file.isEmpty()) << c.format;
        const std::unique_ptr<TGraphic> graphic = TGraphic::FromFileBytes(file);
        ASSERT_NE(graphic, nullptr) << c.format;
        EXPECT_EQ(graphic->ClassName(), QString::fromLatin1(c.className)) << c.format;
        EXPECT_EQ(graphic->Bytes() == file, c.bytesKept) << c.format;
        EXPECT_EQ(graphic->Size(), (TSize{5, 4})) << c.format;
        // What is stored decodes again by itself, as it will after a save.
        EXPECT_FALSE(TGraphic(graphic->ClassName(), graphic->Bytes()).Image().isNull());
    }
    const QByteArray emf = SmallMetafile();
    const std::unique_ptr<TGraphic> metafile = TGraphic::FromFileBytes(emf);
    ASSERT_NE(metafile, nullptr);
    EXPECT_EQ(metafile->ClassName(), QStringLiteral("TMetafile"));
    EXPECT_EQ(metafile->Bytes(), emf);

    for (const QByteArray& junk :
         {QByteArray(), QByteArray("not a picture at all"), Encoded("PNG", 5, 4).left(40)}) {
        EXPECT_EQ(TGraphic::FromFileBytes(junk), nullptr) << junk.toHex().toStdString();
    }
}

TEST(PictureFileTest, AFileThatCannotBeShownLeavesThePictureAlone) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString good = folder.filePath(QStringLiteral("any-name.dat"));
    const QString junk = folder.filePath(QStringLiteral("junk.png"));
    for (const auto& [name, bytes] :
         {std::pair{good, Encoded("PNG", 3, 3)}, std::pair{junk, QByteArray("junk")}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TPicture picture;
    picture.LoadFromFile(good); // judged by content, not by the file name
    ASSERT_FALSE(picture.IsEmpty());
    const TGraphic* before = picture.Graphic();
    EXPECT_THROW(picture.LoadFromFile(junk), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(folder.filePath(QStringLiteral("missing.png"))), EFOpenError);
    EXPECT_EQ(picture.Graphic(), before);
}

} // namespace
} // namespace zov
