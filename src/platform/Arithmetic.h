#pragma once

#include <cstdint>

namespace zov {

// Round to nearest with ties to even, as the floating-point unit does by default.
// Values beyond the 32-bit range wrap like an assignment of a 64-bit result.
int32_t Round(double Value);

// (Number * Numerator) / Denominator with a 64-bit intermediate, rounded half away
// from zero; -1 when Denominator is 0 or the result does not fit 32 bits.
int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator);

} // namespace zov
