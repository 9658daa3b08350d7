#pragma once

#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"

#include <cstdint>
#include <tuple>

namespace zov {

enum TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
};
inline constexpr const char* kPenStyleNames[] = {
    "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};

// How the pen combines with what is already drawn (binary raster operations).
enum TPenMode : uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};
inline constexpr const char* kPenModeNames[] = {
    "pmBlack",       "pmWhite",      "pmNop",         "pmNot",        "pmCopy",  "pmNotCopy",
    "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
    "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};

// Outline and line attributes; a new pen is black, solid, one unit wide.
class TPen : public TGraphicsObject {
public:
    TPen() = default;
    TPen(const TPen&) = default;

    TColor Color() const { return fColor; }
    TPenMode Mode() const { return fMode; }
    TPenStyle Style() const { return fStyle; }
    int32_t Width() const { return fWidth; }

    void SetColor(TColor value) { Update(fColor, value); }
    void SetMode(TPenMode value) { Update(fMode, value); }
    void SetStyle(TPenStyle value) { Update(fStyle, value); }
    // Negative widths are ignored; widths are limited to kMaxPenWidth.
    void SetWidth(int32_t value);
    static constexpr int32_t kMaxPenWidth = 4096;

    // Published: written to and read from component streams.
    const TPropertyList& Properties() const override;

    // Copies every attribute; reports one change when anything differed.
    void Assign(const TPen& source);
    bool SameAs(const TPen& other) const;

private:
    // Every attribute, for comparing and copying them all at once.
    auto Fields() { return std::tie(fColor, fMode, fStyle, fWidth); }
    auto Fields() const { return std::tie(fColor, fMode, fStyle, fWidth); }

    TColor fColor = clBlack;
    TPenMode fMode = pmCopy;
    TPenStyle fStyle = psSolid;
    int32_t fWidth = 1;
};

} // namespace zov
