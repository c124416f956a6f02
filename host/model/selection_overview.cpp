#include "host/model/selection_overview.h"

#include <algorithm>

#include "host/model/design_item.h"

IMPLEMENT_DYNAMIC(CSelectionOverview, CObject)

void CSelectionOverview::Clear() {
  // Each item leaves through Remove as it is deselected; work on a copy.
  const std::vector<CDesignItem*> items = m_items;
  for (CDesignItem* item : items) item->SetSelected(false);
  Reset();
}

void CSelectionOverview::Reset() {
  m_items.clear();
  m_members.clear();
}

void CSelectionOverview::Add(CDesignItem* item) {
  if (item == nullptr || !m_members.insert(item).second) return;
  m_items.push_back(item);
}

void CSelectionOverview::Remove(const CDesignItem* item) {
  if (m_members.erase(item) == 0) return;
  m_items.erase(std::find(m_items.begin(), m_items.end(), item));
}
