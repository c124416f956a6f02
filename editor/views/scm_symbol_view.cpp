#include "editor/views/scm_symbol_view.h"

#include <unordered_set>

#include "editor/resources/resource_ids.h"
#include "editor/views/view_designs.h"
#include "host/libtools/library_manager.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"

IMPLEMENT_DYNCREATE(CScmSymbolView, CSymbolView)

namespace {
// The gates' symbols stand this far apart, a grid the symbols are drawn on.
constexpr CSize kGateSpacing(25400, 25400);

int TerminalOf(const CPadInstance* pad) {
  return pad->GetPad()->GetNumber();
}
}  // namespace

CScmSymbolView::CScmSymbolView() {
  SetDesign(std::make_unique<CScmViewDesign>());
  LoadColours();
  m_libraryFile = CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary));
}

void CScmSymbolView::BuildDesign(CComponent* component) {
  ResetDesign();
  if (component != nullptr) PlaceComponent(component);
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

void CScmSymbolView::ForEachPad(const std::function<void(CSymbolInstance*, CPadInstance*)>& visit) const {
  CComponentInstance* placed = GetPlacedInstance();
  if (placed == nullptr) return;
  POSITION position = nullptr;
  for (CSymbolInstance* symbol = placed->FirstSymbolInstance(position); symbol != nullptr;
       symbol = placed->NextSymbolInstance(position)) {
    for (int index = 0; index < symbol->CountPads(); ++index) visit(symbol, symbol->GetPad(index));
  }
}

void CScmSymbolView::HighlightMatchingPads(CPadInstance* pad) {
  if (pad == nullptr) return;
  const int pin = pad->GetPinNumber();
  ForEachPad([&](CSymbolInstance*, CPadInstance* terminal) {
    if (terminal->GetPinNumber() == pin) MarkHighlighted(terminal);
  });
}

void CScmSymbolView::HighlightTerminal(int gate, int number) {
  if (gate == kHighlightPcbPin) return;
  ClearHighlight();
  ForEachPad([&](CSymbolInstance* symbol, CPadInstance* terminal) {
    if (symbol->GetGate() == gate && TerminalOf(terminal) == number) MarkHighlighted(terminal);
  });
}

void CScmSymbolView::UpdatePinNumber(const CPinNumberHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  CPadInstance* found = nullptr;
  ForEachPad([&](CSymbolInstance* symbol, CPadInstance* terminal) {
    if (found == nullptr && symbol->GetGate() == hint->GetGate() &&
        TerminalOf(terminal) == hint->GetTerminal())
      found = terminal;
  });
  if (found != nullptr) Draw(found, kDrawBeforeChange);
  placed->GetComponent()->SetPinNumber(hint->GetGate(), hint->GetTerminal(), hint->GetPin());
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
  ForEachPad([&](CSymbolInstance* symbol, CPadInstance* terminal) {
    if (symbol->GetSymbol()->GetName().CompareNoCase(hint.GetSymbolName()) == 0 &&
        TerminalOf(terminal) == hint.GetTerminal())
      Draw(terminal, mode);
  });
}

void CScmSymbolView::TakeTerminalChanges(const CComponent& component,
                                         const std::vector<TerminalChange>& changes) {
  const auto key = [](int gate, int terminal) {
    return (static_cast<long long>(gate) << 32) | static_cast<unsigned>(terminal);
  };
  std::unordered_set<long long> changed;
  for (const TerminalChange& change : changes) changed.insert(key(change.gate, change.terminal));
  std::vector<CPadInstance*> terminals;
  ForEachPad([&](CSymbolInstance* symbol, CPadInstance* terminal) {
    if (changed.contains(key(symbol->GetGate(), TerminalOf(terminal)))) terminals.push_back(terminal);
  });
  RedrawAround(terminals, [&] { CopyTerminals(component, changes); });
}
