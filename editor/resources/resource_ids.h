// Identifiers of the component editor's resources: its string table, its dialog
// templates, the controls inside them, and the command identifiers the editor
// sends or receives. One number may name both a string and a template; the IDS_
// and IDD_ prefixes keep the two uses apart. A control identifier may likewise be
// reused in several templates, with a name for each role it plays.
#pragma once

#include "platform/types.h"

// ---------------------------------------------------------------------------
// String table (19000 to 19037).

inline constexpr UINT IDS_FIRST_COMPONENT_EDITOR_STRING = 19000;
inline constexpr UINT IDS_LAST_COMPONENT_EDITOR_STRING = 19037;

// Pin grid column headers.
inline constexpr UINT IDS_GATE_HEADER = 19000;  // "Gate %s", %s the gate's letter
inline constexpr UINT IDS_SCHEMATIC_SYMBOL_HEADER = 19001;
inline constexpr UINT IDS_TERMINAL_NUMBER_HEADER = 19002;
inline constexpr UINT IDS_TERMINAL_NAME_HEADER = 19003;

// Texts the editor itself never loads; they stay in the table for the host.
inline constexpr UINT IDS_PCB_SYMBOL = 19004;
inline constexpr UINT IDS_PACKAGE = 19005;
inline constexpr UINT IDS_NEW_COMPONENT = 19008;
inline constexpr UINT IDS_SCHEMATIC_PIN = 19009;
inline constexpr UINT IDS_PCB_PIN = 19010;
inline constexpr UINT IDS_VALUES = 19024;

// Property sheet caption, also the undo level of the properties command.
inline constexpr UINT IDS_PROPERTIES = 19006;

// Reference texts of the component instance drawn in the schematic view.
inline constexpr UINT IDS_GATE_REFERENCE = 19007;         // several gates
inline constexpr UINT IDS_SINGLE_GATE_REFERENCE = 19014;  // exactly one gate

// Messages recorded with CAppError::SetLastError; %1 is the first insert.
inline constexpr UINT IDS_ERR_PACKAGE_EXISTS = 19011;       // %1 package
inline constexpr UINT IDS_ERR_LAST_PACKAGE = 19012;         // no insert
inline constexpr UINT IDS_ERR_SYMBOL_NOT_FOUND = 19029;     // %1 symbol name
inline constexpr UINT IDS_ERR_CANNOT_OPEN_LIBRARY = 19030;  // %1 library path
inline constexpr UINT IDS_ERR_EMPTY_SYMBOL_NAME = 19031;    // no insert

// Context menu items of the symbol views.
inline constexpr UINT IDS_MENU_PROPERTIES = 19013;
inline constexpr UINT IDS_MENU_CANCEL = 19028;

// Yes/No questions before a deletion, formatted printf-style.
inline constexpr UINT IDS_ASK_REMOVE_PIN_ASSIGNMENTS = 19015;      // %d pin
inline constexpr UINT IDS_ASK_REMOVE_TERMINAL_ASSIGNMENT = 19016;  // %s gate, %d terminal
inline constexpr UINT IDS_ASK_REMOVE_ALL_ASSIGNMENTS = 19017;
inline constexpr UINT IDS_ASK_DELETE_GATE = 19018;  // %s gate

// One line of the PCB pin page's association list: %s gate, %d terminal.
inline constexpr UINT IDS_PIN_ASSOCIATION = 19020;

// Title of the Add Gate dialog: %s the letter of the first new gate.
inline constexpr UINT IDS_ADD_GATE_TITLE = 19026;

// Shown once when the grid control cannot be created.
inline constexpr UINT IDS_ERR_GRID_UNAVAILABLE = 19027;

// Shown before one-to-one assignment when terminal and pad counts differ.
inline constexpr UINT IDS_WARN_TERMINAL_PAD_MISMATCH = 19036;

// Undo levels; the text names the step in the host's undo list.
inline constexpr UINT IDS_UNDO_PROPERTIES = IDS_PROPERTIES;
inline constexpr UINT IDS_UNDO_ASSIGN_PINS = 19019;  // also the assign-pins prompt
inline constexpr UINT IDS_UNDO_ADD_GATE = 19021;
inline constexpr UINT IDS_UNDO_SELECT_PACKAGE = 19022;
inline constexpr UINT IDS_UNDO_ADD_PACKAGE = 19023;
inline constexpr UINT IDS_UNDO_DELETE_PACKAGE = 19025;
inline constexpr UINT IDS_UNDO_DELETE = 19032;
inline constexpr UINT IDS_UNDO_EDIT_SYMBOL_NAME = 19033;
inline constexpr UINT IDS_UNDO_EDIT_TERMINAL_NAME = 19034;
inline constexpr UINT IDS_UNDO_EDIT_PIN_MAP = 19035;
inline constexpr UINT IDS_UNDO_ASSIGN_PINS_121 = 19037;

// Pin maps in and out, the grid's clipboard, series and name matching (19400 to 19499).
inline constexpr UINT IDS_FIRST_PIN_MAP_STRING = 19400;
inline constexpr UINT IDS_UNDO_IMPORT_PIN_MAP = 19400;
inline constexpr UINT IDS_UNDO_PASTE = 19401;
inline constexpr UINT IDS_UNDO_FILL_SERIES = 19402;
inline constexpr UINT IDS_UNDO_ASSIGN_BY_NAME = 19403;
inline constexpr UINT IDS_LAST_PIN_MAP_STRING = 19403;

// Pins of footprints that name their lands (19500 to 19599).
inline constexpr UINT IDS_FIRST_PAD_NAME_STRING = 19500;
inline constexpr UINT IDS_ASK_REMOVE_NAMED_PIN_ASSIGNMENTS = 19500;  // %s pad name
inline constexpr UINT IDS_LAST_PAD_NAME_STRING = 19500;

// ---------------------------------------------------------------------------
// Dialog templates (19000 to 19012).

inline constexpr UINT IDD_SELECT_PACKAGE = 19000;
inline constexpr UINT IDD_COMPONENT_PAGE = 19001;
inline constexpr UINT IDD_ADD_PACKAGE = 19002;
inline constexpr UINT IDD_ADD_GATE = 19003;
inline constexpr UINT IDD_PACKAGE_PAGE = 19004;
inline constexpr UINT IDD_GATE_PAGE = 19006;
inline constexpr UINT IDD_NEW_COMPONENT = 19008;
inline constexpr UINT IDD_DELETE_PACKAGE = 19009;
inline constexpr UINT IDD_SCM_PIN_PAGE = 19010;
inline constexpr UINT IDD_PCB_PIN_PAGE = 19011;
inline constexpr UINT IDD_DISPLAY = 19012;

// ---------------------------------------------------------------------------
// Controls (1001 to 1176).

inline constexpr int IDC_FIRST_COMPONENT_EDITOR_CONTROL = 1001;
inline constexpr int IDC_LAST_COMPONENT_EDITOR_CONTROL = 1176;

// Component name and description.
inline constexpr int IDC_COMPONENT_NAME = 1001;  // component page, new component
inline constexpr int IDC_DESCRIPTION = 1003;     // component page, package page
inline constexpr int IDC_DEFAULT_REFERENCE = 1004;

// Package names.
inline constexpr int IDC_PACKAGE_NAME = 1007;   // package page
inline constexpr int IDC_PACKAGE_COMBO = 1013;  // add package, new component
inline constexpr int IDC_PACKAGE_LIST = 1022;   // select/delete package, component page

// Library symbol choosers: library list, symbol list and pin count.
inline constexpr int IDC_PCB_SYMBOL_COMBO = 1017;
inline constexpr int IDC_PCB_PIN_COUNT = 1018;
inline constexpr int IDC_SCM_SYMBOL_COMBO = 1019;
inline constexpr int IDC_SCM_PIN_COUNT = 1020;
inline constexpr int IDC_SCM_LIBRARY_COMBO = 1030;
inline constexpr int IDC_PCB_LIBRARY_COMBO = 1032;
inline constexpr int IDC_PAGE_PIN_COUNT = 1026;  // gate page, package page

// Number of gates to add (add gate) or to create (new component).
inline constexpr int IDC_GATE_COUNT = 1021;

// Pin pages.
inline constexpr int IDC_PIN_NUMBER = 1025;  // PCB pin of a terminal, or the pin shown
inline constexpr int IDC_PIN_NAME = 1026;    // terminal name
inline constexpr int IDC_GATE_NAME = 1027;
inline constexpr int IDC_TERMINAL_NUMBER = 1028;
inline constexpr int IDC_PIN_ASSOCIATIONS = 1031;

// Component page: which names the schematic and the PCB show.
inline constexpr int IDC_SCM_SHOW_REFERENCE = 1034;
inline constexpr int IDC_SCM_SHOW_COMPONENT = 1035;
inline constexpr int IDC_SCM_SHOW_SYMBOL = 1036;
inline constexpr int IDC_SCM_SHOW_PACKAGE = 1037;
inline constexpr int IDC_SCM_SHOW_PIN_NAME = 1038;
inline constexpr int IDC_SCM_SHOW_PIN_NUMBER = 1039;
inline constexpr int IDC_PCB_SHOW_REFERENCE = 1040;
inline constexpr int IDC_PCB_SHOW_COMPONENT = 1041;
inline constexpr int IDC_PCB_SHOW_SYMBOL = 1042;
inline constexpr int IDC_PCB_SHOW_PACKAGE = 1043;
inline constexpr int IDC_PCB_SHOW_PIN_NAME = 1044;
inline constexpr int IDC_PCB_SHOW_PIN_NUMBER = 1045;

// Add gate.
inline constexpr int IDC_ADD_GATE_FIND_SYMBOL = 1037;

// New component: the check boxes that switch a section on, its Find Symbol
// buttons, and the labels that are disabled with their section.
inline constexpr int IDC_SCM_SECTION = 1039;
inline constexpr int IDC_PCB_SECTION = 1040;
inline constexpr int IDC_FIND_SCM_SYMBOL = 1041;
inline constexpr int IDC_FIND_PCB_SYMBOL = 1042;
inline constexpr int IDC_SCM_LIBRARY_LABEL = 1043;
inline constexpr int IDC_SCM_NAME_LABEL = 1044;
inline constexpr int IDC_SCM_PINS_LABEL = 1045;
inline constexpr int IDC_GATES_LABEL = 1046;
inline constexpr int IDC_PCB_LIBRARY_LABEL = 1047;
inline constexpr int IDC_PCB_NAME_LABEL = 1048;
inline constexpr int IDC_PCB_PINS_LABEL = 1049;

// Display colours.
inline constexpr int IDC_COLOUR_UNASSIGNED_PINS = 1159;
inline constexpr int IDC_COLOUR_BACKGROUND = 1162;
inline constexpr int IDC_COLOUR_SELECTION = 1163;
inline constexpr int IDC_COLOUR_OUTLINES = 1166;
inline constexpr int IDC_COLOUR_ASSIGNED_PINS = 1168;
inline constexpr int IDC_COLOUR_TEXT = 1170;
inline constexpr int IDC_COLOUR_TERMINAL_NAMES = 1171;
inline constexpr int IDC_COLOUR_TERMINAL_NUMBERS = 1172;
inline constexpr int IDC_COLOUR_HIGHLIGHT = 1176;

// ---------------------------------------------------------------------------
// Commands.

// Context menu items of the symbol views, routed to the running mode.
inline constexpr UINT ID_CONTEXT_PROPERTIES = 16016;
inline constexpr UINT ID_CONTEXT_CANCEL_ASSIGN_PINS = 16045;

// View commands.
inline constexpr UINT ID_VIEW_PAN = 32784;
inline constexpr UINT ID_VIEW_ZOOM_IN_AT_CURSOR = 32842;
inline constexpr UINT ID_VIEW_ZOOM_OUT_AT_CURSOR = 32843;

// The views' director command; sent to the main window when a pin-assignment
// run ends.
inline constexpr UINT ID_PIN_ASSIGNMENT_ENDED = 32814;
