#include "host/model/instance_builder.h"

#include "host/model/component.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"

namespace {

void RecordError(const char* format, const CString& first, const CString& second) {
  CString text;
  text.FormatMessage(format, first, second);
  CAppError::SetLastErrorText(text);
}

std::unique_ptr<CSymbolLibrary> NewLibrary(SymbolKind kind) {
  if (kind == SymbolKind::Pcb) return std::make_unique<CPcbSymbolLibrary>();
  return std::make_unique<CScmSymbolLibrary>();
}

}  // namespace

std::unique_ptr<CComponentInstance> CInstanceBuilder::Build(const CString& reference, CComponent* component,
                                                            const CString& libraryFile, bool allGates) {
  if (component == nullptr) {
    CAppError::SetLastErrorText("There is no component to place.");
    return nullptr;
  }
  auto instance = std::make_unique<CComponentInstance>(reference, component, libraryFile, m_kind, m_sizes);
  const bool built =
      m_kind == SymbolKind::Pcb ? AddPcbSymbol(*instance) : AddGateSymbols(*instance, allGates);
  return built ? std::move(instance) : nullptr;
}

bool CInstanceBuilder::AddGateSymbols(CComponentInstance& instance, bool allGates) {
  POSITION position = nullptr;
  int index = -1;
  const CComponent* component = instance.GetComponent();
  for (const CGate* gate = component->FirstGate(position, index); gate != nullptr;
       gate = component->NextGate(position, index)) {
    if (gate->GetSymbol().IsEmpty()) continue;
    if (!AddSymbol(instance, index, gate->GetLibrary(), gate->GetSymbol())) return false;
    if (!allGates) break;
  }
  return true;
}

bool CInstanceBuilder::AddPcbSymbol(CComponentInstance& instance) {
  const CComponent* component = instance.GetComponent();
  if (component->GetPcbSymbol().IsEmpty()) {
    RecordError("Package %1 of component %2 has no PCB symbol", component->GetPackage(),
                component->GetName());
    return false;
  }
  return AddSymbol(instance, CSymbolInstance::kNoGate, component->GetPcbComponent()->GetLibrary(),
                   component->GetPcbSymbol());
}

bool CInstanceBuilder::AddSymbol(CComponentInstance& instance, int gate, const CString& library,
                                 const CString& name) {
  if (library.IsEmpty()) {
    RecordError("No library is given for symbol %1 of component %2", name,
                instance.GetComponent()->GetName());
    return false;
  }
  CString path;
  if (!CSymbolLibraryLocator(m_kind, instance.GetLibraryFile()).Find(library, path)) return false;
  const CSymbolLibrary* opened = OpenLibrary(path);
  if (opened == nullptr) return false;
  std::unique_ptr<CSymbol> symbol(opened->ReadSymbol(name));
  if (symbol == nullptr) return false;
  instance.AddSymbolInstance(std::make_unique<CSymbolInstance>(&instance, gate, std::move(symbol), path));
  return true;
}

const CSymbolLibrary* CInstanceBuilder::OpenLibrary(const CString& path) {
  auto found = m_libraries.find(path.str());
  if (found != m_libraries.end()) return found->second.get();
  std::unique_ptr<CSymbolLibrary> library = NewLibrary(m_kind);
  if (!library->OpenRead(path)) {
    RecordError("Cannot open library %1: %2", CFilePath(path).GetFileNameAndExtension(),
                CAppError::GetLastError());
    return nullptr;
  }
  return m_libraries.emplace(path.str(), std::move(library)).first->second.get();
}
