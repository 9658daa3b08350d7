#include "GraphClasses.h"

#include "GraphDocument.h"
#include "graph/model/GraphClassRegistry.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "platform/types/Exceptions.h"

#include <algorithm>
#include <vector>

namespace zov {

namespace {

std::vector<const TGraphObjectClass*>& RegisteredClasses(bool links) {
    static std::vector<const TGraphObjectClass*> nodeClasses;
    static std::vector<const TGraphObjectClass*> linkClasses;
    return links ? linkClasses : nodeClasses;
}

const TGraphObjectClass& ClassAt(bool links, int32_t index) {
    const auto& classes = RegisteredClasses(links);
    if (index < 0 || index >= static_cast<int32_t>(classes.size())) {
        throw EListError(Exception::Format(SListIndexError, index));
    }
    return *classes[index];
}

// The standard classes, registered for the program's lifetime.
class TStandardClasses {
public:
    TStandardClasses() {
        TGraphDocument::Register(TGraphLink::Class());
        for (const TGraphObjectClass* cls :
             {&TRectangularNode::Class(), &TRoundRectangularNode::Class(), &TEllipticNode::Class(),
              &TTriangularNode::Class(), &TRhomboidalNode::Class(), &TPentagonalNode::Class(),
              &THexagonalNode::Class(), &TDataNode::Class(), &TTextNode::Class(),
              &TParallelogramNode::Class()}) {
            TGraphDocument::Register(*cls);
        }
    }
    ~TStandardClasses() {
        for (const TGraphObjectClass* cls :
             {&THexagonalNode::Class(), &TPentagonalNode::Class(), &TRhomboidalNode::Class(),
              &TTriangularNode::Class(), &TEllipticNode::Class(), &TRoundRectangularNode::Class(),
              &TRectangularNode::Class(), &TGraphLink::Class(), &TDataNode::Class(),
              &TTextNode::Class(), &TParallelogramNode::Class()}) {
            TGraphDocument::Unregister(*cls);
        }
    }
    TStandardClasses(const TStandardClasses&) = delete;
    TStandardClasses& operator=(const TStandardClasses&) = delete;
};

} // namespace

void InitializeGraphClasses() {
    static const TStandardClasses classes;
}

void TGraphDocument::Register(const TGraphObjectClass& cls) {
    auto& classes = RegisteredClasses(cls.IsLink);
    if (std::find(classes.begin(), classes.end(), &cls) == classes.end()) {
        classes.push_back(&cls);
        RegisterGraphClass(cls);
    }
}

void TGraphDocument::Unregister(const TGraphObjectClass& cls) {
    auto& classes = RegisteredClasses(cls.IsLink);
    UnregisterGraphClass(cls);
    std::erase(classes, &cls);
}

int32_t TGraphDocument::NodeClassCount() {
    return static_cast<int32_t>(RegisteredClasses(false).size());
}

const TGraphObjectClass& TGraphDocument::NodeClasses(int32_t index) {
    return ClassAt(false, index);
}

int32_t TGraphDocument::LinkClassCount() {
    return static_cast<int32_t>(RegisteredClasses(true).size());
}

const TGraphObjectClass& TGraphDocument::LinkClasses(int32_t index) {
    return ClassAt(true, index);
}

} // namespace zov
