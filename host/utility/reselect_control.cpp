#include "host/utility/reselect_control.h"

#include "platform/combo_box.h"
#include "platform/control_classes.h"
#include "platform/cwnd.h"
#include "platform/edit.h"
#include "platform/resource_registry.h"
#include "platform/window_handle.h"

void ReselectControl(CWnd* control) {
  if (control == nullptr || !IsWindowHandle(control->m_hWnd)) return;
  control->SetFocus();
  if (IsWindowOfClass(control->m_hWnd, kClassEdit)) {
    control->SendMessage(EM_SETSEL, 0, -1);
    return;
  }
  if (!IsWindowOfClass(control->m_hWnd, kClassComboBox)) return;
  // A drop-down list shows its selected entry and has no text to select.
  if ((control->GetStyle() & CBS_TYPEMASK) == CBS_DROPDOWNLIST) return;
  control->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}
