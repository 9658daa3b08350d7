#include "platform/graphics/Canvas.h"
#include "support/TestGraph.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

namespace zov {
namespace {

using test::TNarrowNode;
using test::TOtherNode;
using test::TRecordingGraph;
using test::TTestLink;
using test::TTestNode;

TGraphChangeFlags LastChange(const TRecordingGraph& g) {
    return g.fChanges.empty() ? TGraphChangeFlags{} : g.fChanges.back().second;
}

TEST(GraphObjectTest, NewObjectsGetCountPlusOneOrTheNextFreeID) {
    const struct {
        std::vector<uint32_t> existing;
        uint32_t expected;
    } cases[] = {{{}, 1}, {{1, 2, 4}, 5}, {{1, 3}, 4}, {{2, 5}, 3}, {{3, 4, 1}, 5}};
    for (const auto& c : cases) {
        TRecordingGraph graph;
        for (uint32_t id : c.existing) {
            TTestNode* node = graph.Add<TTestNode>();
            node->RenumberID(node->ID(), id);
        }
        EXPECT_EQ(graph.Add<TTestNode>()->ID(), c.expected);
    }
}

TEST(GraphObjectTest, CreationInitialisesThenJoinsTheGraph) {
    TRecordingGraph graph;
    TTestNode* node = TGraphObject::Create<TTestNode>(&graph);
    EXPECT_EQ(graph.fEvents, (std::vector<std::string>{"InitInstance", "Insert"}));
    EXPECT_EQ(graph.Objects().Count(), 1);
    EXPECT_FALSE(node->States().Contains(osCreating));
    EXPECT_EQ(node->VisualRect(), (TRect{100, 100, 140, 130}));
    EXPECT_TRUE(node->Font().SameAs(graph.Font()));
    EXPECT_TRUE(node->ParentFont());
    EXPECT_EQ(node->Options(), DefaultGraphObjectOptions);
    EXPECT_TRUE(node->Visible());
}

TEST(GraphObjectTest, SettersRaiseTheirChangeFlags) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    const TGraphChangeFlags look{gcView, gcData};
    const struct {
        const char* name;
        std::function<void()> change;
        TGraphChangeFlags expected;
    } cases[] = {
        {"text", [&] { node->SetText(QStringLiteral("A")); }, {gcView, gcData, gcText}},
        {"hint", [&] { node->SetHint(QStringLiteral("H")); }, {gcData}},
        {"custom data", [&] { node->SetHasCustomData(true); }, {gcData}},
        {"options", [&] { node->SetOptions({goSelectable}); }, look},
        {"visible", [&] { node->SetVisible(false); }, {gcView, gcData, gcPlacement}},
        {"brush", [&] { node->Brush().SetColor(clRed); }, look},
        {"pen", [&] { node->Pen().SetStyle(psDash); }, {gcView, gcData, gcText, gcPlacement}},
        {"font", [&] { node->Font().SetHeight(-20); }, {gcView, gcData, gcText}},
        {"parent font on", [&] { node->SetParentFont(true); }, {gcView, gcData, gcText}},
        {"parent font off", [&] { node->SetParentFont(false); }, {gcData}},
    };
    for (const auto& c : cases) {
        graph.fChanges.clear();
        c.change();
        ASSERT_EQ(graph.fChanges.size(), 1u) << c.name;
        EXPECT_EQ(LastChange(graph), c.expected) << c.name;
    }
    graph.fChanges.clear();
    node->SetText(QStringLiteral("A"));
    node->Brush().SetColor(clRed);
    EXPECT_TRUE(graph.fChanges.empty()); // unchanged values raise nothing
}

TEST(GraphObjectTest, FontChangesEndParentFontAndParentFontCopiesTheGraphFont) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    node->Font().SetStyle({fsBold});
    EXPECT_FALSE(node->ParentFont());
    node->SetParentFont(true);
    EXPECT_TRUE(node->ParentFont());
    EXPECT_TRUE(node->Font().SameAs(graph.Font()));

    graph.Font().SetHeight(-30);
    graph.fChanges.clear();
    node->OwnerFontChanged();
    EXPECT_EQ(node->Font().Height(), -30);
    EXPECT_TRUE(node->ParentFont());
    EXPECT_EQ(LastChange(graph), (TGraphChangeFlags{gcView, gcText}));
}

TEST(GraphObjectTest, UpdateNestingDeliversOneChangeAtTheEnd) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    graph.fChanges.clear();
    graph.fEvents.clear();
    node->BeginUpdate();
    node->BeginUpdate();
    node->Pen().SetWidth(3);
    node->SetText(QStringLiteral("x"));
    node->EndUpdate();
    EXPECT_TRUE(graph.fChanges.empty());
    EXPECT_TRUE(node->States().Contains(osUpdating));
    node->EndUpdate();
    EXPECT_FALSE(node->States().Contains(osUpdating));
    ASSERT_EQ(graph.fChanges.size(), 1u);
    EXPECT_EQ(LastChange(graph), (TGraphChangeFlags{gcView, gcData, gcText, gcPlacement}));
    EXPECT_EQ(graph.fEvents, (std::vector<std::string>{"ObjectChange"}));
}

TEST(GraphObjectTest, AMoveOffsetsTheVisualRectAndAResizeRecomputesIt) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    graph.fChanges.clear();
    graph.fInvalidated.clear();
    node->OffsetBy(10, 5);
    EXPECT_EQ(node->VisualRect(), (TRect{110, 105, 150, 135}));
    EXPECT_EQ(LastChange(graph), (TGraphChangeFlags{gcView, gcData, gcPlacement}));
    ASSERT_FALSE(graph.fInvalidated.empty());
    EXPECT_EQ(graph.fInvalidated.front(), (TRect{97, 97, 143, 133})); // the old area

    node->SetBoundsRect({0, 0, 10, 10});
    EXPECT_EQ(node->VisualRect(), (TRect{0, 0, 10, 10}));
}

TEST(GraphObjectTest, SelectionFollowsTheOption) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    node->SetOptions({goLinkable});
    graph.fChanges.clear();
    node->SetSelected(true);
    EXPECT_FALSE(node->Selected());
    EXPECT_TRUE(graph.fChanges.empty());
    EXPECT_EQ(graph.SelectedObjects().Count(), 0);

    node->SetOptions(DefaultGraphObjectOptions);
    node->SetSelected(true);
    EXPECT_TRUE(node->Selected());
    EXPECT_EQ(graph.SelectedObjects().IndexOf(node), 0);
    EXPECT_EQ(LastChange(graph), TGraphChangeFlags{gcView});
}

TEST(GraphObjectTest, ZOrderMovesWithinTheGraph) {
    TRecordingGraph graph;
    TTestNode* a = graph.Add<TTestNode>();
    TTestNode* b = graph.Add<TTestNode>();
    TTestNode* c = graph.Add<TTestNode>();
    EXPECT_EQ(b->ZOrder(), 1);
    a->BringToFront();
    EXPECT_EQ(a->ZOrder(), 2);
    EXPECT_EQ(c->ZOrder(), 1);
    a->SetZOrder(-4); // out of range means the top
    EXPECT_EQ(a->ZOrder(), 2);
    c->SendToBack();
    EXPECT_EQ(graph.Objects().Items(0), c);
}

TEST(GraphObjectTest, HitTestingUsesTheSelectedAreaAndTheOptions) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    EXPECT_EQ(node->HitTest({100, 100}), hcBody);
    EXPECT_EQ(node->HitTest({140, 100}), hcNone); // right edge is outside
    EXPECT_EQ(node->HitTest({98, 100}), hcNone);
    EXPECT_EQ(node->SelectedVisualRect(), (TRect{97, 97, 143, 133}));
    EXPECT_TRUE(node->ContainsRect({140, 130, 150, 150})); // touching counts
    EXPECT_FALSE(node->ContainsRect({141, 130, 150, 150}));

    node->SetOptions({goLinkable});
    EXPECT_EQ(node->HitTest({110, 110}), hcOnObject);
    node->SetVisible(false);
    EXPECT_EQ(node->HitTest({110, 110}), hcNone);
    graph.SetShowHiddenObjects(true);
    EXPECT_EQ(node->HitTest({110, 110}), hcOnObject);
}

TEST(GraphObjectTest, DependentsMirrorTheLinkListsAndHearOfChanges) {
    TRecordingGraph graph;
    TTestNode* a = graph.Add<TTestNode>();
    TTestNode* b = graph.Add<TTestNode>();
    TTestLink* link = TGraphObject::Create<TTestLink>(&graph);
    link->Join(a, b);
    EXPECT_EQ(a->LinkOutputCount(), 1);
    EXPECT_EQ(b->LinkInputCount(), 1);
    EXPECT_EQ(a->DependentCount(), 1);
    EXPECT_EQ(b->DependentCount(), 1);

    a->OffsetBy(1, 1);
    EXPECT_EQ(link->fReferenceNotices, std::vector<TDependentNotice>{dnChanged});

    // Freeing a node lets its link go; the link removes itself during the walk.
    a->Free();
    EXPECT_EQ(link->fReferenceNotices, (std::vector<TDependentNotice>{dnChanged, dnGoingAway}));
    EXPECT_EQ(link->Source(), nullptr);
    EXPECT_EQ(graph.Objects().Count(), 2);
}

TEST(GraphObjectTest, DeletingAsksTheGraph) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    graph.fCanRemove = false;
    EXPECT_FALSE(node->Delete());
    EXPECT_EQ(graph.Objects().Count(), 1);
    graph.fCanRemove = true;
    node->SetSelected(true);
    EXPECT_TRUE(node->Delete());
    EXPECT_EQ(graph.Objects().Count(), 0);
    EXPECT_EQ(graph.SelectedObjects().Count(), 0);

    // Removing an object from the graph's list by index frees it as well.
    graph.Add<TTestNode>();
    graph.Objects().Delete(0);
    EXPECT_EQ(graph.Objects().Count(), 0);
}

TEST(GraphObjectTest, ConversionKeepsIdentityPlaceSelectionAndLinks) {
    TRecordingGraph graph;
    TTestNode* first = graph.Add<TTestNode>();
    TTestNode* node = graph.Add<TTestNode>({10, 20, 60, 80});
    TTestNode* last = graph.Add<TTestNode>();
    TTestLink* in = TGraphObject::Create<TTestLink>(&graph);
    TTestLink* out = TGraphObject::Create<TTestLink>(&graph);
    in->Join(first, node);
    out->Join(node, last);
    node->SetText(QStringLiteral("Keep me"));
    node->Brush().SetColor(clYellow);
    node->SetSelected(true);
    last->SetSelected(true);
    const uint32_t id = node->ID();

    TGraphObject* converted = node->ConvertTo(&TOtherNode::Class());
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(&converted->ClassType(), &TOtherNode::Class());
    EXPECT_EQ(converted->ID(), id);
    EXPECT_EQ(converted->ZOrder(), 1);
    EXPECT_EQ(converted->Text(), QStringLiteral("Keep me"));
    EXPECT_EQ(converted->Brush().Color(), clYellow);
    EXPECT_EQ(converted->BoundsRect(), (TRect{10, 20, 60, 80}));
    EXPECT_TRUE(converted->Selected());
    EXPECT_EQ(graph.SelectedObjects().IndexOf(converted), 0);
    EXPECT_EQ(graph.Objects().Count(), 5);
    EXPECT_EQ(in->Target(), converted);
    EXPECT_EQ(out->Source(), converted);
    EXPECT_EQ(converted->LinkInputCount(), 1);
    EXPECT_EQ(converted->LinkOutputCount(), 1);
    EXPECT_EQ(converted->DependentCount(), 2);

    // Same class, or across nodes and links: nothing happens.
    EXPECT_EQ(converted->ConvertTo(&TOtherNode::Class()), converted);
    EXPECT_EQ(converted->ConvertTo(&TTestLink::Class()), converted);
    EXPECT_EQ(converted->ConvertTo(nullptr), converted);
}

TEST(GraphObjectTest, AFailedConversionLeavesTheOriginalInPlace) {
    TRecordingGraph graph;
    TTestNode* a = graph.Add<TTestNode>();
    TTestNode* node = graph.Add<TTestNode>();
    TTestLink* link = TGraphObject::Create<TTestLink>(&graph);
    link->Join(a, node);
    node->SetSelected(true);
    graph.fThrowOnObjectChange = true;
    EXPECT_THROW(node->ConvertTo(&TOtherNode::Class()), std::runtime_error);
    graph.fThrowOnObjectChange = false;
    EXPECT_EQ(graph.Objects().Items(1), node);
    EXPECT_EQ(graph.SelectedObjects().Items(0), node);
    EXPECT_EQ(link->Target(), node);
    EXPECT_FALSE(node->States().Contains(osConverting));
    node->Free(); // still a complete object of the graph
    EXPECT_EQ(link->Target(), nullptr);
}

TEST(GraphObjectTest, ClickingClearsASelectionListThatHoldsUnselectedObjects) {
    TRecordingGraph graph;
    TTestNode* stray = graph.Add<TTestNode>({300, 300, 340, 340});
    graph.SelectedObjects().Add(stray); // listed, but its own flag is off
    TTestNode* node = graph.Add<TTestNode>();
    node->MouseDown(mbLeft, {}, {110, 110});
    EXPECT_EQ(graph.SelectedObjects().Count(), 1);
    EXPECT_EQ(graph.SelectedObjects().Items(0), node);
}

TEST(GraphObjectTest, AssignCopiesTheLookButNotTheIdentity) {
    TRecordingGraph graph;
    TTestNode* source = graph.Add<TTestNode>();
    TTestNode* target = graph.Add<TTestNode>();
    source->SetText(QStringLiteral("Copy"));
    source->SetHint(QStringLiteral("Hint"));
    source->Pen().SetWidth(4);
    source->Font().SetHeight(-20);
    source->SetVisible(false);
    source->SetOptions({goSelectable});
    source->SetTag(9);
    graph.fChanges.clear();
    target->Assign(*source);
    EXPECT_EQ(target->Text(), QStringLiteral("Copy"));
    EXPECT_EQ(target->Hint(), QStringLiteral("Hint"));
    EXPECT_EQ(target->Pen().Width(), 4);
    EXPECT_EQ(target->Font().Height(), -20);
    EXPECT_FALSE(target->ParentFont());
    EXPECT_FALSE(target->Visible());
    EXPECT_EQ(target->Options(), TGraphObjectOptions{goSelectable});
    EXPECT_EQ(target->Tag(), 0);
    EXPECT_NE(target->ID(), source->ID());
    EXPECT_EQ(graph.fChanges.size(), 1u);
}

class GraphObjectKeyTest : public ::testing::Test {
protected:
    GraphObjectKeyTest() { node = graph.Add<TTestNode>({100, 100, 140, 130}); }
    // The graph sets the constraints' source rectangle before passing on a key.
    bool Press(uint16_t key, TShiftState shift) {
        graph.GraphConstraints().SetSourceRect(node->BoundsRect());
        return node->KeyPress(key, shift);
    }

    TRecordingGraph graph;
    TTestNode* node;
};

TEST_F(GraphObjectKeyTest, ArrowsMoveAndResize) {
    const struct {
        const char* name;
        uint16_t key;
        TShiftState shift;
        bool snap;
        bool used;
        TRect expected;
    } cases[] = {
        {"left", VK_LEFT, {}, false, true, {99, 100, 139, 130}},
        {"up", VK_UP, {}, false, true, {100, 99, 140, 129}},
        {"ctrl right moves a grid step", VK_RIGHT, {ssCtrl}, false, true, {108, 100, 148, 130}},
        {"ctrl right with snapping moves one unit",
         VK_RIGHT,
         {ssCtrl},
         true,
         true,
         {101, 100, 141, 130}},
        {"down with snapping moves a grid step", VK_DOWN, {}, true, true, {100, 108, 140, 138}},
        {"shift right resizes", VK_RIGHT, {ssShift}, false, true, {100, 100, 141, 130}},
        {"shift ctrl down resizes a grid step",
         VK_DOWN,
         {ssShift, ssCtrl},
         false,
         true,
         {100, 100, 140, 138}},
        {"alt left is not used", VK_LEFT, {ssAlt}, false, false, {100, 100, 140, 130}},
        {"other keys are not used", 65, {}, false, false, {100, 100, 140, 130}},
    };
    for (const auto& c : cases) {
        node->SetBoundsRect({100, 100, 140, 130});
        graph.SetSnapToGrid(c.snap);
        EXPECT_EQ(Press(c.key, c.shift), c.used) << c.name;
        EXPECT_EQ(node->BoundsRect(), c.expected) << c.name;
    }
}

TEST_F(GraphObjectKeyTest, AConfinedStepIsStillUsed) {
    graph.GraphConstraints().SetBoundsRect({100, 100, 500, 500});
    EXPECT_TRUE(Press(VK_LEFT, {}));
    EXPECT_EQ(node->BoundsRect(), (TRect{100, 100, 140, 130}));
}

TEST_F(GraphObjectKeyTest, EscapeCancelsADrag) {
    EXPECT_FALSE(Press(VK_ESCAPE, {}));
    node->SetSelected(true);
    ASSERT_TRUE(node->BeginDrag({110, 110}));
    EXPECT_TRUE(node->DragTo({130, 140}, false));
    EXPECT_EQ(node->BoundsRect(), (TRect{120, 130, 160, 160}));
    EXPECT_TRUE(Press(VK_ESCAPE, {}));
    EXPECT_FALSE(node->Dragging());
    EXPECT_EQ(node->BoundsRect(), (TRect{100, 100, 140, 130}));
}

TEST(GraphObjectDragTest, MouseSelectsDragsAndReleases) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    TTestNode* other = graph.Add<TTestNode>({300, 300, 340, 330});
    other->SetSelected(true);

    node->MouseDown(mbLeft, {}, {110, 110});
    EXPECT_TRUE(node->Selected());
    EXPECT_FALSE(other->Selected()); // a click without Shift selects only this object
    EXPECT_TRUE(node->Dragging());
    EXPECT_EQ(graph.DragSource(), node);

    node->MouseMove({}, {115, 112});
    EXPECT_EQ(node->BoundsRect(), (TRect{105, 102, 145, 132}));
    node->MouseMove({ssCtrl}, {121, 118}); // Ctrl snaps when snapping is off
    EXPECT_EQ(node->BoundsRect(), (TRect{111, 108, 151, 138}));
    node->MouseUp(mbLeft, {}, {121, 118});
    EXPECT_FALSE(node->Dragging());
    EXPECT_EQ(graph.DragSource(), nullptr);

    node->MouseDown(mbLeft, {ssShift}, {130, 120});
    EXPECT_FALSE(node->Selected());
}

TEST(GraphObjectDragTest, LockedDragsRefuseToStart) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    node->LockDrag();
    node->LockDrag();
    EXPECT_FALSE(node->BeginDrag({110, 110}));
    node->UnlockDrag();
    EXPECT_TRUE(node->States().Contains(osDragDisabled));
    node->UnlockDrag();
    EXPECT_FALSE(node->States().Contains(osDragDisabled));
    EXPECT_TRUE(node->BeginDrag({110, 110}));
    EXPECT_TRUE(node->EndDrag(true));
    EXPECT_FALSE(node->EndDrag(true)); // no longer the drag source
}

TEST(GraphObjectDrawTest, DragOutlinePenWidthDependsOnThePen) {
    const struct {
        int32_t penWidth, outlineWidth;
    } cases[] = {{0, 2}, {1, 3}, {2, 0}, {4, 1}, {7, 3}};
    for (const auto& c : cases) {
        TRecordingGraph graph;
        TTestNode* node = graph.Add<TTestNode>();
        node->Pen().SetWidth(c.penWidth);
        node->SetSelected(true);
        ASSERT_TRUE(node->BeginDrag({110, 110}));
        TBitmapCanvas bitmap(300, 300);
        node->DrawMarks(bitmap.Canvas());
        EXPECT_EQ(node->fOutlinePenWidth, c.outlineWidth) << c.penWidth;
        EXPECT_EQ(node->fOutlinePenMode, pmNot);
    }
}

TEST(GraphObjectDrawTest, DrawsOnlyWhereTheCanvasShowsIt) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>();
    TBitmapCanvas bitmap(300, 300);
    node->Draw(bitmap.Canvas());
    EXPECT_EQ(node->fShapesDrawn, 1);
    EXPECT_EQ(graph.fEvents.back(), "AfterDraw");
    node->DrawMarks(bitmap.Canvas());
    EXPECT_EQ(node->fHandlesDrawn, 0); // not selected
    node->SetSelected(true);
    node->DrawMarks(bitmap.Canvas());
    EXPECT_EQ(node->fHandlesDrawn, 1);

    bitmap.Canvas().SetClipRect({0, 0, 50, 50});
    node->Draw(bitmap.Canvas());
    EXPECT_EQ(node->fShapesDrawn, 1);
}

TEST(GraphObjectDrawTest, DisabledHandlesShowAnInnerSquare) {
    TRecordingGraph graph;
    TTestNode* node = graph.Add<TTestNode>({20, 20, 60, 60});
    node->SetSelected(true);
    TBitmapCanvas bitmap(100, 100);
    node->DrawMarks(bitmap.Canvas());
    const QImage& image = bitmap.Image();
    // Enabled handle at (20, 20): a filled 6x6 square; disabled one at (60, 60) has an
    // inner frame two units in.
    EXPECT_EQ(image.pixel(17, 17) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(image.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(59, 59) & 0xFFFFFF, 0x000000u);
}

} // namespace
} // namespace zov
