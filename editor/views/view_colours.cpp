#include "editor/views/view_colours.h"

#include "platform/app_registry.h"

COLORREF CViewColourReader::GetColour(const char* name) {
  unsigned long value = 0;
  if (CAppRegistry(kViewColoursKey).GetValue(name, value)) return static_cast<COLORREF>(value);
  // Past the end the palette starts over rather than reading out of range.
  const COLORREF fallback = kViewColourPalette[m_paletteIndex % kViewColourPalette.size()];
  ++m_paletteIndex;
  return fallback;
}

ViewColours ReadViewColours() {
  CViewColourReader reader;
  ViewColours colours;
  colours.background = reader.GetColour("Background");
  colours.assignedPins = reader.GetColour("AssignedPins");
  colours.unassignedPins = reader.GetColour("UnassignedPins");
  colours.text = reader.GetColour("Text");
  colours.outlines = reader.GetColour("Outlines");
  colours.selection = reader.GetColour("Selection");
  colours.highlight = reader.GetColour("Highlight");
  colours.pinNames = reader.GetColour("PinNames");
  colours.pinNumbers = reader.GetColour("PinNumbers");
  colours.unconnectedPins = reader.GetColour("AssignedPins");
  return colours;
}
