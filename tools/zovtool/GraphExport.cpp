#include "GraphExport.h"

#include "graph/document/GraphDocument.h"
#include "platform/types/Exceptions.h"

#include <QFileInfo>

namespace zov {

void ExportGraph(TGraphDocument& graph, const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("emf")) {
        graph.SaveAsMetafile(fileName);
    } else if (extension == QLatin1String("bmp") || extension == QLatin1String("png")) {
        graph.SaveAsImage(fileName, extension.toLatin1());
    } else if (extension == QLatin1String("svg")) {
        graph.SaveAsSvg(fileName);
    } else if (extension == QLatin1String("pdf")) {
        graph.SaveAsPdf(fileName);
    } else {
        throw Exception(
            QStringLiteral("cannot export to \"%1\": unknown format \"%2\" "
                           "(use .emf, .bmp, .png, .svg or .pdf)")
                .arg(fileName, extension.isEmpty() ? QStringLiteral("") : "." + extension));
    }
}

} // namespace zov
