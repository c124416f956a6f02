#include "frame/editor_module.h"

#include "frame/component_frame.h"
#include "platform/resource_registry.h"
#include "platform/window_handle.h"
#include "resources/component_editor_resources.h"

void LoadComponentEditorModule() {
  Resources::AddModule(&ComponentEditorResources());
  CComponentFrame::SetInvalidateFrameMessage(RegisterWindowMessage("Invalidate.Frame"));
}

void UnloadComponentEditorModule() {
  Resources::RemoveModule(&ComponentEditorResources());
}

bool IsComponentEditorModuleLoaded() {
  return Resources::HasModule(&ComponentEditorResources());
}
