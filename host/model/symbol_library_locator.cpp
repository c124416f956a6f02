#include "host/model/symbol_library_locator.h"

#include <filesystem>
#include <system_error>

#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"
#include "platform/program_path.h"

namespace {

bool HasFolder(const CString& name) {
  return name.Find('/') >= 0;
}

bool IsFile(const CString& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path.str(), error);
}

// The folder of a file, made absolute, with a trailing '/'.
CString FolderOf(const CString& file) {
  if (file.IsEmpty()) return {};
  return CFilePath(CFilePath(file).GetFullPath()).GetDriveAndDirectory();
}

CString KindName(SymbolKind kind) {
  return kind == SymbolKind::Pcb ? "PCB" : "schematic";
}

// "a", "a or b", "a, b or c".
CString JoinAlternatives(const std::vector<CString>& parts) {
  CString joined;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += i + 1 == parts.size() ? " or " : ", ";
    joined += parts[i];
  }
  return joined;
}

}  // namespace

CSymbolLibraryLocator::CSymbolLibraryLocator(SymbolKind kind, const CString& componentLibraryFile)
    : m_kind(kind), m_componentFolder(FolderOf(componentLibraryFile)) {}

std::vector<CSymbolLibraryLocator::Place> CSymbolLibraryLocator::GetSearchPlaces() const {
  const CString bundled = FolderOf(GetProgramPath());
  const CString lastUsed = FolderOf(CLibrarySettings::GetLastUsedFile(CSymbolLibrary::ClassOf(m_kind)));
  // Until the user picks a library of the kind, the last used is the bundled one.
  const std::vector<Place> candidates = {
      {m_componentFolder, "beside the component library"},
      {lastUsed == bundled ? CString() : lastUsed, "beside the " + KindName(m_kind) + " library last used"},
      {bundled, "among the libraries bundled with the program"},
  };
  std::vector<Place> places;
  for (const Place& candidate : candidates) {
    if (candidate.folder.IsEmpty()) continue;
    bool seen = false;
    for (const Place& place : places) seen = seen || place.folder == candidate.folder;
    if (!seen) places.push_back(candidate);
  }
  return places;
}

CString CSymbolLibraryLocator::GetPath(const CString& name) const {
  CString path;
  Locate(name, path);
  return path;
}

bool CSymbolLibraryLocator::Find(const CString& name, CString& path) const {
  if (Locate(name, path)) return true;
  CAppError::SetLastErrorText(NowhereMessage(WithExtension(name)));
  return false;
}

bool CSymbolLibraryLocator::Locate(const CString& name, CString& path) const {
  path.Empty();
  if (name.IsEmpty()) return true;
  const CString file = WithExtension(name);
  if (file[0] == '/') {
    path = file;
    return true;
  }
  if (HasFolder(file)) {
    path = m_componentFolder + file;
    return true;
  }
  path = Search(file);
  if (!path.IsEmpty()) return true;
  const std::vector<Place> places = GetSearchPlaces();
  path = places.empty() ? file : places.front().folder + file;
  return false;
}

CString CSymbolLibraryLocator::WithExtension(const CString& name) const {
  CFilePath path(name);
  if (path.GetExtension().IsEmpty())
    path.SetExtension(CSymbolLibrary::ExtensionOf(CSymbolLibrary::ClassOf(m_kind)));
  return path.GetPath();
}

CString CSymbolLibraryLocator::Search(const CString& fileName) const {
  for (const Place& place : GetSearchPlaces()) {
    const CString candidate = place.folder + fileName;
    if (IsFile(candidate)) return candidate;
  }
  return {};
}

CString CSymbolLibraryLocator::NowhereMessage(const CString& fileName) const {
  std::vector<CString> looked;
  for (const Place& place : GetSearchPlaces())
    looked.push_back(place.description + " (" + place.folder + ")");
  CString text;
  text.FormatMessage("Cannot open library %1: it is not %2.", fileName, JoinAlternatives(looked));
  return text;
}
