#include "host/model/pcb_component.h"

IMPLEMENT_DYNAMIC(CPcbComponent, CObject)
