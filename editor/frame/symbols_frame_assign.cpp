// Pin assignment by clicking: the symbols frame pairs the pad picked first in one view
// with its partner picked in the other and writes the pin number.
#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"

void CSymbolsFrame::BeginPinAssignment(CDesignItem* item) {
  if (item == nullptr) return;
  const bool pcbSide = IsPcbSideItem(item);
  CSymbolView* own = pcbSide ? static_cast<CSymbolView*>(GetPcbView()) : GetScmView();
  CSymbolView* other = pcbSide ? static_cast<CSymbolView*>(GetScmView()) : GetPcbView();
  m_pFirstPick = item;
  m_pFirstPickView = own;
  if (other != nullptr) other->ClearAssignPick();
}

void CSymbolsFrame::CompletePinAssignment(CDesignItem* item) {
  if (item == nullptr) return;
  const bool pcbSide = IsPcbSideItem(item);
  CSymbolView* partner = pcbSide ? static_cast<CSymbolView*>(GetScmView()) : GetPcbView();
  if (partner != nullptr) partner->RestoreAssignPick();
  auto* picked = DynamicDowncast<CPadInstance>(item);
  auto* first = DynamicDowncast<CPadInstance>(m_pFirstPick);
  if (pcbSide) {
    AssignPin(first, picked);
  } else {
    AssignPin(picked, first);
  }
}

void CSymbolsFrame::AssignPin(CPadInstance* scmPad, CPadInstance* pcbPad) {
  // Anything but a schematic pad paired with a PCB pad assigns nothing.
  if (scmPad == nullptr || pcbPad == nullptr || scmPad->IsPcbPad() || !pcbPad->IsPcbPad()) return;
  CComponent* component = GetCurrentComponent();
  CSymbolInstance* instance = scmPad->GetSymbolInstance();
  if (component == nullptr || instance == nullptr) return;
  const int gate = instance->GetGate();
  const int terminal = scmPad->GetTerminalNumber();
  const int pin = pcbPad->GetPinNumber();
  const int old = component->GetPinNumber(gate, terminal);
  component->SetPinNumber(gate, terminal, pin);
  const CString name = instance->GetSymbol()->GetName();
  // The views redraw the pad that loses the terminal before the one that gains it.
  if (old != pin) {
    CPinNumberHint unassigned(name, gate, terminal, CGate::kNoPin);
    UpdateViews(HintPinNumber, &unassigned);
  }
  CPinNumberHint assigned(name, gate, terminal, pin);
  UpdateViews(HintPinNumber, &assigned);
}

void CSymbolsFrame::ForgetFirstPick(const CDesignDrawing* view) {
  if (view == nullptr || view != m_pFirstPickView) return;
  m_pFirstPick = nullptr;
  m_pFirstPickView = nullptr;
}
