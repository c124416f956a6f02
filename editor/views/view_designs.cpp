#include "editor/views/view_designs.h"

IMPLEMENT_DYNCREATE(CScmViewDesign, CScmDesign)
IMPLEMENT_DYNCREATE(CPcbViewDesign, CPcbDesign)
