#include "platform/control_classes.h"

#include <memory>

#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/control_window.h"
#include "platform/edit.h"
#include "platform/list_box.h"
#include "platform/list_items.h"
#include "platform/resource_registry.h"
#include "platform/static_ctrl.h"
#include "platform/tab_control.h"

bool IsWindowOfClass(HWND hwnd, const char* className) {
  return hwnd != nullptr && EqualsNoCase(hwnd->className, className);
}

namespace {
template <class T>
std::unique_ptr<CWnd> MakeWrapper() {
  return std::make_unique<T>();
}
}  // namespace

void RegisterControlClasses() {
  static const bool registered = [] {
    // A label needs nothing beyond the common handling of text and closing.
    RegisterWindowClass(kClassStatic, &control_detail::DefaultControlProc, &MakeWrapper<CStatic>);
    RegisterWindowClass(kClassButton, &control_detail::ButtonProc, &MakeWrapper<CButton>);
    RegisterWindowClass(kClassEdit, &control_detail::EditProc, &MakeWrapper<CEdit>);
    RegisterWindowClass(kClassComboBox, &control_detail::ComboBoxProc, &MakeWrapper<CComboBox>);
    RegisterWindowClass(kClassListBox, &control_detail::ListBoxProc, &MakeWrapper<CListBox>);
    RegisterWindowClass(kClassTabControl, &control_detail::TabControlProc);
    return true;
  }();
  (void)registered;
}
