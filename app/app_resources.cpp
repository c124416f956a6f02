#include "app/app_resources.h"

#include "platform/dialog_template_builder.h"

namespace {

using namespace dialog_templates;

DialogTemplate PickerTemplate() {
  const DWORD list = LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  return ModalDialog(IDD_COMPONENT_PICKER, "Open Component", {0, 0, 260, 214},
                     {
                         Label("&Filter:", {7, 9, 30, 8}),
                         Edit(IDC_PICKER_FILTER, kSingleLineEdit, {40, 7, 150, 14}),
                         Label(IDC_PICKER_COUNT, "", {7, 27, 183, 8}),
                         ListBox(IDC_PICKER_LIST, list, {7, 38, 183, 142}),
                         Label(IDC_PICKER_PACKAGES, "", {7, 186, 246, 20}),
                         DefPushButton(IDOK, "&Open", {203, 7, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {203, 24, 50, 14}),
                     });
}

ResourceModule BuildAppResources() {
  ResourceModule module;
  module.name = "ComponentEditorApp";
  module.dialogs[IDD_COMPONENT_PICKER] = PickerTemplate();
  return module;
}

}  // namespace

const ResourceModule& AppResources() {
  static const ResourceModule module = BuildAppResources();
  return module;
}
