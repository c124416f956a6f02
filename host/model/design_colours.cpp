#include "host/model/design_colours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A channel's share of the light, worked out once for each of its 256 values: a drawing
// asks for the contrast of every land's number each time it is painted.
double Linear(BYTE channel) {
  static const std::array<double, 256> linear = [] {
    std::array<double, 256> values{};
    for (size_t at = 0; at < values.size(); ++at) {
      const double value = static_cast<double>(at) / 255.0;
      values[at] = value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    }
    return values;
  }();
  return linear[channel];
}

// The relative luminance of a screen colour, from 0 (black) to 1 (white).
double Luminance(COLORREF colour) {
  return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) +
         0.0722 * Linear(GetBValue(colour));
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
