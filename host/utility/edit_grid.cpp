#include "host/utility/edit_grid.h"

IMPLEMENT_DYNCREATE(CGridEdit, CEdit)
IMPLEMENT_DYNAMIC(CEditGrid, CFlexGrid)

long CEditGrid::StopEdit(long, long) {
  return CGridCtrl::StopEdit();
}
