#include "host/uitools/design_colours_combo_box.h"

IMPLEMENT_DYNAMIC(CDesignColoursComboBox, CColourComboBox)

const std::array<NamedColour, 20>& CDesignColoursComboBox::DesignColours() {
  static const std::array<NamedColour, 20> colours{{
      {RGB(0, 0, 0), "Black"},      {RGB(0, 255, 0), "Green"},      {RGB(0, 0, 255), "Blue"},
      {RGB(0, 255, 255), "Cyan"},   {RGB(255, 255, 0), "Yellow"},   {RGB(128, 128, 255), "Light Blue"},
      {RGB(128, 64, 0), "Brown"},   {RGB(0, 128, 0), "Dark Green"}, {RGB(0, 0, 192), "Dark Blue"},
      {RGB(0, 192, 192), "Teal"},   {RGB(192, 0, 0), "Dark Red"},   {RGB(255, 128, 64), "Orange"},
      {RGB(255, 0, 0), "Red"},      {RGB(255, 128, 128), "Pink"},   {RGB(255, 0, 128), "Rose"},
      {RGB(128, 128, 0), "Olive"},  {RGB(64, 128, 128), "Slate"},   {RGB(192, 192, 192), "Light Grey"},
      {RGB(128, 128, 128), "Grey"}, {RGB(255, 255, 255), "White"},
  }};
  return colours;
}

bool CDesignColoursComboBox::SetUp(CDesign*, COLORREF colour) {
  if (m_hWnd == nullptr) return false;
  ResetContent();
  for (const NamedColour& entry : DesignColours()) AddColour(entry.colour, entry.name);
  return SetColour(colour);
}
