#include "editor/properties/component_properties.h"

#include "editor/resources/resource_ids.h"
#include "host/libtools/library_manager.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_library.h"

IMPLEMENT_DYNAMIC(CComponentProperties, CPropertySheet)

namespace {
// The pages every sheet has, in this order.
constexpr int kComponentPageIndex = 0;
constexpr int kPackagePageIndex = 1;
// The gate -1 of a symbol instance: the PCB symbol, which belongs to no gate.
constexpr int kNoGate = -1;

bool IsSchematicItem(const CDesignItem& item) {
  const CDesign* owner = item.GetOwnerDesign();
  return owner != nullptr && owner->IsKindOf(RUNTIME_CLASS(CScmDesign));
}
}  // namespace

CComponentProperties::CComponentProperties(CDesign* design, CComponent* component, CDesignItem* item)
    : CPropertySheet(IDS_PROPERTIES, nullptr, kComponentPageIndex),
      m_pItem(item),
      m_pDesign(design),
      m_pComponent(component) {
  m_componentPage.SetComponent(design, component);
  AddPage(&m_componentPage);
  m_packagePage.SetComponent(design, component);
  AddPage(&m_packagePage);
  SetActivePage(AddItemPages(item));
}

CComponentProperties::~CComponentProperties() = default;

int CComponentProperties::AddItemPages(CDesignItem* item) {
  if (item == nullptr) return kComponentPageIndex;
  if (const auto* symbol = DynamicDowncast<CSymbolInstance>(item)) return AddSymbolPages(*symbol);
  const auto* pad = DynamicDowncast<CPadInstance>(item);
  if (pad == nullptr) return kComponentPageIndex;
  return IsSchematicItem(*pad) ? AddScmPadPages(*pad) : AddPcbPadPages(*pad);
}

// The PCB symbol draws the package, so the sheet opens at the package page for it.
int CComponentProperties::AddSymbolPages(const CSymbolInstance& symbol) {
  const int gate = symbol.GetGate();
  if (gate == kNoGate) return kPackagePageIndex;
  m_gatePage.SetGate(m_pComponent, gate);
  AddPage(&m_gatePage);
  return GetPageIndex(&m_gatePage);
}

// A terminal of a pad whose symbol reports no gate still gets its pin page, and the
// sheet opens there.
int CComponentProperties::AddScmPadPages(const CPadInstance& pad) {
  const CSymbolInstance* symbol = pad.GetSymbolInstance();
  const int gate = symbol != nullptr ? symbol->GetGate() : kNoGate;
  if (gate != kNoGate) {
    m_gatePage.SetGate(m_pComponent, gate);
    AddPage(&m_gatePage);
  }
  m_scmPinPage.SetPin(m_pComponent, gate, pad.GetTerminalNumber());
  if (m_pComponent != nullptr) {
    m_scmPinPage.SetPinLabels(CPinLabels::ForPackage(
        *m_pComponent, CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary))));
  }
  AddPage(&m_scmPinPage);
  return GetPageIndex(&m_scmPinPage);
}

int CComponentProperties::AddPcbPadPages(const CPadInstance& pad) {
  m_pcbPinPage.SetPin(m_pComponent, pad.GetPinNumber());
  const CSymbolInstance* footprint = pad.GetSymbolInstance();
  m_pcbPinPage.SetPinLabels(CPinLabels(footprint != nullptr ? footprint->GetSymbol() : nullptr));
  AddPage(&m_pcbPinPage);
  return GetPageIndex(&m_pcbPinPage);
}
