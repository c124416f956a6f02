#include "host/model/design_colours.h"

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
