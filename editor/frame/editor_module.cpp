#include "editor/frame/editor_module.h"

#include <utility>

#include "editor/dialogs/new_component_dialog.h"
#include "editor/frame/component_frame.h"
#include "editor/resources/component_editor_resources.h"
#include "platform/resource_registry.h"
#include "platform/window_handle.h"

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

bool GetNewComponentSettings(CDesign* design, std::function<bool(const CString& name)> nameCheck) {
  CNewComponentDialog dialog(design);
  dialog.SetNameCheck(std::move(nameCheck));
  return dialog.DoModal() == IDOK;
}
