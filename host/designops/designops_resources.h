// The design operations' own dialog templates. Each dialog adds the module to the
// application's resources when it is constructed, so callers need not.
#pragma once

#include "platform/resource_registry.h"

inline constexpr UINT IDD_VALUES = 25100;

// The undo level of a value edit.
inline constexpr UINT IDS_UNDO_VALUES = 25110;

// Controls of the values dialog.
inline constexpr int IDC_VALUES_LIST = 25101;
inline constexpr int IDC_VALUES_NAME = 25102;
inline constexpr int IDC_VALUES_VALUE = 25103;
inline constexpr int IDC_VALUES_ADD = 25104;
inline constexpr int IDC_VALUES_CHANGE = 25105;
inline constexpr int IDC_VALUES_DELETE = 25106;

const ResourceModule& DesignOpsResources();
