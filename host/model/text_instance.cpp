#include "host/model/text_instance.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "host/model/component_instance.h"
#include "host/model/gate.h"
#include "host/model/pad_instance.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_instance.h"

IMPLEMENT_DYNAMIC(CTextInstance, CDesignItem)
IMPLEMENT_DYNAMIC(CPinNameInstance, CTextInstance)
IMPLEMENT_DYNAMIC(CPinNumberInstance, CTextInstance)

namespace {

// Exact for right angles, so that their boxes come out on whole units.
std::pair<double, double> CosineAndSine(int degrees) {
  switch ((degrees % 360 + 360) % 360) {
    case 0:
      return {1.0, 0.0};
    case 90:
      return {0.0, 1.0};
    case 180:
      return {-1.0, 0.0};
    case 270:
      return {0.0, -1.0};
    default: {
      const double radians = degrees * std::numbers::pi / 180.0;
      return {std::cos(radians), std::sin(radians)};
    }
  }
}

// The span from the anchor along one axis of the text: the anchor at the start, the
// middle or the end of `length`.
std::pair<double, double> Span(int place, double length) {
  if (place == 0) return {0.0, length};
  if (place == 1) return {-length / 2, length / 2};
  return {-length, 0.0};
}

}  // namespace

CTextInstance::CTextInstance(CSymbolInstance* owner, Role role, const CSymbolText& local,
                             const CString& layer, int width)
    : m_owner(owner), m_role(role), m_local(local), m_layer(layer), m_width(width) {}

CSymbolText CTextInstance::GetPlacedText() const {
  CSymbolText placed = m_owner->GetPlacement().MapText(m_local);
  placed.text = GetText();
  return placed;
}

std::optional<CRect> CTextInstance::GetShownBounds() const {
  if (!m_visible) return std::nullopt;
  const CSymbolText placed = GetPlacedText();
  if (placed.text.IsEmpty()) return std::nullopt;
  return EstimateBounds(placed);
}

CRect CTextInstance::EstimateBounds(const CSymbolText& placed) {
  const double width = 0.75 * placed.size * placed.text.GetLength();
  const double height = placed.size;
  const int index = static_cast<int>(placed.alignment);
  const auto [uFrom, uTo] = Span(index % 3, width);
  const auto [vFrom, vTo] = Span(index / 3, height);
  const auto [cosine, sine] = CosineAndSine(placed.rotation);
  double left = 0, right = 0, bottom = 0, top = 0;
  bool first = true;
  for (const double u : {uFrom, uTo}) {
    for (const double v : {vFrom, vTo}) {
      const double x = u * cosine - v * sine;
      const double y = u * sine + v * cosine;
      left = first ? x : std::min(left, x);
      right = first ? x : std::max(right, x);
      bottom = first ? y : std::min(bottom, y);
      top = first ? y : std::max(top, y);
      first = false;
    }
  }
  const CPoint at = placed.position;
  return {at.x + static_cast<int>(std::floor(left)), at.y + static_cast<int>(std::floor(bottom)),
          at.x + static_cast<int>(std::ceil(right)), at.y + static_cast<int>(std::ceil(top))};
}

CPinNameInstance::CPinNameInstance(CPadInstance* pad, const CSymbolText& local, const CString& layer,
                                   int width)
    : CTextInstance(pad->GetSymbolInstance(), Role::PinName, local, layer, width), m_pad(pad) {}

CString CPinNameInstance::GetText() const {
  return m_pad->GetTerminalName();
}

CPinNumberInstance::CPinNumberInstance(CPadInstance* pad, const CSymbolText& local, const CString& layer,
                                       int width)
    : CTextInstance(pad->GetSymbolInstance(), Role::PinNumber, local, layer, width), m_pad(pad) {}

CString CPinNumberInstance::GetText() const {
  // A land the footprint names otherwise than by its number (ball A1, exposed pad EP)
  // shows that name, as the footprint's drawings and data sheets do.
  if (m_pad->IsPcbPad() && CPinLabels::IsPadName(m_pad->GetPad()->GetName()))
    return m_pad->GetPad()->GetName();
  const int pin = m_pad->GetPinNumber();
  if (pin == CGate::kNoPin) return CString();
  if (m_pad->IsPcbPad()) return CString(std::to_string(pin));
  // A terminal's PCB pin as the package's footprint names it.
  return m_pad->GetSymbolInstance()->GetComponentInstance()->GetPinLabels().Text(pin);
}
