// Strings of the host application that the component editor borrows. They
// belong to the host's own string table, not to the editor module.
#pragma once

#include "platform/resource_registry.h"
#include "resources/resource_ids.h"

const ResourceModule& HostResources();
