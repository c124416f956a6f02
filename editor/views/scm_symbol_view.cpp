#include "editor/views/scm_symbol_view.h"

#include <vector>

#include "editor/resources/resource_ids.h"
#include "editor/views/view_designs.h"
#include "host/libtools/library_manager.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"

IMPLEMENT_DYNCREATE(CScmSymbolView, CSymbolView)

namespace {
// The gates' symbols stand this far apart, a grid the symbols are drawn on.
constexpr CSize kGateSpacing(25400, 25400);
}  // namespace

CScmSymbolView::CScmSymbolView() {
  SetDesign(std::make_unique<CScmViewDesign>());
  LoadColours();
  m_libraryFile = CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary));
}

void CScmSymbolView::BuildDesign(CComponent* component) {
  ResetDesign();
  if (component != nullptr) PlaceComponent(component);
  IndexPads();
  FitDesign();
  RefreshFrameCaption();
}

void CScmSymbolView::PlaceComponent(CComponent* component) {
  CComponent* copy = GetViewDesign()->AddComponent(component);
  if (copy == nullptr || copy->FirstGate() == nullptr) return;
  CString reference;
  reference.LoadString(component->CountGates() == 1 ? IDS_SINGLE_GATE_REFERENCE : IDS_GATE_REFERENCE);
  CComponentInstance* instance = GetViewDesign()->AddComponentInstance(reference, copy, m_libraryFile, true);
  if (instance == nullptr) {
    CAppError::ReportLastError();
    return;
  }
  instance->SetPlaced(true);
  instance->SetSymbolNameDisplayed(!copy->IsPcbOnly());
  instance->SetNameDisplayed(!copy->IsPcbOnly(), false, false);
  instance->ArrangeSymbolInstances(kGateSpacing, false, CAngle(0));
}

void CScmSymbolView::HighlightMatchingPads(CPadInstance* pad) {
  if (pad == nullptr) return;
  for (CPadInstance* terminal : Pads().PadsOfPin(pad->GetPinNumber())) MarkHighlighted(terminal);
}

void CScmSymbolView::HighlightTerminal(int gate, int number) {
  if (gate == kHighlightPcbPin) return;
  ClearHighlight();
  for (CPadInstance* terminal : Pads().PadsOfTerminal(gate, number)) MarkHighlighted(terminal);
}

void CScmSymbolView::UpdatePinNumber(const CPinNumberHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  const std::vector<CPadInstance*>& terminals = Pads().PadsOfTerminal(hint->GetGate(), hint->GetTerminal());
  CPadInstance* found = terminals.empty() ? nullptr : terminals.front();
  if (found != nullptr) Draw(found, kDrawBeforeChange);
  SetPinInCopy(hint->GetGate(), hint->GetTerminal(), hint->GetPin());
  if (found != nullptr) Draw(found, kDrawAfterChange);
}

// Terminal names belong to a symbol: every gate drawn by it takes the new name.
void CScmSymbolView::UpdatePinName(const CPinNameHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  DrawTerminalsOfSymbol(*hint, kDrawBeforeChange);
  RenameTerminalInCopy(*hint);
  DrawTerminalsOfSymbol(*hint, kDrawAfterChange);
}

void CScmSymbolView::DrawTerminalsOfSymbol(const CPinNameHint& hint, int mode) {
  CComponentInstance* placed = GetPlacedInstance();
  POSITION position = nullptr;
  for (CSymbolInstance* symbol = placed->FirstSymbolInstance(position); symbol != nullptr;
       symbol = placed->NextSymbolInstance(position)) {
    if (symbol->GetSymbol()->GetName().CompareNoCase(hint.GetSymbolName()) != 0) continue;
    for (CPadInstance* terminal : Pads().PadsOfTerminal(symbol->GetGate(), hint.GetTerminal()))
      Draw(terminal, mode);
  }
}

void CScmSymbolView::TakeTerminalChanges(const CComponent& component,
                                         const std::vector<TerminalChange>& changes) {
  std::vector<CPadInstance*> terminals;
  for (const TerminalChange& change : changes) {
    const std::vector<CPadInstance*>& pads = Pads().PadsOfTerminal(change.gate, change.terminal);
    terminals.insert(terminals.end(), pads.begin(), pads.end());
  }
  RedrawAround(terminals, [&] { CopyTerminals(component, changes); });
}
