#include "platform/types/Arithmetic.h"
#include "support/ControlFixture.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScrollBar>

namespace zov {
namespace {

using test::ControlTest;

class ViewTest : public ControlTest {
protected:
    // Content wide and tall enough to scroll at every zoom used here.
    void LargeContent() { Node({28, 28, 1190, 850}); }
    int ZoomChanges() const { return fZoomChanges; }

    ViewTest() {
        graph->OnZoomChange = [this](TRaroviRovoz&) {
            ++fZoomChanges;
        };
    }

private:
    int fZoomChanges = 0;
};

TEST_F(ViewTest, ConvertsAtZoom200WithAScrollPosition) {
    LargeContent();
    graph->SetZoom(200);
    EXPECT_EQ(graph->GraphToClient(10, 10), (TPoint{20, 20}));
    graph->HorzScrollBar().SetPosition(15);
    EXPECT_EQ(graph->horizontalScrollBar()->value(), 15);
    EXPECT_EQ(graph->GraphToClient(10, 10), (TPoint{5, 20}));
    EXPECT_EQ(graph->ClientToGraph(5, 20), (TPoint{10, 10}));
    const TPoint screen = graph->GraphToScreen(10, 10);
    EXPECT_EQ(graph->ScreenToGraph(screen.X, screen.Y), (TPoint{10, 10}));
    EXPECT_EQ(graph->VisibleBounds().Left, 8); // 15 px at zoom 200, rounded to even
    graph->SetZoom(36863);
    EXPECT_EQ(graph->GraphToClient(16777216, -16777216).X, 2147483647); // clamped, not wrapped
    EXPECT_EQ(graph->GraphToClient(16777216, -16777216).Y, -2147483647 - 1);
}

TEST_F(ViewTest, ChangeZoomClampsAndReportsRealChangesOnly) {
    struct Case {
        int32_t request;
        int32_t expected;
    };
    for (const Case c : {Case{4, 5}, Case{40000, 36863}, Case{150, 150}}) {
        SCOPED_TRACE(c.request);
        const int before = ZoomChanges();
        EXPECT_TRUE(graph->ChangeZoom(c.request, zoCenter));
        EXPECT_EQ(graph->Zoom(), c.expected);
        EXPECT_EQ(ZoomChanges(), before + 1);
        EXPECT_FALSE(graph->ChangeZoom(c.request, zoCenter));
        EXPECT_EQ(ZoomChanges(), before + 1);
    }
    EXPECT_TRUE(graph->ChangeZoomBy(-200, zoTopLeft));
    EXPECT_EQ(graph->Zoom(), 5);
}

TEST_F(ViewTest, ZoomAboutTheCursorKeepsThePointUnderTheMouse) {
    LargeContent();
    graph->SetZoom(150);
    graph->HorzScrollBar().SetPosition(300);
    graph->VertScrollBar().SetPosition(200);
    const QPoint mouse = graph->viewport()->mapToGlobal(QPoint(500, 300));
    QCursor::setPos(mouse);
    if (QCursor::pos() != mouse) {
        GTEST_SKIP() << "this platform cannot place the mouse pointer";
    }
    const TPoint before = graph->CursorPos();
    ASSERT_TRUE(graph->ChangeZoom(220, zoCursor));
    const TPoint after = graph->CursorPos();
    EXPECT_NEAR(after.X, before.X, 1);
    EXPECT_NEAR(after.Y, before.Y, 1);
    ASSERT_TRUE(graph->ChangeZoom(120, zoCursorCenter));
    const TPoint centre =
        graph->ClientToGraph(graph->ClientSize().cx / 2, graph->ClientSize().cy / 2);
    EXPECT_NEAR(centre.X, before.X, 1);
    EXPECT_NEAR(centre.Y, before.Y, 1);
}

TEST_F(ViewTest, ContentExtentFollowsObjectsOrFixedBars) {
    // An empty graph extends to graph unit 1: too small for bars at any zoom here.
    graph->SetZoom(36863);
    EXPECT_EQ(graph->HorzScrollBar().Range(), 369);
    EXPECT_EQ(graph->HorzScrollBar().CalcRange(), 0);
    EXPECT_FALSE(graph->HorzScrollBar().IsScrollBarVisible());
    graph->SetZoom(100);
    EXPECT_EQ(graph->VertScrollBar().Range(), 1);

    graph->SetFixedScrollBars(true);
    const TGraphConstraints& limits = graph->GraphConstraints();
    EXPECT_EQ(graph->HorzScrollBar().Range(), limits.MaxRight());
    EXPECT_EQ(graph->VertScrollBar().Range(), limits.MaxBottom());
    Node({100, 100, 200, 200});
    EXPECT_EQ(graph->HorzScrollBar().Range(), limits.MaxRight());

    graph->SetFixedScrollBars(false);
    TGraphNode* node = Node({1500, 1200, 1600, 1300});
    EXPECT_EQ(graph->HorzScrollBar().Range(), graph->GraphBounds().Right);
    graph->SetZoom(50);
    EXPECT_EQ(graph->HorzScrollBar().Range(), MulDiv(graph->GraphBounds().Right, 50, 100));
    graph->HorzScrollBar().SetMargin(100);
    EXPECT_EQ(graph->HorzScrollBar().Range(), MulDiv(graph->GraphBounds().Right + 100, 50, 100));
    ASSERT_TRUE(node->Delete());
    EXPECT_EQ(graph->VertScrollBar().Range(), MulDiv(200, 50, 100));
}

TEST_F(ViewTest, BarsClampPositionsAndAllowForEachOther) {
    LargeContent();
    graph->SetZoom(300);
    TGraphScrollBar& horz = graph->HorzScrollBar();
    TGraphScrollBar& vert = graph->VertScrollBar();
    ASSERT_TRUE(horz.IsScrollBarVisible());
    ASSERT_TRUE(vert.IsScrollBarVisible());
    const int32_t clientWidth = graph->ClientSize().cx;
    const int32_t clientHeight = graph->ClientSize().cy;
    const int32_t barSize = graph->verticalScrollBar()->sizeHint().width();
    EXPECT_EQ(clientWidth, graph->contentsRect().width() - barSize);
    // Qt's layout of the bars, a moment later, gives the view the same size.
    QCoreApplication::processEvents();
    EXPECT_EQ(graph->viewport()->width(), clientWidth);
    EXPECT_EQ(graph->viewport()->height(), clientHeight);
    EXPECT_EQ(horz.CalcRange(), horz.Range() - clientWidth);
    EXPECT_EQ(vert.CalcRange(), vert.Range() - clientHeight);
    EXPECT_EQ(horz.VisibleExtent(true, false), clientWidth);
    EXPECT_EQ(horz.VisibleExtent(false, false), clientWidth + barSize);
    EXPECT_EQ(horz.PageIncrement(), clientWidth * 9 / 10);

    horz.SetPosition(-5);
    EXPECT_EQ(horz.Position(), 0);
    horz.SetPosition(1000000);
    EXPECT_EQ(horz.Position(), horz.CalcRange());
    EXPECT_EQ(graph->horizontalScrollBar()->value(), horz.CalcRange());

    // Line and page steps of the bar move by the increment and the client extent.
    QScrollBar* bar = graph->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(vert.Position(), 8);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(vert.Position(), 8 + clientHeight);

    // A bar that may not show keeps position 0 and scrolls nothing.
    vert.SetVisible(false);
    EXPECT_EQ(vert.CalcRange(), 0);
    EXPECT_EQ(vert.ScrollPos(), 0);
    EXPECT_EQ(graph->GraphToClient(0, 100).Y, 300);
}

TEST_F(ViewTest, ThumbDragsMoveTheViewOnlyWhenTracking) {
    LargeContent();
    QScrollBar* bar = graph->horizontalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(120);
    EXPECT_EQ(graph->HorzScrollBar().Position(), 0);
    bar->setSliderDown(false); // released: the position takes effect
    EXPECT_EQ(graph->HorzScrollBar().Position(), 120);

    graph->HorzScrollBar().SetTracking(true);
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    EXPECT_EQ(graph->HorzScrollBar().Position(), 40);
    bar->setSliderDown(false);
}

TEST_F(ViewTest, SmoothStepsEndWhereAPlainStepWould) {
    LargeContent();
    graph->SetZoom(300);
    TGraphScrollBar& vert = graph->VertScrollBar();
    vert.SetSmooth(true);
    graph->resize(801, 600); // pushes the bars again, which derives the smooth increment
    const int32_t line = vert.Increment();
    EXPECT_EQ(line, vert.PageIncrement() / 10);
    graph->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(vert.Position(), line);
    graph->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(vert.Position(), line + vert.PageIncrement());
}

TEST_F(ViewTest, ScrollInViewMovesLeastAndShowsTheTopLeftOfWideAreas) {
    LargeContent();
    graph->SetZoom(200);
    const int32_t width = graph->ClientSize().cx;
    ASSERT_EQ(graph->VisibleBounds().Right, width / 2);
    // A rectangle that fits, right of the view: its right edge comes to the client edge.
    graph->ScrollInView(TRect{500, 100, 550, 150});
    EXPECT_EQ(graph->HorzScrollBar().Position(), 1100 - width);
    EXPECT_EQ(graph->VertScrollBar().Position(), 0);
    // Wider than the view and right of it: its left edge goes to the client's left
    // edge.
    graph->ScrollInView(TRect{700, 100, 700 + width / 2 + 50, 150});
    EXPECT_EQ(graph->HorzScrollBar().Position(), 1400);
    // Wider than the view with its left edge in view: nothing moves.
    graph->ScrollInView(TRect{750, 100, 750 + width / 2 + 50, 150});
    EXPECT_EQ(graph->HorzScrollBar().Position(), 1400);
    graph->ScrollInView(TPoint{100, 10});
    EXPECT_EQ(graph->HorzScrollBar().Position(), 200);

    graph->ScrollCenter(TPoint{600, 500});
    EXPECT_EQ(graph->HorzScrollBar().Position(), 1200 - width / 2);
    EXPECT_EQ(graph->VertScrollBar().Position(), 1000 - graph->ClientSize().cy / 2);
}

TEST_F(ViewTest, ZoomRectFitsAndCentres) {
    LargeContent();
    // Both bars are shown, so the client area is what the fit uses.
    const int32_t width = graph->ClientSize().cx;
    const int32_t height = graph->ClientSize().cy;
    ASSERT_TRUE(graph->HorzScrollBar().IsScrollBarVisible());
    ASSERT_TRUE(graph->VertScrollBar().IsScrollBarVisible());
    EXPECT_TRUE(graph->ZoomRect({100, 100, 300, 200}));
    EXPECT_EQ(graph->Zoom(), std::min(MulDiv(100, width, 200), MulDiv(100, height, 100)));
    const TPoint centre = graph->ClientToGraph(width / 2, height / 2);
    EXPECT_NEAR(centre.X, 200, 1);
    EXPECT_NEAR(centre.Y, 150, 1);
    EXPECT_FALSE(graph->ZoomRect({0, 0, 1, 1})); // limited by the largest zoom
    EXPECT_EQ(graph->Zoom(), 36863);
    EXPECT_FALSE(graph->ZoomSelection());
    EXPECT_FALSE(graph->ZoomObject(nullptr));
    EXPECT_TRUE(graph->ZoomGraph());
}

} // namespace
} // namespace zov
