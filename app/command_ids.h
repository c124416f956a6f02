// The application's command identifiers: its menus, tool bar and shortcuts. The
// editor module's own command numbers (view commands, context menus and the end of
// a pin-assignment run) are left to it, so a menu command never reaches a view
// that would read it as one of its own.
#pragma once

#include "platform/types.h"

// File
inline constexpr UINT ID_APP_OPEN_LIBRARY = 33100;
inline constexpr UINT ID_APP_OPEN_COMPONENT = 33101;
inline constexpr UINT ID_APP_SAVE = 33102;
inline constexpr UINT ID_APP_SAVE_AS = 33103;
inline constexpr UINT ID_APP_CLOSE = 33104;
inline constexpr UINT ID_APP_QUIT = 33105;
inline constexpr UINT ID_APP_NEW_COMPONENT = 33106;
inline constexpr UINT ID_APP_NEW_LIBRARY = 33107;
inline constexpr UINT ID_APP_IMPORT_SYMBOL = 33108;
// The recently opened libraries, most recent first.
inline constexpr UINT ID_APP_RECENT_FIRST = 33110;
inline constexpr int kRecentLibraryCount = 4;
inline constexpr UINT ID_APP_RECENT_LAST = ID_APP_RECENT_FIRST + kRecentLibraryCount - 1;

// Edit
inline constexpr UINT ID_APP_UNDO = 33120;
inline constexpr UINT ID_APP_REDO = 33121;
inline constexpr UINT ID_APP_DELETE = 33122;
inline constexpr UINT ID_APP_PROPERTIES = 33123;
inline constexpr UINT ID_APP_VALUES = 33124;
inline constexpr UINT ID_APP_EDIT_SCM_SYMBOL = 33125;
inline constexpr UINT ID_APP_EDIT_PCB_SYMBOL = 33126;

// Component
inline constexpr UINT ID_APP_SELECT_MODE = 33130;
inline constexpr UINT ID_APP_ASSIGN_PINS = 33131;
inline constexpr UINT ID_APP_ASSIGN_PINS_121 = 33132;
inline constexpr UINT ID_APP_ADD_GATE = 33133;
inline constexpr UINT ID_APP_ADD_PACKAGE = 33134;
inline constexpr UINT ID_APP_SELECT_PACKAGE = 33135;
inline constexpr UINT ID_APP_DELETE_PACKAGE = 33136;
inline constexpr UINT ID_APP_CHECK_VALIDITY = 33137;
// The tool bar's drop-down list of the design's packages.
inline constexpr UINT ID_APP_PACKAGE_LIST = 33138;

// View
inline constexpr UINT ID_APP_ZOOM_IN = 33140;
inline constexpr UINT ID_APP_ZOOM_OUT = 33141;
inline constexpr UINT ID_APP_ZOOM_EXTENTS = 33142;
inline constexpr UINT ID_APP_REFRESH = 33143;
inline constexpr UINT ID_APP_PAN = 33144;
inline constexpr UINT ID_APP_DISPLAY_COLOURS = 33145;
inline constexpr UINT ID_APP_SHOW_GRID = 33146;

// The status bar pane that names the open component.
inline constexpr UINT ID_APP_COMPONENT_PANE = 33150;

// Pin maps in and out, the pin grid's clipboard and assignment by name.
inline constexpr UINT ID_APP_IMPORT_PIN_MAP = 33400;
inline constexpr UINT ID_APP_EXPORT_PIN_MAP = 33401;
inline constexpr UINT ID_APP_COPY_CELLS = 33402;
inline constexpr UINT ID_APP_PASTE_CELLS = 33403;
inline constexpr UINT ID_APP_ASSIGN_BY_NAME = 33404;
// The status bar pane that counts the pin grid's marked cells; a click on it lists them.
inline constexpr UINT ID_APP_PROBLEMS_PANE = 33405;
// The list of those cells, and a series over the selected pin cells.
inline constexpr UINT ID_APP_SHOW_PROBLEMS = 33406;
inline constexpr UINT ID_APP_FILL_SERIES = 33407;
// File > Export to KiCad.
inline constexpr UINT ID_APP_EXPORT_KICAD = 33460;
// File > Import Pin Table.
inline constexpr UINT ID_APP_IMPORT_PIN_TABLE = 33480;
