#include "support/ControlFixture.h"

namespace zov {
namespace {

using test::ControlTest;
using Events = std::vector<std::string>;

class GraphDragTest : public ControlTest {
protected:
    GraphDragTest() {
        a = Node({100, 100, 150, 150});
        b = Node({300, 100, 350, 150});
        a->SetSelected(true);
        b->SetSelected(true);
        graph->SetModified(false);
        TakeEvents();
    }
    TGraphNode* a;
    TGraphNode* b;
};

TEST_F(GraphDragTest, CancelPutsEveryDraggedObjectBack) {
    ASSERT_TRUE(a->BeginDrag({120, 120}, hcBody));
    EXPECT_EQ(graph->DraggingObjects().Count(), 2);
    ASSERT_TRUE(a->DragBy(40, 16, false));
    EXPECT_EQ(a->BoundsRect(), (TRect{140, 116, 190, 166}));
    EXPECT_EQ(b->BoundsRect(), (TRect{340, 116, 390, 166}));
    TakeEvents();

    ASSERT_TRUE(a->EndDrag(false));

    EXPECT_EQ(a->BoundsRect(), (TRect{100, 100, 150, 150}));
    EXPECT_EQ(b->BoundsRect(), (TRect{300, 100, 350, 150}));
    EXPECT_EQ(graph->DragSource(), nullptr);
    EXPECT_EQ(graph->DraggingObjects().Count(), 0);
    EXPECT_FALSE(a->Dragging());
    EXPECT_FALSE(b->Dragging());
    // The steps marked the graph modified; the cancel makes it unmodified again.
    EXPECT_EQ(TakeEvents(), (Events{"GraphChange saved", "EndDrag 1 cancelled"}));
    EXPECT_FALSE(graph->Modified());

    // Queries work again after the restore.
    int asked = 0;
    graph->OnCanMoveResizeNode = [&](TRaroviRovoz&, TGraphNode*, int32_t&, int32_t&, int32_t&,
                                     int32_t&, bool&, bool&) {
        ++asked;
    };
    a->SetBoundsRect({0, 100, 50, 150});
    EXPECT_EQ(asked, 1);
}

TEST_F(GraphDragTest, AcceptedDragMarksTheGraphModified) {
    ASSERT_TRUE(a->BeginDrag({120, 120}, hcBody));
    EXPECT_EQ(TakeEvents(), (Events{"BeginDrag 1"}));
    a->DragBy(8, 0, false);
    EXPECT_EQ(GraphChanges(), 1); // once per step
    a->EndDrag(true);
    EXPECT_EQ(TakeEvents().back(), "EndDrag 1");
    EXPECT_EQ(a->Left(), 108);
    EXPECT_EQ(b->Left(), 308);
    EXPECT_TRUE(graph->Modified());
}

TEST_F(GraphDragTest, MovementStaysOnThePage) {
    ASSERT_TRUE(b->BeginDrag({320, 120}, hcBody));
    b->DragBy(5000, -500, false);
    EXPECT_LE(graph->DraggingBounds().Right, 1197);
    EXPECT_GT(b->BoundsRect().Right, 1180);
    EXPECT_EQ(b->Left() - a->Left(), 200);
    EXPECT_GE(graph->DraggingBounds().Top, 28);
    EXPECT_LT(a->Top(), 40);
    b->EndDrag(true);
}

TEST_F(GraphDragTest, ScrollRangesAreExactAgainAfterTheDrag) {
    const int32_t range = graph->HorzScrollBar().Range();
    ASSERT_TRUE(b->BeginDrag({320, 120}, hcBody));
    b->DragBy(400, 0, false);
    EXPECT_GT(graph->HorzScrollBar().Range(), range);
    b->DragBy(-400, 0, false);
    b->EndDrag(true);
    EXPECT_EQ(b->Left(), 300);
    EXPECT_EQ(graph->HorzScrollBar().Range(), range);
}

TEST_F(GraphDragTest, RemovingTheDragSourceCancelsTheDragFirst) {
    ASSERT_TRUE(a->BeginDrag({120, 120}, hcBody));
    a->DragBy(40, 0, false);
    TakeEvents();
    ASSERT_TRUE(a->Delete());
    const Events events = TakeEvents();
    const auto at = [&](const std::string& e) {
        return std::find(events.begin(), events.end(), e) - events.begin();
    };
    ASSERT_LT(at("EndDrag 1 cancelled"), static_cast<long>(events.size()));
    EXPECT_LT(at("EndDrag 1 cancelled"), at("Remove 1"));
    EXPECT_EQ(graph->DragSource(), nullptr);
    EXPECT_EQ(b->BoundsRect(), (TRect{300, 100, 350, 150}));
    EXPECT_EQ(graph->Objects().Count(), 1);
}

TEST_F(GraphDragTest, ChangingTheCommandModeCancelsTheDrag) {
    ASSERT_TRUE(a->BeginDrag({120, 120}, hcBody));
    a->DragBy(40, 0, false);
    graph->SetCommandMode(cmPan);
    EXPECT_EQ(graph->DragSource(), nullptr);
    EXPECT_EQ(a->Left(), 100);
}

TEST_F(GraphDragTest, ALinkDraggedByItsSegmentLeavesSelectedNodesWhereTheyAre) {
    const TPoint points[] = {{400, 400}, {1150, 400}};
    TGraphLink* link = graph->InsertLink(points);
    ASSERT_NE(link, nullptr);
    link->SetSelected(true);
    const uint32_t code = link->HitTest({700, 400});
    ASSERT_EQ(code & hcSegment, hcSegment);

    ASSERT_TRUE(link->BeginDrag({700, 400}, code));
    EXPECT_EQ(graph->DraggingObjects().Count(), 1);
    EXPECT_FALSE(a->Dragging());
    // Only the link's own bounds limit the move: a's would stop it at the page's top-left.
    link->DragBy(-90, -80, false);
    link->EndDrag(true);

    EXPECT_EQ(link->Points(0), (TPoint{310, 320}));
    EXPECT_EQ(a->BoundsRect(), (TRect{100, 100, 150, 150}));
    EXPECT_EQ(b->BoundsRect(), (TRect{300, 100, 350, 150}));
}

} // namespace
} // namespace zov
