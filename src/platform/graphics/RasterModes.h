#pragma once

#include "platform/graphics/Pen.h"
#include "platform/pictures/Metafile.h"

#include <QPainter>
#include <cstdint>
#include <iterator>

namespace zov {

// The binary raster operations of device contexts (pen modes, and the ROP2 codes of
// metafiles) as Qt's raster composition modes. Copying and doing nothing have no
// composition mode of their own: copying is SourceOver.
struct TRasterMode {
    uint32_t Rop2;
    QPainter::CompositionMode Composition;
};

inline constexpr TRasterMode kRasterModes[] = {
    {Gdi::R2Black, QPainter::RasterOp_ClearDestination},
    {Gdi::R2White, QPainter::RasterOp_SetDestination},
    {Gdi::R2Not, QPainter::RasterOp_NotDestination},
    {Gdi::R2NotCopyPen, QPainter::RasterOp_NotSource},
    {Gdi::R2MergePenNot, QPainter::RasterOp_SourceOrNotDestination},
    {Gdi::R2MaskPenNot, QPainter::RasterOp_SourceAndNotDestination},
    {Gdi::R2MergeNotPen, QPainter::RasterOp_NotSourceOrDestination},
    {Gdi::R2MaskNotPen, QPainter::RasterOp_NotSourceAndDestination},
    {Gdi::R2MergePen, QPainter::RasterOp_SourceOrDestination},
    {Gdi::R2NotMergePen, QPainter::RasterOp_NotSourceAndNotDestination},
    {Gdi::R2MaskPen, QPainter::RasterOp_SourceAndDestination},
    {Gdi::R2NotMaskPen, QPainter::RasterOp_NotSourceOrNotDestination},
    {Gdi::R2XorPen, QPainter::RasterOp_SourceXorDestination},
    {Gdi::R2NotXorPen, QPainter::RasterOp_NotSourceXorDestination},
};

// SourceOver for copying, doing nothing and unknown codes.
inline QPainter::CompositionMode CompositionOfRop2(uint32_t rop2) {
    for (const TRasterMode& mode : kRasterModes) {
        if (mode.Rop2 == rop2) {
            return mode.Composition;
        }
    }
    return QPainter::CompositionMode_SourceOver;
}

// Copying for every mode that is no raster operation.
inline uint32_t Rop2OfComposition(QPainter::CompositionMode composition) {
    for (const TRasterMode& mode : kRasterModes) {
        if (mode.Composition == composition) {
            return mode.Rop2;
        }
    }
    return Gdi::R2CopyPen;
}

inline uint32_t Rop2OfPenMode(TPenMode mode) {
    static constexpr uint32_t kCodes[] = {
        Gdi::R2Black,       Gdi::R2White,      Gdi::R2Nop,         Gdi::R2Not,
        Gdi::R2CopyPen,     Gdi::R2NotCopyPen, Gdi::R2MergePenNot, Gdi::R2MaskPenNot,
        Gdi::R2MergeNotPen, Gdi::R2MaskNotPen, Gdi::R2MergePen,    Gdi::R2NotMergePen,
        Gdi::R2MaskPen,     Gdi::R2NotMaskPen, Gdi::R2XorPen,      Gdi::R2NotXorPen};
    static_assert(std::size(kCodes) == std::size(kPenModeNames));
    return kCodes[mode];
}

} // namespace zov
