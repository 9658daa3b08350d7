#include "GraphExport.h"

#include "graph/control/RaroviRovoz.h"
#include "platform/graphics/Canvas.h"
#include "platform/pictures/SvgWriter.h"
#include "platform/stream/FileIO.h"
#include "platform/types/Exceptions.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace zov {

namespace {

constexpr int kDotsPerInch = 96; // one graph unit is one pixel of the screen

// Draws the objects with their common bounds' top-left corner at (0, 0).
void DrawObjects(TRaroviRovoz& graph, QPaintDevice& device, const TRect& bounds) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        throw EFCreateError(QStringLiteral("Cannot start drawing the picture."));
    }
    TCanvas canvas(&painter);
    canvas.SetViewportOrg(-bounds.Left, -bounds.Top);
    graph.Draw(canvas);
}

void ExportVector(TRaroviRovoz& graph, const QString& fileName, bool pdf) {
    const TRect bounds = graph.BoundsOfObjects(graph.Objects());
    const QSize size(bounds.Width() + 1, bounds.Height() + 1);
    TSafeFileWriter writer(fileName);
    if (pdf) {
        QPdfWriter device(&writer.Device());
        device.setResolution(kDotsPerInch);
        device.setPageLayout(
            QPageLayout(QPageSize(QSizeF(size) * 72.0 / kDotsPerInch, QPageSize::Point),
                        QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
        device.setCreator(QStringLiteral("ZOV"));
        DrawObjects(graph, device, bounds);
    } else {
        TSvgDevice device(writer.Device(), size);
        DrawObjects(graph, device, bounds);
    }
    writer.Commit();
}

} // namespace

void ExportGraph(TRaroviRovoz& graph, const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("emf")) {
        graph.SaveAsMetafile(fileName);
    } else if (extension == QLatin1String("bmp") || extension == QLatin1String("png")) {
        graph.SaveAsImage(fileName, extension.toLatin1());
    } else if (extension == QLatin1String("svg") || extension == QLatin1String("pdf")) {
        ExportVector(graph, fileName, extension == QLatin1String("pdf"));
    } else {
        throw Exception(
            QStringLiteral("cannot export to \"%1\": unknown format \"%2\" "
                           "(use .emf, .bmp, .png, .svg or .pdf)")
                .arg(fileName, extension.isEmpty() ? QStringLiteral("") : "." + extension));
    }
}

} // namespace zov
