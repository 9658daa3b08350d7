#include "graph/history/GraphHistory.h"

#include "graph/document/GraphDocument.h"
#include "graph/model/GraphLink.h"
#include "graph/model/NodeShapes.h"
#include "platform/stream/Stream.h"

#include <array>
#include <gtest/gtest.h>

namespace zov {
namespace {

// A graph with a history: nodes a, b, c in a row, a link from a to b, one from b to c.
class GraphHistoryTest : public ::testing::Test {
protected:
    GraphHistoryTest() {
        a = doc.InsertNode({100, 100, 160, 140}, &TRectangularNode::Class());
        b = doc.InsertNode({300, 100, 360, 140}, &TEllipticNode::Class());
        c = doc.InsertNode({500, 100, 560, 140}, &TRectangularNode::Class());
        ab = doc.InsertLink(a, b);
        bc = doc.InsertLink(b, c);
        a->SetText(QStringLiteral("a"));
        ids = {a->ID(), b->ID(), c->ID(), ab->ID(), bc->ID()};
        doc.SetModified(false);
        history.Clear();
    }

    // The whole graph as its file holds it.
    QByteArray File() {
        TMemoryStream stream;
        const bool modified = doc.Modified();
        doc.SaveToStream(stream);
        doc.SetModified(modified);
        return stream.Bytes();
    }
    // Runs work as one step that first keeps the given objects.
    template <class F> void Step(std::initializer_list<TGraphObject*> scope, F&& work) {
        history.Record(QStringLiteral("Step"), [&] {
            for (TGraphObject* object : scope) {
                history.Capture(*object);
            }
            work();
        });
    }
    // Undoing gives the file before, redoing the file after, twice over.
    void ExpectUndoRedo(const QByteArray& before) {
        const QByteArray after = File();
        ASSERT_NE(before, after);
        ASSERT_TRUE(history.CanUndo());
        for (int round = 0; round < 2; ++round) {
            history.Undo();
            EXPECT_EQ(File(), before) << "undo, round " << round;
            history.Redo();
            EXPECT_EQ(File(), after) << "redo, round " << round;
        }
    }
    TGraphObject* Find(uint32_t id) { return doc.FindObjectByID(id); }
    // Undo and redo read objects anew: the fixture's pointers follow their IDs.
    void Refresh() {
        a = static_cast<TGraphNode*>(Find(ids[0]));
        b = static_cast<TGraphNode*>(Find(ids[1]));
        c = static_cast<TGraphNode*>(Find(ids[2]));
        ab = static_cast<TGraphLink*>(Find(ids[3]));
        bc = static_cast<TGraphLink*>(Find(ids[4]));
    }

public: // the table's steps reach the objects through the fixture
    TGraphDocument doc;
    TGraphHistory history{doc};
    TGraphNode* a;
    TGraphNode* b;
    TGraphNode* c;
    TGraphLink* ab;
    TGraphLink* bc;
    std::array<uint32_t, 5> ids{};
};

TEST_F(GraphHistoryTest, MoveTakesTheHookedLinksAlong) {
    const QByteArray before = File();
    Step({b}, [&] { b->OffsetBy(0, 200); });
    EXPECT_EQ(history.Stack().count(), 1);
    ExpectUndoRedo(before);
    // The links still follow the node they hang on.
    Refresh();
    EXPECT_EQ(ab->Target(), b);
    const TPoint end = ab->Points(ab->PointCount() - 1);
    b->OffsetBy(0, 40);
    EXPECT_EQ(ab->Points(ab->PointCount() - 1).Y, end.Y + 40);
}

TEST_F(GraphHistoryTest, DeleteComesBackWithItsLinksAndPlace) {
    const QByteArray before = File();
    const uint32_t id = b->ID();
    b->SetSelected(true);
    Step({b}, [&] { b->Delete(); });
    EXPECT_EQ(Find(id), nullptr);
    ExpectUndoRedo(before);
    history.Undo();
    TGraphObject* node = Find(id);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->ZOrder(), 1);
    EXPECT_EQ(node->LinkInputCount() + node->LinkOutputCount(), 2);
    EXPECT_TRUE(node->Selected()) << "the restored objects are the selection";
}

TEST_F(GraphHistoryTest, InsertedObjectsLeaveAndComeBackWithTheirIDs) {
    const QByteArray before = File();
    uint32_t nodeID = 0;
    uint32_t linkID = 0;
    Step({}, [&] {
        TGraphNode* d = doc.InsertNode({100, 400, 140, 440}, &THexagonalNode::Class());
        nodeID = d->ID();
        linkID = doc.InsertLink(c, d)->ID();
    });
    ExpectUndoRedo(before);
    auto* link = dynamic_cast<TGraphLink*>(Find(linkID));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Source(), c);
    EXPECT_EQ(link->Target(), Find(nodeID));
}

TEST_F(GraphHistoryTest, DrawingOrderIsRestored) {
    const QByteArray before = File();
    Step({a, c}, [&] {
        a->BringToFront();
        c->SendToBack();
    });
    ExpectUndoRedo(before);
}

TEST_F(GraphHistoryTest, ObjectsReadAnewKeepTheirPlaceUnderOthers) {
    TGraphNode* above = doc.InsertNode({120, 110, 200, 170}, &TRectangularNode::Class());
    history.Clear();
    Step({a}, [&] { a->SetText(QStringLiteral("changed")); });
    history.Undo();
    EXPECT_EQ(doc.FindObjectAt(130, 120), above);
    history.Redo();
    EXPECT_EQ(doc.FindObjectAt(130, 120), above);
}

TEST_F(GraphHistoryTest, ClassDataAndHooksAreRestored) {
    struct TCase {
        const char* Name;
        std::function<void(GraphHistoryTest&)> Change;
    };
    const TCase cases[] = {
        {"convert",
         [](GraphHistoryTest& t) {
             t.b->ConvertTo(&TTriangularNode::Class());
         }},
        {"caption back to default",
         [](GraphHistoryTest& t) {
             t.a->SetText(QString());
         }},
        {"unhook",
         [](GraphHistoryTest& t) {
             t.ab->Unhook(t.b);
         }},
        {"hook elsewhere",
         [](GraphHistoryTest& t) {
             t.ab->Unhook(t.b);
             t.ab->Hook(t.ab->PointCount() - 1, t.c);
         }},
        {"points",
         [](GraphHistoryTest& t) {
             t.bc->InsertPoint(1, {430, 60});
         }},
        {"reverse",
         [](GraphHistoryTest& t) {
             t.ab->Reverse();
         }},
        {"font",
         [](GraphHistoryTest& t) {
             t.b->Font().SetSize(30);
         }},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        const QByteArray before = File();
        Step({a, b, c}, [&] { test.Change(*this); });
        ExpectUndoRedo(before);
        history.Undo();
        Refresh();
        EXPECT_EQ(ab->Source(), a);
        EXPECT_EQ(ab->Target(), b);
        EXPECT_EQ(b->LinkInputCount(), 1);
        EXPECT_EQ(c->LinkInputCount(), 1);
        history.Clear();
    }
}

TEST_F(GraphHistoryTest, PageInformationIsAStepOfItsOwn) {
    const QByteArray before = File();
    history.Record(QStringLiteral("Page"), [&] {
        history.CapturePageInfo();
        doc.SetInfo(0, QStringLiteral("Title"));
        doc.SetLage('P');
    });
    ExpectUndoRedo(before);
    EXPECT_EQ(doc.GetPaperSize(), (TRect{28, 28, 855, 1197}));
}

TEST_F(GraphHistoryTest, CleanStateIsTheUnmodifiedGraph) {
    ASSERT_TRUE(history.Stack().isClean());
    Step({a}, [&] { a->OffsetBy(8, 0); });
    ASSERT_TRUE(history.CanUndo());
    EXPECT_TRUE(doc.Modified());
    history.Undo();
    EXPECT_FALSE(doc.Modified());
    history.Redo();
    EXPECT_TRUE(doc.Modified());

    history.SetClean(); // saved here
    doc.SetModified(false);
    history.Undo();
    EXPECT_TRUE(doc.Modified());
    history.Redo();
    EXPECT_FALSE(doc.Modified());
}

TEST_F(GraphHistoryTest, ChangesNoStepKeptDropTheHistory) {
    Step({a}, [&] { a->OffsetBy(8, 0); });
    ASSERT_TRUE(history.CanUndo());
    // b changes inside a step that did not keep it.
    Step({a}, [&] {
        a->OffsetBy(8, 0);
        b->SetText(QStringLiteral("b"));
    });
    EXPECT_FALSE(history.CanUndo());

    Step({a}, [&] { a->OffsetBy(8, 0); });
    ASSERT_TRUE(history.CanUndo());
    c->SetText(QStringLiteral("outside"));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Stack().isClean()) << "the graph can never be unmodified again";
}

TEST_F(GraphHistoryTest, StepsWithoutChangeAreNoSteps) {
    Step({a, b}, [&] {
        a->OffsetBy(8, 0);
        a->OffsetBy(-8, 0);
    });
    EXPECT_EQ(history.Stack().count(), 0);
}

TEST_F(GraphHistoryTest, KeyMovesMergeAndCancelOut) {
    const QByteArray before = File();
    for (int dx : {8, 8, 8}) {
        history.Record(
            QStringLiteral("Move"),
            [&] {
                history.Capture(*a);
                a->OffsetBy(dx, 0);
            },
            TStepMerge::KeyMove);
    }
    EXPECT_EQ(history.Stack().count(), 1);
    history.Undo();
    EXPECT_EQ(File(), before);
    history.Redo();
    Refresh();
    history.Record(
        QStringLiteral("Move"),
        [&] {
            history.Capture(*a);
            a->OffsetBy(-24, 0);
        },
        TStepMerge::KeyMove);
    EXPECT_EQ(history.Stack().count(), 0) << "moving back undoes the run";
}

TEST_F(GraphHistoryTest, OldStepsGoBeyondTheLimit) {
    for (int i = 0; i < TGraphHistory::kUndoLimit + 5; ++i) {
        Step({a}, [&] { a->SetTag(i + 1); });
    }
    EXPECT_EQ(history.Stack().count(), TGraphHistory::kUndoLimit);
    while (history.CanUndo()) {
        history.Undo();
    }
    Refresh();
    EXPECT_EQ(a->Tag(), 5) << "the oldest five steps are gone";
}

TEST_F(GraphHistoryTest, AStepKeepsOnlyWhatItTouched) {
    for (int i = 0; i < 2000; ++i) {
        doc.InsertNode(
            {1000 + 10 * (i % 40), 100 + 10 * (i / 40), 1008 + 10 * (i % 40), 108 + 10 * (i / 40)},
            &TRectangularNode::Class());
    }
    history.Clear();
    Step({a}, [&] { a->OffsetBy(0, 8); });
    const auto* step = dynamic_cast<const TGraphStep*>(history.Stack().command(0));
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->Content().Objects.size(), 2u) << "the node and its link";
    EXPECT_FALSE(step->Content().OrderChanged);
}

} // namespace
} // namespace zov
