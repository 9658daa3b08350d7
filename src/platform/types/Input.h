#pragma once

#include "platform/types/Set.h"

#include <cstdint>

namespace zov {

// Keys and buttons held during a mouse or key event.
enum TShiftStateFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag, uint8_t>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Mouse pointer shape: the standard shapes are negative, the graph's own from 51 up.
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
// The graph's own cursors.
inline constexpr TCursor crHandFlat = 51;
inline constexpr TCursor crHandGrab = 52;
inline constexpr TCursor crHandPnt = 53;
inline constexpr TCursor crXHair1 = 54;
inline constexpr TCursor crXHair2 = 55;
inline constexpr TCursor crXHair3 = 56;
inline constexpr TCursor crXHairLink = 57;

// Virtual key codes the graph handles.
inline constexpr uint16_t VK_TAB = 9;
inline constexpr uint16_t VK_ESCAPE = 27;
inline constexpr uint16_t VK_LEFT = 37;
inline constexpr uint16_t VK_UP = 38;
inline constexpr uint16_t VK_RIGHT = 39;
inline constexpr uint16_t VK_DOWN = 40;

} // namespace zov
