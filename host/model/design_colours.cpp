#include "host/model/design_colours.h"

#include <algorithm>
#include <cmath>

namespace {

// The relative luminance of a screen colour, from 0 (black) to 1 (white).
double Luminance(COLORREF colour) {
  const auto linear = [](BYTE channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
         0.0722 * linear(GetBValue(colour));
}

}  // namespace

IMPLEMENT_DYNAMIC(CDesignColours, CObject)

bool CDesignColours::SetColour(const CRuntimeClass* kind, COLORREF colour) {
  if (kind == nullptr) return false;
  m_kindColours[kind] = colour;
  return true;
}

COLORREF CDesignColours::GetColour(const CRuntimeClass* kind) const {
  for (const CRuntimeClass* cls = kind; cls != nullptr; cls = cls->m_pBaseClass) {
    const auto found = m_kindColours.find(cls);
    if (found != m_kindColours.end()) return found->second;
  }
  return kDefaultItemColour;
}

double CDesignColours::Contrast(COLORREF a, COLORREF b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

COLORREF CDesignColours::ReadableOn(COLORREF text, COLORREF surface) {
  if (Contrast(text, surface) >= kMinTextContrast) return text;
  constexpr COLORREF black = RGB(0, 0, 0);
  constexpr COLORREF white = RGB(255, 255, 255);
  return Contrast(black, surface) > Contrast(white, surface) ? black : white;
}
