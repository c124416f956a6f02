// How a schematic pin is marked where it meets the symbol's body: a bubble for an
// inverted signal, a wedge for a clock input, a flag for an active-low signal. The
// marks are drawn in the pin's colour round the pin's root, the end at the body.
#pragma once

#include <array>
#include <string_view>

enum class PinShape {
  Line,           // a plain pin
  Inverted,       // a bubble outside the body
  Clock,          // a wedge inside the body
  InvertedClock,  // bubble and wedge
  InputLow,       // a flag on the pin rising from the body outwards
  ClockLow,       // wedge and input flag
  OutputLow,      // a slanted flag on the pin falling from the body outwards
  EdgeClockHigh,  // wedge inside and a wedge outside pointing out along the pin
  NonLogic,       // a cross on the pin's root
};

// The shapes' names in symbol library files, in the order of the enumeration.
inline constexpr std::array<std::string_view, 9> kPinShapeNames = {
    "line",      "inverted",   "clock",           "inverted-clock", "input-low",
    "clock-low", "output-low", "edge-clock-high", "non-logic"};
