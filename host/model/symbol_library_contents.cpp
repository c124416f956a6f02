#include "host/model/symbol_library_contents.h"

namespace {

char Folded(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

}  // namespace

size_t CSymbolLibraryContents::NoCaseHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes.
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char ch : name) hash = (hash ^ static_cast<unsigned char>(Folded(ch))) * 0x100000001b3ULL;
  return static_cast<size_t>(hash);
}

bool CSymbolLibraryContents::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

int CSymbolLibraryContents::IndexOf(std::string_view name) const {
  const auto found = m_index.find(name);
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
  if (!m_index.try_emplace(symbol->GetName().str(), m_symbols.size()).second) return false;
  m_symbols.push_back(std::move(symbol));
  return true;
}
