// The graph's objects as pictures (metafile, bitmap, SVG, PDF) and on paper.
#include "CanvasRecall.h"
#include "GraphDocument.h"
#include "GraphSketch.h"
#include "platform/graphics/Canvas.h"
#include "platform/pictures/BandedImageWriter.h"
#include "platform/pictures/EmfWriter.h"
#include "platform/pictures/Metafile.h"
#include "platform/pictures/Picture.h"
#include "platform/pictures/SvgWriter.h"
#include "platform/stream/FileIO.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/Exceptions.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace zov {

namespace {

constexpr int kScreenDotsPerInch = 96; // one graph unit is one pixel of the screen
constexpr double kPointsPerInch = 72.0;

} // namespace

TMetafile TGraphDocument::RecordMetafile(TGraphObjectList& list) {
    const TRect bounds = BoundsOfObjects(list);
    TEmfDevice device(bounds.Width() + 1, bounds.Height() + 1);
    DrawObjectsOn(device, list, bounds.TopLeft());
    return TMetafile(device.Bytes());
}

QImage TGraphDocument::RenderBitmap(TGraphObjectList& list) {
    const TRect bounds = BoundsOfObjects(list);
    QImage image(bounds.Width() + 1, bounds.Height() + 1, QImage::Format_RGB888);
    image.fill(Qt::white);
    DrawObjectsOn(image, list, bounds.TopLeft());
    return image;
}

TMetafile TGraphDocument::GetMetafile() {
    return RecordMetafile(fObjects);
}

void TGraphDocument::SaveAsMetafile(const QString& fileName) {
    WriteFileBytes(fileName, RecordMetafile(fObjects).Bytes());
}

void TGraphDocument::SaveAsBitmap(const QString& fileName) {
    SaveAsImage(fileName, "bmp");
}

// Band by band, so that a large graph never needs its whole picture in memory.
void TGraphDocument::SaveAsImage(const QString& fileName, const QByteArray& format) {
    const TRect bounds = BoundsOfObjects(fObjects);
    WriteBandedImage(fileName, format, bounds.Width() + 1, bounds.Height() + 1,
                     [&](QImage& band, int32_t top) {
                         DrawObjectsOn(band, fObjects, {bounds.Left, bounds.Top + top});
                     });
}

void TGraphDocument::DrawObjectsOn(QPaintDevice& device, TGraphObjectList& list,
                                   const TPoint& origin) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        throw EFCreateError(QStringLiteral("Cannot start drawing the picture."));
    }
    TCanvas canvas(&painter);
    canvas.SetViewportOrg(-origin.X, -origin.Y);
    PaintObjects(canvas, list);
}

void TGraphDocument::SaveAsSvg(const QString& fileName) {
    const TRect bounds = BoundsOfObjects(fObjects);
    TSafeFileWriter writer(fileName);
    {
        TSvgDevice device(writer.Device(), QSize(bounds.Width() + 1, bounds.Height() + 1));
        DrawObjectsOn(device, fObjects, bounds.TopLeft());
    }
    writer.Commit();
}

void TGraphDocument::SaveAsPdf(const QString& fileName) {
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

void TGraphDocument::CopyToGraphic(TPicture& picture, bool metafile) {
    if (metafile) {
        picture.SetGraphic(QStringLiteral("TMetafile"), RecordMetafile(fObjects).Bytes());
    } else {
        picture.SetGraphic(QStringLiteral("TBitmap"), BitmapFileBytes(RenderBitmap(fObjects)));
    }
}

// Drawn straight at the printer's scale, so text stays text in the printer's
// resolution; the same picture a page-sized metafile would give.
void TGraphDocument::Print(TCanvas& canvas, const TRect& rect) {
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

std::vector<TGraphObject*> TGraphDocument::ObjectsToDraw(TCanvas& canvas, TGraphObjectList& list) {
    std::vector<TGraphObject*> objects;
    if (&list == &fObjects) {
        objects = fSpatialIndex.Query(canvas.ClipRect(), fObjects);
    } else {
        objects.reserve(list.Count());
        for (int32_t i = 0; i < list.Count(); ++i) {
            objects.push_back(list.Items(i));
        }
    }
    if (fDrawOrder != doDefault) {
        const bool linksFirst = fDrawOrder == doNodesOnTop;
        std::stable_partition(objects.begin(), objects.end(), [linksFirst](TGraphObject* object) {
            return object->IsLink() == linksFirst;
        });
    }
    return objects;
}

void TGraphDocument::PaintObjects(TCanvas& canvas, TGraphObjectList& list) {
    DoBeforeDraw(canvas);
    {
        TCanvasRecall recall(&canvas);
        const std::vector<TGraphObject*> objects = ObjectsToDraw(canvas, list);
        if (canvas.Simplified() && canvas.DeviceScale() < 1) {
            // One sketch, kept for its storage, serves every view: views paint one at a
            // time. A painting started while it is in use gets one of its own.
            static TGraphSketch shared;
            TGraphSketch own;
            TGraphSketch& sketch = shared.Busy() ? own : shared;
            sketch.Begin(canvas);
            for (size_t i = 0; i < objects.size(); ++i) {
                TGraphSketch::Prefetch(objects, i);
                if (!sketch.Take(*objects[i])) {
                    sketch.Flush();
                    objects[i]->Draw(canvas);
                }
            }
            sketch.End();
        } else {
            for (TGraphObject* object : objects) {
                object->Draw(canvas);
            }
        }
    }
    DoAfterDraw(canvas);
}

} // namespace zov
