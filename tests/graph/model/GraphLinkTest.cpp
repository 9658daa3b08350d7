#include "graph/model/GraphLink.h"

#include "graph/model/Geometry.h"
#include "graph/model/NodeShapes.h"
#include "platform/graphics/Canvas.h"
#include "platform/types/Exceptions.h"
#include "support/Bytes.h"
#include "support/TestGraph.h"
#include "support/TestImages.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;
using test::Short;
using test::TRecordingGraph;

class GraphLinkTest : public ::testing::Test {
protected:
    TGraphNode* Node(const TRect& bounds,
                     const TGraphObjectClass& cls = TRectangularNode::Class()) {
        return TGraphNode::CreateNew(cls, &graph, bounds);
    }
    TGraphLink* Link(TGraphObject* source, const TPoints& pts, TGraphObject* target) {
        return TGraphLink::CreateNew(&graph, source, pts, target);
    }
    TGraphLink* Free(const TPoints& pts) { return Link(nullptr, pts, nullptr); }

    TRecordingGraph graph;
};

TEST_F(GraphLinkTest, ANewLinkJoinsTheFacingSidesOnTheCentreLine) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphNode* b = Node({200, 0, 300, 100});
    TGraphLink* link = Link(a, {}, b);
    EXPECT_EQ(link->Polyline(), (TPoints{{100, 50}, {200, 50}}));
    EXPECT_EQ(link->Source(), a);
    EXPECT_EQ(link->Target(), b);
    EXPECT_EQ(a->LinkOutputs().IndexOf(link), 0);
    EXPECT_EQ(b->LinkInputs().IndexOf(link), 0);
    EXPECT_EQ(link->SourceID(), a->ID());
    // Hooked points may not be moved as a whole.
    EXPECT_FALSE(link->CanMove());
}

TEST_F(GraphLinkTest, HookedEndsFollowTheirNodesAndLetGoWhenTheyGo) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphNode* b = Node({200, 0, 300, 100});
    TGraphLink* link = Link(a, {}, b);
    b->OffsetBy(0, 100);
    // The straight link lies on the line from centre to centre, (50,50) -> (250,150).
    EXPECT_EQ(link->Points(0), (TPoint{100, 75}));
    EXPECT_EQ(link->Points(1), (TPoint{200, 125}));

    TGraphLink* bent = Link(a, {{150, 300}}, b);
    a->OffsetBy(-10, 0);
    TPoint expected;
    a->AttachPoint({150, 300}, expected);
    EXPECT_EQ(bent->Points(0), expected);

    a->Free();
    EXPECT_EQ(link->Source(), nullptr);
    EXPECT_EQ(link->SourceID(), 0u);
    EXPECT_EQ(link->Points(0), (TPoint{100, 75})); // the point stays where it was
    EXPECT_EQ(link->Target(), b);
    EXPECT_EQ(graph.Objects().IndexOf(link) >= 0, true);
}

TEST_F(GraphLinkTest, HookRules) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphNode* b = Node({200, 0, 300, 100});
    TGraphNode* fixed = Node({400, 0, 500, 100});
    fixed->SetOptions({goSelectable});
    TGraphLink* link = Link(a, {}, b);

    EXPECT_FALSE(link->CanHook(0, b));    // the start may not go to the target
    EXPECT_TRUE(link->CanHook(0, a));     // already hooked there
    EXPECT_FALSE(link->CanHook(0, link)); // not to itself
    EXPECT_FALSE(link->CanHook(0, nullptr));
    EXPECT_FALSE(link->CanHook(1, fixed)); // not linkable
    EXPECT_FALSE(link->CanLink(a, a));
    EXPECT_TRUE(link->CanLink(b, a)); // swapping is fine as a whole

    TGraphLink* onLink = Link(nullptr, {{150, 200}}, link);
    EXPECT_EQ(onLink->Target(), link);
    EXPECT_FALSE(link->CanHook(1, onLink)); // that link is hooked to this one

    TGraphLink* three = Free({{0, 300}, {50, 300}, {100, 300}});
    EXPECT_FALSE(three->CanHook(1, a)); // middle points are never hooked
    EXPECT_FALSE(three->Hook(1, a));

    graph.fOnCanHookLink = [&](TGraphObject* object, TGraphLink*, int32_t, bool& can) {
        can = can && object != b;
    };
    EXPECT_FALSE(three->Hook(2, b));
    EXPECT_EQ(three->Target(), nullptr);
    graph.fEvents.clear();
    EXPECT_TRUE(three->Hook(2, a));
    EXPECT_EQ(graph.fEvents.back(), "Hook 2");
    EXPECT_EQ(three->Unhook(a), 2);
    EXPECT_EQ(graph.fEvents.back(), "Unhook 2");
    EXPECT_EQ(three->Unhook(a), -1);
}

TEST_F(GraphLinkTest, HookingAnEmptyLinkAddsTheAnchor) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphLink* link = Free({});
    EXPECT_TRUE(link->Hook(0, a));
    ASSERT_EQ(link->PointCount(), 1);
    EXPECT_EQ(link->Points(0), (TPoint{50, 50}));

    TGraphLink* toTarget = Free({});
    EXPECT_TRUE(toTarget->Hook(toTarget->PointCount() - 1, a));
    EXPECT_EQ(toTarget->Polyline(), (TPoints{{50, 50}}));
    EXPECT_EQ(toTarget->Target(), a);
}

TEST_F(GraphLinkTest, CreateNewFailsWhenAnEndCannotBeHooked) {
    TGraphNode* a = Node({0, 0, 100, 100});
    a->SetOptions({goSelectable});
    const int32_t before = graph.Objects().Count();
    try {
        Link(a, {{300, 300}}, nullptr);
        ADD_FAILURE();
    } catch (const EGraphInvalidOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create link with the specified parameters"));
    }
    EXPECT_EQ(graph.Objects().Count(), before);
    EXPECT_EQ(a->LinkOutputCount(), 0);
}

TEST_F(GraphLinkTest, PointListOperations) {
    TGraphLink* link = Free({{0, 0}, {100, 0}});
    try {
        link->Points(2);
        ADD_FAILURE();
    } catch (const EPointListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid point index. (2)"));
    }
    EXPECT_EQ(link->AddBreakPoint({50, 2}), 1);
    EXPECT_EQ(link->Polyline(), (TPoints{{0, 0}, {50, 2}, {100, 0}}));
    EXPECT_EQ(link->AddBreakPoint({50, 60}), 0); // too far from every segment
    link->InsertPoint(-5, {-10, 0});
    link->InsertPoint(99, {110, 0});
    EXPECT_EQ(link->PointCount(), 5);
    EXPECT_EQ(link->IndexOfPoint({49, 1}, 3), 2);
    EXPECT_EQ(link->IndexOfPoint({47, 2}, 3), -1); // right edge of the square is outside
    link->RemovePoint(7);
    link->RemovePoint(0);
    EXPECT_EQ(link->Points(0), (TPoint{0, 0}));
    EXPECT_EQ(link->LongestSegmentIndex(), 0);
    EXPECT_EQ(link->ClosestSegmentIndex({75, 5}, 10), 1);
}

TEST_F(GraphLinkTest, NormalizeRemovesNearlyStraightBends) {
    TGraphLink* link = Free({{0, 0}, {10, 0}, {20, 1}, {30, 50}});
    EXPECT_TRUE(link->NormalizeBreakPoints({lnoDeleteSameAngle}));
    EXPECT_EQ(link->Polyline(), (TPoints{{0, 0}, {10, 0}, {30, 50}}));

    TGraphLink* doubled = Free({{0, 0}, {50, 50}, {51, 51}, {100, 0}});
    EXPECT_TRUE(doubled->NormalizeBreakPoints({lnoDeleteSamePoint}));
    EXPECT_EQ(doubled->Polyline(), (TPoints{{0, 0}, {50, 50}, {100, 0}}));
    EXPECT_FALSE(doubled->NormalizeBreakPoints({}));
    EXPECT_FALSE(Free({{0, 0}, {1, 0}})->NormalizeBreakPoints({lnoDeleteSamePoint}));
}

TEST_F(GraphLinkTest, ReverseSwapsEndsAndTheCaptionSegment) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphNode* b = Node({400, 0, 500, 100});
    TGraphLink* link = Link(a, {{150, 200}, {250, 200}, {350, 200}}, b);
    link->SetTextPosition(0);
    const TPoints before = link->Polyline();
    link->Reverse();
    EXPECT_EQ(link->TextPosition(), 3);
    EXPECT_EQ(link->Source(), b);
    EXPECT_EQ(link->Target(), a);
    EXPECT_EQ(a->LinkInputs().IndexOf(link), 0);
    EXPECT_EQ(a->LinkOutputCount(), 0);
    TPoints reversed = before;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(link->Polyline(), reversed);
}

TEST_F(GraphLinkTest, RotateAndScaleOnlyFreeLinksInsideTheBounds) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphLink* hooked = Link(a, {{300, 300}}, nullptr);
    const TPoints before = hooked->Polyline();
    EXPECT_FALSE(hooked->Rotate(Pi / 2, {200, 200}));
    EXPECT_EQ(hooked->Polyline(), before);

    TGraphLink* free = Free({{100, 100}, {200, 100}});
    EXPECT_TRUE(free->Rotate(Pi / 2, {150, 100}));
    EXPECT_EQ(free->Polyline(), (TPoints{{150, 50}, {150, 150}}));
    EXPECT_TRUE(free->Scale(2));
    EXPECT_EQ(free->Polyline(), (TPoints{{150, 0}, {150, 200}}));
    EXPECT_FALSE(free->Scale(2)); // would leave the placement bounds
    EXPECT_EQ(free->Polyline(), (TPoints{{150, 0}, {150, 200}}));
    free->SetLinkOptions({gloFixedBreakPoints});
    EXPECT_FALSE(free->Rotate(Pi, {150, 100}));
}

TEST_F(GraphLinkTest, DecorationSizes) {
    TGraphLink* link = Free({{0, 50}, {100, 50}});
    EXPECT_EQ(link->EndMarkLength(lsArrow, 6), 14);
    EXPECT_EQ(link->EndMarkLength(lsArrowSimple, 6), 14);
    EXPECT_EQ(link->EndMarkLength(lsCircle, 6), 4);
    EXPECT_EQ(link->EndMarkLength(lsDiamond, 6), 4);
    EXPECT_EQ(link->EndMarkLength(lsNone, 6), 0);
    TBitmapCanvas bitmap(200, 100);
    EXPECT_EQ(link->DrawEndMark(bitmap.Canvas(), {100, 50}, 6, lsArrow, 0), (TPoint{92, 50}));
    EXPECT_EQ(link->DrawEndMark(bitmap.Canvas(), {100, 50}, 6, lsCircle, 0), (TPoint{96, 50}));
    EXPECT_EQ(link->DrawEndMark(bitmap.Canvas(), {100, 50}, 6, lsArrowSimple, 0),
              (TPoint{100, 50}));
    EXPECT_EQ(link->DrawEndMark(bitmap.Canvas(), {100, 50}, 6, lsDiamond, 0), (TPoint{96, 50}));
    EXPECT_EQ(link->EndMarkRect({100, 50}, lsCircle, 6, 0), (TRect{95, 45, 105, 55}));
}

TEST_F(GraphLinkTest, CaptionsStayUprightAboveTheLine) {
    for (const TPoints& points : {TPoints{{0, 100}, {300, 100}}, TPoints{{300, 100}, {0, 100}}}) {
        TGraphLink* link = Free(points);
        link->SetText(QStringLiteral("Caption"));
        ASSERT_FALSE(link->TextRegion().IsEmpty());
        const TRect r = link->TextRegion().Bounds();
        EXPECT_LE(r.Bottom, 100);
        EXPECT_GT(r.Bottom, 95);
        EXPECT_NEAR((r.Left + r.Right) / 2, 150, 2);
        EXPECT_LE(r.Height(), 20); // not turned on its side
        EXPECT_EQ(link->HitTest({150, r.Top + 2}), hcCaption | hcBody);
    }
}

TEST_F(GraphLinkTest, CaptionsAreOneLine) {
    TGraphLink* link = Free({{0, 100}, {400, 100}});
    link->SetText(QStringLiteral("  two\r\nlines  "));
    EXPECT_EQ(link->TextToShow(), QStringLiteral("two lines"));
}

TEST_F(GraphLinkTest, HitTestingPointsSegmentsAndCaption) {
    TGraphLink* link = Free({{0, 0}, {100, 0}, {100, 100}});
    EXPECT_EQ(link->HitTest({50, 1}), hcBody);
    link->SetSelected(true);
    EXPECT_EQ(link->HitTest({100, 1}), (1u << 16) | hcPoint);
    EXPECT_EQ(link->HitTest({50, 1}), hcSegment | hcBody);
    EXPECT_EQ(link->HitTest({101, 50}), (1u << 16) | hcSegment | hcBody);
    EXPECT_EQ(link->HitTest({50, 50}), hcNone);
    EXPECT_TRUE(link->ContainsRect({90, 40, 110, 60})); // crosses a segment
    EXPECT_FALSE(link->ContainsRect({20, 20, 60, 60}));
}

TEST_F(GraphLinkTest, DraggingTheWholeLinkOrOnePoint) {
    TGraphLink* link = Free({{0, 0}, {100, 0}, {100, 100}});
    EXPECT_TRUE(link->ApplyDragOffset(hcBody, 10, 5));
    EXPECT_EQ(link->Polyline(), (TPoints{{10, 5}, {110, 5}, {110, 105}}));
    EXPECT_TRUE(link->ApplyDragOffset((2u << 16) | hcPoint, -10, 0));
    EXPECT_EQ(link->Points(2), (TPoint{100, 105}));
    // Keyboard resize to the right spreads points away from the left edge.
    EXPECT_TRUE(link->ApplyDragOffset(hcBottomRight, 1, 1));
    EXPECT_EQ(link->Polyline(), (TPoints{{10, 5}, {111, 5}, {101, 106}}));
    link->SetLinkOptions({gloFixedEndPoint});
    EXPECT_FALSE(link->ApplyDragOffset((2u << 16) | hcPoint, 1, 1));
}

TEST_F(GraphLinkTest, DrawingAPolylineWithRightClicksAndHookingItsEnd) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphNode* b = Node({400, 0, 500, 100});
    TGraphNode* closed = Node({400, 300, 500, 400});
    closed->SetOptions({goSelectable, goShowCaption});
    TGraphLink* link = Link(a, {{150, 50}}, nullptr);
    link->SetSelected(true);

    // Press on the free end and drag it; right clicks drop bends on the way.
    link->MouseDown(mbLeft, {ssLeft}, {150, 50});
    ASSERT_TRUE(link->Dragging());
    EXPECT_EQ(link->ChangeMode(), lcmMovePoint);
    link->MouseMove({ssLeft}, {250, 150});
    link->MouseDown(mbRight, {ssLeft, ssRight}, {250, 150});
    link->MouseUp(mbRight, {ssLeft}, {250, 150});
    EXPECT_TRUE(link->Dragging());
    link->MouseMove({ssLeft}, {350, 150});
    link->MouseDown(mbRight, {ssLeft, ssRight}, {350, 150});
    link->MouseMove({ssLeft}, {450, 350}); // over a node that takes no links
    link->MouseUp(mbLeft, {}, {450, 350});
    EXPECT_EQ(link->PointCount(), 4);
    EXPECT_EQ(link->Target(), nullptr);

    // Drag the end again and drop it on a linkable node: it hooks.
    link->MouseDown(mbLeft, {ssLeft}, {450, 350});
    link->MouseMove({ssLeft}, {450, 50});
    EXPECT_EQ(graph.fScreenCursor, crXHairLink);
    link->MouseUp(mbLeft, {}, {450, 50});
    EXPECT_EQ(link->Target(), b);
    EXPECT_EQ(link->Points(1), (TPoint{250, 150}));
    EXPECT_EQ(link->Points(2), (TPoint{350, 150}));
    EXPECT_EQ(link->ChangeMode(), lcmNone);
}

TEST_F(GraphLinkTest, AltClickRemovesAPointAndTheLastPointTakesTheLink) {
    TGraphLink* link = Free({{100, 100}, {200, 100}});
    link->SetSelected(true);
    link->MouseDown(mbLeft, {ssLeft, ssAlt}, {200, 100});
    EXPECT_EQ(link->PointCount(), 1);
    const int32_t before = graph.Objects().Count();
    link->MouseDown(mbLeft, {ssLeft, ssAlt}, {100, 100});
    EXPECT_EQ(graph.Objects().Count(), before - 1); // the link is gone
}

TEST_F(GraphLinkTest, LinksCanHookToLinks) {
    TGraphLink* base = Free({{0, 200}, {400, 200}});
    TGraphNode* node = Node({150, 0, 250, 50});
    TGraphLink* branch = Link(node, {}, base);
    EXPECT_EQ(branch->Target(), base);
    EXPECT_EQ(branch->Points(1), (TPoint{200, 200})); // the middle of the base line
    base->OffsetBy(0, 50);
    EXPECT_EQ(branch->Points(1).Y, 250);
}

TEST_F(GraphLinkTest, StreamsItsEndsAndPoints) {
    graph.SetMinNodeSize(1);
    TGraphNode* a = Node({0, 10, 10, 30});
    TGraphNode* b = Node({200, 10, 210, 30});
    TGraphLink* link = Link(a, {}, b);
    ASSERT_EQ(link->ID(), 3u);
    ASSERT_EQ(link->Polyline(), (TPoints{{10, 20}, {200, 20}}));
    TMemoryStream stream;
    link->SaveToStream(stream);
    EXPECT_EQ(stream.Bytes(),
              QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) + Short("ID") +
                  Bytes({2, 3}) + Short("G.Source") + Bytes({2, 1}) + Short("G.Target") +
                  Bytes({2, 2}) + Short("G.BreakPoints") + Bytes({10, 20, 0, 0, 0}) +
                  Bytes({2, 0, 0, 0, 10, 0, 0, 0, 20, 0, 0, 0, 200, 0, 0, 0, 20, 0, 0, 0}) +
                  Bytes({0, 0}));

    // Into another graph: the ends are resolved once everything is loaded.
    TRecordingGraph other;
    TMemoryStream nodes;
    a->SaveToStream(nodes);
    b->SaveToStream(nodes);
    nodes.SetPosition(0);
    TGraphObject* a2 = TGraphObject::CreateByReading(TRectangularNode::Class(), &other, nodes);
    TGraphObject* b2 = TGraphObject::CreateByReading(TRectangularNode::Class(), &other, nodes);
    stream.SetPosition(0);
    auto* copy = static_cast<TGraphLink*>(
        TGraphObject::CreateByReading(TGraphLink::Class(), &other, stream));
    for (TGraphObject* o : {a2, b2, static_cast<TGraphObject*>(copy)}) {
        o->Loaded();
    }
    EXPECT_EQ(copy->Source(), a2);
    EXPECT_EQ(copy->Target(), b2);
    EXPECT_EQ(a2->LinkOutputs().IndexOf(copy), 0);
    EXPECT_EQ(copy->Polyline(), link->Polyline());
}

TEST_F(GraphLinkTest, PropertiesRoundTrip) {
    TGraphLink* link = Free({{0, 0}, {100, 0}, {100, 80}});
    link->SetText(QStringLiteral("Flow"));
    link->SetBeginStyle(lsDiamond);
    link->SetBeginSize(9);
    link->SetEndStyle(lsCircle);
    link->SetEndSize(200);
    link->SetLinkOptions({gloFixedBreakPoints});
    link->SetTextPosition(1);
    link->SetTextSpacing(4);
    TMemoryStream stream;
    link->SaveToStream(stream);
    stream.SetPosition(0);
    auto* copy = static_cast<TGraphLink*>(
        TGraphObject::CreateByReading(TGraphLink::Class(), &graph, stream));
    EXPECT_EQ(copy->BeginStyle(), lsDiamond);
    EXPECT_EQ(copy->BeginSize(), 9);
    EXPECT_EQ(copy->EndStyle(), lsCircle);
    EXPECT_EQ(copy->EndSize(), 200);
    EXPECT_EQ(copy->LinkOptions(), TGraphLinkOptions{gloFixedBreakPoints});
    EXPECT_EQ(copy->TextPosition(), 1);
    EXPECT_EQ(copy->TextSpacing(), 4);
    EXPECT_EQ(copy->Polyline(), link->Polyline());
    EXPECT_EQ(copy->Text(), QStringLiteral("Flow"));
}

TEST_F(GraphLinkTest, LegacyPropertiesAreRead) {
    TGraphNode* a = Node({0, 0, 100, 100});
    TGraphNode* b = Node({200, 0, 300, 100});
    TMemoryStream stream(QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) +
                         Short("ID") + Bytes({2, 9}) + Short("G.FromNode") + Bytes({2, 1}) +
                         Short("G.ToNode") + Bytes({2, 2}) + Short("G.Kind") + Bytes({7}) +
                         Short("lkBidirected") + Short("G.ArrowSize") + Bytes({2, 4}) +
                         Bytes({0, 0}));
    auto* link = static_cast<TGraphLink*>(
        TGraphObject::CreateByReading(TGraphLink::Class(), &graph, stream));
    link->Loaded();
    EXPECT_EQ(link->BeginStyle(), lsArrow);
    EXPECT_EQ(link->EndSize(), 6);
    EXPECT_EQ(link->Source(), a);
    EXPECT_EQ(link->Target(), b);
    EXPECT_EQ(link->Polyline(), (TPoints{{100, 50}, {200, 50}}));
    // Its extent is that of the points made at the end of loading.
    EXPECT_LE(link->VisualRect().Left, 100);
    EXPECT_GE(link->VisualRect().Right, 200);
}

TEST_F(GraphLinkTest, LinkWithoutPointsMovesWithoutOverflow) {
    TGraphLink* link = TGraphLink::CreateNew(&graph, nullptr, {}, nullptr);
    EXPECT_TRUE(link->VisualRect().IsEmpty());
    link->OffsetBy(2000000000, 2000000000);
    EXPECT_TRUE(link->VisualRect().IsEmpty());
}

TEST_F(GraphLinkTest, FlatLinksMoveTheirVisualRect) {
    const TPoints shapes[] = {{{50, 60}}, {{10, 50}, {100, 50}}, {{30, 10}, {30, 90}}};
    for (const TPoints& points : shapes) {
        SCOPED_TRACE(points.size());
        TGraphLink* link = Free(points);
        link->SetEndStyle(lsNone);
        link->Pen().SetStyle(psInsideFrame);
        const TRect before = link->VisualRect();
        ASSERT_TRUE(before.Width() == 0 || before.Height() == 0);
        link->OffsetBy(7, 9);
        EXPECT_EQ(link->VisualRect(),
                  (TRect{before.Left + 7, before.Top + 9, before.Right + 7, before.Bottom + 9}));
    }
}

TEST_F(GraphLinkTest, BreakPointCountsBeyondTheBlockFail) {
    TMemoryStream stream(QByteArray("TPF0") + Short("TGraphStreamableObject") + Bytes({0}) +
                         Short("ID") + Bytes({2, 9}) + Short("G.BreakPoints") +
                         Bytes({10, 12, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x0F, 1, 0, 0, 0, 2, 0, 0, 0}) +
                         Bytes({0, 0}));
    EXPECT_THROW(TGraphObject::CreateByReading(TGraphLink::Class(), &graph, stream), EReadError);
}

// Links with every decoration, a bent link with a caption, links hooked to several
// shapes and a link hooked to another link.
TEST_F(GraphLinkTest, DrawsAPictureOfLinks) {
    graph.Font().SetHeight(-12);
    const TLinkBeginEndStyle styles[] = {lsNone, lsArrow, lsArrowSimple, lsCircle, lsDiamond};
    int y = 30;
    for (TLinkBeginEndStyle style : styles) {
        TGraphLink* link = Free({{20, y}, {220, y}});
        link->SetBeginStyle(style);
        link->SetEndStyle(style);
        link->SetText(QString::fromLatin1(kLinkBeginEndStyleNames[style]));
        link->Pen().SetWidth(style == lsDiamond ? 2 : 1);
        y += 40;
    }
    TGraphNode* ellipse = Node({300, 20, 400, 90}, TEllipticNode::Class());
    TGraphNode* triangle = Node({480, 20, 580, 100}, TTriangularNode::Class());
    TGraphNode* round = Node({300, 200, 400, 260}, TRoundRectangularNode::Class());
    TGraphNode* rhombus = Node({500, 180, 600, 260}, TRhomboidalNode::Class());
    for (TGraphNode* node : {ellipse, triangle, round, rhombus}) {
        node->Brush().SetColor(clCream);
    }
    TGraphLink* bent = Link(ellipse, {{350, 150}, {550, 150}}, triangle);
    bent->SetText(QStringLiteral("bent with a caption"));
    bent->SetTextPosition(1);
    Link(round, {}, rhombus)->SetText(QStringLiteral("right to left"));
    Link(rhombus, {}, ellipse);
    TGraphLink* leftwards = Free({{600, 300}, {300, 300}});
    leftwards->SetText(QStringLiteral("upright"));
    TGraphLink* onLink = Link(round, {{250, 300}}, leftwards);
    onLink->Pen().SetColor(clRed);
    onLink->SetEndStyle(lsCircle);

    TBitmapCanvas bitmap(640, 340);
    bitmap.Canvas().Font().Assign(graph.Font());
    for (int32_t i = 0; i < graph.Objects().Count(); ++i) {
        graph.Objects().Items(i)->Draw(bitmap.Canvas());
    }
    test::SaveTestImage(bitmap.Image(), QStringLiteral("links"));
    EXPECT_EQ(onLink->Target(), leftwards);
    EXPECT_FALSE(test::InkBounds(bitmap.Image()).IsEmpty());
}

} // namespace
} // namespace zov
