// The application's own dialog templates (the component picker and the name it asks
// for). Each dialog adds the module to the application's resources when it is
// constructed, so callers need not.
#pragma once

#include "platform/resource_registry.h"

inline constexpr UINT IDD_COMPONENT_PICKER = 33200;

// Controls of the component picker.
inline constexpr int IDC_PICKER_FILTER = 33201;
inline constexpr int IDC_PICKER_LIST = 33202;
inline constexpr int IDC_PICKER_PACKAGES = 33203;
inline constexpr int IDC_PICKER_COUNT = 33204;
inline constexpr int IDC_PICKER_DUPLICATE = 33205;
inline constexpr int IDC_PICKER_RENAME = 33206;
inline constexpr int IDC_PICKER_DELETE = 33207;

// The name asked for by the picker's Duplicate and Rename.
inline constexpr UINT IDD_COMPONENT_NAME = 33210;
inline constexpr int IDC_COMPONENT_NAME_PROMPT = 33211;
inline constexpr int IDC_COMPONENT_NAME_EDIT = 33212;

// The list of the pin grid's problems.
inline constexpr UINT IDD_PIN_MAP_PROBLEMS = 33220;
inline constexpr int IDC_PROBLEMS_COUNT = 33221;
inline constexpr int IDC_PROBLEMS_LIST = 33222;

// Fill Series over the selected pin cells.
inline constexpr UINT IDD_FILL_SERIES = 33230;
inline constexpr int IDC_FILL_TARGET = 33231;
inline constexpr int IDC_FILL_KIND = 33232;
inline constexpr int IDC_FILL_START_LABEL = 33233;
inline constexpr int IDC_FILL_START = 33234;
inline constexpr int IDC_FILL_STEP = 33235;
inline constexpr int IDC_FILL_WIDTH_LABEL = 33236;
inline constexpr int IDC_FILL_WIDTH = 33237;

// File > Import Symbol: a symbol of the field's libraries and, optionally, a footprint.
inline constexpr UINT IDD_IMPORT_SYMBOL = 33240;
inline constexpr int IDC_IMPORT_NAME = 33241;
inline constexpr int IDC_IMPORT_PACKAGE = 33242;
inline constexpr int IDC_IMPORT_SCM_LIBRARY = 33243;
inline constexpr int IDC_IMPORT_SCM_SYMBOL = 33244;
inline constexpr int IDC_IMPORT_SCM_PINS = 33245;
inline constexpr int IDC_IMPORT_PCB_SECTION = 33246;
inline constexpr int IDC_IMPORT_PCB_LIBRARY = 33247;
inline constexpr int IDC_IMPORT_PCB_SYMBOL = 33248;
inline constexpr int IDC_IMPORT_PCB_PINS = 33249;
inline constexpr int IDC_IMPORT_SCM_FILTER = 33250;
inline constexpr int IDC_IMPORT_PCB_FILTER = 33251;
inline constexpr int IDC_IMPORT_SCM_FOLDER = 33252;
inline constexpr int IDC_IMPORT_PCB_FOLDER = 33253;

// At start: the recovery copies left by programs that are no longer running.
inline constexpr UINT IDD_RECOVERY = 33290;
inline constexpr int IDC_RECOVERY_LIST = 33291;
inline constexpr int IDC_RECOVERY_DETAIL = 33292;
inline constexpr int IDC_RECOVERY_DISCARD = 33293;

const ResourceModule& AppResources();
