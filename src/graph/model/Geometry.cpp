#include "Geometry.h"

#include "platform/types/Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zov {
namespace {

constexpr double HalfPi = Pi / 2;
constexpr int32_t MaxInt = std::numeric_limits<int32_t>::max();

bool IsVertical(double angle) {
    return std::abs(angle) == HalfPi;
}

TPoint Midpoint(const TPoint& a, const TPoint& b) {
    return {Midway(a.X, b.X), Midway(a.Y, b.Y)};
}

// Keeps the low 32 bits, as 32-bit arithmetic would, without overflowing.
int32_t Wrap(int64_t value) {
    return static_cast<int32_t>(value);
}

TPoints CrossEdges(const TPoint& linePt, double angle, const TPoints& v, bool closed) {
    TPoints result;
    const size_t n = v.size();
    if (n < 2) {
        return result;
    }
    const size_t edges = closed ? n : n - 1;
    for (size_t i = 0; i < edges; ++i) {
        const TPoint& a = v[i];
        const TPoint& b = v[(i + 1) % n];
        TPoint pt;
        if (CrossLines(linePt, angle, a, DirectionAngle(a, b), pt) &&
            InClosedRange(pt.X, a.X, b.X) && InClosedRange(pt.Y, a.Y, b.Y)) {
            result.push_back(pt);
        }
    }
    return result;
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

bool IsBreakChar(QChar c) {
    switch (c.unicode()) {
    case u'\t':
    case u' ':
    case u'!':
    case u')':
    case u',':
    case u'-':
    case u'.':
    case u'/':
    case u':':
    case u';':
    case u'>':
    case u'?':
    case u'\\':
    case u']':
    case u'}':
        return true;
    default:
        return false;
    }
}

QString TrimRight(QString line) {
    qsizetype end = line.size();
    while (end > 0 && IsBlank(line[end - 1])) {
        --end;
    }
    line.truncate(end);
    return line;
}

QString JoinLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

bool InClosedRange(int32_t value, int32_t bound1, int32_t bound2) {
    return bound1 <= bound2 ? (bound1 <= value && value <= bound2)
                            : (bound2 <= value && value <= bound1);
}

bool PtInRect(const TRect& rect, const TPoint& pt) {
    return rect.Left <= pt.X && pt.X < rect.Right && rect.Top <= pt.Y && pt.Y < rect.Bottom;
}

// Computed in 64 bits, truncating toward zero, so that it cannot overflow.
int32_t Midway(int32_t a, int32_t b) {
    return static_cast<int32_t>((int64_t{a} + b) / 2);
}

bool SamePoint(const TPoint& p1, const TPoint& p2) {
    return p1 == p2;
}

TRect SquareAround(const TPoint& center, int32_t size) {
    return {Wrap(int64_t{center.X} - size), Wrap(int64_t{center.Y} - size),
            Wrap(int64_t{center.X} + size), Wrap(int64_t{center.Y} + size)};
}

TRect RectFromCorners(const TPoint& p1, const TPoint& p2) {
    return {std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::max(p1.X, p2.X), std::max(p1.Y, p2.Y)};
}

TPoint RectCenter(const TRect& rect) {
    return {Midway(rect.Left, rect.Right), Midway(rect.Top, rect.Bottom)};
}

void GrowRectToInclude(TRect& rect, const TRect& other) {
    rect.Left = std::min(rect.Left, other.Left);
    rect.Top = std::min(rect.Top, other.Top);
    rect.Right = std::max(rect.Right, other.Right);
    rect.Bottom = std::max(rect.Bottom, other.Bottom);
}

void ShrinkRectToOverlap(TRect& rect, const TRect& other) {
    rect.Left = std::max(rect.Left, other.Left);
    rect.Top = std::max(rect.Top, other.Top);
    rect.Right = std::min(rect.Right, other.Right);
    rect.Bottom = std::min(rect.Bottom, other.Bottom);
}

bool RectsTouch(const TRect& r1, const TRect& r2) {
    return !(r1.Right < r2.Left || r2.Right < r1.Left || r1.Bottom < r2.Top || r2.Bottom < r1.Top);
}

void ShiftPoints(TPoints& points, int32_t dX, int32_t dY) {
    for (TPoint& p : points) {
        p.X = Wrap(int64_t{p.X} + dX);
        p.Y = Wrap(int64_t{p.Y} + dY);
    }
}

TPoint MeanPoint(const TPoints& points) {
    if (points.empty()) {
        return {};
    }
    int64_t sumX = 0;
    int64_t sumY = 0;
    for (const TPoint& p : points) {
        sumX += p.X;
        sumY += p.Y;
    }
    const auto n = static_cast<int64_t>(points.size());
    return {static_cast<int32_t>(sumX / n), static_cast<int32_t>(sumY / n)};
}

TRect PointsExtent(const TPoints& points) {
    TRect extent{MaxInt, MaxInt, -MaxInt, -MaxInt};
    for (const TPoint& p : points) {
        extent.Left = std::min(extent.Left, p.X);
        extent.Top = std::min(extent.Top, p.Y);
        extent.Right = std::max(extent.Right, p.X);
        extent.Bottom = std::max(extent.Bottom, p.Y);
    }
    return extent;
}

int ClosestPointIndex(const TPoints& points, const TPoint& pt, double& nearest) {
    int index = -1;
    for (size_t i = 0; i < points.size(); ++i) {
        const double d = PointDistance(points[i], pt);
        if (index < 0 || d < nearest) {
            index = static_cast<int>(i);
            nearest = d;
        }
    }
    return index;
}

void TurnPoints(TPoints& points, const TPoint& origin, double angle) {
    const double a = WrapAngle(angle);
    const double s = std::sin(a);
    const double c = std::cos(a);
    for (TPoint& p : points) {
        const double dx = static_cast<double>(p.X) - origin.X;
        const double dy = static_cast<double>(p.Y) - origin.Y;
        p.X = Wrap(int64_t{origin.X} + Round(dx * c - dy * s));
        p.Y = Wrap(int64_t{origin.Y} + Round(dx * s + dy * c));
    }
}

void ScalePointsAbout(TPoints& points, const TPoint& origin, double factor) {
    for (TPoint& p : points) {
        const double theta = DirectionAngle(p, origin);
        const double length = PointDistance(p, origin);
        p = StepAgainst(origin, theta, factor * length);
    }
}

void SpreadPoints(TPoints& points, const TPoint& ref, int32_t dX, int32_t dY) {
    for (TPoint& p : points) {
        if (p.X < ref.X) {
            p.X = Wrap(int64_t{p.X} - dX);
        } else if (p.X > ref.X) {
            p.X = Wrap(int64_t{p.X} + dX);
        }
        if (p.Y < ref.Y) {
            p.Y = Wrap(int64_t{p.Y} - dY);
        } else if (p.Y > ref.Y) {
            p.Y = Wrap(int64_t{p.Y} + dY);
        }
    }
}

double WrapAngle(double angle) {
    if (!std::isfinite(angle)) {
        return angle;
    }
    if (std::abs(angle) > 1e6) {
        angle = std::fmod(angle, 2 * Pi); // subtracting 2 pi would take forever
    }
    while (angle > Pi) {
        angle -= 2 * Pi;
    }
    while (angle < -Pi) {
        angle += 2 * Pi;
    }
    return angle;
}

double PointDistance(const TPoint& p1, const TPoint& p2) {
    const double dx = static_cast<double>(p2.X) - p1.X;
    const double dy = static_cast<double>(p2.Y) - p1.Y;
    return std::sqrt(dx * dx + dy * dy);
}

double DirectionAngle(const TPoint& p1, const TPoint& p2) {
    if (p2.X != p1.X) {
        // The differences pass through single precision, as the routine always did.
        const auto dy = static_cast<float>(static_cast<double>(p2.Y) - p1.Y);
        const auto dx = static_cast<float>(static_cast<double>(p2.X) - p1.X);
        return std::atan2(static_cast<double>(dy), static_cast<double>(dx));
    }
    if (p2.Y < p1.Y) {
        return -HalfPi;
    }
    if (p2.Y > p1.Y) {
        return HalfPi;
    }
    return 0.0;
}

TPoint StepAgainst(const TPoint& pt, double angle, double distance) {
    const double c = WrapAngle(angle);
    if (IsVertical(c)) {
        const int64_t step = Round(distance);
        return {pt.X, Wrap(c <= 0 ? pt.Y + step : pt.Y - step)};
    }
    const double m = std::tan(angle);
    const double run = distance / std::sqrt(1 + m * m);
    const double g = std::abs(c) < HalfPi ? pt.X - run : pt.X + run;
    return {Round(g), Round(pt.Y + m * (g - pt.X))};
}

TPoint ClosestOnSegment(const TPoint& p1, const TPoint& p2, const TPoint& pt) {
    TPoint a = p1;
    TPoint b = p2;
    TPoint m = Midpoint(a, b);
    while (m != a && m != b) {
        const double d1 = PointDistance(pt, Midpoint(a, m));
        const double d2 = PointDistance(pt, Midpoint(b, m));
        if (d1 >= d2) {
            a = m;
        } else {
            b = m;
        }
        m = Midpoint(a, b);
    }
    return m;
}

double SegmentDistance(const TPoint& p1, const TPoint& p2, const TPoint& pt) {
    return PointDistance(pt, ClosestOnSegment(p1, p2, pt));
}

bool CrossLines(const TPoint& linePt, double lineAngle, const TPoint& edgePt, double edgeAngle,
                TPoint& pt) {
    const bool lineVertical = IsVertical(lineAngle);
    const bool edgeVertical = IsVertical(edgeAngle);
    double y = 0;
    if (lineVertical && edgeVertical) {
        return false;
    }
    if (lineVertical) {
        const double m = std::tan(edgeAngle);
        pt.X = linePt.X;
        y = m * linePt.X + (edgePt.Y - m * edgePt.X);
    } else if (edgeVertical) {
        const double m = std::tan(lineAngle);
        pt.X = edgePt.X;
        y = m * edgePt.X + (linePt.Y - m * linePt.X);
    } else {
        const double m1 = std::tan(lineAngle);
        const double m2 = std::tan(edgeAngle);
        if (m1 == m2) {
            return false;
        }
        const double b1 = linePt.Y - m1 * linePt.X;
        const double b2 = edgePt.Y - m2 * edgePt.X;
        pt.X = Round((b1 - b2) / (m2 - m1));
        y = (m2 * b1 - m1 * b2) / (m2 - m1);
    }
    pt.Y = Round(y);
    return true;
}

TPoints CrossPolygon(const TPoint& linePt, double angle, const TPoints& vertices) {
    return CrossEdges(linePt, angle, vertices, true);
}

TPoints CrossPolyline(const TPoint& linePt, double angle, const TPoints& points) {
    return CrossEdges(linePt, angle, points, false);
}

TPoints CrossRect(const TPoint& linePt, double angle, const TRect& rect) {
    return CrossPolygon(linePt, angle,
                        {{rect.Left, rect.Top},
                         {rect.Right, rect.Top},
                         {rect.Right, rect.Bottom},
                         {rect.Left, rect.Bottom}});
}

TPoints CrossEllipse(const TPoint& linePt, double angle, const TRect& bounds) {
    TPoints points;
    if (bounds.Right <= bounds.Left || bounds.Bottom <= bounds.Top) {
        return points;
    }
    const double halfWidth = (static_cast<double>(bounds.Right) - bounds.Left) / 2;
    const double halfHeight = (static_cast<double>(bounds.Bottom) - bounds.Top) / 2;
    const double a = halfWidth * halfWidth;
    const double b = halfHeight * halfHeight;
    const double cx = (static_cast<double>(bounds.Left) + bounds.Right) / 2;
    const double cy = (static_cast<double>(bounds.Top) + bounds.Bottom) / 2;
    if (!IsVertical(angle)) {
        const double m = std::tan(angle);
        const double l = linePt.Y - linePt.X * m;
        const double g = b + m * m * a;
        const double k = m * a * (l - cy) - cx * b;
        const double d = k * k - (cx * cx * b + a * (l - cy) * (l - cy) - a * b) * g;
        if (d < 0 || g == 0) {
            return points;
        }
        auto add = [&](double x) {
            points.push_back({Round(x), Round(l + m * x)});
        };
        if (d != 0) {
            const double root = std::sqrt(d);
            add((-k - root) / g);
            add((-k + root) / g);
        } else {
            add(-k / g);
        }
    } else {
        const double dx = linePt.X - cx;
        const double t = 1 - dx * dx / a;
        if (t < 0) {
            return points;
        }
        if (t != 0) {
            const double h = std::sqrt(b) * std::sqrt(t);
            points.push_back({linePt.X, Round(cy - h)});
            points.push_back({linePt.X, Round(cy + h)});
        } else {
            points.push_back({linePt.X, Round(cy)});
        }
    }
    return points;
}

TPoints CrossRoundRect(const TPoint& linePt, double angle, const TRect& bounds, int32_t cornerWidth,
                       int32_t cornerHeight) {
    TPoints points = CrossRect(linePt, angle, bounds);
    const int32_t w = bounds.Right - bounds.Left;
    const int32_t h = bounds.Bottom - bounds.Top;
    const TPoint center = RectCenter(bounds);
    for (TPoint& p : points) {
        const int32_t dx = p.X - center.X;
        const int32_t dy = p.Y - center.Y;
        if (w / 2 - std::abs(dx) < cornerWidth / 2 && h / 2 - std::abs(dy) < cornerHeight / 2) {
            TRect corner{bounds.Left, bounds.Top, bounds.Left + cornerWidth,
                         bounds.Top + cornerHeight};
            if (dx > 0) {
                corner.Left += w - cornerWidth;
                corner.Right += w - cornerWidth;
            }
            if (dy > 0) {
                corner.Top += h - cornerHeight;
                corner.Bottom += h - cornerHeight;
            }
            const TPoints e = CrossEllipse(linePt, angle, corner);
            if (e.size() >= 2) {
                p = dx < 0 ? e[0] : e[1];
            }
        }
    }
    return points;
}

TGraphRegion TransformRegion(const TGraphRegion& region, const QTransform& transform) {
    return region.Transformed(transform);
}

QString BreakIntoLines(const TTextMeasure& measure, const QString& text, int32_t maxWidth) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    while (i < n) {
        const qsizetype start = i;
        qsizetype lastBreak = -1;
        qsizetype j = start;
        qsizetype next = n;
        bool lineEnd = false;
        while (true) {
            if (j >= n) {
                next = n;
                break;
            }
            const QChar c = text[j];
            if (IsLineEnd(c)) {
                next = j;
                lineEnd = true;
                break;
            }
            if (j == start || measure.TextExtent(text.mid(start, j - start + 1)).cx <= maxWidth) {
                if (IsBreakChar(c)) {
                    lastBreak = j;
                }
                ++j;
                continue;
            }
            // c does not fit.
            if (!IsBlank(c) && lastBreak >= 0) {
                j = lastBreak + 1; // cut after the break character
            }
            next = j;
            break;
        }
        lines.append(TrimRight(text.mid(start, j - start)));
        i = next;
        if (lineEnd) {
            const QChar c = text[i];
            const bool pair = i + 1 < n && IsLineEnd(text[i + 1]) && text[i + 1] != c;
            i += pair ? 2 : 1;
            if (i >= n) {
                lines.append(QString());
            }
        }
        while (i < n && IsBlank(text[i])) {
            ++i;
        }
    }
    return JoinLines(lines);
}

QString FitTextToBox(const TTextMeasure& measure, const QString& text, const TRect& rect) {
    const int32_t width = rect.Right - rect.Left;
    const int32_t height = rect.Bottom - rect.Top;
    const QString broken = BreakIntoLines(measure, text, width);
    QStringList lines = broken.split(QStringLiteral("\r\n"));

    int64_t total = 0;
    qsizetype fitting = 0;
    for (; fitting < lines.size(); ++fitting) {
        const QString& line = lines[fitting];
        total += measure.TextExtent(line.isEmpty() ? QStringLiteral(" ") : line).cy;
        if (total > height) {
            break;
        }
    }
    if (fitting == lines.size()) {
        return broken;
    }
    if (fitting == 0) {
        return QString();
    }
    lines.resize(fitting);

    const QString ellipsis =
        measure.HasGlyph(U'\u2026') ? QStringLiteral("\u2026") : QStringLiteral("...");
    QString last = lines.back() + ellipsis;
    while (measure.TextExtent(last).cx > width && last.size() > ellipsis.size()) {
        last.remove(last.size() - ellipsis.size() - 1, 1);
    }
    lines.back() = last;
    return JoinLines(lines);
}

} // namespace zov
