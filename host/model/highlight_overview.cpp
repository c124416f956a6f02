#include "host/model/highlight_overview.h"

#include "host/model/design_item.h"

IMPLEMENT_DYNAMIC(CHighlightOverview, CObject)

void CHighlightOverview::Add(CDesignItem* item) {
  if (item == nullptr || !m_places.emplace(item, m_items.size()).second) return;
  m_items.push_back(item);
}

// The last item moves into the gap, so that a removal costs the same on any design.
void CHighlightOverview::Remove(const CDesignItem* item) {
  const auto found = m_places.find(item);
  if (found == m_places.end()) return;
  const size_t place = found->second;
  m_places.erase(found);
  CDesignItem* last = m_items.back();
  m_items.pop_back();
  if (place == m_items.size()) return;
  m_items[place] = last;
  m_places[last] = place;
}
