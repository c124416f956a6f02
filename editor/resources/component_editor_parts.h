// The pieces the component editor's resource module is assembled from. Internal
// to the resources library.
#pragma once

#include <map>
#include <string>

#include "platform/resource_registry.h"

namespace resources_detail {

std::map<UINT, std::string> ComponentEditorStrings();
// The modal dialogs: package choice, add gate, add package, new component, display.
void AddComponentEditorDialogs(std::map<UINT, DialogTemplate>& dialogs);
// The pages of the properties sheet.
void AddComponentEditorPages(std::map<UINT, DialogTemplate>& dialogs);

}  // namespace resources_detail
