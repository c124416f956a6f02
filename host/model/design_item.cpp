#include "host/model/design_item.h"

#include "host/model/design.h"
#include "host/model/highlight_overview.h"
#include "host/model/selection_overview.h"

IMPLEMENT_DYNAMIC(CDesignItem, CObject)

CDesignItem::~CDesignItem() {
  if (m_ownerDesign == nullptr) return;
  m_ownerDesign->GetSelectionOverview()->Remove(this);
  m_ownerDesign->GetHighlightOverview()->Remove(this);
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

void CDesignItem::SetHighlight(bool highlight) {
  m_highlight = highlight;
  if (m_ownerDesign == nullptr) return;
  CHighlightOverview* overview = m_ownerDesign->GetHighlightOverview();
  if (highlight) {
    overview->Add(this);
  } else {
    overview->Remove(this);
  }
}

void CDesignItem::SetOwnerDesign(CDesign* design) {
  if (design == m_ownerDesign) return;
  if (m_ownerDesign != nullptr) {
    m_ownerDesign->GetSelectionOverview()->Remove(this);
    m_ownerDesign->GetHighlightOverview()->Remove(this);
  }
  m_ownerDesign = design;
  if (m_ownerDesign == nullptr) return;
  if (m_selected) m_ownerDesign->GetSelectionOverview()->Add(this);
  if (m_highlight) m_ownerDesign->GetHighlightOverview()->Add(this);
}
