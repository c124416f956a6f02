// CSymbolLibraryContents: the symbols of one library file, in file order, found by name
// ignoring the case of ASCII letters.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/model/symbol.h"
#include "host/model/symbol_kind.h"
#include "platform/cstring.h"

class CSymbolLibraryContents {
 public:
  explicit CSymbolLibraryContents(SymbolKind kind) : m_kind(kind) {}

  SymbolKind GetKind() const { return m_kind; }
  int Count() const { return static_cast<int>(m_symbols.size()); }
  const CSymbol& Get(int index) const { return *m_symbols.at(static_cast<size_t>(index)); }
  // Null when no symbol has that name.
  const CSymbol* Find(std::string_view name) const;
  // -1 when no symbol has that name.
  int IndexOf(std::string_view name) const;
  std::vector<CString> Names() const;

  // False, and the symbol dropped, when its name is taken or its kind is not the
  // library's.
  bool Add(std::unique_ptr<CSymbol> symbol);

  // What could not be read of a library that was read in part: one located message
  // each; the symbols listed are complete.
  const std::vector<CString>& Problems() const { return m_problems; }
  void AddProblem(CString problem) { m_problems.push_back(std::move(problem)); }

 private:
  // Names compared and hashed with ASCII letters folded to lower case.
  struct NoCaseHash {
    size_t operator()(std::string_view name) const;
  };
  struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };

  SymbolKind m_kind;
  std::vector<std::unique_ptr<CSymbol>> m_symbols;
  // Keyed by the symbols' own names: a symbol, held by pointer, is never renamed here.
  std::unordered_map<std::string_view, size_t, NoCaseHash, NoCaseEqual> m_index;
  std::vector<CString> m_problems;
};
