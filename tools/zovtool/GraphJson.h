#pragma once

#include <cstdio>

namespace zov {

class TGraphDocument;

// Writes the graph as JSON: its page information and every object in drawing order
// with its properties; colours as 32-bit colour values, enumerations and sets by
// name. The text is written while the graph is walked, so its size costs no memory.
// False when writing failed.
bool WriteGraphJson(TGraphDocument& graph, std::FILE* out);

} // namespace zov
