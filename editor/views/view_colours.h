// The colours of the two drawings as the registry keeps them under
// "ComponentEditor\Colours". A value never stored takes the next entry of a fixed
// palette, so that a fresh machine shows distinct colours and the display colours
// dialog offers the same defaults as the drawings use.
#pragma once

#include <array>

#include "platform/types.h"

inline constexpr const char* kViewColoursKey = "ComponentEditor\\Colours";

inline constexpr std::array<COLORREF, 20> kViewColourPalette{
    RGB(0, 0, 0),       RGB(0, 255, 0),    RGB(0, 0, 255),     RGB(0, 255, 255),   RGB(255, 255, 0),
    RGB(128, 128, 255), RGB(128, 64, 0),   RGB(0, 128, 0),     RGB(0, 0, 192),     RGB(0, 192, 192),
    RGB(192, 0, 0),     RGB(255, 128, 64), RGB(255, 0, 0),     RGB(255, 128, 128), RGB(255, 0, 128),
    RGB(128, 128, 0),   RGB(64, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 255, 255),
};

// Reads named colours in order; each absent one takes the palette entry after the
// last one taken (the palette index moves on absent values only).
class CViewColourReader {
 public:
  COLORREF GetColour(const char* name);

 private:
  size_t m_paletteIndex = 0;
};

// The nine stored colours, in the order they are read, and the colour of pads whose
// pin has no connection, read last from "AssignedPins" again.
struct ViewColours {
  COLORREF background = 0;
  COLORREF assignedPins = 0;
  COLORREF unassignedPins = 0;
  COLORREF text = 0;
  COLORREF outlines = 0;
  COLORREF selection = 0;
  COLORREF highlight = 0;
  COLORREF pinNames = 0;
  COLORREF pinNumbers = 0;
  COLORREF unconnectedPins = 0;
};

ViewColours ReadViewColours();
