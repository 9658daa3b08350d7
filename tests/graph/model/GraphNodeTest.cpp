#include "graph/model/Geometry.h"
#include "graph/model/NodeShapes.h"
#include "support/TestGraph.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

using test::TRecordingGraph;

class GraphNodeTest : public ::testing::Test {
protected:
    template <class T = TRectangularNode> T* Node(const TRect& bounds) {
        return static_cast<T*>(TGraphNode::CreateNew(T::Class(), &graph, bounds));
    }

    TRecordingGraph graph;
};

TEST_F(GraphNodeTest, NewNodesHaveTheirDefaults) {
    TRectangularNode* node = Node({10, 20, 110, 70});
    EXPECT_EQ(node->BoundsRect(), (TRect{10, 20, 110, 70}));
    EXPECT_EQ(node->Alignment(), taCenter);
    EXPECT_EQ(node->Layout(), tlCenter);
    EXPECT_EQ(node->Margin(), 8);
    EXPECT_EQ(node->NodeOptions(), DefaultGraphNodeOptions);
    EXPECT_TRUE(node->Background().IsEmpty());
    EXPECT_EQ(node->BackgroundMargins(), TRect{});
    EXPECT_EQ(node->Vertices().size(), 4u);
    EXPECT_TRUE(node->Region().Contains({10, 20}));
}

TEST_F(GraphNodeTest, SizeIsAtLeastTheMinimum) {
    TRectangularNode* node = Node({0, 0, 50, 50});
    node->SetBounds(0, 0, 5, 5);
    EXPECT_EQ(node->BoundsRect(), (TRect{0, 0, 16, 16}));
}

TEST_F(GraphNodeTest, MovesArePulledBackAndResizesShortenedAtTheBoundsEdge) {
    // Both nodes were placed before the placement bounds shrank to end at 1000.
    graph.GraphConstraints().SetBoundsRect({0, 0, 2000, 1000});
    TRectangularNode* moved = Node({950, 100, 1050, 150});
    TRectangularNode* resized = Node({950, 100, 1050, 150});
    graph.GraphConstraints().SetBoundsRect({0, 0, 1000, 1000});

    EXPECT_TRUE(moved->ApplyDragOffset(hcBody, 20, 0));
    EXPECT_EQ(moved->BoundsRect(), (TRect{900, 100, 1000, 150}));
    EXPECT_TRUE(resized->ApplyDragOffset(hcRight, 20, 0));
    EXPECT_EQ(resized->BoundsRect(), (TRect{950, 100, 1000, 150}));
}

TEST_F(GraphNodeTest, DraggingTheTopLeftHandleKeepsTheOppositeCorner) {
    TRectangularNode* node = Node({100, 100, 140, 140});
    EXPECT_TRUE(node->ApplyDragOffset(hcTopLeft, 30, 30));
    EXPECT_EQ(node->BoundsRect(), (TRect{124, 124, 140, 140}));

    const struct {
        uint32_t hitTest;
        int32_t dX, dY;
        TRect expected;
    } cases[] = {
        {hcLeft, -10, 0, {90, 100, 140, 140}},
        {hcTop, 0, 10, {100, 110, 140, 140}},
        {hcRight, 5, 0, {100, 100, 145, 140}},
        {hcBottom, 0, -5, {100, 100, 140, 135}},
        {hcTopRight, 5, 5, {100, 105, 145, 140}},
        {hcBottomLeft, 5, 5, {105, 100, 140, 145}},
        {hcBottomRight, 5, 5, {100, 100, 145, 145}},
        {hcBody | hcCaption, 3, 4, {103, 104, 143, 144}},
    };
    for (const auto& c : cases) {
        node->SetBoundsRect({100, 100, 140, 140});
        EXPECT_TRUE(node->ApplyDragOffset(c.hitTest, c.dX, c.dY)) << c.hitTest;
        EXPECT_EQ(node->BoundsRect(), c.expected) << c.hitTest;
    }
    EXPECT_FALSE(node->ApplyDragOffset(hcPoint, 1, 1));
    node->SetNodeOptions({gnoMovable});
    EXPECT_FALSE(node->ApplyDragOffset(hcRight, 5, 0));
    node->SetNodeOptions({gnoResizable});
    EXPECT_FALSE(node->ApplyDragOffset(hcBody, 5, 0));
}

TEST_F(GraphNodeTest, TheGraphMayAdjustOrForbidAMove) {
    TRectangularNode* node = Node({100, 100, 140, 140});
    graph.fOnCanMoveResizeNode = [](TGraphNode*, int32_t& left, int32_t&, int32_t&, int32_t&, bool&,
                                    bool& canResize) {
        left = left / 10 * 10;
        canResize = false;
    };
    graph.fEvents.clear();
    node->SetBounds(123, 100, 80, 80);
    EXPECT_EQ(node->BoundsRect(), (TRect{120, 100, 160, 140}));
    EXPECT_EQ(graph.fEvents.back(), "NodeMoveResize");
}

TEST_F(GraphNodeTest, SidesSnapAndCursorsFollowTheHitTest) {
    TRectangularNode* node = Node({100, 100, 140, 140});
    EXPECT_EQ(node->MovableSides(hcBody), AllObjectSides);
    EXPECT_EQ(node->MovableSides(hcTopLeft), (TObjectSides{osLeft, osTop}));
    EXPECT_EQ(node->MovableSides(hcBottom), TObjectSides{osBottom});
    EXPECT_EQ(node->MovableSides(hcPoint), TObjectSides{});

    int32_t dX = 5;
    int32_t dY = 3;
    node->SnapDragOffset(hcBottomRight, dX, dY); // (140, 140) + (5, 3) -> (144, 144)
    EXPECT_EQ(dX, 4);
    EXPECT_EQ(dY, 4);

    EXPECT_EQ(node->CursorFor(hcLeft), crSizeWE);
    EXPECT_EQ(node->CursorFor(hcBottom), crSizeNS);
    EXPECT_EQ(node->CursorFor(hcTopLeft), crSizeNWSE);
    EXPECT_EQ(node->CursorFor(hcBottomLeft), crSizeNESW);
    EXPECT_EQ(node->CursorFor(hcBody | hcCaption), crSizeAll);
    EXPECT_EQ(node->CursorFor(hcNone), crDefault);
    graph.SetLockNodes(true);
    EXPECT_EQ(node->CursorFor(hcBody), crHandPoint);
    EXPECT_EQ(node->CursorFor(hcRight), crHandPoint);
}

TEST_F(GraphNodeTest, OnlyCodesMadeOfNodeFlagsJoinADrag) {
    struct Case {
        uint32_t code;
        bool joins;
    };
    const Case cases[] = {
        {hcBody, true},
        {hcBody | hcCaption, true},
        {hcRight, true},
        {hcSegment | hcBody, false},              // a link's first segment
        {(1u << 16) | hcSegment | hcBody, false}, // its second segment
        {hcPoint, false},
    };
    TRectangularNode* node = Node({100, 100, 140, 140});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(node->JoinDrag(c.code), c.joins);
        EXPECT_EQ(node->Dragging(), c.joins);
        EXPECT_EQ(node->MovableSides(c.code).IsEmpty(), !c.joins);
        node->LeaveDrag();
    }
}

TEST_F(GraphNodeTest, HandlesComeBeforeTheBodyOnASelectedNode) {
    TRectangularNode* node = Node({100, 100, 140, 140});
    EXPECT_EQ(node->HitTest({139, 139}), hcBody);
    node->SetSelected(true);
    EXPECT_EQ(node->HitTest({139, 139}), hcBottomRight);
    EXPECT_EQ(node->HitTest({140, 140}), hcBottomRight);
    EXPECT_EQ(node->HitTest({120, 101}), hcTop);
    EXPECT_EQ(node->HitTest({101, 120}), hcLeft);
    EXPECT_EQ(node->HitTest({120, 120}), hcBody);
    node->SetText(QStringLiteral("Hi"));
    EXPECT_EQ(node->HitTest({node->TextRect().Left + 1, node->TextRect().Top + 1}),
              hcBody | hcCaption);
}

TEST_F(GraphNodeTest, CaptionsAreCentredAndShortenedToTheirBox) {
    TRectangularNode* node = Node({0, 0, 200, 100});
    EXPECT_EQ(node->TextRect(), TRect{});
    node->SetText(QStringLiteral("Start"));
    const TRect r = node->TextRect();
    EXPECT_EQ(node->TextToShow(), QStringLiteral("Start"));
    EXPECT_NEAR((r.Left + r.Right) / 2, 100, 1);
    EXPECT_NEAR((r.Top + r.Bottom) / 2, 50, 1);

    node->SetBoundsRect({0, 0, 80, 50});
    node->SetText(QStringLiteral("A caption much longer than this little node can hold"));
    const QStringList lines = node->TextToShow().split(QStringLiteral("\r\n"));
    EXPECT_LE(lines.size(), 2);
    EXPECT_TRUE(lines.back().endsWith(QChar(0x2026)));
    TRect box;
    node->CaptionBox(box);
    EXPECT_GE(node->TextRect().Left, box.Left);
    EXPECT_LE(node->TextRect().Right, box.Right);
    EXPECT_LE(node->TextRect().Bottom, box.Bottom);

    node->SetText(QString());
    EXPECT_EQ(node->TextRect(), TRect{});
    EXPECT_TRUE(node->TextToShow().isEmpty());
}

TEST_F(GraphNodeTest, BackgroundMarginsInsetThePicture) {
    TRectangularNode* node = Node({30, 40, 230, 140});
    node->SetBackgroundMargins({10, 10, 10, 10});
    EXPECT_EQ(node->BackgroundRect(), (TRect{50, 50, 210, 130}));
}

TEST_F(GraphNodeTest, ContainsRectUsesTheShapeWhenNotSelected) {
    TEllipticNode* node = Node<TEllipticNode>({0, 0, 100, 100});
    EXPECT_FALSE(node->ContainsRect({0, 0, 5, 5})); // in the bounds, outside the ellipse
    EXPECT_TRUE(node->ContainsRect({45, 45, 55, 55}));
    node->SetSelected(true);
    EXPECT_TRUE(node->ContainsRect({0, 0, 5, 5}));
}

// Inside an update the notice of a move waits for its end, but the shape follows the
// bounds at once, so the node is hit and drawn where it went.
TEST_F(GraphNodeTest, ShapeFollowsBoundsChangedInsideAnUpdate) {
    auto* triangle = Node<TTriangularNode>({0, 0, 100, 80});
    auto* ellipse = Node<TEllipticNode>({200, 0, 300, 80});
    struct Case {
        TGraphNode* node;
        TRect bounds;
    };
    for (const Case& c : {Case{triangle, {400, 300, 500, 380}}, Case{triangle, {50, 500, 250, 560}},
                          Case{ellipse, {600, 100, 700, 180}}, Case{ellipse, {0, 600, 40, 700}}}) {
        SCOPED_TRACE(c.node->ClassType().Name.toStdString());
        const TPoint oldCenter = c.node->Center();
        c.node->Updating([&] {
            c.node->SetBounds(c.bounds.Left, c.bounds.Top, c.bounds.Width(), c.bounds.Height());
        });
        EXPECT_NE(c.node->HitTest(RectCenter(c.bounds)), hcNone);
        EXPECT_EQ(c.node->HitTest(oldCenter), hcNone);
    }
    EXPECT_EQ(triangle->Vertices().front(), (TPoint{150, 500}));
}

TEST_F(GraphNodeTest, TextNodesAreNotLinkable) {
    TTextNode* node = Node<TTextNode>({0, 0, 100, 50});
    EXPECT_EQ(node->Options(), (TGraphObjectOptions{goSelectable, goShowCaption}));
}

// One example per shape: the outline, the region, the centre and where a link
// coming from far to the left along the centre line meets the outline.
TEST_F(GraphNodeTest, EveryShapeHasItsOutlineRegionAndAttachPoint) {
    const TRect bounds{0, 0, 120, 80};
    const struct {
        const TGraphObjectClass* cls;
        TPoints vertices; // empty for curved shapes
        TRect regionBounds;
        bool cornerInside;
        TPoint center, attach;
    } cases[] = {
        {&TRectangularNode::Class(),
         {{0, 0}, {120, 0}, {120, 80}, {0, 80}},
         bounds,
         true,
         {60, 40},
         {0, 40}},
        {&TRoundRectangularNode::Class(), {}, {0, 0, 121, 81}, false, {60, 40}, {0, 40}},
        {&TEllipticNode::Class(), {}, {0, 0, 121, 81}, false, {60, 40}, {0, 40}},
        {&TTriangularNode::Class(),
         {{60, 0}, {120, 80}, {0, 80}},
         bounds,
         false,
         {60, 53},
         {20, 53}},
        {&TRhomboidalNode::Class(),
         {{60, 0}, {120, 40}, {60, 80}, {0, 40}},
         bounds,
         false,
         {60, 40},
         {0, 40}},
        {&TPentagonalNode::Class(),
         {{60, 0}, {120, 40}, {90, 80}, {30, 80}, {0, 40}},
         bounds,
         false,
         {60, 48},
         {6, 48}},
        {&THexagonalNode::Class(),
         {{30, 0}, {90, 0}, {120, 40}, {90, 80}, {30, 80}, {0, 40}},
         bounds,
         false,
         {60, 40},
         {0, 40}},
        {&TDataNode::Class(),
         {{0, 20}, {120, 20}, {120, 70}, {0, 70}},
         {0, 20, 120, 70},
         false,
         {60, 45},
         {0, 45}},
        {&TTextNode::Class(),
         {{0, 0}, {120, 0}, {120, 80}, {0, 80}},
         bounds,
         true,
         {60, 40},
         {0, 40}},
        {&TParallelogramNode::Class(),
         {{30, 0}, {120, 0}, {90, 80}, {0, 80}},
         bounds,
         false,
         {60, 40},
         {15, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cls->Name.toStdString());
        auto* node = TGraphNode::CreateNew(*c.cls, &graph, bounds);
        if (auto* polygonal = dynamic_cast<TPolygonalNode*>(node)) {
            EXPECT_EQ(polygonal->Vertices(), c.vertices);
        }
        EXPECT_EQ(node->Region().Bounds(), c.regionBounds);
        EXPECT_EQ(node->Region().Contains({1, 1}), c.cornerInside);
        EXPECT_TRUE(node->Region().Contains(node->Center()));
        EXPECT_EQ(node->Center(), c.center);
        TPoint attach;
        node->AttachPoint({-100, c.center.Y}, attach);
        EXPECT_EQ(attach, c.attach);
        // From inside the shape, a link aims at the centre.
        node->AttachPoint(c.center, attach);
        EXPECT_EQ(attach, c.center);
    }
}

TEST_F(GraphNodeTest, ShapeDetails) {
    auto* triangle = Node<TTriangularNode>({0, 0, 100, 80});
    EXPECT_EQ(triangle->Vertices(), (TPoints{{50, 0}, {100, 80}, {0, 80}}));
    EXPECT_EQ(triangle->Center(), (TPoint{50, 53}));

    EXPECT_EQ(Node<TRoundRectangularNode>({0, 0, 200, 100})->CornerSize(), 50);

    TRecordingGraph small;
    small.SetMinNodeSize(1);
    auto* flat =
        static_cast<TDataNode*>(TGraphNode::CreateNew(TDataNode::Class(), &small, {0, 0, 50, 10}));
    EXPECT_EQ(flat->Vertices()[0].Y, 2);
    EXPECT_EQ(flat->Vertices()[2].Y, 9);

    auto* ellipse = Node<TEllipticNode>({100, 100, 300, 200});
    TPoint attach;
    ellipse->AttachPoint({-500, 150}, attach);
    EXPECT_EQ(attach, (TPoint{100, 150})); // the leftmost point
}

TEST_F(GraphNodeTest, MovingShiftsVerticesAndRegionResizingRebuildsThem) {
    auto* node = Node<TTriangularNode>({0, 0, 100, 80});
    node->OffsetBy(10, 20);
    EXPECT_EQ(node->Vertices(), (TPoints{{60, 20}, {110, 100}, {10, 100}}));
    EXPECT_EQ(node->Region().Bounds(), (TRect{10, 20, 110, 100}));
    node->SetWidth(200);
    EXPECT_EQ(node->Vertices(), (TPoints{{110, 20}, {210, 100}, {10, 100}}));
    EXPECT_EQ(node->Region().Bounds(), (TRect{10, 20, 210, 100}));
}

} // namespace
} // namespace zov
