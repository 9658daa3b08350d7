#include "graph/model/GraphConstraints.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zov {
namespace {

class RecordingOwner : public TGraphConstraintsOwner {
public:
    void UpdateScrollRanges() override { calls.push_back("UpdateScrollRanges"); }
    void Invalidate() override { calls.push_back("Invalidate"); }
    std::vector<std::string> calls;
};

TEST(GraphConstraintsTest, StartsOnTheDefaultPageMargin) {
    const TGraphConstraints constraints;
    EXPECT_EQ(constraints.BoundsRect(), (TRect{28, 28, 200, 200}));
    EXPECT_EQ(constraints.Owner(), nullptr);
    EXPECT_EQ(TGraphConstraints::DefaultMaxRight, 65535);
}

TEST(GraphConstraintsTest, RightAndBottomAreOutsideForWithinButInsideForConfine) {
    TGraphConstraints c;
    c.SetBoundsRect({28, 28, 200, 200});
    const TPoint onRight{200, 100};
    EXPECT_FALSE(c.WithinBounds(std::vector<TPoint>{onRight}));
    EXPECT_FALSE(c.WithinBounds(std::vector<TPoint>{{100, 200}}));
    EXPECT_TRUE(c.WithinBounds(std::vector<TPoint>{{28, 28}, {199, 199}}));
    EXPECT_TRUE(c.WithinBounds(std::vector<TPoint>{}));
    EXPECT_FALSE(c.WithinBounds(std::vector<TPoint>{{50, 50}, {27, 50}, {50, 50}}));

    TPoint pt = onRight;
    EXPECT_TRUE(c.ConfinePt(pt));
    EXPECT_EQ(pt, onRight);

    const struct {
        TPoint in, out;
        bool unchanged;
    } confined[] = {{{10, 300}, {28, 200}, false},
                    {{250, 5}, {200, 28}, false},
                    {{100, 100}, {100, 100}, true}};
    for (const auto& p : confined) {
        TPoint q = p.in;
        EXPECT_EQ(c.ConfinePt(q), p.unchanged);
        EXPECT_EQ(q, p.out);
    }

    TRect r{10, 50, 150, 300};
    EXPECT_FALSE(c.ConfineRect(r));
    EXPECT_EQ(r, (TRect{28, 50, 150, 200}));
    TRect outside{300, 300, 400, 400};
    EXPECT_FALSE(c.ConfineRect(outside));
    EXPECT_EQ(outside, (TRect{300, 300, 200, 200})); // clipped, left empty
    TRect inside{28, 28, 200, 200};
    EXPECT_TRUE(c.ConfineRect(inside));
}

TEST(GraphConstraintsTest, ConfineOffsetKeepsMovableSidesInside) {
    const struct {
        const char* name;
        TRect source;
        int32_t dX, dY;
        TObjectSides mobility;
        int32_t expectedX, expectedY;
        bool result;
    } cases[] = {
        {"pulled back at the left", {100, 100, 150, 150}, -90, 0, AllObjectSides, -72, 0, true},
        {"already at the left edge", {28, 100, 80, 150}, -5, 0, AllObjectSides, 0, 0, false},
        {"inside stays", {100, 100, 150, 150}, 10, -10, AllObjectSides, 10, -10, true},
        {"bottom edge", {100, 100, 150, 150}, 0, 80, AllObjectSides, 0, 50, true},
        {"left side not movable", {100, 100, 150, 150}, -90, 0, {osRight, osBottom}, -90, 0, true},
        {"resize held at the right",
         {100, 100, 150, 150},
         70,
         70,
         {osRight, osBottom},
         50,
         50,
         true},
        {"wider than the bounds: right wins",
         {0, 50, 300, 60},
         10,
         0,
         AllObjectSides,
         -100,
         0,
         true},
        {"nothing movable", {100, 100, 150, 150}, -500, 500, {}, -500, 500, true},
    };
    TGraphConstraints c;
    c.SetBoundsRect({28, 28, 200, 200});
    for (const auto& t : cases) {
        c.SetSourceRect(t.source);
        int32_t dX = t.dX;
        int32_t dY = t.dY;
        EXPECT_EQ(c.ConfineOffset(dX, dY, t.mobility), t.result) << t.name;
        EXPECT_EQ(dX, t.expectedX) << t.name;
        EXPECT_EQ(dY, t.expectedY) << t.name;
    }
}

TEST(GraphConstraintsTest, ChangesReachTheOwnerThenTheHandlerOnlyWhenSomethingDiffers) {
    RecordingOwner owner;
    TGraphConstraints c(&owner);
    int changes = 0;
    c.OnChange = [&](TGraphConstraints& sender) {
        EXPECT_EQ(&sender, &c);
        owner.calls.push_back("OnChange");
        ++changes;
    };
    c.SetMaxRight(c.MaxRight());
    c.SetBoundsRect(c.BoundsRect());
    EXPECT_EQ(changes, 0);

    c.SetMaxRight(500);
    EXPECT_EQ(owner.calls,
              (std::vector<std::string>{"UpdateScrollRanges", "Invalidate", "OnChange"}));
    EXPECT_EQ(c.BoundsRect(), (TRect{28, 28, 500, 200}));

    c.SetMinLeft(0);
    c.SetMinTop(1);
    c.SetMaxBottom(900);
    EXPECT_EQ(c.BoundsRect(), (TRect{0, 1, 500, 900}));
    EXPECT_EQ(changes, 4);

    c.SetBounds(10, 20, 100, 50);
    EXPECT_EQ(c.BoundsRect(), (TRect{10, 20, 110, 70}));
    EXPECT_EQ(changes, 5);
}

TEST(GraphConstraintsTest, AssignCopiesOnlyTheBounds) {
    TGraphConstraints source;
    source.SetBoundsRect({1, 2, 3, 4});
    source.SetSourceRect({5, 6, 7, 8});
    TGraphConstraints target;
    int changes = 0;
    target.OnChange = [&](TGraphConstraints&) {
        ++changes;
    };
    target.Assign(source);
    EXPECT_EQ(target.BoundsRect(), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(target.SourceRect(), TRect{});
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace zov
