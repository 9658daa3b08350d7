#include "support/ControlFixture.h"

namespace zov {
namespace {

using test::ControlTest;

class ArrangeTest : public ControlTest {
protected:
    ArrangeTest() { graph->SetMinNodeSize(1); } // the examples use narrow nodes

    // Nodes 40 high at y 100, selected in the order given.
    std::vector<TGraphNode*> Selected(std::initializer_list<std::pair<int32_t, int32_t>> spans) {
        std::vector<TGraphNode*> nodes;
        for (const auto& [left, right] : spans) {
            TGraphNode* node = Node({left, 100, right, 140});
            node->SetSelected(true);
            nodes.push_back(node);
        }
        TakeEvents();
        return nodes;
    }
    static std::vector<int32_t> Lefts(const std::vector<TGraphNode*>& nodes) {
        std::vector<int32_t> lefts;
        for (const TGraphNode* node : nodes) {
            lefts.push_back(node->BoundsRect().Left);
        }
        return lefts;
    }
};

TEST_F(ArrangeTest, EvenSpacingCarriesTheRemainderToTheLastGap) {
    struct Case {
        std::vector<std::pair<int32_t, int32_t>> spans;
        std::vector<int32_t> lefts;
    };
    const Case cases[] = {
        // span 110, widths 40: gap 35; the middle one moves to 145.
        {{{100, 110}, {115, 135}, {200, 210}}, {100, 145, 200}},
        // free 10 over three gaps: 3, 3 and the remaining 4.
        {{{100, 125}, {130, 155}, {140, 165}, {185, 200}}, {100, 128, 156, 185}},
        // Selected out of order: the spacing order is by the left edges.
        {{{200, 210}, {115, 135}, {100, 110}}, {200, 145, 100}},
    };
    for (const Case& c : cases) {
        graph->Clear();
        std::vector<TGraphNode*> nodes;
        for (const auto& [left, right] : c.spans) {
            TGraphNode* node = Node({left, 100, right, 140});
            node->SetSelected(true);
            nodes.push_back(node);
        }
        const int changes = GraphChanges();
        EXPECT_TRUE(graph->AlignSelection(haSpaceEqually, vaNoChange));
        EXPECT_EQ(Lefts(nodes), c.lefts);
        EXPECT_EQ(GraphChanges(), changes + 1);
    }
}

TEST_F(ArrangeTest, EqualLeftEdgesKeepTheSelectionOrder) {
    // b and c share a left edge; b was selected first, so it comes first and stays
    // where it is, and c goes after it.
    const std::vector<TGraphNode*> nodes =
        Selected({{100, 120}, {200, 220}, {200, 260}, {400, 420}});
    graph->AlignSelection(haSpaceEqually, vaNoChange);
    // span 320, widths 20 + 20 + 60 + 20: gap (320 - 120) / 3 = 66.
    EXPECT_EQ(Lefts(nodes), (std::vector<int32_t>{100, 186, 272, 400}));
}

TEST_F(ArrangeTest, EdgesAlignWithTheFirstSelected) {
    const std::vector<TGraphNode*> nodes = Selected({{100, 111}, {120, 130}});
    EXPECT_TRUE(graph->AlignSelection(haCenter, vaNoChange));
    EXPECT_EQ(nodes[1]->BoundsRect().Left, 100); // centre 125 to centre 105: dX -20
    EXPECT_EQ(nodes[0]->BoundsRect().Left, 100);
    nodes[1]->SetBoundsRect({300, 200, 340, 260});
    EXPECT_TRUE(graph->AlignSelection(haRight, vaBottom));
    EXPECT_EQ(nodes[1]->BoundsRect(), (TRect{71, 80, 111, 140}));
}

TEST_F(ArrangeTest, SpacingNeedsThreeObjectsButTheOtherDirectionStillAligns) {
    const std::vector<TGraphNode*> nodes = Selected({{100, 140}, {300, 340}});
    nodes[1]->SetBoundsRect({300, 200, 340, 240});
    EXPECT_FALSE(graph->AlignSelection(haSpaceEqually, vaSpaceEqually));
    EXPECT_EQ(nodes[1]->BoundsRect(), (TRect{300, 200, 340, 240}));
    EXPECT_TRUE(graph->AlignSelection(haSpaceEqually, vaTop));
    EXPECT_EQ(nodes[1]->BoundsRect(), (TRect{300, 100, 340, 140}));
    graph->ClearSelection();
    nodes[0]->SetSelected(true);
    EXPECT_FALSE(graph->AlignSelection(haLeft, vaTop)); // one object: nothing
}

TEST_F(ArrangeTest, ResizeToTheLargestOrSmallestAtTheBottomRight) {
    const std::vector<TGraphNode*> nodes = Selected({{100, 120}, {200, 240}, {300, 330}});
    const int changes = GraphChanges();
    EXPECT_TRUE(graph->ResizeSelection(roLargest, roNoChange));
    for (const TGraphNode* node : nodes) {
        EXPECT_EQ(node->BoundsRect().Width(), 40);
        EXPECT_EQ(node->BoundsRect().Height(), 40);
    }
    EXPECT_EQ(nodes[0]->BoundsRect(), (TRect{100, 100, 140, 140})); // grew to the right
    EXPECT_EQ(GraphChanges(), changes + 1);
    EXPECT_FALSE(graph->ResizeSelection(roLargest, roNoChange)); // nothing left to do
}

TEST_F(ArrangeTest, ResizeStopsAtThePageEdge) {
    const int32_t right = graph->GraphConstraints().MaxRight();
    const std::vector<TGraphNode*> nodes = Selected({{100, 400}, {right - 50, right - 20}});
    EXPECT_TRUE(graph->ResizeSelection(roLargest, roNoChange));
    EXPECT_EQ(nodes[1]->BoundsRect().Right, right);
}

} // namespace
} // namespace zov
