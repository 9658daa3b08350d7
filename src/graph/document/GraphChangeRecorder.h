#pragma once

#include "graph/model/GraphObjectList.h"

namespace zov {

class TGraphObject;

// Told of every change of what a graph file stores, while it is set on a document:
// the undo history builds its steps from these.
class TGraphChangeRecorder {
public:
    // An object's stored data changed.
    virtual void ObjectDataChanged(TGraphObject* object) = 0;
    // An object joined the graph, left it or moved in the drawing order.
    virtual void ObjectListChanged(TGraphObject* object, TGraphObjectListAction action) = 0;
    // newObject took oldObject's place (same ID, another object).
    virtual void ObjectReplaced(TGraphObject* oldObject, TGraphObject* newObject) = 0;
    // The page information saved with the graph changed.
    virtual void PageInfoChanged() = 0;

protected:
    ~TGraphChangeRecorder() = default;
};

} // namespace zov
