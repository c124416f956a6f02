#include "host/libtools/libtools_resources.h"

#include "platform/dialog_template_builder.h"

namespace {

using namespace dialog_templates;

DialogTemplate FindLibraryItemTemplate() {
  return ModalDialog(IDD_FIND_LIBRARY_ITEM, "Find Symbol", {0, 0, 244, 172},
                     {
                         Label("&Name:", {7, 9, 30, 8}),
                         Edit(IDC_FIND_PATTERN, kSingleLineEdit, {40, 7, 140, 14}),
                         DefPushButton(IDC_FIND_SEARCH, "&Search", {187, 7, 50, 14}),
                         Label("&Found:", {7, 27, 60, 8}),
                         ListBox(IDC_FIND_RESULTS, kTabbedList, {7, 38, 173, 112}),
                         PushButton(IDC_FIND_USE, "&Use", {187, 38, 50, 14}, WS_DISABLED),
                         PushButton(IDCANCEL, "Close", {187, 136, 50, 14}),
                         Label(IDC_FIND_STATUS, "", {7, 156, 230, 8}),
                     });
}

ResourceModule BuildLibraryToolsResources() {
  ResourceModule module;
  module.name = "LibraryTools";
  module.dialogs[IDD_FIND_LIBRARY_ITEM] = FindLibraryItemTemplate();
  return module;
}

}  // namespace

const ResourceModule& LibraryToolsResources() {
  static const ResourceModule module = BuildLibraryToolsResources();
  return module;
}
