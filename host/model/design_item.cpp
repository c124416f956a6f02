#include "host/model/design_item.h"

#include "host/model/design.h"
#include "host/model/highlight_overview.h"
#include "host/model/selection_overview.h"

IMPLEMENT_DYNAMIC(CDesignItem, CObject)

namespace {

// An item is in an overview of its design exactly while it has the overview's mark.
template <typename Overview>
void Follow(Overview* overview, CDesignItem* item, bool marked) {
  if (marked) {
    overview->Add(item);
  } else {
    overview->Remove(item);
  }
}

}  // namespace

CDesignItem::~CDesignItem() {
  if (m_ownerDesign == nullptr) return;
  m_ownerDesign->GetSelectionOverview()->Remove(this);
  m_ownerDesign->GetHighlightOverview()->Remove(this);
}

void CDesignItem::SetSelected(bool selected) {
  m_selected = selected;
  if (m_ownerDesign != nullptr) Follow(m_ownerDesign->GetSelectionOverview(), this, selected);
}

void CDesignItem::SetHighlight(bool highlight) {
  m_highlight = highlight;
  if (m_ownerDesign != nullptr) Follow(m_ownerDesign->GetHighlightOverview(), this, highlight);
}

void CDesignItem::SetOwnerDesign(CDesign* design) {
  if (design == m_ownerDesign) return;
  if (m_ownerDesign != nullptr) {
    m_ownerDesign->GetSelectionOverview()->Remove(this);
    m_ownerDesign->GetHighlightOverview()->Remove(this);
  }
  m_ownerDesign = design;
  if (m_ownerDesign == nullptr) return;
  Follow(m_ownerDesign->GetSelectionOverview(), this, m_selected);
  Follow(m_ownerDesign->GetHighlightOverview(), this, m_highlight);
}
