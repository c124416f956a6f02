// CKicadOnDemandLibrary: one of the field's libraries opened for the symbols a drawing
// needs. Opening lists the names only: a symbol library's from its index, a footprint
// folder's from its file names. A symbol is read when first asked for, from its own
// bytes (a .kicad_sym symbol with its parents) or its own file (a .pretty footprint),
// and kept while the library is open.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/model/symbol.h"
#include "host/model/symbol_kind.h"
#include "host/model/symbol_library_contents.h"
#include "platform/cstring.h"

class CKicadSymbolIndex;

class CKicadOnDemandLibrary {
 public:
  // Null, with the reason, when the path is no library of the field or cannot be read.
  static std::shared_ptr<CKicadOnDemandLibrary> Open(const CString& path, CString& error);

  SymbolKind GetKind() const { return m_kind; }
  // In the order a full read gives them.
  const std::vector<CString>& Names() const { return m_names; }
  // The symbol with that name (case ignored), read on first use; null when there is none
  // or it cannot be read, and then `Failure` tells why.
  const CSymbol* Find(const CString& name) const;
  CString Failure(const CString& name) const;
  // What of the whole library could not be read; this reads the library in full.
  std::vector<CString> Problems() const;

 private:
  CKicadOnDemandLibrary(const CString& path, SymbolKind kind) : m_path(path), m_kind(kind) {}
  bool ListFootprints(CString& error);
  // Reads what holds `name` into m_read; false with the reason when it cannot be read.
  bool ReadSymbolOf(const CString& name, CString& error) const;
  bool ReadFootprint(const CString& name, CString& error) const;

  CString m_path;
  SymbolKind m_kind;
  std::vector<CString> m_names;
  std::unordered_map<std::string, std::string> m_footprintFiles;  // by lower-case name

  mutable std::mutex m_mutex;
  mutable std::vector<std::unique_ptr<CSymbolLibraryContents>> m_read;
  mutable std::unordered_map<std::string, const CSymbol*> m_found;  // by lower-case name
  mutable std::unordered_map<std::string, CString> m_failures;      // by lower-case name
};
