#pragma once

#include "platform/graphics/GraphicsObject.h"
#include "platform/types/Types.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

namespace zov {

class TCanvas;
class TStream;

// One picture's content: the name of its graphic class ("TBitmap", "TJPEGImage",
// "TPngImage", "TGIFImage", "TIcon", "TMetafile" or a name we do not know) and its
// file bytes. Raster formats decode through Qt's image readers when first drawn;
// bytes that do not decode are kept as they are.
class TGraphic {
public:
    TGraphic(QString className, QByteArray bytes);
    // A graphic whose bytes were already decoded into image.
    TGraphic(QString className, QByteArray bytes, QImage image);

    // The graphic a picture file's bytes hold, judged by content: an enhanced metafile,
    // or an image Qt decodes. Bitmaps, JPEG, PNG, GIF and icons keep their bytes; other
    // formats (WebP, TIFF, ...) are stored as PNG, so that the classic program can read
    // every graph we write. Null when the bytes are no picture.
    static std::unique_ptr<TGraphic> FromFileBytes(const QByteArray& bytes);

    const QString& ClassName() const { return fClassName; }
    // The file image (a .bmp, .jpg, .png, .gif, .ico, .emf or .wmf file).
    const QByteArray& Bytes() const { return fBytes; }
    bool IsMetafile() const;
    // Null when the bytes are no image Qt can read (and for metafiles).
    const QImage& Image() const;
    // Pixels at 96 dpi; an enhanced metafile's frame, nothing for other metafiles.
    TSize Size() const;

    // The graphic's own part of a picture's stream data, after the class name.
    void WriteData(TStream& stream) const;
    // Reads what WriteData wrote for a class from the rest of a block; a class we do
    // not know keeps all of it. Lengths are checked against the block.
    static std::unique_ptr<TGraphic> ReadData(const QString& className, TStream& block);

private:
    QString fClassName;
    QByteArray fBytes;
    mutable bool fDecoded = false;
    mutable QImage fImage;
};

// A picture that may hold one graphic, as a node's background. Streams as the
// defined property "Data": the graphic's class name, then its data.
class TPicture : public TGraphicsObject {
public:
    TPicture() = default;
    TPicture(const TPicture& other);

    const TGraphic* Graphic() const { return fGraphic.get(); }
    bool IsEmpty() const { return fGraphic == nullptr; }
    void Clear();
    void SetGraphic(const QString& className, const QByteArray& bytes);
    void Assign(const TPicture& source);
    // Reads a picture file once (see TGraphic::FromFileBytes). Throws EFOpenError when
    // the file cannot be read and EInvalidGraphic when it holds no picture; the picture
    // is then unchanged.
    void LoadFromFile(const QString& fileName);

    // Stretches the graphic into rect (an enhanced metafile's frame too); draws nothing
    // for an empty picture and for graphics that cannot be drawn.
    void Draw(TCanvas& canvas, const TRect& rect) const;

    const TPropertyList& Properties() const override;
    void DefineProperties(TFiler& filer) override;

private:
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    std::shared_ptr<const TGraphic> fGraphic; // graphics never change, so copies share
};

// The image as the file a "TBitmap" graphic holds; throws EFCreateError when it
// cannot be encoded.
QByteArray BitmapFileBytes(const QImage& image);

} // namespace zov
