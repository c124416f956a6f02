#include "host/picking/pick.h"

#include <cstdlib>
#include <vector>

#include "host/drawing/design_drawing.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"

namespace {

// A thin schematic pin is hard to hit exactly: anything this close counts.
constexpr int kTolerancePixels = 3;

// How far a point lies outside a box, along the axis where it is farther out; 0 inside.
long DistanceOutside(const CRect& box, CPoint point) {
  const long dx = point.x < box.left ? static_cast<long>(box.left) - point.x
                                     : std::max(0L, static_cast<long>(point.x) - box.right);
  const long dy = point.y < box.top ? static_cast<long>(box.top) - point.y
                                    : std::max(0L, static_cast<long>(point.y) - box.bottom);
  return std::max(dx, dy);
}

// The symbol instances of the design, the one drawn last (on top) first.
std::vector<CSymbolInstance*> SymbolsFromTop(const CDesign& design) {
  std::vector<CSymbolInstance*> symbols;
  POSITION at = nullptr;
  for (const CComponentInstance* instance = design.FirstComponentInstance(at); instance != nullptr;
       instance = design.NextComponentInstance(at)) {
    POSITION symbolAt = nullptr;
    for (CSymbolInstance* symbol = instance->FirstSymbolInstance(symbolAt); symbol != nullptr;
         symbol = instance->NextSymbolInstance(symbolAt)) {
      symbols.push_back(symbol);
    }
  }
  return {symbols.rbegin(), symbols.rend()};
}

bool Accepts(const CPick::Filter& filter, CDesignItem* item, void* context) {
  return !filter || filter(item, context);
}

// The pad nearest the point within the tolerance; on a tie, the one on top.
CDesignItem* NearestPad(const std::vector<CSymbolInstance*>& symbols, CPoint point, long tolerance,
                        const CPick::Filter& filter, void* context) {
  CDesignItem* nearest = nullptr;
  long best = tolerance + 1;
  for (const CSymbolInstance* symbol : symbols) {
    for (int i = symbol->CountPads() - 1; i >= 0; --i) {
      CPadInstance* pad = symbol->GetPad(i);
      // A land without a number (a mounting hole) is drawn but serves no pin.
      if (!pad->GetPad()->IsNumbered()) continue;
      const long distance = DistanceOutside(pad->GetBounds(), point);
      if (distance >= best || !Accepts(filter, pad, context)) continue;
      nearest = pad;
      best = distance;
      if (best == 0) return nearest;
    }
  }
  return nearest;
}

// The body: the placed box round the symbol's outlines and pads.
CRect BodyOf(const CSymbolInstance& symbol) {
  return symbol.GetPlacement().MapBox(symbol.GetSymbol()->GetExtents());
}

CDesignItem* SymbolUnder(const std::vector<CSymbolInstance*>& symbols, CPoint point,
                         const CPick::Filter& filter, void* context) {
  for (CSymbolInstance* symbol : symbols) {
    if (DistanceOutside(BodyOf(*symbol), point) == 0 && Accepts(filter, symbol, context)) return symbol;
  }
  return nullptr;
}

}  // namespace

bool CPick::PickItems(CPoint point, UINT flags, const Filter& filter, void* context) {
  m_item = nullptr;
  const CDesign* design = m_view != nullptr ? m_view->GetDrawnDesign() : nullptr;
  if (design == nullptr || (flags & (kPickPads | kPickSymbols)) == 0) return false;
  const CViewTransform& transform = m_view->GetTransform();
  const CPoint world = transform.ToWorld(point);
  const std::vector<CSymbolInstance*> symbols = SymbolsFromTop(*design);
  if ((flags & kPickPads) != 0) {
    m_item = NearestPad(symbols, world, transform.LengthToWorld(kTolerancePixels), filter, context);
  }
  if (m_item == nullptr && (flags & kPickSymbols) != 0) m_item = SymbolUnder(symbols, world, filter, context);
  return m_item != nullptr;
}
