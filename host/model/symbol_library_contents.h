// CSymbolLibraryContents: the symbols of one library file, in file order, found by name
// ignoring the case of ASCII letters.
#pragma once

#include <memory>
#include <string>
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
  static std::string Key(std::string_view name);

  SymbolKind m_kind;
  std::vector<std::unique_ptr<CSymbol>> m_symbols;
  std::unordered_map<std::string, size_t> m_index;
  std::vector<CString> m_problems;
};
