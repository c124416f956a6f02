// CDesignColoursComboBox: a colour combo offering the colours a design is drawn in,
// the same twenty that stand in for colours missing from the registry, in that order.
#pragma once

#include <array>

#include "host/utility/colour_combo_box.h"

class CDesign;

struct NamedColour {
  COLORREF colour;
  const char* name;
};

class CDesignColoursComboBox : public CColourComboBox {
  DECLARE_DYNAMIC(CDesignColoursComboBox)

 public:
  CDesignColoursComboBox() = default;

  // Fills the list with the design colours and selects colour, adding it when it is
  // not one of them. The design is not read here: a derived combo may offer colours of
  // its own taken from it. False when there is no window.
  virtual bool SetUp(CDesign* design, COLORREF colour);

  static const std::array<NamedColour, 20>& DesignColours();
};
