#include "graph/model/NodeShapes.h"
#include "platform/types/Exceptions.h"
#include "support/ControlFixture.h"

#include <QScrollBar>

namespace zov {
namespace {

using test::ControlTest;
using Events = std::vector<std::string>;

QStringList Names(int32_t count, const TGraphObjectClass& (*at)(int32_t)) {
    QStringList names;
    for (int32_t i = 0; i < count; ++i) {
        names << at(i).Name;
    }
    return names;
}

TEST_F(ControlTest, StandardClassesAreRegisteredInOrder) {
    EXPECT_EQ(Names(TRaroviRovoz::NodeClassCount(), &TRaroviRovoz::NodeClasses),
              QStringList({"TRectangularNode", "TRoundRectangularNode", "TEllipticNode",
                           "TTriangularNode", "TRhomboidalNode", "TPentagonalNode",
                           "THexagonalNode", "TDataNode", "TTextNode", "TParallelogramNode"}));
    EXPECT_EQ(Names(TRaroviRovoz::LinkClassCount(), &TRaroviRovoz::LinkClasses),
              QStringList({"TGraphLink"}));
    EXPECT_EQ(graph->DefaultNodeClass(), &TRectangularNode::Class());
    EXPECT_EQ(graph->DefaultLinkClass(), &TGraphLink::Class());
    try {
        TRaroviRovoz::NodeClasses(10);
        FAIL() << "no error for a bad index";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Index out of range (10)"));
    }
}

TEST_F(ControlTest, PageFollowsPaperTypeAndOrientation) {
    struct Case {
        TPaperType paper;
        char lage;
        TRect page;
    };
    const Case cases[] = {
        {pA4, 'L', {28, 28, 1197, 855}},
        {pA4, 'P', {28, 28, 855, 1197}},
        {pA3, 'P', {28, 28, 28 + 1169, 28 + 1654}},
        {pA2, 'L', {28, 28, 28 + 2339, 28 + 1654}},
        // Inch-based papers: thousandths of an inch become hundredths.
        {pLetter, 'P', {28, 28, 878, 1128}},
        {pLegal, 'L', {28, 28, 1428, 878}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(PaperInfo(c.paper).Name + std::string(" ") + c.lage);
        graph->SetPaperType(c.paper);
        graph->SetLage(c.lage);
        EXPECT_EQ(graph->GetPaperSize(), c.page);
        EXPECT_EQ(graph->GraphConstraints().BoundsRect(), c.page);
    }
}

TEST_F(ControlTest, NewObjectsTakeTheNextFreeID) {
    Node({0, 0, 50, 50}, 1);
    Node({60, 0, 110, 50}, 3);
    // The candidate starts at count + 1 = 3, which is taken.
    EXPECT_EQ(Node({120, 0, 170, 50})->ID(), 4u);
    EXPECT_EQ(Node({180, 0, 230, 50})->ID(), 5u);

    // A renumbered object is found under its new ID only, and its old ID is free again.
    TGraphObject* first = graph->FindObjectByID(1);
    first->RenumberID(1, 9);
    EXPECT_EQ(graph->FindObjectByID(9), first);
    EXPECT_EQ(graph->FindObjectByID(1), nullptr);
    graph->Objects().Items(1)->Delete(); // ID 3
    EXPECT_EQ(graph->Objects().Count(), 3);
    EXPECT_EQ(Node({240, 0, 290, 50})->ID(), 6u); // 4 and 5 are taken
    EXPECT_EQ(graph->FindObjectByID(3), nullptr);
}

TEST_F(ControlTest, ConvertedObjectIsFoundUnderItsID) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    TGraphLink* link = Link(a, b);
    TGraphObject* converted = a->ConvertTo(&TEllipticNode::Class());
    ASSERT_NE(converted, a);
    EXPECT_EQ(graph->FindObjectByID(1), converted);
    EXPECT_EQ(link->Source(), converted);
    EXPECT_EQ(Node({200, 0, 250, 50})->ID(), 4u);
}

TEST_F(ControlTest, InsertFailuresGiveNil) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    EXPECT_EQ(graph->InsertNode({0, 0, 10, 10}, &TGraphLink::Class()), nullptr);
    EXPECT_EQ(graph->InsertNode({0, 0, 10, 10}, &TGraphNode::AbstractClass()), nullptr);
    graph->OnCanLinkObjects = [](TRaroviRovoz&, TGraphLink*, TGraphObject*, TGraphObject*,
                                 bool& canLink) {
        canLink = false;
    };
    EXPECT_EQ(graph->InsertLink(a, b), nullptr);
    EXPECT_EQ(graph->Objects().Count(), 2);
    const TPoint pts[] = {{10, 200}, {90, 200}};
    TGraphLink* free = graph->InsertLink(pts);
    ASSERT_NE(free, nullptr);
    EXPECT_EQ(free->PointCount(), 2);
}

TEST_F(ControlTest, NewNodeEventsComeInOrder) {
    Node({0, 0, 50, 50});
    EXPECT_EQ(TakeEvents(), (Events{"InitInstance 1", "Insert 1", "GraphChange modified"}));
    EXPECT_TRUE(graph->Modified());
}

TEST_F(ControlTest, NewLinkIsHookedBeforeItJoins) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    TakeEvents();
    Link(a, b);
    const Events events = TakeEvents();
    const auto at = [&](const std::string& e) {
        return std::find(events.begin(), events.end(), e) - events.begin();
    };
    ASSERT_LT(at("Hook 1 0"), static_cast<long>(events.size()));
    EXPECT_LT(at("Hook 2 1"), at("InitInstance 3"));
    EXPECT_LT(at("InitInstance 3"), at("Insert 3"));
    EXPECT_EQ(events.back(), "GraphChange modified");
}

TEST_F(ControlTest, DeletionDeselectsRemovesThenUnhooks) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    TGraphLink* link = Link(a, b);
    a->SetSelected(true);
    TakeEvents();
    bool asked = false;
    graph->OnCanRemoveObject = [&](TRaroviRovoz&, TGraphObject*, bool&) {
        asked = true;
    };
    ASSERT_TRUE(a->Delete());
    EXPECT_TRUE(asked);
    const Events events = TakeEvents();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(Events(events.begin(), events.begin() + 3),
              (Events{"Select 1 -", "Remove 1", "GraphChange modified"}));
    EXPECT_NE(std::find(events.begin() + 3, events.end(), "Unhook 1 0"), events.end());
    EXPECT_EQ(graph->FindObjectByID(1), nullptr);
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
    (void)link;
}

TEST_F(ControlTest, RemovalCanBeRefused) {
    TGraphNode* a = Node({0, 0, 50, 50});
    graph->OnCanRemoveObject = [](TRaroviRovoz&, TGraphObject*, bool& canRemove) {
        canRemove = false;
    };
    EXPECT_FALSE(a->Delete());
    EXPECT_EQ(graph->Objects().Count(), 1);
}

TEST_F(ControlTest, UpdateCollectsDataChangesIntoOneGraphChange) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    graph->SetModified(false);
    TakeEvents();

    graph->BeginUpdate();
    graph->BeginUpdate();
    a->SetBoundsRect({10, 10, 60, 60});
    b->SetText(QStringLiteral("b"));
    graph->EndUpdate();
    EXPECT_EQ(GraphChanges(), 0);
    Node({200, 0, 250, 50});
    graph->EndUpdate();
    EXPECT_EQ(GraphChanges(), 1);
    EXPECT_TRUE(graph->Modified());

    // View-only changes (selection) inside an update: no graph change.
    graph->SetModified(false);
    TakeEvents();
    graph->BeginUpdate();
    a->SetSelected(true);
    b->SetSelected(true);
    graph->EndUpdate();
    EXPECT_EQ(GraphChanges(), 0);
    EXPECT_FALSE(graph->Modified());
}

TEST_F(ControlTest, DataChangesInInsertModesDoNotCountInsideAnUpdate) {
    TGraphNode* a = Node({0, 0, 50, 50});
    graph->SetModified(false);
    graph->SetCommandMode(cmInsertNode);
    TakeEvents();
    graph->BeginUpdate();
    a->SetBoundsRect({10, 10, 60, 60});
    graph->EndUpdate();
    EXPECT_EQ(GraphChanges(), 0);
    EXPECT_FALSE(graph->Modified());
}

TEST_F(ControlTest, ClearRemovesEverythingWithOneGraphChange) {
    Node({0, 0, 50, 50});
    Node({100, 0, 150, 50})->SetSelected(true);
    graph->SetCommandMode(cmPan);
    TakeEvents();
    graph->Clear();
    const Events events = TakeEvents();
    EXPECT_EQ(graph->Objects().Count(), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "GraphChange saved"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "GraphChange modified"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Select 2 -"), 1);
    EXPECT_EQ(graph->CommandMode(), cmEdit);
    EXPECT_FALSE(graph->Modified());
    EXPECT_EQ(graph->FindObjectByID(1), nullptr);
}

TEST_F(ControlTest, ClearOfAnEmptyGraphOnlyResetsModeAndScrolling) {
    graph->SetModified(true);
    graph->SetCommandMode(cmPan);
    graph->horizontalScrollBar()->setRange(0, 500);
    graph->horizontalScrollBar()->setValue(200);
    TakeEvents();
    graph->Clear();
    EXPECT_EQ(TakeEvents(), (Events{"CommandModeChange"}));
    EXPECT_EQ(graph->CommandMode(), cmEdit);
    EXPECT_EQ(graph->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(graph->Modified());
}

TEST_F(ControlTest, CommandModeClearsTheSelectionOnlyWhereItMust) {
    TGraphNode* a = Node({0, 0, 50, 50});
    a->SetSelected(true);
    graph->SetCommandMode(cmPan);
    EXPECT_TRUE(a->Selected());
    graph->SetCommandMode(cmInsertNode);
    EXPECT_FALSE(a->Selected());
    TakeEvents();
    graph->SetCommandMode(cmInsertNode);
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(ControlTest, NonSelectableObjectStaysUnselectedWithoutEvent) {
    TGraphNode* a = Node({0, 0, 50, 50});
    a->SetOptions({goLinkable, goShowCaption});
    TakeEvents();
    a->SetSelected(true);
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(ControlTest, ForeignObjectsAreRejectedByTheLists) {
    TRaroviRovoz other;
    TGraphNode* stranger = other.InsertNode({0, 0, 50, 50});
    graph->Objects().Add(stranger);
    graph->DraggingObjects().Add(stranger);
    EXPECT_EQ(graph->Objects().Count(), 0);
    EXPECT_EQ(graph->DraggingObjects().Count(), 0);
    TGraphNode* own = Node({0, 0, 50, 50});
    graph->SelectedObjects().Add(own); // without its Selected flag
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
}

TEST_F(ControlTest, ToggleSelectionByRectangle) {
    TGraphNode* a = Node({40, 40, 90, 90});
    TGraphNode* b = Node({100, 40, 150, 90});
    TGraphNode* c = Node({300, 40, 350, 90});
    a->SetSelected(true);
    c->SetSelected(true);

    graph->ToggleSelection({80, 50, 120, 60}, true); // overlaps a and b
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_TRUE(c->Selected());

    graph->ToggleSelection({80, 50, 120, 60}, false);
    EXPECT_TRUE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_FALSE(c->Selected());

    graph->ToggleSelection({0, 0, 400, 400}, false, &TGraphLink::Class());
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
}

TEST_F(ControlTest, FindObjectAtPrefersSelectedLinksAndHandles) {
    TGraphNode* under = Node({100, 100, 200, 200});
    TGraphNode* peer = Node({400, 100, 500, 200});
    TGraphLink* link = Link(under, peer);
    TGraphNode* over = Node({50, 50, 600, 250});
    EXPECT_EQ(graph->FindObjectAt(300, 150), over);

    link->SetSelected(true);
    EXPECT_EQ(graph->FindObjectAt(300, 150), link);

    link->SetSelected(false);
    under->SetSelected(true);
    EXPECT_EQ(graph->FindObjectAt(150, 150), over);  // the selected node's body
    EXPECT_EQ(graph->FindObjectAt(200, 200), under); // its bottom-right handle
    EXPECT_EQ(graph->FindObjectAt(150, 150, over), under);
    EXPECT_EQ(graph->FindObjectAt(1000, 1000), nullptr);
}

TEST_F(ControlTest, FindNextObjectWrapsBothWays) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    TGraphLink* link = Link(a, b);
    TGraphNode* c = Node({300, 0, 350, 50});
    EXPECT_EQ(graph->FindNextObject(-1, false, false, true), a);
    EXPECT_EQ(graph->FindNextObject(-1, false, true, true), c);
    EXPECT_EQ(graph->FindNextObject(3, false, false, true), a);
    EXPECT_EQ(graph->FindNextObject(3, true, false, false), c);
    EXPECT_EQ(graph->FindNextObject(3, false, false, false), nullptr);
    EXPECT_EQ(graph->FindNextObject(0, false, false, false, &TGraphLink::Class()), link);
    EXPECT_EQ(graph->FindNextObject(2, false, true, false, &TGraphNode::AbstractClass()), b);
    EXPECT_EQ(graph->ObjectsCount(&TGraphNode::AbstractClass()), 3);
    EXPECT_EQ(graph->ObjectsCount(&TRectangularNode::Class()), 3);
    EXPECT_EQ(graph->ObjectsCount(&TGraphLink::Class()), 1);
}

TEST_F(ControlTest, SelectNextObjectCyclesThroughSelectableObjects) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    TGraphNode* c = Node({200, 0, 250, 50});
    b->SetOptions({goLinkable});
    EXPECT_TRUE(graph->SelectNextObject(false));
    EXPECT_TRUE(a->Selected());
    EXPECT_TRUE(graph->SelectNextObject(false));
    EXPECT_TRUE(c->Selected());
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(graph->SelectNextObject(false));
    EXPECT_TRUE(a->Selected());
    EXPECT_TRUE(graph->SelectNextObject(true));
    EXPECT_TRUE(c->Selected());

    // A single selectable object that is already selected: nothing to move to.
    a->SetOptions({goLinkable});
    EXPECT_FALSE(graph->SelectNextObject(false));
    EXPECT_TRUE(c->Selected());
    c->SetOptions({goLinkable});
    EXPECT_FALSE(graph->SelectNextObject(false));
}

TEST_F(ControlTest, ForEachObjectMayRemoveWhatItVisits) {
    for (int i = 0; i < 5; ++i) {
        Node({i * 60, 0, i * 60 + 50, 50});
    }
    TakeEvents();
    int visited = 0;
    graph->ForEachObject(
        [&](TGraphObject* object, int32_t limit) {
            ++visited;
            object->Delete();
            return visited < limit;
        },
        4, false);
    EXPECT_EQ(visited, 4);
    EXPECT_EQ(graph->Objects().Count(), 1);
    EXPECT_EQ(GraphChanges(), 1);
}

TEST_F(ControlTest, BoundsAreCachedUntilSomethingMoves) {
    TGraphNode* a = Node({100, 100, 200, 150});
    TGraphNode* b = Node({300, 200, 400, 260});
    const TRect both = graph->GraphBounds();
    EXPECT_LE(both.Left, 100);
    EXPECT_GE(both.Right, 400);
    EXPECT_EQ(graph->SelectionBounds(), TRect{});
    b->SetSelected(true);
    EXPECT_EQ(graph->SelectionBounds(), b->VisualRect());
    a->SetBoundsRect({500, 500, 600, 550});
    EXPECT_GE(graph->GraphBounds().Bottom, 550);
    b->SetVisible(false);
    EXPECT_EQ(graph->GraphBounds(), a->VisualRect());
    graph->SetShowHiddenObjects(true);
    EXPECT_LE(graph->GraphBounds().Left, 300);
}

TEST_F(ControlTest, FontChangeReachesObjectsWithParentFont) {
    TGraphNode* a = Node({0, 0, 50, 50});
    TGraphNode* b = Node({100, 0, 150, 50});
    b->SetParentFont(false);
    graph->Font().SetName(QStringLiteral("Courier New"));
    EXPECT_EQ(a->Font().Name(), QStringLiteral("Courier New"));
    EXPECT_NE(b->Font().Name(), QStringLiteral("Courier New"));
}

TEST_F(ControlTest, SnapsToTheGrid) {
    EXPECT_EQ(graph->SnapPoint({13, -3}), (TPoint{16, 0}));
    EXPECT_EQ(graph->SnapPoint({-5, 4}), (TPoint{0, 8}));
    int32_t dX = 2;
    int32_t dY = 0;
    graph->SnapOffset({13, 7}, dX, dY);
    EXPECT_EQ(dX, 3);
    EXPECT_EQ(dY, 0);
    graph->SetGridSize(200); // outside 4..128: ignored
    EXPECT_EQ(graph->GridSize(), 8);
}

} // namespace
} // namespace zov
