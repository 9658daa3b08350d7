#include "platform/graphics/GraphRegion.h"

#include <gtest/gtest.h>
#include <string>

namespace zov {
namespace {

struct RegionCase {
    std::string name;
    TGraphRegion region;
    TRect bounds;
    std::vector<TPoint> inside;
    std::vector<TPoint> outside;
};

std::vector<RegionCase> Cases() {
    return {
        {"rectangle",
         TGraphRegion::Rectangle({10, 20, 30, 40}),
         {10, 20, 30, 40},
         {{10, 20}, {29, 39}, {20, 30}},
         {{9, 20}, {30, 20}, {10, 40}, {30, 40}}},
        {"rectangle given upside down",
         TGraphRegion::Rectangle({30, 40, 10, 20}),
         {10, 20, 30, 40},
         {{10, 20}, {29, 39}},
         {{30, 40}}},
        {"triangle",
         TGraphRegion::Polygon({{0, 0}, {100, 0}, {0, 100}}),
         {0, 0, 100, 100},
         {{0, 0}, {98, 0}, {0, 98}, {40, 40}},
         {{99, 1}, {60, 60}, {-1, 5}}},
        {"ellipse",
         TGraphRegion::Ellipse({0, 0, 100, 50}),
         {0, 0, 100, 50},
         {{50, 25}, {0, 24}, {99, 25}, {50, 0}, {50, 49}},
         {{0, 0}, {99, 49}, {100, 25}, {50, 50}}},
        {"rounded rectangle",
         TGraphRegion::RoundRect({0, 0, 100, 60}, 40, 20),
         {0, 0, 100, 60},
         {{50, 0}, {0, 30}, {20, 10}, {99, 30}, {10, 3}},
         {{0, 0}, {99, 0}, {0, 59}, {99, 59}, {1, 1}}},
    };
}

TEST(GraphRegionTest, ShapesContainTheirPixelsAndReportTheirBounds) {
    for (const RegionCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.region.IsEmpty());
        EXPECT_EQ(c.region.Bounds(), c.bounds);
        for (const TPoint& p : c.inside) {
            EXPECT_TRUE(c.region.Contains(p)) << p.X << "," << p.Y;
        }
        for (const TPoint& p : c.outside) {
            EXPECT_FALSE(c.region.Contains(p)) << p.X << "," << p.Y;
        }
    }
}

TEST(GraphRegionTest, OffsetMovesEveryShape) {
    for (RegionCase c : Cases()) {
        SCOPED_TRACE(c.name);
        c.region.Offset(-7, 11);
        EXPECT_EQ(c.region.Bounds(), (TRect{c.bounds.Left - 7, c.bounds.Top + 11,
                                            c.bounds.Right - 7, c.bounds.Bottom + 11}));
        for (const TPoint& p : c.inside) {
            EXPECT_TRUE(c.region.Contains({p.X - 7, p.Y + 11}));
        }
        for (const TPoint& p : c.outside) {
            EXPECT_FALSE(c.region.Contains({p.X - 7, p.Y + 11}));
        }
    }
}

TEST(GraphRegionTest, DegenerateShapesAreEmpty) {
    const TGraphRegion empties[] = {
        TGraphRegion(),
        TGraphRegion::Rectangle({10, 10, 10, 50}),
        TGraphRegion::Ellipse({0, 0, 40, 0}),
        TGraphRegion::RoundRect({5, 5, 5, 5}, 4, 4),
        TGraphRegion::Polygon({{0, 0}, {10, 10}}),
        TGraphRegion::Polygon({{0, 0}, {10, 10}, {30, 30}}),
    };
    for (const TGraphRegion& r : empties) {
        EXPECT_TRUE(r.IsEmpty());
        EXPECT_EQ(r.Bounds(), TRect{});
        EXPECT_FALSE(r.Contains({0, 0}));
        EXPECT_FALSE(r.Intersects({-100, -100, 100, 100}));
        EXPECT_TRUE(r.Transformed(QTransform().rotate(30)).IsEmpty());
    }
}

TEST(GraphRegionTest, FillModeDecidesTheCentreOfAStar) {
    const TPoints star{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    EXPECT_FALSE(TGraphRegion::Polygon(star, pfAlternate).Contains({50, 50}));
    EXPECT_TRUE(TGraphRegion::Polygon(star, pfWinding).Contains({50, 50}));
    EXPECT_TRUE(TGraphRegion::Polygon(star, pfAlternate).Contains({50, 10}));
}

TEST(GraphRegionTest, IntersectsOnlyWhereAreasOverlap) {
    const TGraphRegion ellipse = TGraphRegion::Ellipse({0, 0, 100, 100});
    EXPECT_TRUE(ellipse.Intersects({40, 40, 60, 60}));
    EXPECT_TRUE(ellipse.Intersects({-50, 45, 5, 55}));
    EXPECT_FALSE(ellipse.Intersects({0, 0, 10, 10}));     // inside the bounds, outside the curve
    EXPECT_FALSE(ellipse.Intersects({100, 0, 120, 100})); // beyond the right edge
    EXPECT_FALSE(ellipse.Intersects({40, 40, 40, 60}));   // an empty rectangle
}

TEST(GraphRegionTest, TransformedRegionsFollowTheTransform) {
    // A quarter turn clockwise about the origin: (x, y) -> (-y, x).
    const QTransform turn(0, 1, -1, 0, 0, 0);
    const TGraphRegion rect = TGraphRegion::Rectangle({10, 0, 30, 10}).Transformed(turn);
    EXPECT_EQ(rect.Bounds(), (TRect{-10, 10, 0, 30}));
    EXPECT_TRUE(rect.Contains({-5, 20}));
    EXPECT_FALSE(rect.Contains({5, 20}));

    const TGraphRegion ellipse =
        TGraphRegion::Ellipse({0, 0, 100, 20}).Transformed(QTransform::fromScale(2, 3));
    EXPECT_EQ(ellipse.Bounds(), (TRect{0, 0, 200, 60}));
    EXPECT_TRUE(ellipse.Contains({100, 30}));
    EXPECT_FALSE(ellipse.Contains({5, 5}));

    // Offsetting a transformed ellipse moves it in the transformed space.
    TGraphRegion moved = TGraphRegion::Ellipse({0, 0, 40, 20}).Transformed(turn);
    moved.Offset(100, 0);
    EXPECT_EQ(moved.Bounds(), (TRect{80, 0, 100, 40}));
    EXPECT_TRUE(moved.Contains({90, 20}));
}

TEST(GraphRegionTest, PathOutlinesTheShape) {
    const QPainterPath path = TGraphRegion::Rectangle({10, 20, 30, 40}).Path();
    EXPECT_EQ(path.boundingRect(), QRectF(10, 20, 20, 20));
}

} // namespace
} // namespace zov
