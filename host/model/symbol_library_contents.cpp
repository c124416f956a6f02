#include "host/model/symbol_library_contents.h"

std::string CSymbolLibraryContents::Key(std::string_view name) {
  std::string key(name);
  for (char& ch : key) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return key;
}

int CSymbolLibraryContents::IndexOf(std::string_view name) const {
  const auto found = m_index.find(Key(name));
  return found == m_index.end() ? -1 : static_cast<int>(found->second);
}

const CSymbol* CSymbolLibraryContents::Find(std::string_view name) const {
  const int index = IndexOf(name);
  return index < 0 ? nullptr : m_symbols[static_cast<size_t>(index)].get();
}

std::vector<CString> CSymbolLibraryContents::Names() const {
  std::vector<CString> names;
  names.reserve(m_symbols.size());
  for (const auto& symbol : m_symbols) names.push_back(symbol->GetName());
  return names;
}

bool CSymbolLibraryContents::Add(std::unique_ptr<CSymbol> symbol) {
  if (symbol == nullptr || symbol->GetKind() != m_kind) return false;
  if (!m_index.try_emplace(Key(symbol->GetName()), m_symbols.size()).second) return false;
  m_symbols.push_back(std::move(symbol));
  return true;
}
