#include "app/app_resources.h"

#include "platform/dialog_template_builder.h"

namespace {

using namespace dialog_templates;

// The list shows a component a line: its name, its packages and how many gates it has,
// in columns. The buttons on the right change the library itself.
DialogTemplate PickerTemplate() {
  const DWORD list = LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  return ModalDialog(IDD_COMPONENT_PICKER, "Open Component", {0, 0, 330, 214},
                     {
                         Label("&Filter:", {7, 9, 30, 8}),
                         Edit(IDC_PICKER_FILTER, kSingleLineEdit, {40, 7, 150, 14}),
                         Label(IDC_PICKER_COUNT, "", {7, 27, 253, 8}),
                         ListBox(IDC_PICKER_LIST, list, {7, 38, 253, 142}),
                         Label(IDC_PICKER_PACKAGES, "", {7, 186, 253, 20}),
                         DefPushButton(IDOK, "&Open", {273, 7, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {273, 24, 50, 14}),
                         PushButton(IDC_PICKER_DUPLICATE, "D&uplicate...", {273, 50, 50, 14}),
                         PushButton(IDC_PICKER_RENAME, "&Rename...", {273, 67, 50, 14}),
                         PushButton(IDC_PICKER_DELETE, "&Delete...", {273, 84, 50, 14}),
                     });
}

// One name, asked for by Duplicate and Rename; the caption says which.
DialogTemplate ComponentNameTemplate() {
  return ModalDialog(IDD_COMPONENT_NAME, "Component Name", {0, 0, 220, 62},
                     {
                         Label(IDC_COMPONENT_NAME_PROMPT, "", {7, 7, 206, 8}),
                         Edit(IDC_COMPONENT_NAME_EDIT, kSingleLineEdit, {7, 19, 206, 14}),
                         DefPushButton(IDOK, "OK", {107, 41, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {163, 41, 50, 14}),
                     });
}

// A line a problem; Go To shows the chosen one's cell.
DialogTemplate ProblemsTemplate() {
  const DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER;
  return ModalDialog(IDD_PIN_MAP_PROBLEMS, "Pin Grid Problems", {0, 0, 330, 200},
                     {
                         Label(IDC_PROBLEMS_COUNT, "", {7, 7, 253, 8}),
                         ListBox(IDC_PROBLEMS_LIST, list, {7, 19, 253, 174}),
                         DefPushButton(IDOK, "&Go To", {273, 7, 50, 14}),
                         PushButton(IDCANCEL, "Close", {273, 24, 50, 14}),
                     });
}

DialogTemplate FillSeriesTemplate() {
  return ModalDialog(IDD_FILL_SERIES, "Fill Series", {0, 0, 230, 110},
                     {
                         Label(IDC_FILL_TARGET, "", {7, 7, 216, 8}),
                         Label("S&eries:", {7, 23, 60, 8}),
                         ComboBox(IDC_FILL_KIND, CBS_DROPDOWNLIST | WS_VSCROLL, {70, 21, 153, 60}),
                         Label(IDC_FILL_START_LABEL, "&Start:", {7, 41, 60, 8}),
                         Edit(IDC_FILL_START, kSingleLineEdit, {70, 39, 50, 14}),
                         Label("S&tep:", {7, 59, 60, 8}),
                         Edit(IDC_FILL_STEP, kSingleLineEdit, {70, 57, 50, 14}),
                         Label(IDC_FILL_WIDTH_LABEL, "Balls per &row:", {7, 77, 60, 8}),
                         Edit(IDC_FILL_WIDTH, kSingleLineEdit, {70, 75, 50, 14}),
                         DefPushButton(IDOK, "OK", {117, 91, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {173, 91, 50, 14}),
                     });
}

// The symbol on top, the footprint below it, switched on and off by its check box; an
// empty name or package takes the symbol's or the footprint's. Each library list has a
// filter above it, and the footprint names (up to 95 characters) get room to be read.
DialogTemplate ImportSymbolTemplate() {
  return ModalDialog(IDD_IMPORT_SYMBOL, "Import Symbol", {0, 0, 330, 422},
                     {
                         Label("Component:", {7, 8, 39, 8}),
                         Edit(IDC_IMPORT_NAME, kSingleLineEdit, {53, 7, 200, 14}),
                         Label("Package:", {7, 26, 32, 8}),
                         Edit(IDC_IMPORT_PACKAGE, kSingleLineEdit, {53, 24, 200, 14}),
                         GroupBox("Symbol", {7, 44, 316, 172}),
                         Label("Filter:", {13, 58, 36, 8}),
                         Edit(IDC_IMPORT_SCM_FILTER, kSingleLineEdit, {53, 57, 264, 14}),
                         Label("Library:", {13, 76, 36, 8}),
                         ComboBox(IDC_IMPORT_SCM_LIBRARY, kSortedDropDownList, {53, 75, 206, 120}),
                         PushButton(IDC_IMPORT_SCM_FOLDER, "Fol&der...", {263, 74, 54, 14}),
                         Label("Name:", {13, 93, 22, 8}),
                         ComboBox(IDC_IMPORT_SCM_SYMBOL, kSortedSimpleCombo, {53, 92, 264, 100}),
                         Label("Pins:", {13, 197, 16, 8}),
                         Edit(IDC_IMPORT_SCM_PINS, kSingleLineEdit, {53, 195, 40, 14}),
                         GroupBox("", {7, 222, 316, 192}),
                         CheckBox(IDC_IMPORT_PCB_SECTION, "Footprint", {13, 221, 50, 10}),
                         Label("Filter:", {13, 236, 36, 8}),
                         Edit(IDC_IMPORT_PCB_FILTER, kSingleLineEdit, {53, 235, 264, 14}),
                         Label("Library:", {13, 254, 36, 8}),
                         ComboBox(IDC_IMPORT_PCB_LIBRARY, kSortedDropDownList, {53, 253, 206, 120}),
                         PushButton(IDC_IMPORT_PCB_FOLDER, "Fold&er...", {263, 252, 54, 14}),
                         Label("Name:", {13, 271, 22, 8}),
                         ComboBox(IDC_IMPORT_PCB_SYMBOL, kSortedSimpleCombo, {53, 270, 264, 120}),
                         Label("Pins:", {13, 398, 16, 8}),
                         Edit(IDC_IMPORT_PCB_PINS, kSingleLineEdit, {53, 396, 40, 14}),
                         DefPushButton(IDOK, "OK", {273, 7, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {273, 26, 50, 14}),
                     });
}

// A copy a line: its component, library and age; the line's library path (or why the
// file cannot be read) below the list. Later keeps the copies for the next start.
DialogTemplate RecoveryTemplate() {
  const DWORD list = LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  return ModalDialog(IDD_RECOVERY, "Recover Unsaved Changes", {0, 0, 330, 170},
                     {
                         Label("The editor ended before these changes were saved:", {7, 7, 253, 8}),
                         ListBox(IDC_RECOVERY_LIST, list, {7, 19, 253, 116}),
                         Label(IDC_RECOVERY_DETAIL, "", {7, 141, 253, 22}),
                         DefPushButton(IDOK, "&Restore", {273, 19, 50, 14}),
                         PushButton(IDC_RECOVERY_DISCARD, "&Discard...", {273, 36, 50, 14}),
                         PushButton(IDCANCEL, "&Later", {273, 53, 50, 14}),
                     });
}

ResourceModule BuildAppResources() {
  ResourceModule module;
  module.name = "ComponentEditorApp";
  module.dialogs[IDD_COMPONENT_PICKER] = PickerTemplate();
  module.dialogs[IDD_COMPONENT_NAME] = ComponentNameTemplate();
  module.dialogs[IDD_PIN_MAP_PROBLEMS] = ProblemsTemplate();
  module.dialogs[IDD_FILL_SERIES] = FillSeriesTemplate();
  module.dialogs[IDD_IMPORT_SYMBOL] = ImportSymbolTemplate();
  module.dialogs[IDD_RECOVERY] = RecoveryTemplate();
  return module;
}

}  // namespace

const ResourceModule& AppResources() {
  static const ResourceModule module = BuildAppResources();
  return module;
}
