// The component editor's modal dialogs. Controls are listed in tab order;
// rectangles are in dialog units (x, y, width, height). A combo box's height is
// that of the control with its list dropped down.
#include "editor/resources/component_editor_parts.h"
#include "editor/resources/resource_ids.h"
#include "platform/dialog_template_builder.h"

namespace resources_detail {

using namespace dialog_templates;
namespace {

// Select Package and Delete Package share one layout: a package list and two
// buttons; only the caption and the confirming button differ.
DialogTemplate PackageChoiceDialog(UINT id, const std::string& caption, const std::string& okText) {
  return ModalDialog(id, caption, {0, 0, 158, 58},
                     {
                         Label("Package:", {8, 9, 32, 8}),
                         ComboBox(IDC_PACKAGE_LIST, kSortedDropDown, {56, 7, 95, 50}),
                         DefPushButton(IDOK, okText, {21, 37, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {87, 37, 50, 14}),
                     });
}

DialogTemplate AddPackageDialog() {
  return ModalDialog(IDD_ADD_PACKAGE, "Add Package", {0, 0, 175, 127},
                     {
                         Label("Package:", {7, 9, 32, 8}),
                         ComboBox(IDC_PACKAGE_COMBO, kSortedDropDown, {51, 7, 117, 63}),
                         GroupBox("PCB Symbol", {7, 29, 161, 66}),
                         Label("Library:", {15, 43, 24, 8}),
                         ComboBox(IDC_PCB_LIBRARY_COMBO, kSortedDropDownList, {51, 42, 110, 69}),
                         Label("Name:", {15, 59, 22, 8}),
                         ComboBox(IDC_PCB_SYMBOL_COMBO, kSortedDropDown, {51, 58, 110, 63}),
                         Label("Pins:", {15, 77, 16, 8}),
                         Edit(IDC_PCB_PIN_COUNT, kSingleLineEdit, {51, 74, 40, 14}),
                         DefPushButton(IDOK, "OK", {29, 106, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {95, 106, 50, 14}),
                     });
}

// The caption is replaced at start by the title naming the first new gate.
DialogTemplate AddGateDialog() {
  return ModalDialog(IDD_ADD_GATE, "Add Gate", {0, 0, 286, 186},
                     {
                         Label("&Library:", {7, 9, 24, 8}),
                         ComboBox(IDC_SCM_LIBRARY_COMBO, kSortedDropDownList, {46, 7, 110, 69}),
                         Label("&Name:", {7, 24, 22, 8}),
                         Label("&Pins:", {7, 149, 16, 8}),
                         Edit(IDC_SCM_PIN_COUNT, kSingleLineEdit, {47, 147, 40, 14}),
                         DefPushButton(IDOK, "&Add", {229, 7, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {229, 24, 50, 14}),
                         PushButton(IDC_ADD_GATE_FIND_SYMBOL, "&Find Symbol...", {162, 7, 58, 14}),
                         Label("&How Many:", {7, 165, 37, 8}),
                         Edit(IDC_GATE_COUNT, kSingleLineEdit, {47, 164, 40, 14}),
                         ComboBox(IDC_SCM_SYMBOL_COMBO, kSortedSimpleCombo, {46, 23, 110, 120}),
                     });
}

// Each section is a group box without text; the check box that switches the
// section on sits on the box's top edge as its caption.
DialogTemplate NewComponentDialog() {
  return ModalDialog(IDD_NEW_COMPONENT, "New Component", {0, 0, 248, 289},
                     {
                         Label("Component:", {7, 8, 39, 8}),
                         Edit(IDC_COMPONENT_NAME, kSingleLineEdit, {53, 7, 119, 14}),
                         Label("Package:", {7, 26, 32, 8}),
                         ComboBox(IDC_PACKAGE_COMBO, kSortedDropDown, {53, 24, 119, 63}),
                         GroupBox("", {7, 173, 234, 109}),
                         Label(IDC_PCB_LIBRARY_LABEL, "Library:", {13, 187, 24, 8}),
                         ComboBox(IDC_PCB_LIBRARY_COMBO, kSortedDropDownList, {53, 186, 119, 69}),
                         Label(IDC_PCB_NAME_LABEL, "Name:", {13, 201, 22, 8}),
                         ComboBox(IDC_PCB_SYMBOL_COMBO, kSortedSimpleCombo, {53, 200, 119, 65}),
                         Label(IDC_PCB_PINS_LABEL, "Pins:", {13, 265, 16, 8}),
                         Edit(IDC_PCB_PIN_COUNT, kSingleLineEdit, {53, 264, 40, 14}),
                         GroupBox("", {7, 57, 234, 111}),
                         Label(IDC_SCM_LIBRARY_LABEL, "Library:", {13, 72, 24, 8}),
                         ComboBox(IDC_SCM_LIBRARY_COMBO, kSortedDropDownList, {53, 71, 119, 69}),
                         Label(IDC_SCM_NAME_LABEL, "Name:", {13, 86, 22, 8}),
                         ComboBox(IDC_SCM_SYMBOL_COMBO, kSortedSimpleCombo, {53, 85, 119, 65}),
                         Label(IDC_SCM_PINS_LABEL, "Pins:", {13, 152, 16, 8}),
                         Edit(IDC_SCM_PIN_COUNT, kSingleLineEdit, {53, 149, 40, 14}),
                         Label(IDC_GATES_LABEL, "Gates:", {101, 152, 22, 8}),
                         Edit(IDC_GATE_COUNT, kSingleLineEdit, {132, 149, 40, 14}),
                         DefPushButton(IDOK, "OK", {191, 7, 50, 14}),
                         PushButton(IDCANCEL, "Cancel", {191, 26, 50, 14}),
                         Label("Default Reference:", {7, 42, 61, 8}),
                         ComboBox(IDC_DEFAULT_REFERENCE, kSortedDropDown, {75, 40, 57, 72}),
                         CheckBox(IDC_SCM_SECTION, "Schematic Symbol", {7, 56, 74, 10}),
                         CheckBox(IDC_PCB_SECTION, "PCB Symbol", {7, 172, 55, 10}),
                         PushButton(IDC_FIND_SCM_SYMBOL, "Find Symbol...", {184, 72, 50, 14}),
                         PushButton(IDC_FIND_PCB_SYMBOL, "Find Symbol...", {184, 186, 50, 14}),
                     });
}

// Each colour is chosen in a combo box of the host's colour class, which draws
// its items itself.
DialogTemplate DisplayDialog() {
  constexpr DWORD kColourCombo =
      CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
  constexpr int kComboX = 84;
  constexpr int kComboWidth = 48;
  constexpr int kComboHeight = 50;
  return ModalDialog(
      IDD_DISPLAY, "Display", {0, 0, 224, 158},
      {
          Label("Outlines:", {7, 8, 28, 8}),
          ComboBox(IDC_COLOUR_OUTLINES, kColourCombo, {kComboX, 7, kComboWidth, kComboHeight}),
          Label("Text:", {7, 24, 17, 8}),
          ComboBox(IDC_COLOUR_TEXT, kColourCombo, {kComboX, 23, kComboWidth, kComboHeight}),
          Label("Assigned Pins:", {7, 40, 47, 8}),
          ComboBox(IDC_COLOUR_ASSIGNED_PINS, kColourCombo, {kComboX, 39, kComboWidth, kComboHeight}),
          Label("Unassigned Pins:", {7, 56, 56, 8}),
          ComboBox(IDC_COLOUR_UNASSIGNED_PINS, kColourCombo, {kComboX, 55, kComboWidth, kComboHeight}),
          Label("Terminal Names:", {7, 72, 54, 8}),
          ComboBox(IDC_COLOUR_TERMINAL_NAMES, kColourCombo, {kComboX, 71, kComboWidth, kComboHeight}),
          Label("Terminal Numbers:", {7, 88, 60, 8}),
          ComboBox(IDC_COLOUR_TERMINAL_NUMBERS, kColourCombo, {kComboX, 87, kComboWidth, kComboHeight}),
          Label("Selection:", {7, 104, 32, 8}),
          ComboBox(IDC_COLOUR_SELECTION, kColourCombo, {kComboX, 103, kComboWidth, kComboHeight}),
          Label("Highlight:", {7, 120, 40, 8}),
          ComboBox(IDC_COLOUR_HIGHLIGHT, kColourCombo, {kComboX, 119, kComboWidth, kComboHeight}),
          Label("BackGround:", {7, 136, 43, 8}),
          ComboBox(IDC_COLOUR_BACKGROUND, kColourCombo, {kComboX, 135, kComboWidth, kComboHeight}),
          DefPushButton(IDOK, "OK", {167, 7, 50, 14}),
          PushButton(IDCANCEL, "Cancel", {167, 27, 50, 14}),
      });
}

}  // namespace

void AddComponentEditorDialogs(std::map<UINT, DialogTemplate>& dialogs) {
  dialogs[IDD_SELECT_PACKAGE] = PackageChoiceDialog(IDD_SELECT_PACKAGE, "Select Package", "OK");
  dialogs[IDD_DELETE_PACKAGE] = PackageChoiceDialog(IDD_DELETE_PACKAGE, "Delete Package", "&Delete");
  dialogs[IDD_ADD_PACKAGE] = AddPackageDialog();
  dialogs[IDD_ADD_GATE] = AddGateDialog();
  dialogs[IDD_NEW_COMPONENT] = NewComponentDialog();
  dialogs[IDD_DISPLAY] = DisplayDialog();
}

}  // namespace resources_detail
