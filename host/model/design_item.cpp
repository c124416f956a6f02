#include "host/model/design_item.h"

#include "host/model/design.h"
#include "host/model/selection_overview.h"

IMPLEMENT_DYNAMIC(CDesignItem, CObject)

CDesignItem::~CDesignItem() {
  if (m_ownerDesign != nullptr) m_ownerDesign->GetSelectionOverview()->Remove(this);
}

void CDesignItem::SetSelected(bool selected) {
  m_selected = selected;
  if (m_ownerDesign == nullptr) return;
  CSelectionOverview* overview = m_ownerDesign->GetSelectionOverview();
  if (selected) {
    overview->Add(this);
  } else {
    overview->Remove(this);
  }
}

void CDesignItem::SetOwnerDesign(CDesign* design) {
  if (design == m_ownerDesign) return;
  if (m_ownerDesign != nullptr) m_ownerDesign->GetSelectionOverview()->Remove(this);
  m_ownerDesign = design;
  if (m_selected && m_ownerDesign != nullptr) m_ownerDesign->GetSelectionOverview()->Add(this);
}
