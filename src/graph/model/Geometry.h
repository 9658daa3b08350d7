#pragma once

#include "platform/graphics/GraphRegion.h"
#include "platform/graphics/TextMeasure.h"
#include "platform/types/Types.h"

#include <QString>
#include <QTransform>

namespace zov {

inline constexpr double Pi = 3.141592653589793;

// Angles are radians from the +X axis towards +Y, i.e. clockwise on screen.

bool InClosedRange(int32_t value, int32_t bound1, int32_t bound2);
// Left <= X < Right and Top <= Y < Bottom.
bool PtInRect(const TRect& rect, const TPoint& pt);
// (a + b) div 2, without overflowing.
int32_t Midway(int32_t a, int32_t b);
bool SamePoint(const TPoint& p1, const TPoint& p2);
TRect SquareAround(const TPoint& center, int32_t size);
TRect RectFromCorners(const TPoint& p1, const TPoint& p2);
TPoint RectCenter(const TRect& rect);
void GrowRectToInclude(TRect& rect, const TRect& other);
// May leave rect inverted when the two do not overlap.
void ShrinkRectToOverlap(TRect& rect, const TRect& other);
// Rectangles that only touch count as overlapping.
bool RectsTouch(const TRect& r1, const TRect& r2);

void ShiftPoints(TPoints& points, int32_t dX, int32_t dY);
// (0, 0) for no points.
TPoint MeanPoint(const TPoints& points);
// Right and Bottom are the largest coordinates themselves; an empty array gives the
// inverted rectangle (MaxInt, MaxInt, -MaxInt, -MaxInt).
TRect PointsExtent(const TPoints& points);
// Index of the nearest point (the first of equals) and its distance; -1 and nearest
// untouched when there are no points.
int ClosestPointIndex(const TPoints& points, const TPoint& pt, double& nearest);
// Turns every point about origin; a positive angle turns clockwise on screen.
void TurnPoints(TPoints& points, const TPoint& origin, double angle);
void ScalePointsAbout(TPoints& points, const TPoint& origin, double factor);
// Moves points left of ref by -dX, right of it by +dX, and likewise vertically.
void SpreadPoints(TPoints& points, const TPoint& ref, int32_t dX, int32_t dY);

// Into [-Pi, Pi]; Pi and -Pi are returned as they are.
double WrapAngle(double angle);
double PointDistance(const TPoint& p1, const TPoint& p2);
double DirectionAngle(const TPoint& p1, const TPoint& p2);
// The point distance units from pt against the direction angle.
TPoint StepAgainst(const TPoint& pt, double angle, double distance);
TPoint ClosestOnSegment(const TPoint& p1, const TPoint& p2, const TPoint& pt);
double SegmentDistance(const TPoint& p1, const TPoint& p2, const TPoint& pt);

// Lines are given by a point on them and their slope angle.
bool CrossLines(const TPoint& linePt, double lineAngle, const TPoint& edgePt, double edgeAngle,
                TPoint& pt);
// Crossings with a closed polygon in edge order; a vertex hit appears once per edge.
TPoints CrossPolygon(const TPoint& linePt, double angle, const TPoints& vertices);
TPoints CrossPolyline(const TPoint& linePt, double angle, const TPoints& points);
TPoints CrossRect(const TPoint& linePt, double angle, const TRect& rect);
// At most two points, the one with the smaller X (or Y on a vertical line) first.
TPoints CrossEllipse(const TPoint& linePt, double angle, const TRect& bounds);
TPoints CrossRoundRect(const TPoint& linePt, double angle, const TRect& bounds, int32_t cornerWidth,
                       int32_t cornerHeight);

// A new region equal to the given one under the world transform; empty when the
// given region is.
TGraphRegion TransformRegion(const TGraphRegion& region, const QTransform& transform);

// Wraps text into lines no wider than maxWidth, joined by CR LF.
QString BreakIntoLines(const TTextMeasure& measure, const QString& text, int32_t maxWidth);
// Wraps text to the box's width and, when it is too high, keeps the lines that fit
// and ends the last of them with an ellipsis.
QString FitTextToBox(const TTextMeasure& measure, const QString& text, const TRect& rect);

} // namespace zov
