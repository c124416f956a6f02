#include "host/model/component_library_edit.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

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

// Every change reads, edits and writes the library as its one writer, and writes only a
// library that reads back: a name too long, empty or repeated is refused with the
// reader's own words, before the file is touched.
bool Change(const CString& path, bool mayCreate, const CComponentLibraryFile::Change& change, CString& error,
            const AtomicWriteOptions& options = {}) {
  return CComponentLibraryFile::Update(path, mayCreate, true, change, options, error);
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

}  // namespace

bool CComponentLibraryEdit::CreateLibrary(const CString& path, CString& error) {
  if (FileExists(path)) {
    error.FormatMessage("\"%1\" already exists; open it, or choose another name for the new library.", path);
    return false;
  }
  return Change(
      path, true, [](Components&, CString&) { return true; }, error);
}

bool CComponentLibraryEdit::HasComponent(const CString& path, const char* name, CString& error) {
  error.Empty();
  Components components;
  if (FileExists(path) && !CComponentLibraryFile::Load(path, components, error)) return false;
  return Find(components, name) != components.end();
}

bool CComponentLibraryEdit::AddComponent(const CString& path, const char* name, const CDesign& design,
                                         CString& error, const AtomicWriteOptions& options) {
  LibraryComponent component = CComponentLibraryFile::CollectComponent(design, name);
  if (component.records.empty()) {
    error.FormatMessage("Cannot add component \"%1\" to \"%2\": the design holds no record of it.", name,
                        FileNameOf(path));
    return false;
  }
  return AddComponent(path, std::move(component), error, options);
}

bool CComponentLibraryEdit::AddComponent(const CString& path, LibraryComponent component, CString& error,
                                         const AtomicWriteOptions& options) {
  const auto add = [&](Components& components, CString& problem) {
    if (Find(components, component.name) != components.end()) {
      problem = AlreadyHeld(path, component.name);
      return false;
    }
    components.push_back(std::move(component));
    return true;
  };
  return Change(path, true, add, error, options);
}

bool CComponentLibraryEdit::CopyComponent(const CString& path, const char* name, const char* newName,
                                          CString& error) {
  const auto copy = [&](Components& components, CString& problem) {
    const auto source = Find(components, name);
    if (source == components.end()) {
      problem = NotHeld(path, name);
      return false;
    }
    if (Find(components, newName) != components.end()) {
      problem = AlreadyHeld(path, newName);
      return false;
    }
    LibraryComponent copied = *source;
    Name(copied, newName);
    components.insert(source + 1, std::move(copied));
    return true;
  };
  return Change(path, false, copy, error);
}

bool CComponentLibraryEdit::RenameComponent(const CString& path, const char* name, const char* newName,
                                            CString& error) {
  const auto rename = [&](Components& components, CString& problem) {
    const auto renamed = Find(components, name);
    if (renamed == components.end()) {
      problem = NotHeld(path, name);
      return false;
    }
    const auto clash = Find(components, newName);
    if (clash != components.end() && clash != renamed) {
      problem = AlreadyHeld(path, newName);
      return false;
    }
    Name(*renamed, newName);
    return true;
  };
  return Change(path, false, rename, error);
}

bool CComponentLibraryEdit::DeleteComponent(const CString& path, const char* name, CString& error) {
  const auto erase = [&](Components& components, CString& problem) {
    const auto deleted = Find(components, name);
    if (deleted == components.end()) {
      problem = NotHeld(path, name);
      return false;
    }
    components.erase(deleted);
    return true;
  };
  return Change(path, false, erase, error);
}
