// The field's S-expression libraries, read in place beside this program's own: a
// .kicad_sym file is a schematic symbol library (one symbol per unit), a folder NAME.pretty
// of .kicad_mod files a PCB symbol library (one symbol per footprint). docs/kicad-libraries.md
// says how they map onto this program's symbols.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/model/symbol_kind.h"
#include "platform/cstring.h"

class CSymbolLibraryContents;

namespace KicadLibrary {

constexpr std::string_view kSymbolExtension = ".kicad_sym";
constexpr std::string_view kFootprintExtension = ".kicad_mod";
constexpr std::string_view kFootprintFolderExtension = ".pretty";
// Files past this size are refused unread; the largest libraries of the field are a
// few tens of megabytes.
constexpr std::uintmax_t kMaxFileSize = 256u << 20;

// The kind of library a path names by its extension; nothing for other paths.
std::optional<SymbolKind> KindOfPath(std::string_view path);

// Reads a library named by KindOfPath. Null, with the reason, when the library as a
// whole cannot be read; otherwise the symbols read, with a located message in its
// problems for each part that could not be.
std::unique_ptr<CSymbolLibraryContents> Load(const CString& path, CString& error);

// "Cannot read "FILE" at line N: WHAT."
CString LocatedMessage(std::string_view file, int line, std::string_view what);

// The whole file, or false with a message naming it; what is not a regular file or is
// larger than kMaxFileSize is refused unread.
bool ReadFile(const std::string& path, std::string& text, CString& error);

}  // namespace KicadLibrary
