#include "host/model/symbol_library_locator.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "host/kicad/kicad_library.h"
#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"
#include "platform/program_path.h"

namespace {

bool HasFolder(const CString& name) {
  return name.Find('/') >= 0;
}

// A library is a file, or a folder of footprints.
bool IsLibrary(const CString& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path.str(), error);
  if (std::filesystem::is_regular_file(status)) return true;
  return std::filesystem::is_directory(status) && KicadLibrary::KindOfPath(path.str()) == SymbolKind::Pcb;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsLibraryOfKind(const std::filesystem::directory_entry& entry, SymbolKind kind) {
  const std::string name = entry.path().filename().string();
  std::error_code error;
  if (entry.is_directory(error))
    return KicadLibrary::KindOfPath(name) == SymbolKind::Pcb && kind == SymbolKind::Pcb;
  if (!entry.is_regular_file(error)) return false;
  const std::string extension = entry.path().extension().string();
  if (EqualsNoCase(extension, CSymbolLibrary::ExtensionOf(CSymbolLibrary::ClassOf(kind)).str())) return true;
  return kind == SymbolKind::Schematic && KicadLibrary::KindOfPath(name) == SymbolKind::Schematic;
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
    if (IsLibrary(candidate)) return candidate;
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

bool CSymbolLibraryLocator::ListLibraries(const CString& folder, SymbolKind kind,
                                          std::vector<CString>& names) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder.str(), error);
  if (error) return false;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (IsLibraryOfKind(*it, kind)) names.emplace_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return !error;
}

int CSymbolLibraryLocator::OfferFolder(const CString& folder) {
  int taken = 0;
  for (const SymbolKind kind : {SymbolKind::Schematic, SymbolKind::Pcb}) {
    const CRuntimeClass* libraryKind = CSymbolLibrary::ClassOf(kind);
    if (CLibrarySettings::GetLastUsedFile(libraryKind) != CLibrarySettings::GetBundledFile(libraryKind))
      continue;
    std::vector<CString> names;
    if (!ListLibraries(folder, kind, names) || names.empty()) continue;
    CString base = folder;
    if (base[base.GetLength() - 1] != '/') base += '/';
    if (CLibrarySettings::SetLastUsedFile(libraryKind, base + names.front())) ++taken;
  }
  return taken;
}
