#include "host/model/layer.h"

IMPLEMENT_DYNAMIC(CLayer, CObject)
