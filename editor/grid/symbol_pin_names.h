// SymbolPinNames: the names that gates' schematic symbols give their pins, by terminal
// number. The pin grid shows them, greyed, for terminals without a name of their own
// (parts taken from other formats often leave them empty). Each library file is opened
// once for as long as the reader lives; a symbol that cannot be read gives no names,
// and the drawing, which reads it too, tells the user why.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/cstring.h"

class CSymbol;
class CSymbolLibrary;

class SymbolPinNames {
 public:
  // `componentLibrary` is the file whose records name the symbol libraries.
  explicit SymbolPinNames(CString componentLibrary);
  ~SymbolPinNames();

  // The symbol's names for its pins 1 to `terminals`, element t - 1 for pin t; empty
  // where it names none or cannot be read.
  std::vector<CString> Names(const CString& library, const CString& symbol, int terminals);

 private:
  const CSymbol* Find(const CString& library, const CString& symbol);

  CString m_componentLibrary;
  std::map<std::string, std::unique_ptr<CSymbolLibrary>> m_libraries;  // by path; null: unreadable
};
