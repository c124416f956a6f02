// CEditGrid: the grid with in-cell editing. A cell whose edit class is CGridEdit (or
// any class) can be edited by the user; the parent hears the edit start, change and
// stop messages described in platform/grid_ctrl.h, and an edited cell stays marked
// modified until code clears the mark.
#pragma once

#include "host/utility/flex_grid.h"
#include "platform/edit.h"

// The in-cell editor: its run-time class is what a cell names as its edit class.
class CGridEdit : public CEdit {
  DECLARE_DYNCREATE(CGridEdit)

 public:
  CGridEdit() = default;
};

class CEditGrid : public CFlexGrid {
  DECLARE_DYNAMIC(CEditGrid)

 public:
  CEditGrid() = default;

  // Ends an in-cell edit in progress as the user would: edit change when the text
  // changed, then edit stop. 1 when an edit ended, 0 when none was open. The two values
  // are not used; callers pass 0.
  using CGridCtrl::StopEdit;
  long StopEdit(long, long);
};
