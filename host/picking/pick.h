// CPick: finds the item of a drawn design under a point of its view. The point is in
// the view's client coordinates and goes through the view's own transform, so picking
// follows zoom and pan. A pad wins over the symbol instance that owns it. Among pads
// within reach the nearest wins, and on a tie (as among symbols) the one drawn last, on
// top. A symbol instance is hit inside the box round its outlines and pads.
#pragma once

#include <functional>

#include "platform/types.h"

class CDesignDrawing;
class CDesignItem;

// What PickItems looks for.
inline constexpr UINT kPickPads = 0x40;
inline constexpr UINT kPickSymbols = 0x20;

class CPick {
 public:
  // Return false to pass over an item.
  using Filter = std::function<bool(CDesignItem* item, void* context)>;

  explicit CPick(CDesignDrawing* view) : m_view(view) {}

  // True when an item of a kind in `flags` lies under `point` (within a few pixels);
  // the item is then GetItem().
  bool PickItems(CPoint point, UINT flags, const Filter& filter, void* context);
  CDesignItem* GetItem() const { return m_item; }

 private:
  CDesignDrawing* m_view;  // not owned
  CDesignItem* m_item = nullptr;
};
