#pragma once

#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"

#include <cstdint>
#include <tuple>

namespace zov {

enum TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};
inline constexpr const char* kBrushStyleNames[] = {"bsSolid",    "bsClear",     "bsHorizontal",
                                                   "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                                   "bsCross",    "bsDiagCross"};

// Fill attributes; a new brush is solid white.
class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    TBrush(const TBrush&) = default;

    TColor Color() const { return fColor; }
    TBrushStyle Style() const { return fStyle; }

    void SetColor(TColor value) { Update(fColor, value); }
    void SetStyle(TBrushStyle value) { Update(fStyle, value); }

    // Published: written to and read from component streams.
    const TPropertyList& Properties() const override;

    // Copies every attribute; reports one change when anything differed.
    void Assign(const TBrush& source);
    bool SameAs(const TBrush& other) const;

private:
    // Every attribute, for comparing and copying them all at once.
    auto Fields() { return std::tie(fColor, fStyle); }
    auto Fields() const { return std::tie(fColor, fStyle); }

    TColor fColor = clWhite;
    TBrushStyle fStyle = bsSolid;
};

} // namespace zov
