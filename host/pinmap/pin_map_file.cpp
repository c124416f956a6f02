#include "host/pinmap/pin_map_file.h"

#include <algorithm>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/utility/file_path.h"
#include "platform/regular_file.h"
#include "platform/temp_file.h"

namespace {}  // namespace

bool ReadPinMapText(const CString& path, std::string& text, CString& error) {
  return ReadRegularFile(path, text, kMaxPinMapFileSize, error);
}

namespace {

// The library's component named `name`; null, with a message, when it has none.
LibraryComponent* FindComponent(std::vector<LibraryComponent>& components, const CString& name,
                                const CString& library, CString& error) {
  const auto found = std::find_if(
      components.begin(), components.end(),
      [&](const LibraryComponent& component) { return component.name.CompareNoCase(name) == 0; });
  if (found != components.end()) return &*found;
  error.Format("There is no component \"%s\" in %s.", name.c_str(), library.c_str());
  return nullptr;
}

}  // namespace

CString PinMapImportRefusal(const CString& source, const CString& placeError) {
  CString message;
  message.Format("Cannot import \"%s\" at line 1, %s", source.c_str(), placeError.c_str());
  return message;
}

bool ReadPinMapFile(const CString& path, PinMapTable& table, CString& error, const PinLabelsOf& labelsOf) {
  std::string text;
  if (!ReadPinMapText(path, text, error)) return false;
  return ParsePinMap(text, CFilePath(path).GetFileNameAndExtension(), table, error, labelsOf);
}

bool ExportLibraryPinMap(const CString& library, const CString& component, PinMapSeparator separator,
                         std::string& text, CString& error) {
  std::vector<LibraryComponent> components;
  if (!CComponentLibraryFile::Load(library, components, error)) return false;
  const LibraryComponent* found = FindComponent(components, component, library, error);
  if (found == nullptr) return false;
  PinMapTable table = CollectPinMap(found->records);
  LabelPinMap(table, found->records, library);
  text = FormatPinMap(table, separator);
  return true;
}

bool ImportLibraryPinMap(const CString& library, const CString& component, const CString& file,
                         PinMapMatch match, PinMapPlacement& placement, CString& error) {
  const auto place = [&](std::vector<LibraryComponent>& components, CString& problem) {
    LibraryComponent* found = FindComponent(components, component, library, problem);
    if (found == nullptr) return false;
    PinMapTable table;
    const auto labelsOf = [&](const CString& package) {
      return PackagePinLabels(found->records, package, library);
    };
    if (!ReadPinMapFile(file, table, problem, labelsOf)) return false;
    CString placeError;
    if (!PlacePinMap(table, found->records, match, placement, placeError)) {
      problem = PinMapImportRefusal(CFilePath(file).GetFileNameAndExtension(), placeError);
      return false;
    }
    ApplyPinMap(placement, found->records);
    return true;
  };
  return CComponentLibraryFile::Update(library, false, false, place, AtomicWriteOptions{}, error);
}
