#pragma once

#include <QList>
#include <cstdint>

namespace zov {

// How a cell joins its neighbours ("\clmgf"/"\clmrg" across, "\clvmgf"/"\clvmrg" down).
enum TRtfMerge : uint8_t { rmNone, rmFirst, rmContinue };

struct TRtfCellDefinition {
    int right = 0; // "\cellx": the right edge, twips from the margin
    TRtfMerge across = rmNone;
    TRtfMerge down = rmNone;
};

// "\trowd ... \cellx ...": the cells of the table row being read.
struct TRtfRowDefinition {
    // Word's limit, which also bounds what a row may ask of the layout.
    static constexpr qsizetype kMaxCells = 63;

    int left = 0; // "\trleft"
    int gap = 0;  // "\trgaph": half the space between cells
    QList<TRtfCellDefinition> cells;
    TRtfMerge nextAcross = rmNone; // merge words wait for their "\cellx"
    TRtfMerge nextDown = rmNone;

    void AddCell(int right) {
        if (cells.size() < kMaxCells) {
            cells.append({right, nextAcross, nextDown});
        }
        nextAcross = rmNone;
        nextDown = rmNone;
    }
};

} // namespace zov
