#pragma once

#include "graph/control/RaroviRovoz.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zov::test {

// A shown graph control of 800 x 600 pixels (never on a screen) whose events are recorded as text,
// in order: "Insert 1", "Select 2 +", "GraphChange modified", "Hook 1 0", ...
class ControlTest : public ::testing::Test {
protected:
    ControlTest();

    // A rectangle node; its ID is set when given.
    TGraphNode* Node(const TRect& bounds, uint32_t id = 0);
    TGraphLink* Link(TGraphObject* source, TGraphObject* target);
    // The recorded events since the last call, which clears them.
    std::vector<std::string> TakeEvents();
    int GraphChanges() const;

    std::vector<std::string> events; // outlives the graph, whose end still fires events
    std::unique_ptr<TRaroviRovoz> graph;
};

std::string IDOf(const TGraphObject* object);

} // namespace zov::test
