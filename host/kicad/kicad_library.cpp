#include "host/kicad/kicad_library.h"

#include <cstring>
#include <filesystem>

#include "host/kicad/kicad_footprint_reader.h"
#include "host/kicad/kicad_symbol_reader.h"
#include "host/model/symbol_library_contents.h"
#include "platform/regular_file.h"

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) return false;
  }
  return true;
}

}  // namespace

namespace KicadLibrary {

std::optional<SymbolKind> KindOfPath(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  if (EndsWithNoCase(path, kSymbolExtension)) return SymbolKind::Schematic;
  if (EndsWithNoCase(path, kFootprintFolderExtension)) return SymbolKind::Pcb;
  return std::nullopt;
}

std::unique_ptr<CSymbolLibraryContents> Load(const CString& path, CString& error) {
  const std::optional<SymbolKind> kind = KindOfPath(path.str());
  if (kind == SymbolKind::Schematic) return CKicadSymbolReader::Load(path, error);
  if (kind == SymbolKind::Pcb) return CKicadFootprintReader::LoadFolder(path, error);
  error.FormatMessage("Cannot read \"%1\": it is no symbol or footprint library.", path);
  return nullptr;
}

CString LocatedMessage(std::string_view file, int line, std::string_view what) {
  CString text;
  text.FormatMessage("Cannot read \"%1\" at line %2: %3.", CString(file), CString(std::to_string(line)),
                     CString(what));
  return text;
}

bool ReadFile(const std::string& path, std::string& text, CString& error) {
  return ReadRegularFile(CString(path), text, kMaxFileSize, error);
}

}  // namespace KicadLibrary
