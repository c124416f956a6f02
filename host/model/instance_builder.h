// CInstanceBuilder: reads the symbols a component instance needs from their libraries
// and builds the instance, opening each library file once however many gates use it.
// A schematic instance takes one symbol instance per gate with a symbol, in gate
// order, from the gate's library; a PCB instance takes the package's PCB symbol from
// the component's PCB library. Library names are found by CSymbolLibraryLocator, as
// CComponentInstance::GetLibraryForSymbol finds them.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "host/model/component_instance.h"
#include "host/model/symbol_library.h"

class CInstanceBuilder {
 public:
  CInstanceBuilder(SymbolKind kind, const InstanceTextSizes& sizes) : m_kind(kind), m_sizes(sizes) {}

  // With `allGates` false a schematic instance takes only the first gate with a symbol.
  // Null, with the reason as the last error, when a library cannot be opened or lacks a
  // symbol.
  std::unique_ptr<CComponentInstance> Build(const CString& reference, CComponent* component,
                                            const CString& libraryFile, bool allGates);

 private:
  bool AddGateSymbols(CComponentInstance& instance, bool allGates);
  bool AddPcbSymbol(CComponentInstance& instance);
  bool AddSymbol(CComponentInstance& instance, int gate, const CString& library, const CString& name);
  const CSymbolLibrary* OpenLibrary(const CString& path);

  SymbolKind m_kind;
  InstanceTextSizes m_sizes;
  std::map<std::string, std::unique_ptr<CSymbolLibrary>> m_libraries;
};
