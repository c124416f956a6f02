// The pages of the component properties sheet. Controls are listed in tab order;
// rectangles are in dialog units (x, y, width, height). Labels sit 2 units below
// the top of the field they name so that their text lines up with the field's.
#include "editor/resources/component_editor_parts.h"
#include "editor/resources/resource_ids.h"
#include "platform/dialog_template_builder.h"

namespace resources_detail {

using namespace dialog_templates;
namespace {

// Name, packages, description and default reference in one column of fields
// (wide enough for the longest label), then the show-name flags of the
// schematic and of the PCB in two groups side by side. The check boxes follow
// the order reference, component, symbol, package, pin name, pin number.
DialogTemplate ComponentPage() {
  constexpr DWORD kPackageList = LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  constexpr DWORD kDescription = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER;
  constexpr int kFieldX = 75;
  constexpr int kFieldWidth = 95;
  constexpr int kCheckWidth = 65;
  constexpr int kCheckHeight = 10;
  return PropertyPage(
      IDD_COMPONENT_PAGE, "Component", 177, 204,
      {
          Label("Name:", {7, 9, 22, 8}),
          Edit(IDC_COMPONENT_NAME, kSingleLineEdit | WS_DISABLED, {kFieldX, 7, kFieldWidth, 14}),
          Label("Packages:", {7, 27, 34, 8}),
          ListBox(IDC_PACKAGE_LIST, kPackageList, {kFieldX, 25, kFieldWidth, 32}),
          Label("Description:", {7, 63, 38, 8}),
          Edit(IDC_DESCRIPTION, kDescription, {kFieldX, 61, kFieldWidth, 28}),
          Label("Default Reference:", {7, 95, 61, 8}),
          ComboBox(IDC_DEFAULT_REFERENCE, kSortedDropDown, {kFieldX, 93, 57, 72}),
          GroupBox("Names in Schematic", {7, 111, 79, 86}),
          CheckBox(IDC_SCM_SHOW_REFERENCE, "Reference", {14, 123, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_SCM_SHOW_COMPONENT, "Component", {14, 135, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_SCM_SHOW_SYMBOL, "Symbol", {14, 147, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_SCM_SHOW_PACKAGE, "Package", {14, 159, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_SCM_SHOW_PIN_NAME, "Pin Name", {14, 171, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_SCM_SHOW_PIN_NUMBER, "Pin Number", {14, 183, kCheckWidth, kCheckHeight}),
          GroupBox("Names in PCB", {91, 111, 79, 86}),
          CheckBox(IDC_PCB_SHOW_REFERENCE, "Reference", {98, 123, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_PCB_SHOW_COMPONENT, "Component", {98, 135, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_PCB_SHOW_SYMBOL, "Symbol", {98, 147, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_PCB_SHOW_PACKAGE, "Package", {98, 159, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_PCB_SHOW_PIN_NAME, "Pin Name", {98, 171, kCheckWidth, kCheckHeight}),
          CheckBox(IDC_PCB_SHOW_PIN_NUMBER, "Pin Number", {98, 183, kCheckWidth, kCheckHeight}),
      });
}

DialogTemplate PackagePage() {
  return PropertyPage(
      IDD_PACKAGE_PAGE, "Package", 177, 151,
      {
          Label("Name:", {7, 9, 22, 8}),
          ComboBox(IDC_PACKAGE_NAME, kSortedDropDown, {51, 7, 119, 63}),
          Label("Description:", {7, 27, 38, 8}),
          Edit(IDC_DESCRIPTION, ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_BORDER, {51, 25, 119, 53}),
          GroupBox("PCB Symbol", {7, 84, 163, 60}),
          Label("Library:", {15, 98, 24, 8}),
          ComboBox(IDC_PCB_LIBRARY_COMBO, kSortedDropDownList, {51, 94, 110, 69}),
          Label("Name:", {15, 114, 22, 8}),
          ComboBox(IDC_PCB_SYMBOL_COMBO, kSortedDropDown, {51, 110, 110, 63}),
          Label("Pins:", {15, 129, 16, 8}),
          Edit(IDC_PAGE_PIN_COUNT, kSingleLineEdit, {51, 126, 40, 14}),
      });
}

DialogTemplate GatePage() {
  return PropertyPage(IDD_GATE_PAGE, "Gate", 175, 79,
                      {
                          GroupBox("Schematic Symbol", {7, 7, 161, 66}),
                          Label("Library:", {15, 22, 24, 8}),
                          ComboBox(IDC_SCM_LIBRARY_COMBO, kSortedDropDownList, {51, 20, 110, 69}),
                          Label("Name:", {15, 40, 22, 8}),
                          ComboBox(IDC_SCM_SYMBOL_COMBO, kSortedDropDown, {51, 37, 110, 63}),
                          Label("Pins:", {15, 56, 16, 8}),
                          Edit(IDC_PAGE_PIN_COUNT, kSingleLineEdit, {51, 54, 40, 14}),
                      });
}

// The pin pages share one column of fields inside their groups.
constexpr int kPinFieldX = 60;
constexpr int kPinNumberWidth = 40;
constexpr int kPinNameWidth = 102;

// Gate and terminal identify the pin and are shown only; the terminal name is
// the one field the user edits.
DialogTemplate ScmPinPage() {
  return PropertyPage(IDD_SCM_PIN_PAGE, "Schematic Pin", 177, 121,
                      {
                          GroupBox("Schematic Pin", {7, 7, 163, 67}),
                          Label("Gate:", {15, 22, 20, 8}),
                          Edit(IDC_GATE_NAME, kReadOnlyEdit, {kPinFieldX, 20, kPinNumberWidth, 14}),
                          Label("Terminal:", {15, 39, 30, 8}),
                          Edit(IDC_TERMINAL_NUMBER, kReadOnlyEdit, {kPinFieldX, 37, kPinNumberWidth, 14}),
                          Label("Pin Name:", {15, 56, 34, 8}),
                          Edit(IDC_PIN_NAME, kSingleLineEdit, {kPinFieldX, 54, kPinNameWidth, 14}),
                          GroupBox("Associations", {7, 80, 163, 34}),
                          Label("PCB Pin:", {15, 95, 30, 8}),
                          Edit(IDC_PIN_NUMBER, kReadOnlyEdit, {kPinFieldX, 93, kPinNumberWidth, 14}),
                      });
}

// Everything is shown only. The association lines put the terminal after a tab,
// so the list uses tab stops.
DialogTemplate PcbPinPage() {
  constexpr DWORD kAssociationList =
      LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
  return PropertyPage(IDD_PCB_PIN_PAGE, "PCB Pin", 177, 151,
                      {
                          GroupBox("PCB Pin", {7, 7, 163, 50}),
                          Label("Number:", {15, 22, 28, 8}),
                          Edit(IDC_PIN_NUMBER, kReadOnlyEdit, {kPinFieldX, 20, kPinNumberWidth, 14}),
                          Label("Pin Name:", {15, 39, 34, 8}),
                          Edit(IDC_PIN_NAME, kReadOnlyEdit, {kPinFieldX, 37, kPinNameWidth, 14}),
                          GroupBox("Associations", {7, 63, 163, 81}),
                          ListBox(IDC_PIN_ASSOCIATIONS, kAssociationList, {15, 76, 147, 61}),
                      });
}

}  // namespace

void AddComponentEditorPages(std::map<UINT, DialogTemplate>& dialogs) {
  dialogs[IDD_COMPONENT_PAGE] = ComponentPage();
  dialogs[IDD_PACKAGE_PAGE] = PackagePage();
  dialogs[IDD_GATE_PAGE] = GatePage();
  dialogs[IDD_SCM_PIN_PAGE] = ScmPinPage();
  dialogs[IDD_PCB_PIN_PAGE] = PcbPinPage();
}

}  // namespace resources_detail
