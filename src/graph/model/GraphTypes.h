#pragma once

#include "platform/Set.h"

#include <cstdint>

namespace zov {

// A side of an object's bounds, as moved by a drag or confined by the constraints.
enum TObjectSide : uint8_t { osLeft, osTop, osRight, osBottom };
using TObjectSides = TSet<TObjectSide, uint8_t>;

inline constexpr TObjectSides AllObjectSides{osLeft, osTop, osRight, osBottom};

} // namespace zov
