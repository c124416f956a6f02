#include "editor/grid/symbol_pin_names.h"

#include <algorithm>
#include <utility>

#include "host/model/free_pad.h"
#include "host/model/symbol.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/app_error.h"

SymbolPinNames::SymbolPinNames(CString componentLibrary) : m_componentLibrary(std::move(componentLibrary)) {}

SymbolPinNames::~SymbolPinNames() = default;

std::vector<CString> SymbolPinNames::Names(const CString& library, const CString& symbol, int terminals) {
  std::vector<CString> names(static_cast<std::size_t>(std::max(terminals, 0)));
  // A failed look-up is the drawing's to report: an error recorded before stays.
  const CString earlierError = CAppError::GetLastError();
  const CSymbol* found = Find(library, symbol);
  CAppError::SetLastErrorText(earlierError);
  if (found == nullptr) return names;
  for (int terminal = 1; terminal <= terminals; ++terminal) {
    if (const CFreePad* pad = found->FindPad(terminal)) names[terminal - 1] = pad->GetName();
  }
  return names;
}

const CSymbol* SymbolPinNames::Find(const CString& library, const CString& symbol) {
  CString path;
  if (library.IsEmpty() ||
      !CSymbolLibraryLocator(SymbolKind::Schematic, m_componentLibrary).Find(library, path))
    return nullptr;
  auto [entry, added] = m_libraries.try_emplace(path.str());
  if (added) {
    auto opened = std::make_unique<CScmSymbolLibrary>();
    if (opened->OpenRead(path)) entry->second = std::move(opened);
  }
  return entry->second != nullptr ? entry->second->Find(symbol) : nullptr;
}
