// The component editor's string table. Texts with %s and %d are formatted
// printf-style by their callers; texts with %1 are messages whose inserts
// CAppError::SetLastError fills in.
#include "editor/resources/component_editor_parts.h"
#include "editor/resources/resource_ids.h"

namespace resources_detail {

std::map<UINT, std::string> ComponentEditorStrings() {
  return {
      {IDS_GATE_HEADER, "Gate %s"},
      {IDS_SCHEMATIC_SYMBOL_HEADER, "Schematic Symbol"},
      {IDS_TERMINAL_NUMBER_HEADER, "Terminal Number"},
      {IDS_TERMINAL_NAME_HEADER, "Terminal Name"},
      {IDS_PCB_SYMBOL, "PCB Symbol"},
      {IDS_PACKAGE, "Package"},
      {IDS_PROPERTIES, "Properties"},
      // The gate letters follow in the drawing, so the trailing space matters.
      {IDS_GATE_REFERENCE, "Gate "},
      {IDS_NEW_COMPONENT, "New Component"},
      {IDS_SCHEMATIC_PIN, "Schematic Pin"},
      {IDS_PCB_PIN, "PCB Pin"},
      {IDS_ERR_PACKAGE_EXISTS, "Package \"%1\" is already defined for this component."},
      {IDS_ERR_LAST_PACKAGE, "Cannot delete the last package for a component."},
      {IDS_MENU_PROPERTIES, "&Properties..."},
      {IDS_SINGLE_GATE_REFERENCE, "Gate a"},
      {IDS_ASK_REMOVE_PIN_ASSIGNMENTS, "Remove pin assignments for pin %d?"},
      {IDS_ASK_REMOVE_TERMINAL_ASSIGNMENT, "Remove pin assignment for gate %s, terminal %d?"},
      {IDS_ASK_REMOVE_ALL_ASSIGNMENTS, "Remove all pin assignments?"},
      {IDS_ASK_DELETE_GATE, "Delete gate %s?"},
      {IDS_UNDO_ASSIGN_PINS, "Assign Pins"},
      // The tab lines the terminals up in the list box, which has tab stops.
      {IDS_PIN_ASSOCIATION, "Gate %s\tTerminal %d"},
      {IDS_UNDO_ADD_GATE, "Add Gate"},
      {IDS_UNDO_SELECT_PACKAGE, "Select Package"},
      {IDS_UNDO_ADD_PACKAGE, "Add Package"},
      {IDS_VALUES, "Values"},
      {IDS_UNDO_DELETE_PACKAGE, "Delete Package"},
      {IDS_ADD_GATE_TITLE, "Add Gate %s"},
      {IDS_ERR_GRID_UNAVAILABLE,
       "Due to a problem initialising a Microsoft OCX control the grid cannot be displayed.\n\n"
       "This option has now been turned off in Preferences."},
      {IDS_MENU_CANCEL, "Cancel"},
      {IDS_ERR_SYMBOL_NOT_FOUND, "Symbol %1 does not exist."},
      {IDS_ERR_CANNOT_OPEN_LIBRARY, "Cannot open library \"%1\"."},
      {IDS_ERR_EMPTY_SYMBOL_NAME, "Symbol name cannot be empty."},
      {IDS_UNDO_DELETE, "Delete"},
      {IDS_UNDO_EDIT_SYMBOL_NAME, "Edit Symbol Name"},
      {IDS_UNDO_EDIT_TERMINAL_NAME, "Edit Terminal Name"},
      {IDS_UNDO_EDIT_PIN_MAP, "Edit Pin Map"},
      {IDS_WARN_TERMINAL_PAD_MISMATCH,
       "There is a mismatch between terminals and pads. Process will assign as best as possible."},
      {IDS_UNDO_ASSIGN_PINS_121, "Assign Pins 1-1"},
      {IDS_UNDO_IMPORT_PIN_MAP, "Import Pin Map"},
      {IDS_UNDO_PASTE, "Paste"},
      {IDS_UNDO_FILL_SERIES, "Fill Series"},
      {IDS_UNDO_ASSIGN_BY_NAME, "Assign by Name"},
      {IDS_ASK_REMOVE_NAMED_PIN_ASSIGNMENTS, "Remove pin assignments for pin %s?"},
  };
}

}  // namespace resources_detail
