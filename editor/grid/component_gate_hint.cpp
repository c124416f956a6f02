#include "editor/grid/component_gate_hint.h"

IMPLEMENT_DYNAMIC(CComponentGateHint, CComponentHint)
