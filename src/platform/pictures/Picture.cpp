#include "platform/pictures/Picture.h"

#include "platform/graphics/Canvas.h"
#include "platform/pictures/Metafile.h"
#include "platform/stream/Filer.h"
#include "platform/stream/Stream.h"
#include "platform/types/Exceptions.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

namespace zov {
namespace {

// Classes whose data starts with a 32-bit length: of the file alone, or (metafiles)
// of the length field and the file together.
enum class TSizePrefix { None, FileOnly, Inclusive };

TSizePrefix SizePrefixOf(const QString& className) {
    if (className == QLatin1String("TBitmap") || className == QLatin1String("TJPEGImage")) {
        return TSizePrefix::FileOnly;
    }
    if (className == QLatin1String("TMetafile")) {
        return TSizePrefix::Inclusive;
    }
    return TSizePrefix::None;
}

bool IsKnownClass(const QString& className) {
    for (const char* name :
         {"TBitmap", "TJPEGImage", "TMetafile", "TPngImage", "TGIFImage", "TIcon"}) {
        if (className == QLatin1String(name)) {
            return true;
        }
    }
    return false;
}

QByteArray ReadBytes(TStream& stream, int64_t count) {
    if (count < 0 || count > stream.Remaining()) {
        throw EReadError(QString::fromUtf8(SReadError));
    }
    QByteArray bytes(count, Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), count);
    return bytes;
}

} // namespace

TGraphic::TGraphic(QString className, QByteArray bytes)
    : fClassName(std::move(className)), fBytes(std::move(bytes)) {}

TGraphic::TGraphic(QString className, QByteArray bytes, QImage image)
    : fClassName(std::move(className)), fBytes(std::move(bytes)), fDecoded(true),
      fImage(std::move(image)) {}

std::unique_ptr<TGraphic> TGraphic::FromFileBytes(const QByteArray& bytes) {
    if (IsEnhancedMetafile(bytes)) {
        return std::make_unique<TGraphic>(QStringLiteral("TMetafile"), bytes);
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (image.isNull()) {
        return nullptr;
    }
    static const struct {
        const char* format;
        const char* className;
    } kept[] = {{"bmp", "TBitmap"},
                {"jpeg", "TJPEGImage"},
                {"png", "TPngImage"},
                {"gif", "TGIFImage"},
                {"ico", "TIcon"}};
    for (const auto& kind : kept) {
        if (format == kind.format) {
            return std::make_unique<TGraphic>(QString::fromLatin1(kind.className), bytes,
                                              std::move(image));
        }
    }
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "png");
    if (!writer.write(image)) {
        return nullptr;
    }
    return std::make_unique<TGraphic>(QStringLiteral("TPngImage"), png, std::move(image));
}

bool TGraphic::IsMetafile() const {
    return fClassName == QLatin1String("TMetafile");
}

const QImage& TGraphic::Image() const {
    if (!fDecoded) {
        fDecoded = true;
        if (!IsMetafile()) {
            QBuffer buffer;
            buffer.setData(fBytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer);
            fImage = reader.read();
        }
    }
    return fImage;
}

TSize TGraphic::Size() const {
    if (IsMetafile()) {
        return EnhancedMetafileSize(fBytes);
    }
    const QImage& image = Image();
    return {image.width(), image.height()};
}

void TGraphic::WriteData(TStream& stream) const {
    switch (SizePrefixOf(fClassName)) {
    case TSizePrefix::FileOnly:
        stream.WriteLE(static_cast<int32_t>(fBytes.size()));
        break;
    case TSizePrefix::Inclusive:
        stream.WriteLE(static_cast<int32_t>(fBytes.size() + 4));
        break;
    case TSizePrefix::None:
        break;
    }
    stream.WriteBuffer(fBytes.constData(), fBytes.size());
}

std::unique_ptr<TGraphic> TGraphic::ReadData(const QString& className, TStream& block) {
    if (!IsKnownClass(className)) {
        return std::make_unique<TGraphic>(className, ReadBytes(block, block.Remaining()));
    }
    switch (SizePrefixOf(className)) {
    case TSizePrefix::FileOnly:
        return std::make_unique<TGraphic>(className, ReadBytes(block, block.ReadLE<int32_t>()));
    case TSizePrefix::Inclusive:
        return std::make_unique<TGraphic>(className,
                                          ReadBytes(block, int64_t{block.ReadLE<int32_t>()} - 4));
    case TSizePrefix::None:
        break;
    }
    return std::make_unique<TGraphic>(className, ReadBytes(block, block.Remaining()));
}

TPicture::TPicture(const TPicture& other) : TGraphicsObject(other), fGraphic(other.fGraphic) {}

void TPicture::Clear() {
    if (fGraphic != nullptr) {
        fGraphic.reset();
        Changed();
    }
}

void TPicture::SetGraphic(const QString& className, const QByteArray& bytes) {
    fGraphic = std::make_shared<TGraphic>(className, bytes);
    Changed();
}

void TPicture::Assign(const TPicture& source) {
    if (&source == this || source.fGraphic == fGraphic) {
        return;
    }
    fGraphic = source.fGraphic;
    Changed();
}

void TPicture::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFOpenError(Exception::Format(SFOpenErrorEx, {fileName, file.errorString()}));
    }
    std::unique_ptr<TGraphic> graphic = TGraphic::FromFileBytes(file.readAll());
    if (graphic == nullptr) {
        throw EInvalidGraphic(Exception::Format(SInvalidPictureFile, {fileName}));
    }
    fGraphic = std::move(graphic);
    Changed();
}

void TPicture::Draw(TCanvas& canvas, const TRect& rect) const {
    if (fGraphic == nullptr) {
        return;
    }
    if (fGraphic->IsMetafile()) {
        if (!rect.IsEmpty()) {
            PlayEnhancedMetafile(fGraphic->Bytes(), *canvas.Painter(),
                                 QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()));
        }
    } else {
        canvas.StretchDraw(rect, fGraphic->Image());
    }
}

const TPropertyList& TPicture::Properties() const {
    static const TPropertyList none;
    return none;
}

void TPicture::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        QStringLiteral("Data"), [this](TStream& s) { ReadData(s); },
        [this](TStream& s) { WriteData(s); }, fGraphic != nullptr);
}

void TPicture::ReadData(TStream& stream) {
    uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    const QString className = QString::fromUtf8(ReadBytes(stream, length));
    fGraphic = TGraphic::ReadData(className, stream);
    Changed();
}

void TPicture::WriteData(TStream& stream) const {
    const QByteArray name = fGraphic->ClassName().toUtf8().left(255);
    const auto length = static_cast<uint8_t>(name.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name.constData(), name.size());
    fGraphic->WriteData(stream);
}

QByteArray BitmapFileBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image)) {
        throw EFCreateError(writer.errorString());
    }
    return bytes;
}

} // namespace zov
