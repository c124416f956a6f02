// One component of a library file as the file format writes it, for comparing what a
// save left of the components it did not touch.
#pragma once

#include <string>
#include <vector>

#include "host/model/component_library_file.h"

// Empty when the library holds no such component; the reason when it cannot be read.
inline std::string ComponentText(const CString& library, const char* name) {
  std::vector<LibraryComponent> components;
  CString error;
  if (!CComponentLibraryFile::Load(library, components, error)) return "unreadable: " + error.str();
  for (LibraryComponent& component : components) {
    if (component.name == name) return CComponentLibraryFile::Format({component});
  }
  return {};
}
