// CDesignColours: the colours a design is drawn in. Items of a kind take the colour set
// for their run-time class, or else for the nearest base class that has one.
#pragma once

#include <unordered_map>

#include "platform/object.h"
#include "platform/types.h"

class CDesignColours : public CObject {
  DECLARE_DYNAMIC(CDesignColours)

 public:
  CDesignColours() = default;

  // False, and nothing set, for a null kind.
  bool SetColour(const CRuntimeClass* kind, COLORREF colour);
  // The colour for `kind`, else for its nearest base class with one, else the default
  // item colour.
  COLORREF GetColour(const CRuntimeClass* kind) const;

  void SetBackground(COLORREF colour) { m_background = colour; }
  COLORREF GetBackground() const { return m_background; }
  void SetSelection(COLORREF colour) { m_selection = colour; }
  COLORREF GetSelection() const { return m_selection; }
  void SetHighlight(COLORREF colour) { m_highlight = colour; }
  COLORREF GetHighlight() const { return m_highlight; }
  // Pads with a pin assigned; pads without one take their kind's colour.
  void SetAssignedPins(COLORREF colour) { m_assignedPins = colour; }
  COLORREF GetAssignedPins() const { return m_assignedPins; }
  void SetUnconnectedPins(COLORREF colour) { m_unconnectedPins = colour; }
  COLORREF GetUnconnectedPins() const { return m_unconnectedPins; }
  void SetHighlightUnconnectedPins(bool highlight) { m_highlightUnconnectedPins = highlight; }
  bool GetHighlightUnconnectedPins() const { return m_highlightUnconnectedPins; }

  static constexpr COLORREF kDefaultItemColour = RGB(255, 255, 255);

  // Texts whose contrast with what lies under them is below this ratio (of the
  // lighter colour's luminance to the darker's) are hard to read.
  static constexpr double kMinTextContrast = 3.0;
  // The contrast ratio of two colours, from 1 (the same) to 21 (black and white).
  static double Contrast(COLORREF a, COLORREF b);
  // `text` when it reads on `surface`; else black or white, whichever reads better.
  // Pin numbers need it: their default dark blue hardly shows on the black background
  // and not at all on a blue unassigned land.
  static COLORREF ReadableOn(COLORREF text, COLORREF surface);

 private:
  std::unordered_map<const CRuntimeClass*, COLORREF> m_kindColours;
  COLORREF m_background = RGB(0, 0, 0);
  COLORREF m_selection = RGB(128, 128, 255);
  COLORREF m_highlight = RGB(128, 64, 0);
  COLORREF m_assignedPins = RGB(0, 255, 0);
  COLORREF m_unconnectedPins = RGB(0, 192, 192);
  bool m_highlightUnconnectedPins = false;
};
