// The library tools' own dialog templates. Each dialog adds the module to the
// application's resources when it is constructed, so callers need not.
#pragma once

#include "platform/resource_registry.h"

inline constexpr UINT IDD_FIND_LIBRARY_ITEM = 25000;

// Controls of the find dialog.
inline constexpr int IDC_FIND_PATTERN = 25001;
inline constexpr int IDC_FIND_SEARCH = 25002;
inline constexpr int IDC_FIND_RESULTS = 25003;
inline constexpr int IDC_FIND_USE = 25004;
inline constexpr int IDC_FIND_STATUS = 25005;

const ResourceModule& LibraryToolsResources();
