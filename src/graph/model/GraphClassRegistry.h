#pragma once

#include <QString>

namespace zov {

struct TGraphObjectClass;

// The graph object classes that can be created by name when a graph is read.
void RegisterGraphClass(const TGraphObjectClass& cls);
void UnregisterGraphClass(const TGraphObjectClass& cls);
// nullptr when no class of that name is registered.
const TGraphObjectClass* FindGraphClass(const QString& name);

} // namespace zov
