#pragma once

#include <QString>
#include <optional>

namespace zov {

// The whole number typed into a tool-bar box, when it is one within [minimum,
// maximum]; anything else counts as no number, as "abc" does.
std::optional<int> ToolBarInteger(const QString& text, int minimum, int maximum);

inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 999;
inline constexpr int kMinLineSize = 1;
inline constexpr int kMaxLineSize = 100;

} // namespace zov
