// CSelectionOverview: the selected items of one design, in the order they were selected.
// Items join and leave it through CDesignItem::SetSelected; it never owns them.
#pragma once

#include <unordered_set>
#include <vector>

#include "platform/object.h"

class CDesignItem;

class CSelectionOverview : public CObject {
  DECLARE_DYNAMIC(CSelectionOverview)

 public:
  CSelectionOverview() = default;
  CSelectionOverview(const CSelectionOverview&) = delete;
  CSelectionOverview& operator=(const CSelectionOverview&) = delete;

  // The item selected first; null when nothing is selected.
  CDesignItem* First() const { return m_items.empty() ? nullptr : m_items.front(); }
  int Count() const { return static_cast<int>(m_items.size()); }
  const std::vector<CDesignItem*>& Items() const { return m_items; }
  bool Contains(const CDesignItem* item) const { return m_members.contains(item); }

  // Deselects every item.
  void Clear();
  // Forgets every item without touching its mark, for a design about to drop its items.
  void Reset();

  // Kept in step by CDesignItem; adding an item already present keeps its place.
  void Add(CDesignItem* item);
  void Remove(const CDesignItem* item);

 private:
  std::vector<CDesignItem*> m_items;
  std::unordered_set<const CDesignItem*> m_members;
};
