#include "host/model/symbol.h"

#include <algorithm>
#include <optional>

namespace {

void Include(std::optional<CRect>& total, CRect box) {
  if (!total) {
    total = box;
    return;
  }
  total->left = std::min(total->left, box.left);
  total->top = std::min(total->top, box.top);
  total->right = std::max(total->right, box.right);
  total->bottom = std::max(total->bottom, box.bottom);
}

bool SamePad(const CFreePad& a, const CFreePad& b) {
  return a.GetNumber() == b.GetNumber() && a.GetName() == b.GetName() && a.GetPosition() == b.GetPosition() &&
         a.GetLength() == b.GetLength() && a.GetDirection() == b.GetDirection() &&
         a.GetPinShape() == b.GetPinShape() && a.GetShape() == b.GetShape() && a.GetSize() == b.GetSize() &&
         a.GetDrill() == b.GetDrill();
}

}  // namespace

CSymbol::CSymbol(const CSymbol& other) = default;

const CFreePad* CSymbol::FindPad(int number) const {
  const int index = IndexOfPad(number);
  return index < 0 ? nullptr : &m_pads[static_cast<size_t>(index)];
}

int CSymbol::IndexOfPad(int number) const {
  if (number == CFreePad::kNoNumber) return -1;
  if (number >= 0 && static_cast<size_t>(number) < m_firstPadOfNumber.size() &&
      m_firstPadOfNumber[static_cast<size_t>(number)] >= 0)
    return m_firstPadOfNumber[static_cast<size_t>(number)];
  if (m_firstPadOfFarNumber.empty()) return -1;
  const auto found = m_firstPadOfFarNumber.find(number);
  return found == m_firstPadOfFarNumber.end() ? -1 : found->second;
}

CFreePad* CSymbol::AddPad(const CFreePad& pad) {
  if (IndexOfPad(pad.GetNumber()) >= 0) return nullptr;
  return Append(CFreePad(pad));
}

CFreePad* CSymbol::AddPad(CFreePad&& pad) {
  if (IndexOfPad(pad.GetNumber()) >= 0) return nullptr;
  return Append(std::move(pad));
}

CFreePad* CSymbol::AddLand(const CFreePad& pad) {
  return Append(CFreePad(pad));
}

CFreePad* CSymbol::AddLand(CFreePad&& pad) {
  return Append(std::move(pad));
}

CFreePad* CSymbol::Append(CFreePad&& pad) {
  if (pad.IsNumbered()) RecordFirstPad(pad.GetNumber(), static_cast<int>(m_pads.size()));
  m_pads.push_back(std::move(pad));
  return &m_pads.back();
}

void CSymbol::AddGraphics(std::vector<CSymbolGraphic>&& graphics) {
  if (m_graphics.empty()) {
    m_graphics = std::move(graphics);
    return;
  }
  m_graphics.insert(m_graphics.end(), std::make_move_iterator(graphics.begin()),
                    std::make_move_iterator(graphics.end()));
}

void CSymbol::AddGraphics(const std::vector<CSymbolGraphic>& graphics) {
  m_graphics.insert(m_graphics.end(), graphics.begin(), graphics.end());
}

void CSymbol::RecordFirstPad(int number, int index) {
  if (IndexOfPad(number) >= 0) return;
  ++m_pinCount;
  const size_t near = 2 * m_pads.size() + 256;
  if (number < 0 || static_cast<size_t>(number) >= near) {
    m_firstPadOfFarNumber.emplace(number, index);
    return;
  }
  const auto at = static_cast<size_t>(number);
  // Pads come numbered 1, 2, 3, ... as a rule: the table grows by doubling, not by one
  // number a pad.
  if (at >= m_firstPadOfNumber.size())
    m_firstPadOfNumber.resize(std::max(at + 1, 2 * m_firstPadOfNumber.size()), -1);
  m_firstPadOfNumber[at] = index;
}

int CSymbol::CountPins() const {
  return m_pinCount;
}

bool CSymbol::HasSharedOrUnnumberedLands() const {
  return CountPins() != CountPads();
}

CRect CSymbol::PadBounds(const CFreePad& pad) const {
  const CPoint at = pad.GetPosition();
  if (m_kind == SymbolKind::Schematic) {
    CRect box(at.x, at.y, pad.GetPinRoot().x, pad.GetPinRoot().y);
    box.NormalizeRect();
    return box;
  }
  const CSize size = pad.GetSize();
  return {at.x - size.cx / 2, at.y - size.cy / 2, at.x + (size.cx + 1) / 2, at.y + (size.cy + 1) / 2};
}

CRect CSymbol::GetExtents() const {
  std::optional<CRect> total;
  for (const CFreePad& pad : m_pads) Include(total, PadBounds(pad));
  for (const CSymbolGraphic& graphic : m_graphics) Include(total, graphic.GetBounds());
  return total.value_or(CRect(m_origin.x, m_origin.y, m_origin.x, m_origin.y));
}

bool CSymbol::operator==(const CSymbol& other) const {
  if (m_name != other.m_name || m_kind != other.m_kind || m_origin != other.m_origin) return false;
  if (m_graphics != other.m_graphics || m_pads.size() != other.m_pads.size()) return false;
  for (size_t i = 0; i < m_pads.size(); ++i) {
    if (!SamePad(m_pads[i], other.m_pads[i])) return false;
  }
  return true;
}
