// The document window's commands on its graph: drawing with the tool-bar actions and
// the mouse, formatting of new objects, the update rules, view-only, the status bar.
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "support/EditorFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QStatusTipEvent>

namespace zov::test {
namespace {

class DocumentWindowTest : public DocumentTest {
protected:
    void Update() const { child->ActionListUpdate(); }
};

TEST_F(DocumentWindowTest, DrawsNodesAndALinkWithTheToolBarAndTheMouse) {
    TGraphNode* first = DrawNode(*child, "ObjectsRectangle", {40, 40, 140, 100});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(&first->ClassType(), &TRectangularNode::Class());
    TGraphNode* second = DrawNode(*child, "ObjectsEllipse", {300, 40, 400, 100});
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(&second->ClassType(), &TEllipticNode::Class());

    Act("ObjectsLink")->trigger();
    EXPECT_EQ(child->PanelText(spCommandMode), QStringLiteral("Inserting Link/Line"));
    Drag(*child, {90, 70}, {350, 70});
    ASSERT_EQ(child->Graph().ObjectsCount(), 3);
    auto* link = dynamic_cast<TGraphLink*>(child->Graph().Objects().Items(2));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Source(), first);
    EXPECT_EQ(link->Target(), second);
    EXPECT_TRUE(child->Graph().Modified());
    Update();
    EXPECT_EQ(child->PanelText(spModified), QStringLiteral("Modified"));
}

TEST_F(DocumentWindowTest, NewObjectsTakeTheToolBarsFormatting) {
    child->findChild<QComboBox*>(QStringLiteral("cbxFontSize"))->setEditText(QStringLiteral("14"));
    child->findChild<QComboBox*>(QStringLiteral("LineSize"))->setEditText(QStringLiteral("abc"));
    Act("FormatBold")->trigger();
    Act("FormatAlignRight")->trigger();
    Act("FormatAlignTop")->trigger();
    TGraphNode* node = DrawNode(*child, "ObjectsRoundRect", {40, 40, 140, 100});
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Font().Size(), 14);
    EXPECT_TRUE(node->Font().Style().Contains(fsBold));
    EXPECT_EQ(node->Alignment(), taRightJustify);
    EXPECT_EQ(node->Layout(), tlTop);
    EXPECT_EQ(node->Brush().Color(), clCream);
    EXPECT_EQ(node->Pen().Width(), 1) << "a line size that is no number gives 1";
}

TEST_F(DocumentWindowTest, UpdateRulesFollowTheGraph) {
    Update();
    EXPECT_FALSE(Act("FileSave")->isEnabled());
    EXPECT_FALSE(Act("EditCopy")->isEnabled());
    EXPECT_FALSE(Act("FileExport")->isEnabled());
    child->Graph().InsertNode({10, 10, 60, 60});
    Update();
    EXPECT_TRUE(Act("FileSave")->isEnabled());
    EXPECT_TRUE(Act("FileExport")->isEnabled());
    EXPECT_TRUE(Act("EditSelectAll")->isEnabled());

    QApplication::clipboard()->setText(QStringLiteral("text"));
    Update();
    EXPECT_FALSE(Act("EditPaste")->isEnabled());
    Act("EditSelectAll")->trigger();
    Update();
    Act("EditCopy")->trigger();
    Update();
    EXPECT_TRUE(Act("EditPaste")->isEnabled());
    EXPECT_FALSE(Act("EditSelectAll")->isEnabled());

    child->Graph().SetZoom(30);
    Update();
    EXPECT_TRUE(Act("ViewZoomOut")->isEnabled());
    Act("ViewZoomOut")->trigger();
    Update();
    EXPECT_EQ(child->Graph().Zoom(), 20);
    EXPECT_FALSE(Act("ViewZoomOut")->isEnabled());
    EXPECT_TRUE(Act("ViewNoZoom")->isEnabled());
    EXPECT_EQ(child->PanelText(spZoom), QStringLiteral("20%"));
    EXPECT_EQ(child->PanelText(spPaper), QStringLiteral("A4/L 1"));
}

TEST_F(DocumentWindowTest, InsertActionsShowTheModeAndTheClass) {
    Act("ObjectsTriangle")->trigger();
    Update();
    EXPECT_TRUE(Act("ObjectsTriangle")->isChecked());
    EXPECT_FALSE(Act("ObjectsRectangle")->isChecked());
    EXPECT_FALSE(Act("ObjectsNone")->isChecked());
    EXPECT_EQ(child->PanelText(spCommandMode), QStringLiteral("Inserting Node"));
    Act("ObjectsNone")->trigger();
    Update();
    EXPECT_TRUE(Act("ObjectsNone")->isChecked());
    EXPECT_FALSE(Act("ObjectsTriangle")->isChecked());
}

TEST_F(DocumentWindowTest, DeleteAndZOrderWorkOnTheSelection) {
    TGraphNode* a = child->Graph().InsertNode({10, 10, 60, 60});
    TGraphNode* b = child->Graph().InsertNode({20, 20, 70, 70});
    a->SetSelected(true);
    Act("EditBringToFront")->trigger();
    EXPECT_GT(a->ZOrder(), b->ZOrder());
    Act("EditSendToBack")->trigger();
    EXPECT_LT(a->ZOrder(), b->ZOrder());
    Act("EditInvertSelection")->trigger();
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    Act("EditDelete")->trigger();
    EXPECT_EQ(child->Graph().ObjectsCount(), 1);
    EXPECT_EQ(child->Graph().Objects().Items(0), a);
}

TEST_F(DocumentWindowTest, LinkCommandsActOnTheSelectedLink) {
    TGraphLink* link = child->Graph().InsertLink(std::vector<TPoint>{{100, 100}, {200, 100}});
    ASSERT_NE(link, nullptr);
    link->SetSelected(true);
    Act("LinkReverse")->trigger();
    EXPECT_EQ(link->Points(0), (TPoint{200, 100}));
    Act("LinkRotateCW")->trigger();
    // Quarter turn about the centroid (150, 100).
    EXPECT_EQ(link->Points(0).X, 150);
    EXPECT_EQ(link->Points(1).X, 150);
}

TEST_F(DocumentWindowTest, TheHintOfAnActionGoesToPanel7) {
    QStatusTipEvent tip(QStringLiteral("Save the graph"));
    QApplication::sendEvent(child, &tip);
    EXPECT_EQ(child->PanelText(spHint), QStringLiteral("Save the graph"));
    TMDIChild::ShowApplicationHint(QStringLiteral("Short|The long part"));
    EXPECT_EQ(child->PanelText(spHint), QStringLiteral("The long part"));
}

} // namespace
} // namespace zov::test
