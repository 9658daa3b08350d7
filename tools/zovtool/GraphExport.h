#pragma once

#include <QString>

namespace zov {

class TGraphDocument;

// Writes the graph's objects, without background, grid or handles, to a file in the
// format its extension names: .emf, .bmp, .png, .svg or .pdf. Throws an Exception
// with a message for the user when the format is unknown or the file cannot be
// written; a file that fails is not left behind.
void ExportGraph(TGraphDocument& graph, const QString& fileName);

} // namespace zov
