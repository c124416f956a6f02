// Strings of the host application that the component editor borrows. They
// belong to the host's own string table, not to the editor module.
#pragma once

#include "platform/resource_registry.h"

// The host application's question before it goes on with a design that failed
// its validity check; %1 is the check's report.
inline constexpr UINT IDS_HOST_CONTINUE_WITH_INVALID_DESIGN = 61532;

const ResourceModule& HostResources();
