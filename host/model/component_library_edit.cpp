#include "host/model/component_library_edit.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/temp_file.h"

namespace {

using Components = std::vector<LibraryComponent>;

bool FileExists(const CString& path) {
  std::error_code code;
  return std::filesystem::exists(path.str(), code) && !code;
}

CString FileNameOf(const CString& path) {
  return std::filesystem::path(path.str()).filename().string();
}

Components::iterator Find(Components& components, const char* name) {
  return std::find_if(components.begin(), components.end(),
                      [name](const LibraryComponent& item) { return item.name.CompareNoCase(name) == 0; });
}

bool Read(const CString& path, Components& components, CString& error) {
  return CComponentLibraryFile::Load(path, components, error);
}

bool ReadOrStartEmpty(const CString& path, Components& components, CString& error) {
  components.clear();
  if (!FileExists(path)) return true;
  return Read(path, components, error);
}

// The records carry the component's name too; they must agree with it.
void Name(LibraryComponent& component, const char* name) {
  component.name = name;
  for (ComponentValue& record : component.records) record.name = name;
}

CString AlreadyHeld(const CString& path, const char* name) {
  CString error;
  error.FormatMessage("The library \"%1\" already holds a component named \"%2\".", FileNameOf(path), name);
  return error;
}

CString NotHeld(const CString& path, const char* name) {
  CString error;
  error.FormatMessage("The library \"%1\" holds no component named \"%2\".", FileNameOf(path), name);
  return error;
}

// Writes only a library that reads back: a name too long, empty or repeated is refused
// here with the reader's own words, before the file is touched.
bool Write(const CString& path, const Components& components, CString& error) {
  const std::string text = CComponentLibraryFile::Format(components);
  Components check;
  CString problem;
  if (!CComponentLibraryFile::Parse(text, path, check, problem)) {
    error = "The library would not read back, so it was left as it was: " + problem;
    return false;
  }
  return WriteFileAtomically(path, text, error);
}

}  // namespace

bool CComponentLibraryEdit::CreateLibrary(const CString& path, CString& error) {
  if (FileExists(path)) {
    error.FormatMessage("\"%1\" already exists; open it, or choose another name for the new library.", path);
    return false;
  }
  return Write(path, {}, error);
}

bool CComponentLibraryEdit::HasComponent(const CString& path, const char* name, CString& error) {
  error.Empty();
  Components components;
  if (!ReadOrStartEmpty(path, components, error)) return false;
  return Find(components, name) != components.end();
}

bool CComponentLibraryEdit::AddComponent(const CString& path, const char* name, const CDesign& design,
                                         CString& error) {
  LibraryComponent component = CComponentLibraryFile::CollectComponent(design, name);
  if (component.records.empty()) {
    error.FormatMessage("Cannot add component \"%1\" to \"%2\": the design holds no record of it.", name,
                        FileNameOf(path));
    return false;
  }
  return AddComponent(path, std::move(component), error);
}

bool CComponentLibraryEdit::AddComponent(const CString& path, LibraryComponent component, CString& error) {
  Components components;
  if (!ReadOrStartEmpty(path, components, error)) return false;
  if (Find(components, component.name) != components.end()) {
    error = AlreadyHeld(path, component.name);
    return false;
  }
  components.push_back(std::move(component));
  return Write(path, components, error);
}

bool CComponentLibraryEdit::CopyComponent(const CString& path, const char* name, const char* newName,
                                          CString& error) {
  Components components;
  if (!Read(path, components, error)) return false;
  const auto source = Find(components, name);
  if (source == components.end()) {
    error = NotHeld(path, name);
    return false;
  }
  if (Find(components, newName) != components.end()) {
    error = AlreadyHeld(path, newName);
    return false;
  }
  LibraryComponent copy = *source;
  Name(copy, newName);
  components.insert(source + 1, std::move(copy));
  return Write(path, components, error);
}

bool CComponentLibraryEdit::RenameComponent(const CString& path, const char* name, const char* newName,
                                            CString& error) {
  Components components;
  if (!Read(path, components, error)) return false;
  const auto renamed = Find(components, name);
  if (renamed == components.end()) {
    error = NotHeld(path, name);
    return false;
  }
  const auto clash = Find(components, newName);
  if (clash != components.end() && clash != renamed) {
    error = AlreadyHeld(path, newName);
    return false;
  }
  Name(*renamed, newName);
  return Write(path, components, error);
}

bool CComponentLibraryEdit::DeleteComponent(const CString& path, const char* name, CString& error) {
  Components components;
  if (!Read(path, components, error)) return false;
  const auto deleted = Find(components, name);
  if (deleted == components.end()) {
    error = NotHeld(path, name);
    return false;
  }
  components.erase(deleted);
  return Write(path, components, error);
}
