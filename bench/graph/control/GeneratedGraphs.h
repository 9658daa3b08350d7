#pragma once

#include <cstdint>

namespace zov {

class TGraphDocument;

// count objects: count / 2 captioned 80 x 40 nodes, 300 to a row, each linked to
// the next (the last one to the first).
void GenerateChain(TGraphDocument& graph, int64_t count);

// boxes captioned 80 x 40 boxes on a grid of 100 columns, 120 x 70 apart, joined in
// reading order running back and forth along the rows by boxes - 1 arrow links.
void GenerateBoxDiagram(TGraphDocument& graph, int64_t boxes);

} // namespace zov
