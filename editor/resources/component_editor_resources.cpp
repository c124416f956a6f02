#include "editor/resources/component_editor_resources.h"

#include "editor/resources/component_editor_parts.h"

namespace {

ResourceModule BuildComponentEditorResources() {
  ResourceModule module;
  module.name = "ComponentEditor";
  module.strings = resources_detail::ComponentEditorStrings();
  resources_detail::AddComponentEditorDialogs(module.dialogs);
  resources_detail::AddComponentEditorPages(module.dialogs);
  return module;
}

}  // namespace

const ResourceModule& ComponentEditorResources() {
  // Built once, on first use, and never changed: the registry keeps a pointer to it.
  static const ResourceModule module = BuildComponentEditorResources();
  return module;
}
