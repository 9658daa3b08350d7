#include "graph/model/GraphIDIndex.h"

#include "support/TestGraph.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using test::TRecordingGraph;
using test::TTestNode;

class GraphIDIndexTest : public ::testing::Test {
protected:
    TTestNode* Indexed(uint32_t id) {
        TTestNode* node = graph.Add<TTestNode>();
        node->RenumberID(node->ID(), id);
        index.Add(node);
        return node;
    }
    TRecordingGraph graph;
    TGraphIDIndex index;
};

TEST_F(GraphIDIndexTest, NextFreeSkipsRunsOfUsedIDs) {
    for (uint32_t id : {1u, 2u, 3u, 5u, 6u, 9u}) {
        Indexed(id);
    }
    struct Case {
        uint32_t start;
        uint32_t free;
    };
    for (const Case c : {Case{1, 4}, Case{3, 4}, Case{4, 4}, Case{5, 7}, Case{8, 8}, Case{9, 10},
                         Case{100, 100}}) {
        EXPECT_EQ(index.NextFree(c.start, nullptr), c.free) << c.start;
    }
}

TEST_F(GraphIDIndexTest, AnObjectMayKeepItsOwnIDUnlessAnotherHasIt) {
    TTestNode* a = Indexed(4);
    EXPECT_EQ(index.NextFree(4, a), 4u);
    TTestNode* twin = Indexed(4);
    EXPECT_EQ(index.NextFree(4, a), 5u);
    EXPECT_EQ(index.Holders(4).size(), 2u);
    index.Remove(twin);
    EXPECT_EQ(index.NextFree(4, a), 4u);
    EXPECT_EQ(index.Holders(4), std::vector<TGraphObject*>{a});
}

TEST_F(GraphIDIndexTest, RemovingAndRenumberingSplitAndJoinRuns) {
    TTestNode* two = nullptr;
    for (uint32_t id = 1; id <= 5; ++id) {
        TTestNode* node = Indexed(id);
        if (id == 2) {
            two = node;
        }
    }
    index.Remove(two);
    EXPECT_EQ(index.NextFree(1, nullptr), 2u);
    EXPECT_EQ(index.NextFree(3, nullptr), 6u);
    two->RenumberID(2, 6);
    index.Add(two);
    EXPECT_EQ(index.NextFree(3, nullptr), 7u);
    two->RenumberID(6, 2);
    index.Renumber(two, 6);
    EXPECT_EQ(index.NextFree(1, nullptr), 6u);
    EXPECT_TRUE(index.Holders(6).empty());
    EXPECT_EQ(index.Holders(2).front(), two);
}

TEST_F(GraphIDIndexTest, CountingPastTheLargestIDStartsAgainAtOne) {
    Indexed(0xFFFFFFFF);
    Indexed(0xFFFFFFFE);
    Indexed(1);
    EXPECT_EQ(index.NextFree(0xFFFFFFFE, nullptr), 2u);
}

} // namespace
} // namespace zov
