// CComponentSelectMode: the default interaction mode of both symbol views. A left click
// selects the pad or symbol under the cursor and tells the grid and the other view; the
// right-click menu offers the property sheet for it. Each view owns one; the view's
// director starts it again whenever another mode stops.
#pragma once

#include "host/interaction/actor.h"

class CContextMenu;
class CDesign;
class CDesignDrawing;
class CDesignItem;
class CDirector;

class CComponentSelectMode : public CActor {
  DECLARE_DYNAMIC(CComponentSelectMode)

 public:
  CComponentSelectMode();

  // Joins `director` and binds its input on the first start only (later directors are
  // ignored), then runs in state 0.
  void Start(CDirector* director);

  // The left click: clears every mark in the editor, then selects what lies under
  // `point` and announces it. `flags` is not used.
  void OnSelect(CPoint point, UINT flags);
  // The "&Properties..." command: the property sheet on the selected item.
  void OnProperties();

  bool ShowContextMenu(CContextMenu* menu, CPoint point) override;
  // Selects what lies under `point` as a click would and offers "&Properties..." when
  // that left an item selected.
  bool FillContextMenu(CContextMenu* menu, CPoint point) override;

 private:
  void Bind();
  CDesignItem* GetSelectedItem() const;

  CDesign* m_design = nullptr;       // not owned: the design the view draws
  CDesignDrawing* m_view = nullptr;  // not owned: the director's view
};
