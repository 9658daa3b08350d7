// The graph's objects as pictures (metafile, bitmap), on paper and on the clipboard.
#include "RaroviRovoz.h"
#include "graph/model/GraphNode.h"
#include "platform/graphics/Canvas.h"
#include "platform/pictures/BandedImageWriter.h"
#include "platform/pictures/EmfWriter.h"
#include "platform/pictures/Metafile.h"
#include "platform/pictures/Picture.h"
#include "platform/pictures/SvgWriter.h"
#include "platform/stream/FileIO.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/Exceptions.h"
#include "platform/types/UpdateBracket.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace zov {

namespace {

// The clipboard formats: the object list of the graph file, byte for byte.
const QString kNativeMimeType = QStringLiteral("application/x-rarovi-rovoz");
#ifdef Q_OS_WIN
// The name other programs register for the same data on Windows.
const QString kNativeWindowsFormat =
    QStringLiteral("application/x-qt-windows-mime;value=\"Rarovi Rovoz Format\"");
#endif
const QStringList kMetafileMimeTypes{QStringLiteral("image/emf"), QStringLiteral("image/x-emf")};

constexpr int kScreenDotsPerInch = 96; // one graph unit is one pixel of the screen
constexpr double kPointsPerInch = 72.0;

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

struct TClipboardPicture {
    QString GraphicClass; // empty when the clipboard holds no picture
    QByteArray Bytes;     // the picture's file image
};

TClipboardPicture ClipboardPicture(const QMimeData& data) {
    for (const QString& type : kMetafileMimeTypes) {
        if (data.hasFormat(type)) {
            const QByteArray bytes = data.data(type);
            if (IsEnhancedMetafile(bytes)) {
                return {QStringLiteral("TMetafile"), bytes};
            }
        }
    }
    if (data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull()) {
            return {QStringLiteral("TBitmap"),
                    BitmapFileBytes(image.convertToFormat(QImage::Format_RGB888))};
        }
    }
    return {};
}

} // namespace

TMetafile TRaroviRovoz::RecordMetafile(TGraphObjectList& list) {
    const TRect bounds = BoundsOfObjects(list);
    TEmfDevice device(bounds.Width() + 1, bounds.Height() + 1);
    DrawObjectsOn(device, list, bounds.TopLeft());
    return TMetafile(device.Bytes());
}

QImage TRaroviRovoz::RenderBitmap(TGraphObjectList& list) {
    const TRect bounds = BoundsOfObjects(list);
    QImage image(bounds.Width() + 1, bounds.Height() + 1, QImage::Format_RGB888);
    image.fill(Qt::white);
    DrawObjectsOn(image, list, bounds.TopLeft());
    return image;
}

TMetafile TRaroviRovoz::GetMetafile() {
    return RecordMetafile(fObjects);
}

void TRaroviRovoz::SaveAsMetafile(const QString& fileName) {
    WriteFileBytes(fileName, RecordMetafile(fObjects).Bytes());
}

void TRaroviRovoz::SaveAsBitmap(const QString& fileName) {
    SaveAsImage(fileName, "bmp");
}

// Band by band, so that a large graph never needs its whole picture in memory.
void TRaroviRovoz::SaveAsImage(const QString& fileName, const QByteArray& format) {
    const TRect bounds = BoundsOfObjects(fObjects);
    WriteBandedImage(fileName, format, bounds.Width() + 1, bounds.Height() + 1,
                     [&](QImage& band, int32_t top) {
                         DrawObjectsOn(band, fObjects, {bounds.Left, bounds.Top + top});
                     });
}

void TRaroviRovoz::DrawObjectsOn(QPaintDevice& device, TGraphObjectList& list,
                                 const TPoint& origin) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        throw EFCreateError(QStringLiteral("Cannot start drawing the picture."));
    }
    TCanvas canvas(&painter);
    canvas.SetViewportOrg(-origin.X, -origin.Y);
    PaintObjects(canvas, list);
}

void TRaroviRovoz::SaveAsSvg(const QString& fileName) {
    const TRect bounds = BoundsOfObjects(fObjects);
    TSafeFileWriter writer(fileName);
    {
        TSvgDevice device(writer.Device(), QSize(bounds.Width() + 1, bounds.Height() + 1));
        DrawObjectsOn(device, fObjects, bounds.TopLeft());
    }
    writer.Commit();
}

void TRaroviRovoz::SaveAsPdf(const QString& fileName) {
    const TRect bounds = BoundsOfObjects(fObjects);
    const QSizeF points =
        QSizeF(bounds.Width() + 1, bounds.Height() + 1) * kPointsPerInch / kScreenDotsPerInch;
    TSafeFileWriter writer(fileName);
    {
        QPdfWriter device(&writer.Device());
        device.setResolution(kScreenDotsPerInch);
        device.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                         QMarginsF(), QPageLayout::Point));
        device.setCreator(QStringLiteral("ZOV"));
        DrawObjectsOn(device, fObjects, bounds.TopLeft());
    }
    writer.Commit();
}

void TRaroviRovoz::CopyToGraphic(TPicture& picture, bool metafile) {
    if (metafile) {
        picture.SetGraphic(QStringLiteral("TMetafile"), RecordMetafile(fObjects).Bytes());
    } else {
        picture.SetGraphic(QStringLiteral("TBitmap"), BitmapFileBytes(RenderBitmap(fObjects)));
    }
}

// Drawn straight at the printer's scale, so text stays text in the printer's
// resolution; the same picture a page-sized metafile would give.
void TRaroviRovoz::Print(TCanvas& canvas, const TRect& rect) {
    const TRect page = fGraphConstraints.BoundsRect();
    if (page.Right <= 0 || page.Bottom <= 0) {
        return;
    }
    const double sx = static_cast<double>(rect.Right) / page.Right;
    const double sy = static_cast<double>(rect.Bottom) / page.Bottom;
    const TRect graph = GraphBounds();
    const TRect target{ClampToInt32(std::nearbyint(graph.Left * sx)),
                       ClampToInt32(std::nearbyint(graph.Top * sy)),
                       ClampToInt32(std::nearbyint(graph.Right * sx)),
                       ClampToInt32(std::nearbyint(graph.Bottom * sy))};
    if (target.IsEmpty()) {
        return;
    }
    QPainter& painter = *canvas.Painter();
    painter.save();
    painter.setTransform(QTransform::fromScale(sx, sy), true);
    {
        TCanvas printCanvas(&painter);
        PaintObjects(printCanvas, fObjects);
    }
    painter.restore();
}

void TRaroviRovoz::CopyToClipboard(bool selection) {
    TGraphObjectList& list = selection ? fSelectedObjects : fObjects;
    if (list.Count() == 0) {
        return;
    }
    auto data = std::make_unique<QMimeData>();
    if (fClipboardFormats.Contains(cfNative)) {
        TMemoryStream stream;
        WriteObjectList(stream, list);
        data->setData(kNativeMimeType, stream.Bytes());
#ifdef Q_OS_WIN
        data->setData(kNativeWindowsFormat, stream.Bytes());
#endif
    }
    if (fClipboardFormats.Contains(cfMetafile)) {
        const QByteArray bytes = RecordMetafile(list).Bytes();
        for (const QString& type : kMetafileMimeTypes) {
            data->setData(type, bytes);
        }
    }
    if (fClipboardFormats.Contains(cfBitmap)) {
        data->setImageData(RenderBitmap(list));
    }
    QApplication::clipboard()->setMimeData(data.release());
}

bool TRaroviRovoz::PasteFromClipboard() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr) {
        return false;
    }
    if (data->hasFormat(kNativeMimeType)) {
        TMemoryStream stream(data->data(kNativeMimeType));
        WithUpdate(*this, [&] {
            ClearSelection();
            const int32_t first = fObjects.Count();
            ReadObjectList(stream);
            for (int32_t i = fObjects.Count() - 1; i >= first; --i) {
                fObjects.Items(i)->SetSelected(true);
            }
        });
        return true;
    }
    const TClipboardPicture picture = ClipboardPicture(*data);
    if (picture.GraphicClass.isEmpty() || fSelectedObjects.Count() != 1) {
        return false;
    }
    // A picture goes to a node only; a selected link stays as it is.
    if (auto* node = dynamic_cast<TGraphNode*>(fSelectedObjects.Items(0))) {
        WithUpdate(*this,
                   [&] { node->Background().SetGraphic(picture.GraphicClass, picture.Bytes); });
    }
    return false;
}

} // namespace zov
