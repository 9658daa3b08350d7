#include "graph/model/GraphSpatialIndex.h"

#include "graph/model/GraphObjectList.h"
#include "support/TestGraph.h"

#include <gtest/gtest.h>
#include <random>

namespace zov {
namespace {

using test::TRecordingGraph;
using test::TTestNode;

// The index must answer exactly what a scan of the list would: the objects whose
// area overlaps the rectangle, in list order.
class GraphSpatialIndexTest : public ::testing::Test {
protected:
    std::vector<TGraphObject*> Scan(const TRect& rect) {
        std::vector<TGraphObject*> result;
        if (rect.IsEmpty()) {
            return result;
        }
        TGraphObjectList& list = graph.Objects();
        for (int32_t i = 0; i < list.Count(); ++i) {
            const TRect& a = areas[list.Items(i)];
            if (!a.IsEmpty() && a.Left < rect.Right && rect.Left < a.Right && a.Top < rect.Bottom &&
                rect.Top < a.Bottom) {
                result.push_back(list.Items(i));
            }
        }
        return result;
    }
    TRect RandomRect(int32_t maxSize) {
        std::uniform_int_distribution<int32_t> pos(-500, 5000);
        std::uniform_int_distribution<int32_t> size(0, maxSize);
        const int32_t left = pos(random);
        const int32_t top = pos(random);
        return {left, top, left + size(random), top + size(random)};
    }
    void Place(TGraphObject* object, const TRect& area, bool added) {
        areas[object] = area;
        if (added) {
            index.Add(object, area);
        } else {
            index.Move(object, area);
        }
    }
    void ExpectSameAsScan(int queries) {
        for (int q = 0; q < queries; ++q) {
            // Small views, and now and then one over everything.
            const TRect rect = q % 25 == 0 ? TRect{-1000, -1000, 9000, 9000} : RandomRect(700);
            ASSERT_EQ(index.Query(rect, graph.Objects()), Scan(rect))
                << rect.Left << "," << rect.Top << "," << rect.Right << "," << rect.Bottom;
        }
    }

    std::mt19937 random{7};
    TRecordingGraph graph;
    TGraphSpatialIndex index;
    std::map<TGraphObject*, TRect> areas;
};

TEST_F(GraphSpatialIndexTest, AnswersLikeAScanThroughMovesReordersAndRemovals) {
    std::vector<TTestNode*> nodes;
    for (int i = 0; i < 400; ++i) {
        TTestNode* node = graph.Add<TTestNode>();
        nodes.push_back(node);
        // Mostly small areas, some spanning many cells, some empty.
        const int32_t maxSize = i % 40 == 0 ? 4000 : i % 13 == 0 ? 0 : 200;
        Place(node, RandomRect(maxSize), true);
    }
    ExpectSameAsScan(200);

    std::uniform_int_distribution<int> pick(0, static_cast<int>(nodes.size()) - 1);
    for (int i = 0; i < 100; ++i) {
        Place(nodes[pick(random)], RandomRect(i % 10 == 0 ? 3000 : 150), false);
    }
    ExpectSameAsScan(200);

    TGraphObjectList& list = graph.Objects();
    for (int i = 0; i < 50; ++i) {
        list.Move(pick(random), pick(random));
    }
    index.OrderChanged();
    ExpectSameAsScan(200);

    for (int i = 0; i < 100; ++i) {
        TGraphObject* gone = nodes.back();
        nodes.pop_back();
        index.Remove(gone);
        areas.erase(gone);
        list.Remove(gone);
    }
    ExpectSameAsScan(200);
}

TEST_F(GraphSpatialIndexTest, IgnoresMovesOfObjectsNotIndexedAndForgetsOnClear) {
    TTestNode* node = graph.Add<TTestNode>();
    index.Move(node, {0, 0, 10, 10});
    EXPECT_TRUE(index.Query({0, 0, 100, 100}, graph.Objects()).empty());
    index.Add(node, {0, 0, 10, 10});
    EXPECT_EQ(index.Query({9, 9, 100, 100}, graph.Objects()).size(), 1u);
    EXPECT_TRUE(index.Query({10, 0, 100, 100}, graph.Objects()).empty()); // right edge outside
    index.Clear();
    EXPECT_TRUE(index.Query({0, 0, 100, 100}, graph.Objects()).empty());
}

} // namespace
} // namespace zov
