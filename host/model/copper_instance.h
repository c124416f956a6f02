// CCopperInstance: one outline graphic of a placed symbol (a line, rectangle, arc or
// circle), drawn in the outline colour on its layer.
#pragma once

#include "host/model/design_item.h"
#include "host/model/symbol_graphic.h"
#include "platform/types.h"

class CSymbolInstance;

class CCopperInstance : public CDesignItem {
  DECLARE_DYNAMIC(CCopperInstance)

 public:
  // `graphic` belongs to the symbol instance's symbol.
  CCopperInstance(CSymbolInstance* owner, const CSymbolGraphic* graphic)
      : m_owner(owner), m_graphic(graphic) {}

  const CString& GetLayer() const { return m_graphic->GetLayer(); }
  // Stroke width; 0 draws the thinnest line the device can.
  int GetWidth() const { return m_graphic->GetWidth(); }
  // The shape placed, in design units.
  SymbolShape GetShape() const;
  // The placed shape's box without its stroke; arcs count as whole circles.
  CRect GetBounds() const;

 private:
  CSymbolInstance* m_owner;
  const CSymbolGraphic* m_graphic;
};
