#pragma once

#include <cstdint>

namespace zov {

// Round to nearest with ties to even, as the floating-point unit does by default.
// Values beyond the 32-bit range wrap like an assignment of a 64-bit result.
int32_t Round(double Value);

// Coordinates and distances read from files are kept within this magnitude (about
// 170 000 inches), so that sums, differences and midpoints of them cannot overflow.
inline constexpr int32_t kMaxCoordinate = 1 << 24;
int32_t ClampCoordinate(int64_t value);

// The value truncated toward zero and limited to the 32-bit range; 0 for NaN.
int32_t ClampToInt32(double value);

// (Number * Numerator) / Denominator with a 64-bit intermediate, rounded half away
// from zero; -1 when Denominator is 0 or the result does not fit 32 bits.
int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator);

} // namespace zov
