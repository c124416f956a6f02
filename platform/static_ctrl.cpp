#include "platform/static_ctrl.h"

#include "platform/control_classes.h"
#include "platform/resource_registry.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  RegisterControlClasses();
  return CreateEx(0, kClassStatic, text, style | WS_CHILD, rect, parent, id);
}
