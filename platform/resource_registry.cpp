#include "platform/resource_registry.h"

#include <algorithm>

namespace {
std::vector<const ResourceModule*>& Modules() {
  static std::vector<const ResourceModule*> modules;
  return modules;
}
}  // namespace

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
  for (const ControlTemplate& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

void Resources::AddModule(const ResourceModule* module) {
  if (!HasModule(module)) Modules().push_back(module);
}

void Resources::RemoveModule(const ResourceModule* module) {
  auto& modules = Modules();
  modules.erase(std::remove(modules.begin(), modules.end(), module), modules.end());
}

bool Resources::HasModule(const ResourceModule* module) {
  const auto& modules = Modules();
  return std::find(modules.begin(), modules.end(), module) != modules.end();
}

const std::string* Resources::FindString(UINT id) {
  const auto& modules = Modules();
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) {
    const auto found = (*it)->strings.find(id);
    if (found != (*it)->strings.end()) return &found->second;
  }
  return nullptr;
}

const DialogTemplate* Resources::FindDialog(UINT id) {
  const auto& modules = Modules();
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) {
    const auto found = (*it)->dialogs.find(id);
    if (found != (*it)->dialogs.end()) return &found->second;
  }
  return nullptr;
}
