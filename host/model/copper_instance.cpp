#include "host/model/copper_instance.h"

#include "host/model/symbol_instance.h"

IMPLEMENT_DYNAMIC(CCopperInstance, CDesignItem)

SymbolShape CCopperInstance::GetShape() const {
  return m_owner->GetPlacement().MapShape(m_graphic->GetShape());
}

CRect CCopperInstance::GetBounds() const {
  return CSymbolGraphic(GetLayer(), GetWidth(), GetShape()).GetBounds();
}
