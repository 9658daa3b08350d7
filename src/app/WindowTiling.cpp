#include "app/WindowTiling.h"

#include <algorithm>
#include <cmath>

namespace zov {

namespace {

// Splits [start, start + length) into parts of equal size, the last taking the rest.
int PartStart(int start, int length, int parts, int index) {
    return start + static_cast<int>(static_cast<long long>(length) * index / parts);
}

} // namespace

QList<QRect> TileRects(const QRect& area, int count, TTileDirection direction) {
    QList<QRect> rects;
    if (count <= 0 || area.isEmpty()) {
        return rects;
    }
    // Bands across the direction of tiling, each split into cells along it.
    const int bands =
        count <= 3 ? 1 : static_cast<int>(std::ceil(count / std::ceil(std::sqrt(count))));
    const int perBand = (count + bands - 1) / bands;
    for (int band = 0; band < bands; ++band) {
        const int first = band * perBand;
        const int cells = std::min(perBand, count - first);
        for (int cell = 0; cell < cells; ++cell) {
            if (direction == tdHorizontal) {
                // Bands are columns; their cells stack downwards.
                const int left = PartStart(area.left(), area.width(), bands, band);
                const int right = PartStart(area.left(), area.width(), bands, band + 1);
                const int top = PartStart(area.top(), area.height(), cells, cell);
                const int bottom = PartStart(area.top(), area.height(), cells, cell + 1);
                rects.append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
            } else {
                // Bands are rows; their cells run to the right.
                const int top = PartStart(area.top(), area.height(), bands, band);
                const int bottom = PartStart(area.top(), area.height(), bands, band + 1);
                const int left = PartStart(area.left(), area.width(), cells, cell);
                const int right = PartStart(area.left(), area.width(), cells, cell + 1);
                rects.append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
            }
        }
    }
    return rects;
}

} // namespace zov
