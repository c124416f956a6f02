// The application's own dialog template (the component picker). The picker adds the
// module to the application's resources when it is constructed, so callers need not.
#pragma once

#include "platform/resource_registry.h"

inline constexpr UINT IDD_COMPONENT_PICKER = 33200;

// Controls of the component picker.
inline constexpr int IDC_PICKER_FILTER = 33201;
inline constexpr int IDC_PICKER_LIST = 33202;
inline constexpr int IDC_PICKER_PACKAGES = 33203;
inline constexpr int IDC_PICKER_COUNT = 33204;

const ResourceModule& AppResources();
