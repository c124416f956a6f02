// CHighlightOverview: the highlighted items of one design. Items join and leave it
// through CDesignItem::SetHighlight; it never owns them. Clearing the marks of a big
// design then touches the few marked items, not every pad: on a part of 20,000 pads a
// walk over all of them misses the cache once per pad.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/object.h"

class CDesignItem;

class CHighlightOverview : public CObject {
  DECLARE_DYNAMIC(CHighlightOverview)

 public:
  CHighlightOverview() = default;
  CHighlightOverview(const CHighlightOverview&) = delete;
  CHighlightOverview& operator=(const CHighlightOverview&) = delete;

  // In no particular order: an item that leaves takes the last one's place.
  const std::vector<CDesignItem*>& Items() const { return m_items; }
  int Count() const { return static_cast<int>(m_items.size()); }
  bool Contains(const CDesignItem* item) const { return m_places.contains(item); }

  // Kept in step by CDesignItem; adding an item already present changes nothing.
  void Add(CDesignItem* item);
  void Remove(const CDesignItem* item);

 private:
  std::vector<CDesignItem*> m_items;
  std::unordered_map<const CDesignItem*, size_t> m_places;  // index into m_items
};
