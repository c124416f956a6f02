#include "host/designops/designops_resources.h"

#include "platform/dialog_template_builder.h"

namespace {

using namespace dialog_templates;

DialogTemplate ValuesTemplate() {
  return ModalDialog(IDD_VALUES, "Values", {0, 0, 244, 180},
                     {
                         ListBox(IDC_VALUES_LIST, kTabbedList, {7, 7, 173, 110}),
                         Label("&Name:", {7, 126, 30, 8}),
                         Edit(IDC_VALUES_NAME, kSingleLineEdit, {40, 124, 140, 14}),
                         Label("&Value:", {7, 144, 30, 8}),
                         Edit(IDC_VALUES_VALUE, kSingleLineEdit, {40, 142, 140, 14}),
                         PushButton(IDC_VALUES_ADD, "&Add", {187, 124, 50, 14}),
                         PushButton(IDC_VALUES_CHANGE, "&Change", {187, 142, 50, 14}, WS_DISABLED),
                         PushButton(IDC_VALUES_DELETE, "&Delete", {187, 160, 50, 14}, WS_DISABLED),
                         DefPushButton(IDOK, "OK", {187, 7, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {187, 24, 50, 14}),
                     });
}

ResourceModule BuildDesignOpsResources() {
  ResourceModule module;
  module.name = "DesignOps";
  module.dialogs[IDD_VALUES] = ValuesTemplate();
  module.strings[IDS_UNDO_VALUES] = "Values";
  return module;
}

}  // namespace

const ResourceModule& DesignOpsResources() {
  static const ResourceModule module = BuildDesignOpsResources();
  return module;
}
