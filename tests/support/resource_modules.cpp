#include "tests/support/resource_modules.h"

#include "editor/resources/component_editor_resources.h"
#include "host/resources/host_resources.h"

void AddProductResourceModules() {
  Resources::AddModule(&HostResources());
  Resources::AddModule(&ComponentEditorResources());
}
