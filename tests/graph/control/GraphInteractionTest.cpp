#include "graph/control/Cursors.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"
#include "support/ControlFixture.h"
#include "support/TestImages.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <QWheelEvent>

namespace zov {
namespace {

using test::ControlTest;

// Real Qt mouse and key events sent to the shown (offscreen) control. At zoom 100
// with nothing scrolled, client and graph coordinates are the same.
class InteractionTest : public ControlTest {
protected:
    InteractionTest() { graph->setFocus(); }

    QWidget* View() const { return graph->viewport(); }
    void Press(QPoint at, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(View(), button, keys, at);
    }
    void Release(QPoint at, Qt::KeyboardModifiers keys = {},
                 Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(View(), button, keys, at);
    }
    // Moves the mouse with the buttons held since the last press.
    void MoveTo(QPoint at, Qt::KeyboardModifiers keys = {}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), View()->mapToGlobal(QPointF(at)),
                         Qt::NoButton, fHeld, keys);
        QApplication::sendEvent(View(), &move);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        Press(from, keys);
        fHeld = Qt::LeftButton;
        MoveTo(QPoint((from.x() + to.x()) / 2, (from.y() + to.y()) / 2), keys);
        MoveTo(to, keys);
        Release(to, keys);
        fHeld = Qt::NoButton;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers keys = {}) {
        QTest::keyClick(graph.get(), key, keys);
    }
    void ContextMenuAt(QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, View()->mapToGlobal(at));
        QApplication::sendEvent(View(), &event);
    }

    Qt::MouseButtons fHeld = Qt::NoButton;
};

TEST_F(InteractionTest, RightClickSelectsTheNodeAndChoosesTheObjectMenu) {
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({300, 100, 380, 140});
    QMenu menu;
    menu.addAction(QStringLiteral("Properties"));
    graph->SetObjectPopupMenu(&menu);
    a->SetSelected(true);

    Press({340, 120}, {}, Qt::RightButton);
    ContextMenuAt({340, 120});
    Release({340, 120}, {}, Qt::RightButton);
    EXPECT_TRUE(b->Selected());
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(graph->DragSource(), nullptr); // a right press moves nothing
    menu.hide();

    // With a selection the background offers the object menu too.
    ContextMenuAt({600, 400});
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    graph->ClearSelection();
    bool own = false;
    graph->OnContextPopup = [&own](TRaroviRovoz&, const TPoint&, bool& handled) {
        own = handled = true;
    };
    ContextMenuAt({600, 400});
    EXPECT_TRUE(own);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(InteractionTest, ShiftClickDeselectsWithoutDragging) {
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({300, 100, 380, 140});
    a->SetSelected(true);
    b->SetSelected(true);
    TakeEvents();
    Press({140, 120}, Qt::ShiftModifier);
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_EQ(graph->DragSource(), nullptr);
    fHeld = Qt::LeftButton;
    MoveTo({160, 150}, Qt::ShiftModifier);
    Release({160, 150}, Qt::ShiftModifier);
    EXPECT_EQ(a->BoundsRect(), (TRect{100, 100, 180, 140}));
}

TEST_F(InteractionTest, ArrowKeysMoveOrResizeTheSelection) {
    graph->SetSnapToGrid(false);
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({300, 100, 380, 140});
    a->SetSelected(true);
    b->SetSelected(true);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers keys;
        TRect a;
    };
    const Case cases[] = {
        {Qt::Key_Left, {}, {99, 100, 179, 140}},
        {Qt::Key_Down, Qt::ControlModifier, {99, 108, 179, 148}}, // Ctrl: by the grid
        {Qt::Key_Right, Qt::ShiftModifier, {99, 108, 180, 148}},  // Shift: resize
        {Qt::Key_Up, Qt::AltModifier, {99, 108, 180, 148}},       // Alt: nothing
    };
    for (const Case& c : cases) {
        const int before = GraphChanges();
        Key(c.key, c.keys);
        EXPECT_EQ(a->BoundsRect(), c.a) << c.key;
        if (c.keys != Qt::AltModifier) {
            EXPECT_EQ(GraphChanges(), before + 1) << "one graph change per key";
        }
    }
    EXPECT_EQ(b->BoundsRect(), (TRect{299, 108, 380, 148})); // moved along with a
}

TEST_F(InteractionTest, TabWalksTheObjectsAndPanKeysScroll) {
    TGraphNode* a = Node({100, 100, 180, 140});
    Node({300, 100, 380, 140});
    TGraphNode* c = Node({1000, 700, 1100, 760});
    Key(Qt::Key_Tab);
    EXPECT_TRUE(a->Selected());
    graph->ClearSelection();
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(c->Selected());
    EXPECT_GT(graph->HorzScrollBar().Position(), 0); // scrolled into view

    graph->SetCommandMode(cmPan);
    graph->HorzScrollBar().SetPosition(100);
    graph->VertScrollBar().SetPosition(100);
    Key(Qt::Key_Left);
    EXPECT_EQ(graph->HorzScrollBar().Position(), 100 - graph->HorzScrollBar().Increment());
    Key(Qt::Key_Down);
    EXPECT_EQ(graph->VertScrollBar().Position(), 100 + graph->VertScrollBar().Increment());
    // Tab is not the graph's in pan mode: it selects nothing.
    graph->ClearSelection();
    Key(Qt::Key_Tab);
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
}

TEST_F(InteractionTest, TabFromAMultipleSelectionSelectsTheNextObjectAlone) {
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({300, 100, 380, 140});
    a->SetSelected(true);
    b->SetSelected(true);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_EQ(graph->SelectedObjects().Count(), 1);
}

TEST_F(InteractionTest, InsertedNodesTakeTheGridOrTheMinimumSize) {
    struct Case {
        int32_t grid;
        bool snap;
        QPoint click;
        TRect bounds;
    };
    const Case cases[] = {
        {8, true, {103, 205}, {104, 208, 120, 224}},
        {20, true, {103, 205}, {100, 200, 120, 220}},
        {8, false, {103, 205}, {103, 205, 119, 221}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grid);
        graph->Clear();
        graph->SetGridSize(c.grid);
        graph->SetSnapToGrid(c.snap);
        graph->SetCommandMode(cmInsertNode);
        Press(c.click);
        Release(c.click);
        ASSERT_EQ(graph->Objects().Count(), 1);
        EXPECT_EQ(graph->Objects().Items(0)->BoundsRect(), c.bounds);
        EXPECT_EQ(graph->CommandMode(), cmEdit);
        EXPECT_TRUE(graph->Objects().Items(0)->Selected());
    }
    // Outside the page nothing is made and the mode stays.
    graph->SetCommandMode(cmInsertNode);
    Press({10, 10});
    Release({10, 10});
    EXPECT_EQ(graph->Objects().Count(), 1);
    EXPECT_EQ(graph->CommandMode(), cmInsertNode);
}

TEST_F(InteractionTest, EscapePutsAMultiObjectDragBack) {
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({300, 100, 380, 140});
    a->SetSelected(true);
    b->SetSelected(true);
    graph->SetModified(false);
    TakeEvents();
    Press({140, 120});
    fHeld = Qt::LeftButton;
    MoveTo({180, 160});
    MoveTo({200, 200});
    ASSERT_NE(a->BoundsRect(), (TRect{100, 100, 180, 140}));
    Key(Qt::Key_Escape);
    Release({200, 200});
    EXPECT_EQ(a->BoundsRect(), (TRect{100, 100, 180, 140}));
    EXPECT_EQ(b->BoundsRect(), (TRect{300, 100, 380, 140})); // the follower too
    const std::vector<std::string> events = TakeEvents();
    EXPECT_NE(std::find(events.begin(), events.end(), "EndDrag 1 cancelled"), events.end());
    EXPECT_FALSE(graph->Modified());
}

TEST_F(InteractionTest, MarqueeZoomsWithAltInViewOnlyMode) {
    Node({100, 100, 180, 140});
    graph->SetCommandMode(cmViewOnly);
    Drag({90, 90}, {300, 250});
    EXPECT_EQ(graph->Zoom(), 100); // a plain marquee changes nothing there
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
    Drag({90, 90}, {300, 250}, Qt::AltModifier);
    EXPECT_GT(graph->Zoom(), 300);
    EXPECT_FALSE(graph->ValidMarkedArea());
}

TEST_F(InteractionTest, MarqueeSelectsNodesWithCtrlAndTogglesWithShift) {
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({300, 100, 380, 140});
    TGraphLink* link = Link(a, b);
    Drag({60, 60}, {420, 200}, Qt::ControlModifier);
    EXPECT_TRUE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_FALSE(link->Selected());

    graph->ClearSelection();
    a->SetSelected(true);
    Drag({60, 60}, {420, 200}, Qt::ShiftModifier);
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_TRUE(link->Selected());

    // A click on the background is a marquee of one point: it clears the selection.
    Press({600, 400});
    Release({600, 400});
    EXPECT_EQ(graph->SelectedObjects().Count(), 0);
}

TEST_F(InteractionTest, DrawsABentLinkWithRightClicksAndHooksItsEnd) {
    TGraphNode* a = Node({100, 100, 180, 140});
    TGraphNode* b = Node({400, 300, 480, 340});
    graph->SetCommandMode(cmInsertLink);
    Press({140, 120});
    fHeld = Qt::LeftButton;
    MoveTo({250, 200});
    MoveTo({300, 120});
    // A right click drops a bend where the end point is and drawing goes on.
    Press({300, 120}, {}, Qt::RightButton);
    Release({300, 120}, {}, Qt::RightButton);
    MoveTo({420, 200});
    MoveTo({440, 320});
    Release({440, 320});
    fHeld = Qt::NoButton;
    ASSERT_EQ(graph->ObjectsCount(&TGraphLink::Class()), 1);
    auto* link = static_cast<TGraphLink*>(graph->Objects().Items(2));
    EXPECT_EQ(link->Source(), a);
    EXPECT_EQ(link->Target(), b);
    EXPECT_EQ(link->PointCount(), 3);
    EXPECT_EQ(link->Points(1), (TPoint{304, 120})); // on the grid
    EXPECT_EQ(graph->CommandMode(), cmEdit);
}

TEST_F(InteractionTest, PanModeDragsTheViewWithHandCursors) {
    Node({28, 28, 1190, 850}); // content to scroll over
    graph->SetCommandMode(cmPan);
    graph->HorzScrollBar().SetPosition(200);
    graph->VertScrollBar().SetPosition(100);
    MoveTo({300, 300});
    EXPECT_EQ(View()->cursor().shape(), Qt::OpenHandCursor);
    Press({300, 300});
    fHeld = Qt::LeftButton;
    EXPECT_EQ(View()->cursor().shape(), Qt::ClosedHandCursor);
    MoveTo({250, 280}); // the graph follows the mouse
    EXPECT_EQ(graph->HorzScrollBar().Position(), 250);
    EXPECT_EQ(graph->VertScrollBar().Position(), 120);
    Release({250, 280});
    EXPECT_EQ(View()->cursor().shape(), Qt::OpenHandCursor);
}

TEST_F(InteractionTest, InsertModesShowTheirOwnCrossCursors) {
    graph->SetCommandMode(cmInsertNode);
    MoveTo({300, 300});
    EXPECT_EQ(View()->cursor().shape(), Qt::BitmapCursor);
    const QImage place = ToQCursor(crXHair1).pixmap().toImage();
    EXPECT_EQ(View()->cursor().pixmap().toImage(), place);
    // The link cursors tell their gestures apart.
    for (const TCursor other : {crXHair2, crXHair3, crXHairLink}) {
        EXPECT_NE(ToQCursor(other).pixmap().toImage(), place) << other;
    }
    EXPECT_NE(ToQCursor(crXHair3).pixmap().toImage(), ToQCursor(crXHairLink).pixmap().toImage());
}

TEST_F(InteractionTest, ObjectUnderTheMouseGetsEnterLeaveClickAndHint) {
    TGraphNode* a = Node({100, 100, 180, 140});
    a->SetHint(QStringLiteral("Short|Long help"));
    std::vector<std::string> seen;
    graph->OnObjectMouseEnter = [&seen](TRaroviRovoz&, TGraphObject*) {
        seen.push_back("enter");
    };
    graph->OnObjectMouseLeave = [&seen](TRaroviRovoz&, TGraphObject*) {
        seen.push_back("leave");
    };
    graph->OnObjectClick = [&seen](TRaroviRovoz&, TGraphObject*) {
        seen.push_back("click");
    };
    QString tip;
    graph->OnInfoTip = [&tip](TRaroviRovoz&, TGraphObject*, QString& text) {
        tip = text;
    };
    MoveTo({140, 120});
    EXPECT_EQ(graph->ObjectAtCursor(), a);
    QHelpEvent help(QEvent::ToolTip, QPoint(140, 120), View()->mapToGlobal(QPoint(140, 120)));
    QApplication::sendEvent(View(), &help);
    EXPECT_EQ(tip, QStringLiteral("Short"));
    Press({140, 120});
    Release({140, 120});
    MoveTo({600, 400});
    EXPECT_EQ(graph->ObjectAtCursor(), nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "click", "leave"}));
}

TEST_F(InteractionTest, ADoubleClickIsOneClickAndOneDoubleClick) {
    Node({100, 100, 180, 140});
    std::vector<std::string> seen;
    graph->OnObjectClick = [&seen](TRaroviRovoz&, TGraphObject*) {
        seen.push_back("click");
    };
    graph->OnObjectDblClick = [&seen](TRaroviRovoz&, TGraphObject*) {
        seen.push_back("double");
    };
    // What a widget receives of a double click: the second press comes as the double click.
    const QPoint at(140, 120);
    Press(at);
    Release(at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), View()->mapToGlobal(QPointF(at)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &dbl);
    Release(at);
    EXPECT_EQ(seen, (std::vector<std::string>{"click", "double"}));
    // The next plain click counts again.
    Press(at);
    Release(at);
    EXPECT_EQ(seen.back(), "click");
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(InteractionTest, WheelNotchesReachTheHandlersOnceEachAndScrollOtherwise) {
    Node({1000, 1400, 1100, 1460}); // room to scroll
    auto wheel = [this](int delta) {
        QWheelEvent event(QPointF(200, 150), View()->mapToGlobal(QPointF(200, 150)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(View(), &event);
    };
    std::vector<std::string> seen;
    graph->OnMouseWheel = [&seen](TRaroviRovoz&, TShiftState shift, int32_t delta,
                                  const TPoint& pos, bool&) {
        EXPECT_TRUE(shift.Contains(ssCtrl));
        EXPECT_EQ(pos, (TPoint{200, 150}));
        seen.push_back("wheel " + std::to_string(delta));
    };
    graph->OnMouseWheelDown = [&seen](TRaroviRovoz&, TShiftState, const TPoint&, bool& handled) {
        seen.push_back("down");
        handled = true;
    };
    graph->OnMouseWheelUp = [&seen](TRaroviRovoz&, TShiftState, const TPoint&, bool& handled) {
        seen.push_back("up");
        handled = true;
    };
    const int32_t position = graph->VertScrollBar().Position();
    // A touchpad's small steps make one notch only once they add up to 120.
    wheel(-40);
    wheel(-40);
    EXPECT_TRUE(seen.empty());
    wheel(-40);
    EXPECT_EQ(seen, (std::vector<std::string>{"wheel -120", "down"}));
    seen.clear();
    wheel(240);
    EXPECT_EQ(seen, (std::vector<std::string>{"wheel 120", "up", "wheel 120", "up"}));
    EXPECT_EQ(graph->VertScrollBar().Position(), position); // handled: nothing scrolled

    graph->OnMouseWheelDown = nullptr;
    wheel(-120);
    EXPECT_GT(graph->VertScrollBar().Position(), position);
}

TEST_F(InteractionTest, TheControlsPopupMenuShowsWhenNothingElseTookTheClick) {
    QMenu menu;
    menu.addAction(QStringLiteral("Paste"));
    graph->SetPopupMenu(&menu);
    ContextMenuAt({600, 400});
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    graph->OnContextPopup = [](TRaroviRovoz&, const TPoint&, bool& handled) {
        handled = true;
    };
    ContextMenuAt({600, 400});
    EXPECT_FALSE(menu.isVisible());
}

// Records the status tips that reach the watched widget.
class TStatusTipRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) {
            tips.push_back(static_cast<QStatusTipEvent*>(event)->tip());
        }
        return false;
    }
    QStringList tips;
};

TEST_F(InteractionTest, HoveringPublishesTheWholeHintAndTipsShowUserTextAsTyped) {
    TGraphNode* a = Node({100, 100, 180, 140});
    a->SetHint(QStringLiteral("Short|Long text"));
    TGraphNode* b = Node({300, 100, 380, 140});
    b->SetHint(QStringLiteral("Link: <b>x</b>"));
    TStatusTipRecorder recorder;
    graph->installEventFilter(&recorder);
    MoveTo({140, 120});
    MoveTo({600, 400});
    EXPECT_EQ(recorder.tips, (QStringList{QStringLiteral("Short|Long text"), QString()}));

    MoveTo({340, 120});
    QHelpEvent help(QEvent::ToolTip, QPoint(340, 120), View()->mapToGlobal(QPoint(340, 120)));
    QApplication::sendEvent(View(), &help);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(),
              QStringLiteral("Link: <b>x</b>"));
    QToolTip::hideText();
}

TEST_F(InteractionTest, AnInteractiveSessionLeavesAPictureAtEveryStep) {
    int step = 0;
    std::vector<QImage> shots;
    auto shoot = [&] {
        QApplication::processEvents();
        shots.push_back(graph->grab().toImage());
        test::SaveTestImage(shots.back(), QStringLiteral("session-%1").arg(++step));
    };
    shoot();
    graph->SetCommandMode(cmInsertNode);
    Drag({120, 120}, {200, 170});
    shoot();
    graph->SetCommandMode(cmInsertNode);
    Drag({400, 240}, {500, 300});
    shoot();
    ASSERT_EQ(graph->Objects().Count(), 2);
    graph->SetCommandMode(cmInsertLink);
    Drag({160, 145}, {450, 270});
    shoot();
    ASSERT_EQ(graph->Objects().Count(), 3);
    Drag({450, 270}, {550, 400}); // drags the second node; the link follows
    shoot();
    Drag({60, 60}, {700, 500}); // marquee over everything
    shoot();
    EXPECT_EQ(graph->SelectedObjects().Count(), 3);
    for (size_t i = 1; i < shots.size(); ++i) {
        EXPECT_NE(shots[i], shots[i - 1]) << "step " << i;
    }
}

} // namespace
} // namespace zov
