#pragma once

#include "platform/graphics/FontMeasure.h"
#include "platform/types/Types.h"

#include <QString>
#include <vector>

namespace zov {

// Flags of TCanvas::DrawText and CalcTextRect (the values are those stored in graph code and
// files).
namespace DrawTextFlag {
inline constexpr unsigned Left = 0x0;
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned VCenter = 0x4; // single line only
inline constexpr unsigned Bottom = 0x8;  // single line only
inline constexpr unsigned WordBreak = 0x10;
inline constexpr unsigned SingleLine = 0x20;
inline constexpr unsigned NoClip = 0x100;
inline constexpr unsigned CalcRect = 0x400;
inline constexpr unsigned NoPrefix = 0x800;
inline constexpr unsigned EditControl = 0x2000;
inline constexpr unsigned EndEllipsis = 0x8000;
inline constexpr unsigned ModifyString = 0x10000;
inline constexpr unsigned RtlReading = 0x20000;
} // namespace DrawTextFlag

// The lines that DrawText shows for text in a box width units wide: ampersand marks
// removed (unless NoPrefix), split at line breaks (unless SingleLine), wrapped
// (WordBreak), and each too-wide line ended with "..." (EndEllipsis). shortened tells
// whether an ellipsis was added.
std::vector<QString> LayoutTextLines(const TFontMeasure& measure, const QString& text,
                                     int32_t width, unsigned flags, bool* shortened = nullptr);
QString JoinTextLines(const std::vector<QString>& lines);

// Measures text as DrawText with CalcRect does, without any canvas: sets rect's Right
// and Bottom to the extent of the laid-out text and returns its height; with
// ModifyString and EndEllipsis the shortened text is written back.
int32_t CalcTextRect(const TFontMeasure& measure, QString& text, TRect& rect, unsigned flags);

} // namespace zov
