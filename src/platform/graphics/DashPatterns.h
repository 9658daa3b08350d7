#pragma once

#include "platform/graphics/Pen.h"

#include <QList>
#include <optional>
#include <span>

namespace zov {

// The dash patterns of the dashed pen styles, in pen widths: dash, gap, dash, gap...
// The canvas draws with them, the metafile writer names a pattern it meets by its
// style, and the metafile player draws the styles it reads with them.
struct TDashPattern {
    TPenStyle style;
    std::span<const qreal> dashes;
};

inline constexpr qreal kDashDashes[] = {18, 6};
inline constexpr qreal kDotDashes[] = {3, 3};
inline constexpr qreal kDashDotDashes[] = {9, 6, 3, 6};
inline constexpr qreal kDashDotDotDashes[] = {9, 3, 3, 3, 3, 3};

inline constexpr TDashPattern kDashPatterns[] = {
    {psDash, kDashDashes},
    {psDot, kDotDashes},
    {psDashDot, kDashDotDashes},
    {psDashDotDot, kDashDotDotDashes},
};

// Every other pixel: the alternate pen of metafiles, which has no pen style here.
inline constexpr qreal kAlternateDashes[] = {1, 1};

// The pattern a style is drawn with; empty for the styles drawn without dashes.
QList<qreal> DashPattern(TPenStyle style);

// The share of a line of this length, in pen widths, that a style draws from its start:
// 1 for the styles drawn without dashes.
double DashInk(TPenStyle style, double length);

// The style drawn with exactly these dashes, if any.
std::optional<TPenStyle> DashedStyleOf(const QList<qreal>& dashes);

} // namespace zov
