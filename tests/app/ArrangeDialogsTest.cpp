#include "dialogs/MultiNodeEdit.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "localization/widgets/RadioGroup.h"
#include "support/DialogSteps.h"
#include "support/EditorFixture.h"

#include <QRadioButton>

namespace zov::test {
namespace {

class ArrangeDialogsTest : public DocumentTest {
protected:
    std::vector<TGraphObject*> Nodes(std::initializer_list<TRect> bounds) {
        std::vector<TGraphObject*> nodes;
        for (const TRect& rect : bounds) {
            nodes.push_back(graph->InsertNode(rect));
        }
        return nodes;
    }
    static TGraphNode& Node(TGraphObject* object) { return dynamic_cast<TGraphNode&>(*object); }
    static TRect Bounds(TGraphObject* object) { return Node(object).BoundsRect(); }
    void Apply(const std::vector<TGraphObject*>& objects, const TMultiNodeEdit& edit) {
        ApplyMultiNodeEdit(graph->Document(), objects, edit);
    }
};

// ---- Multi-node edit ------------------------------------------------------------------------

TEST_F(ArrangeDialogsTest, AChainFollowsTheDistanceFromTheOriginWithFortyUnitGaps) {
    // A at (40, 40), B at (340, 50), C at (140, 240): distances 56.6, 343.7 and 278.0.
    const auto nodes = Nodes({{40, 40, 140, 90}, {340, 50, 400, 80}, {140, 240, 220, 300}});
    TMultiNodeEdit edit;
    edit.Chain = TChainChoice::Horizontal;
    Apply(nodes, edit);
    EXPECT_EQ(Bounds(nodes[0]), (TRect{40, 40, 140, 90}));
    EXPECT_EQ(Bounds(nodes[2]), (TRect{180, 40, 260, 100}));
    EXPECT_EQ(Bounds(nodes[1]), (TRect{300, 40, 360, 70}));

    edit.Chain = TChainChoice::Vertical;
    Apply(nodes, edit);
    EXPECT_EQ(Bounds(nodes[0]), (TRect{40, 40, 140, 90}));   // nearest: stays
    EXPECT_EQ(Bounds(nodes[2]), (TRect{40, 130, 120, 190})); // C was nearer than B
    EXPECT_EQ(Bounds(nodes[1]), (TRect{40, 230, 100, 260}));
}

TEST_F(ArrangeDialogsTest, EqualDistancesKeepListOrderInTheChain) {
    const auto nodes = Nodes({{30, 40, 80, 60}, {40, 30, 60, 70}});
    TMultiNodeEdit edit;
    edit.Chain = TChainChoice::Horizontal;
    Apply(nodes, edit);
    EXPECT_EQ(Bounds(nodes[0]).Left, 30);
    EXPECT_EQ(Bounds(nodes[1]).Left, 30 + 50 + 40);
    EXPECT_EQ(Bounds(nodes[1]).Top, 40);
}

TEST_F(ArrangeDialogsTest, SizesAndPlacementsUseTheExtentsMeasuredBeforeResizing) {
    const struct {
        TSizeChoice width;
        TPlacement horz;
        std::array<TRect, 2> expected;
    } cases[] = {
        // Right edges line up on the right edge before resizing (400).
        {TSizeChoice::Largest, TPlacement::End, {{{300, 110, 400, 150}, {300, 200, 400, 230}}}},
        {TSizeChoice::Smallest, TPlacement::Start, {{{110, 110, 161, 150}, {110, 200, 161, 230}}}},
        // Centres on 110 + 100 / 2 = 160: Left 110 for the 100-wide node, 160 - 26 = 134
        // for the 51-wide one (25.5 rounds to the even 26).
        {TSizeChoice::NoChange, TPlacement::Center, {{{110, 110, 210, 150}, {134, 200, 185, 230}}}},
    };
    for (const auto& c : cases) {
        const auto nodes = Nodes({{110, 110, 210, 150}, {349, 200, 400, 230}});
        TMultiNodeEdit edit;
        edit.Width = c.width;
        edit.Horz = c.horz;
        Apply(nodes, edit);
        EXPECT_EQ(Bounds(nodes[0]), c.expected[0]);
        EXPECT_EQ(Bounds(nodes[1]), c.expected[1]);
        for (TGraphObject* node : nodes) {
            node->Delete();
        }
    }
}

TEST_F(ArrangeDialogsTest, VerticalPlacementsAndHeights) {
    const auto nodes = Nodes({{110, 110, 160, 210}, {200, 400, 250, 441}});
    TMultiNodeEdit edit;
    edit.Height = TSizeChoice::Largest;
    edit.Vert = TPlacement::End;
    Apply(nodes, edit);
    EXPECT_EQ(Bounds(nodes[0]), (TRect{110, 341, 160, 441}));
    EXPECT_EQ(Bounds(nodes[1]), (TRect{200, 341, 250, 441}));
}

TEST_F(ArrangeDialogsTest, NodesFarFromTheOriginArePlacedByTheirOwnExtents) {
    // Beyond the start values a fixed minimum would have (1 000 000 and 10 000 000).
    const auto nodes =
        Nodes({{2000000, 12000000, 2000100, 12000050}, {2000300, 12000200, 2000400, 12000250}});
    TMultiNodeEdit edit;
    edit.Horz = TPlacement::Start;
    edit.Vert = TPlacement::Start;
    Apply(nodes, edit);
    EXPECT_EQ(Bounds(nodes[1]).Left, 2000000);
    EXPECT_EQ(Bounds(nodes[1]).Top, 12000000);
}

TEST_F(ArrangeDialogsTest, ColoursEqualToTheFirstObjectsAreNotSpreadButItsFontIs) {
    const auto nodes = Nodes({{10, 10, 60, 60}, {100, 10, 150, 60}});
    Node(nodes[0]).Brush().SetColor(clRed);
    Node(nodes[1]).Brush().SetColor(clYellow);
    Node(nodes[1]).Pen().SetStyle(psDot);
    Node(nodes[0]).Font().SetSize(20);
    TMultiNodeEdit edit;
    edit.BodyColor = edit.ReferenceBodyColor = clRed;
    edit.BorderColor = clBlue;
    edit.ReferenceBorderColor = clBlack;
    edit.PenStyle = psSolid; // the first node's own style: not spread
    edit.ReferencePenStyle = psSolid;
    edit.Font.Assign(Node(nodes[0]).Font());
    Apply(nodes, edit);
    EXPECT_EQ(Node(nodes[1]).Brush().Color(), clYellow);
    EXPECT_EQ(Node(nodes[1]).Pen().Color(), clBlue);
    EXPECT_EQ(Node(nodes[1]).Pen().Style(), psDot);
    EXPECT_EQ(Node(nodes[1]).Font().Size(), 20);
}

TEST_F(ArrangeDialogsTest, ASelectionOfLinksOnlyChangesNothingButIsMarkedModified) {
    TGraphLink* link = graph->InsertLink(std::vector<TPoint>{{10, 10}, {100, 10}});
    link->SetSelected(true);
    graph->SetModified(false);
    const std::string before = Dump(graph->Document());
    modals.Then([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Multiedit"));
        Press(dialog, "sWidthMax");
        Press(dialog, "rbH");
        Press(dialog, "StyleDashDot");
        Press(dialog, "btnOK");
    });
    Act("MultiEdit")->trigger();
    EXPECT_EQ(Dump(graph->Document()), before);
    EXPECT_TRUE(graph->Modified());
}

TEST_F(ArrangeDialogsTest, TheDialogStartsFromTheFirstNodeAndAppliesTheChosenStyle) {
    const auto nodes = Nodes({{10, 10, 60, 60}, {100, 10, 180, 60}});
    Node(nodes[0]).Pen().SetStyle(psDash);
    nodes[0]->SetSelected(true);
    nodes[1]->SetSelected(true);
    modals.Then([](QWidget& dialog) {
        EXPECT_TRUE(Field<QRadioButton>(dialog, "StyleDash").isChecked());
        EXPECT_TRUE(Field<QRadioButton>(dialog, "sWidthNone").isChecked());
        EXPECT_EQ(Field<QRadioButton>(dialog, "sWidthNone").text(), QStringLiteral("no  Change"));
        Snapshot(dialog);
        Press(dialog, "StyleDashDot");
        Press(dialog, "sWidthMin");
        Press(dialog, "btnOK");
    });
    Act("MultiEdit")->trigger();
    for (TGraphObject* node : nodes) {
        EXPECT_EQ(node->Pen().Style(), psDashDotDot);
        EXPECT_EQ(Node(node).Width(), 50);
    }
}

// ---- Size and align ---------------------------------------------------------------------------

TEST_F(ArrangeDialogsTest, SizeAndAlignNeedTwoObjectsAndApplyTheChosenItems) {
    const auto nodes = Nodes({{110, 110, 160, 160}, {200, 200, 290, 230}});
    nodes[0]->SetSelected(true);
    child->ActionListUpdate();
    EXPECT_FALSE(Act("EditSize")->isEnabled());
    EXPECT_FALSE(Act("EditAlign")->isEnabled());
    nodes[1]->SetSelected(true);
    child->ActionListUpdate();
    ASSERT_TRUE(Act("EditSize")->isEnabled());
    ASSERT_TRUE(Act("EditAlign")->isEnabled());

    const std::string before = Dump(graph->Document());
    modals.Then([](QWidget& dialog) {
        EXPECT_EQ(Field<TRadioGroup>(dialog, "Horz").ItemIndex(), 0);
        EXPECT_EQ(Field<TRadioGroup>(dialog, "Vert").ItemIndex(), 0);
        Snapshot(dialog);
        Press(dialog, "btnOK");
    });
    Act("EditSize")->trigger(); // "No Change" twice: nothing to do
    EXPECT_EQ(Dump(graph->Document()), before);

    modals.Then([](QWidget& dialog) {
        Field<TRadioGroup>(dialog, "Horz").SetItemIndex(2);
        Press(dialog, "btnOK");
    });
    Act("EditSize")->trigger();
    EXPECT_EQ(Node(nodes[0]).Width(), 90);
    EXPECT_EQ(Node(nodes[0]).Height(), 50);

    modals.Then([](QWidget& dialog) {
        Snapshot(dialog);
        Field<TRadioGroup>(dialog, "Horz").SetItemIndex(1);
        Field<TRadioGroup>(dialog, "Vert").SetItemIndex(1);
        Press(dialog, "btnOK");
    });
    Act("EditAlign")->trigger();
    EXPECT_EQ(Node(nodes[1]).Left(), 110);
    EXPECT_EQ(Node(nodes[1]).Top(), 110);

    modals.Then(ModalAnswers::Cancel());
    Act("EditAlign")->trigger();
    EXPECT_EQ(Node(nodes[1]).Left(), 110);
}

TEST_F(ArrangeDialogsTest, TheAlignDialogAsksItsKeysInWalkOrder) {
    const TDlgTextList* entries = DlgTexte.Entries();
    ASSERT_NE(entries, nullptr);
    graph->InsertNode({10, 10, 60, 60})->SetSelected(true);
    graph->InsertNode({100, 10, 160, 60})->SetSelected(true);
    child->ActionListUpdate();
    modals.Then(ModalAnswers::Cancel());
    Act("EditAlign")->trigger();
    // Keys are recorded the first time they are asked, so the dialog's keys stand
    // together in the order it asked them.
    qsizetype first = 0;
    while (first < entries->Count() &&
           entries->Items(first).Key != QLatin1String("AlignDialog_M")) {
        ++first;
    }
    QStringList asked;
    for (qsizetype i = first; i < std::min(first + 17, entries->Count()); ++i) {
        asked.append(entries->Items(i).Key);
    }
    EXPECT_EQ(asked,
              QStringList({"AlignDialog_M", "AlignDialog_Horz_C", "AlignDialog_Horz0_E",
                           "AlignDialog_Horz1_E", "AlignDialog_Horz2_E", "AlignDialog_Horz3_E",
                           "AlignDialog_Horz4_E", "AlignDialog_Vert_C", "AlignDialog_Vert0_E",
                           "AlignDialog_Vert1_E", "AlignDialog_Vert2_E", "AlignDialog_Vert3_E",
                           "AlignDialog_Vert4_E", "AlignDialog_btnOK_C", "AlignDialog_btnOK_H",
                           "AlignDialog_btnCancel_C", "AlignDialog_btnCancel_H"}));
}

} // namespace
} // namespace zov::test
