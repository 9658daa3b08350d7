#pragma once

#include <QList>
#include <QRect>

namespace zov {

enum TTileDirection : uint8_t {
    tdHorizontal, // windows one above the other, each as wide as the area
    tdVertical,   // windows side by side, each as high as the area
};

// The places of count windows tiled over area. Up to three windows share the area in
// one direction; more are set out in columns of stacked windows (horizontal) or rows
// of windows side by side (vertical), ceil(sqrt(count)) windows to a column or row,
// the last one taking what is left over.
QList<QRect> TileRects(const QRect& area, int count, TTileDirection direction);

} // namespace zov
