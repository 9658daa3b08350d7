#include "graph/model/Geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zov {
namespace {

constexpr int32_t MaxInt = std::numeric_limits<int32_t>::max();

TEST(GeometryTest, DirectionAngle) {
    const struct {
        TPoint p1, p2;
        double expected;
    } cases[] = {
        {{0, 0}, {0, 5}, Pi / 2},        {{0, 0}, {0, -5}, -Pi / 2}, {{3, 3}, {3, 3}, 0.0},
        {{0, 0}, {-1, 0}, Pi},           {{0, 0}, {7, 0}, 0.0},      {{0, 0}, {5, 5}, Pi / 4},
        {{10, 10}, {0, 0}, -3 * Pi / 4},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(DirectionAngle(c.p1, c.p2), c.expected)
            << c.p2.X - c.p1.X << "," << c.p2.Y - c.p1.Y;
    }
    // The differences pass through single precision: 2^24 + 1 becomes 2^24.
    EXPECT_EQ(DirectionAngle({0, 0}, {16777217, 1}), std::atan2(1.0, 16777216.0));
}

TEST(GeometryTest, StepAgainst) {
    const struct {
        TPoint pt;
        double angle, distance;
        TPoint expected;
    } cases[] = {
        {{10, 10}, 0, 4, {6, 10}},
        {{10, 10}, Pi / 2, 4, {10, 6}},
        {{10, 10}, Pi, 4, {14, 10}},
        {{10, 10}, -Pi / 2, 4, {10, 14}},
        {{10, 10}, 0, -4, {14, 10}},
        {{0, 0}, Pi / 4, 10, {-7, -7}},
        {{100, 50}, -3 * Pi / 4, 10, {107, 57}},
        {{10, 10}, Pi / 2, 2.5, {10, 8}},
        {{10, 10}, 0, 2.5, {8, 10}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepAgainst(c.pt, c.angle, c.distance), c.expected)
            << c.angle << " " << c.distance;
    }
}

TEST(GeometryTest, WrapAngle) {
    EXPECT_EQ(WrapAngle(Pi), Pi);
    EXPECT_EQ(WrapAngle(-Pi), -Pi);
    EXPECT_DOUBLE_EQ(WrapAngle(3 * Pi / 2), -Pi / 2);
    EXPECT_DOUBLE_EQ(WrapAngle(-3 * Pi / 2), Pi / 2);
    EXPECT_DOUBLE_EQ(WrapAngle(9 * Pi), Pi);
    EXPECT_DOUBLE_EQ(WrapAngle(0.25), 0.25);
}

TEST(GeometryTest, RectangleHelpers) {
    EXPECT_EQ(RectCenter({-3, -3, 0, 0}), (TPoint{-1, -1}));
    EXPECT_EQ(RectCenter({0, 0, 5, 7}), (TPoint{2, 3}));
    EXPECT_EQ(RectCenter({MaxInt - 2, 0, MaxInt, 0}), (TPoint{MaxInt - 1, 0}));
    EXPECT_EQ(SquareAround({10, 20}, 3), (TRect{7, 17, 13, 23}));
    EXPECT_EQ(RectFromCorners({10, 2}, {4, 8}), (TRect{4, 2, 10, 8}));

    TRect grown{10, 10, 20, 20};
    GrowRectToInclude(grown, {15, 5, 30, 12});
    EXPECT_EQ(grown, (TRect{10, 5, 30, 20}));

    TRect shrunk{0, 0, 10, 10};
    ShrinkRectToOverlap(shrunk, {20, 5, 30, 8});
    EXPECT_EQ(shrunk, (TRect{20, 5, 10, 8})); // inverted, not corrected

    EXPECT_TRUE(RectsTouch({0, 0, 10, 10}, {10, 10, 20, 20})); // corners touch
    EXPECT_TRUE(RectsTouch({0, 0, 10, 10}, {2, 2, 3, 3}));
    EXPECT_FALSE(RectsTouch({0, 0, 10, 10}, {11, 0, 20, 10}));
    EXPECT_FALSE(RectsTouch({0, 0, 10, 10}, {0, 11, 10, 20}));

    EXPECT_TRUE(InClosedRange(5, 10, 5));
    EXPECT_TRUE(InClosedRange(7, 5, 10));
    EXPECT_FALSE(InClosedRange(11, 10, 5));
    EXPECT_TRUE(SamePoint({1, 2}, {1, 2}));
    EXPECT_FALSE(SamePoint({1, 2}, {2, 1}));
}

TEST(GeometryTest, PointArrays) {
    TPoints points{{0, 0}, {-3, 4}, {8, -2}};
    ShiftPoints(points, 1, 2);
    EXPECT_EQ(points, (TPoints{{1, 2}, {-2, 6}, {9, 0}}));

    EXPECT_EQ(MeanPoint({{-3, 0}, {0, 1}}), (TPoint{-1, 0})); // truncation toward zero
    EXPECT_EQ(MeanPoint({{MaxInt, MaxInt}, {MaxInt, MaxInt}}), (TPoint{MaxInt, MaxInt}));
    EXPECT_EQ(MeanPoint({}), TPoint{});

    EXPECT_EQ(PointsExtent({{5, -1}, {-2, 7}, {3, 3}}), (TRect{-2, -1, 5, 7}));
    EXPECT_EQ(PointsExtent({}), (TRect{MaxInt, MaxInt, -MaxInt, -MaxInt}));

    double nearest = -1;
    EXPECT_EQ(ClosestPointIndex({}, {0, 0}, nearest), -1);
    EXPECT_EQ(nearest, -1);
    EXPECT_EQ(ClosestPointIndex({{10, 0}, {0, 5}, {5, 0}, {0, -5}}, {0, 0}, nearest), 1);
    EXPECT_EQ(nearest, 5.0);

    TPoints spread{{0, 0}, {10, 5}, {20, 10}};
    SpreadPoints(spread, {10, 5}, 3, -2);
    EXPECT_EQ(spread, (TPoints{{-3, 2}, {10, 5}, {23, 8}}));
}

TEST(GeometryTest, TurnAndScaleAboutAnOrigin) {
    TPoints turned{{20, 10}, {10, 10}, {10, 0}};
    TurnPoints(turned, {10, 10}, Pi / 2); // clockwise on screen
    EXPECT_EQ(turned, (TPoints{{10, 20}, {10, 10}, {20, 10}}));

    TPoints full{{3, 4}};
    TurnPoints(full, {0, 0}, 2 * Pi + Pi);
    EXPECT_EQ(full, (TPoints{{-3, -4}}));

    TPoints scaled{{10, 5}, {0, 0}, {-4, 0}, {0, 7}};
    ScalePointsAbout(scaled, {0, 0}, 2);
    EXPECT_EQ(scaled, (TPoints{{20, 10}, {0, 0}, {-8, 0}, {0, 14}}));

    TPoints halved{{110, 60}, {90, 40}};
    ScalePointsAbout(halved, {100, 50}, 0.5);
    EXPECT_EQ(halved, (TPoints{{105, 55}, {95, 45}}));
}

TEST(GeometryTest, ClosestOnSegmentHalvesTowardsThePoint) {
    const struct {
        TPoint p1, p2, pt, expected;
    } cases[] = {
        {{0, 0}, {10, 0}, {3, 5}, {3, 0}},
        {{0, 0}, {10, 0}, {-5, 3}, {0, 0}},
        // Truncating midpoints never reach the far end: the search stops one short.
        {{0, 0}, {10, 0}, {25, -3}, {9, 0}},
        {{0, 0}, {0, 100}, {-7, 42}, {0, 42}},
        {{0, 0}, {100, 100}, {100, 0}, {50, 50}},
        {{5, 5}, {5, 5}, {9, 9}, {5, 5}},
        {{-10, -10}, {10, 10}, {0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClosestOnSegment(c.p1, c.p2, c.pt), c.expected) << c.pt.X << "," << c.pt.Y;
    }
    EXPECT_DOUBLE_EQ(SegmentDistance({0, 0}, {10, 0}, {3, 5}), 5.0);
}

TEST(GeometryTest, CrossLines) {
    TPoint pt;
    EXPECT_FALSE(CrossLines({0, 0}, Pi / 2, {5, 0}, -Pi / 2, pt)); // both vertical
    EXPECT_FALSE(CrossLines({0, 0}, 0.5, {0, 5}, 0.5, pt));        // parallel
    ASSERT_TRUE(CrossLines({3, 0}, Pi / 2, {0, 7}, 0, pt));
    EXPECT_EQ(pt, (TPoint{3, 7}));
    ASSERT_TRUE(CrossLines({0, 7}, 0, {3, 0}, -Pi / 2, pt));
    EXPECT_EQ(pt, (TPoint{3, 7}));
    ASSERT_TRUE(CrossLines({0, 0}, Pi / 4, {0, 10}, -Pi / 4, pt));
    EXPECT_EQ(pt, (TPoint{5, 5}));
}

TEST(GeometryTest, CrossPolygonKeepsDuplicateCorners) {
    const TPoints diamond{{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    EXPECT_EQ(CrossPolygon({0, 5}, 0, diamond), (TPoints{{10, 5}, {10, 5}, {0, 5}, {0, 5}}));
    EXPECT_EQ(CrossPolygon({0, 20}, 0, diamond), TPoints{});
    // The open chain leaves out the closing edge.
    EXPECT_EQ(CrossPolyline({0, 5}, 0, diamond), (TPoints{{10, 5}, {10, 5}, {0, 5}}));
    EXPECT_EQ(CrossPolygon({0, 0}, 0, {}), TPoints{});
}

TEST(GeometryTest, CrossRect) {
    EXPECT_EQ(CrossRect({0, 25}, 0, {0, 0, 100, 50}), (TPoints{{100, 25}, {0, 25}}));
    EXPECT_EQ(CrossRect({40, 0}, Pi / 2, {0, 0, 100, 50}), (TPoints{{40, 0}, {40, 50}}));
}

TEST(GeometryTest, CrossEllipse) {
    const TRect bounds{0, 0, 100, 50};
    const struct {
        const char* name;
        TPoint linePt;
        double angle;
        TPoints expected;
    } cases[] = {
        {"through the centre", {0, 25}, 0, {{0, 25}, {100, 25}}},
        {"tangent at the top", {0, 0}, 0, {{50, 0}}},
        {"missing", {0, -1}, 0, {}},
        {"vertical through the centre", {50, 0}, Pi / 2, {{50, 0}, {50, 50}}},
        {"vertical tangent", {0, 0}, -Pi / 2, {{0, 25}}},
        {"vertical missing", {101, 0}, Pi / 2, {}},
        {"diagonal", {50, 25}, Pi / 4, {{28, 3}, {72, 47}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CrossEllipse(c.linePt, c.angle, bounds), c.expected) << c.name;
    }
    EXPECT_EQ(CrossEllipse({0, 0}, 0, {10, 10, 10, 20}), TPoints{});
}

TEST(GeometryTest, CrossRoundRectMovesCornerHitsOntoTheArc) {
    EXPECT_EQ(CrossRoundRect({50, 50}, Pi / 4, {0, 0, 100, 100}, 40, 40),
              (TPoints{{6, 6}, {94, 94}, {94, 94}, {6, 6}}));
    // Away from the corners the rectangle's own crossings stay.
    EXPECT_EQ(CrossRoundRect({0, 50}, 0, {0, 0, 100, 100}, 40, 40), (TPoints{{100, 50}, {0, 50}}));
}

TEST(GeometryTest, TransformRegionMakesANewRegion) {
    const TGraphRegion region = TGraphRegion::Rectangle({0, 0, 10, 20});
    const TGraphRegion moved = TransformRegion(region, QTransform::fromTranslate(5, 5));
    EXPECT_EQ(moved.Bounds(), (TRect{5, 5, 15, 25}));
    EXPECT_EQ(region.Bounds(), (TRect{0, 0, 10, 20}));
    EXPECT_TRUE(TransformRegion(TGraphRegion(), QTransform()).IsEmpty());
}

} // namespace
} // namespace zov
