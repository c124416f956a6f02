// CKicadSymbolIndex: where each symbol of a .kicad_sym library lies in its file, found by
// a scan of the file's top-level lists that counts brackets and reads no more than each
// symbol's name, its parent's name and its units' names. One symbol is then read alone
// from its bytes, with those of the symbols it extends, instead of the whole library.
// Indexes are kept per file while its size and modification time stay the same.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/kicad/kicad_symbol_reader.h"
#include "host/model/symbol_library_contents.h"
#include "platform/cstring.h"

class CKicadSymbolIndex {
 public:
  struct Symbol {
    std::string name;
    std::string extends;  // empty when it extends none
    size_t begin = 0;     // its list's bytes in the file
    size_t end = 0;
    int line = 1;
    int parts = 0;     // its own parts; a symbol that extends another draws the parent's
    int lastUnit = 0;  // the highest unit its parts name
  };

  // Null, with a located message, when the text is no symbol library or of a future
  // version. A syntax error ends the index: the symbols before it are kept.
  static std::unique_ptr<CKicadSymbolIndex> Scan(std::string_view text, std::string_view fileName,
                                                 CString& error);
  // The index of the file at `path`, scanned again only when the file changed.
  static std::shared_ptr<const CKicadSymbolIndex> Get(const CString& path, CString& error);

  const std::vector<Symbol>& Symbols() const { return m_symbols; }
  int64_t Version() const { return m_version; }

  // The names a full read gives, in file order: one per unit of each symbol whose parts
  // are found (a symbol whose parent is missing has none).
  std::vector<CString> UnitNames() const;
  // The symbol of that name, or of that unit name, ignoring case; null when none.
  const Symbol* FindSymbol(std::string_view name) const;
  const Symbol* FindUnit(std::string_view unitName) const;

  // The units of one symbol, read from the file at `path` alone with its parents. Null
  // with the reason when the file cannot be read.
  std::unique_ptr<CSymbolLibraryContents> Read(const CString& path, const Symbol& symbol,
                                               CString& error) const;
  // As Read, also giving each unit's pin numbers.
  std::unique_ptr<CSymbolLibraryContents> Read(const CString& path, const Symbol& symbol,
                                               std::vector<CKicadSymbolReader::Unit>& units,
                                               CString& error) const;

 private:
  // The symbol whose parts `symbol` draws and the chain to it, `symbol` first; empty when
  // a parent is missing.
  std::vector<const Symbol*> Chain(const Symbol& symbol) const;
  const Symbol* Parent(const Symbol& child) const;
  bool ReadEntries(const CString& path, const Symbol& symbol, std::string& bytes,
                   std::vector<CKicadSymbolReader::Entry>& entries, CString& error) const;
  void BuildLookups();

  std::string m_fileName;
  int64_t m_version = 0;
  std::uintmax_t m_size = 0;
  std::vector<Symbol> m_symbols;
  std::unordered_map<std::string, size_t> m_byName;           // exact, as parents are named
  std::unordered_map<std::string, size_t> m_byLowerName;      // symbols, ignoring case
  std::unordered_map<std::string, size_t> m_byLowerUnitName;  // units, ignoring case
};
