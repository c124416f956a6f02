// The string tables and dialog templates the tests run with: the host's and the
// editor's modules, registered as the running program registers them.
#pragma once

#include "platform/resource_registry.h"

// The host's module, then the editor's, which is searched first.
void AddProductResourceModules();
