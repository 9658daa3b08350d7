#include "platform/types/Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zov {

int32_t Round(double Value) {
    if (!std::isfinite(Value)) {
        return 0;
    }
    constexpr double limit = 9.2e18;
    if (Value > limit || Value < -limit) {
        return 0;
    }
    return static_cast<int32_t>(static_cast<int64_t>(std::nearbyint(Value)));
}

int32_t ClampCoordinate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, -kMaxCoordinate, kMaxCoordinate));
}

int32_t ClampToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator) {
    if (Denominator == 0) {
        return -1;
    }
    const int64_t product = static_cast<int64_t>(Number) * Numerator;
    const int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = Denominator < 0 ? -static_cast<int64_t>(Denominator) : Denominator;
    int64_t quotient = (magnitude + divisor / 2) / divisor;
    if ((product < 0) != (Denominator < 0)) {
        quotient = -quotient;
    }
    if (quotient > std::numeric_limits<int32_t>::max() ||
        quotient < std::numeric_limits<int32_t>::min()) {
        return -1;
    }
    return static_cast<int32_t>(quotient);
}

} // namespace zov
