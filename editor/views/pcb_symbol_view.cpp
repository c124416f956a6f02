#include "editor/views/pcb_symbol_view.h"

#include <unordered_set>
#include <vector>

#include "editor/views/view_designs.h"
#include "host/libtools/library_manager.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"

IMPLEMENT_DYNCREATE(CPcbSymbolView, CSymbolView)

CPcbSymbolView::CPcbSymbolView() {
  SetDesign(std::make_unique<CPcbViewDesign>());
  LoadColours();
  m_libraryFile = CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary));
}

void CPcbSymbolView::BuildDesign(CComponent* component) {
  ResetDesign();
  if (component != nullptr && !component->GetPcbSymbol().IsEmpty()) PlaceComponent(component);
  FitDesign();
  RefreshFrameCaption();
}

// The single PCB symbol stays where the design model puts it.
void CPcbSymbolView::PlaceComponent(CComponent* component) {
  CComponent* copy = GetViewDesign()->AddComponent(component);
  CComponentInstance* instance = GetViewDesign()->AddComponentInstance("", copy, m_libraryFile, true);
  if (instance == nullptr) {
    CAppError::ReportLastError();
    return;
  }
  instance->SetPlaced(true);
  instance->SetSymbolNameDisplayed(true);
  instance->SetNameDisplayed(false, false, false);
}

void CPcbSymbolView::ForEachPad(const std::function<void(CPadInstance*)>& visit) const {
  CComponentInstance* placed = GetPlacedInstance();
  CSymbolInstance* symbol = placed != nullptr ? placed->FirstSymbolInstance() : nullptr;
  if (symbol == nullptr) return;
  for (int index = 0; index < symbol->CountPads(); ++index) visit(symbol->GetPad(index));
}

void CPcbSymbolView::HighlightMatchingPads(CPadInstance* pad) {
  if (pad == nullptr) return;
  const int pin = pad->GetPinNumber();
  // Lands without a number share no pin.
  if (pin == CGate::kNoPin) return;
  ForEachPad([&](CPadInstance* land) {
    if (land->GetPinNumber() == pin) MarkHighlighted(land);
  });
}

void CPcbSymbolView::HighlightTerminal(int gate, int number) {
  if (gate != kHighlightPcbPin) return;
  ClearHighlight();
  if (number == CGate::kNoPin) return;
  ForEachPad([&](CPadInstance* land) {
    if (land->GetPinNumber() == number) MarkHighlighted(land);
  });
}

// Unassigning (pin -1) redraws the pad the terminal had, which then shows unassigned.
void CPcbSymbolView::UpdatePinNumber(const CPinNumberHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  CComponent* copy = placed->GetComponent();
  int pin = hint->GetPin();
  if (pin == CGate::kNoPin) pin = copy->GetPinNumber(hint->GetGate(), hint->GetTerminal());
  // Every land of the pin changes with it.
  std::vector<CPadInstance*> lands;
  ForEachPad([&](CPadInstance* land) {
    if (pin != CGate::kNoPin && land->GetPinNumber() == pin) lands.push_back(land);
  });
  for (CPadInstance* land : lands) Draw(land, kDrawBeforeChange);
  // The lands the terminal leaves show unassigned from now on.
  const int left = copy->GetPinNumber(hint->GetGate(), hint->GetTerminal());
  copy->SetPinNumber(hint->GetGate(), hint->GetTerminal(), hint->GetPin());
  for (CPadInstance* land : lands) Draw(land, kDrawAfterChange);
  if (left == pin || left == CGate::kNoPin) return;
  ForEachPad([&](CPadInstance* land) {
    if (land->GetPinNumber() == left) InvalidateItem(land);
  });
}

void CPcbSymbolView::UpdatePinName(const CPinNameHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  DrawPadsServing(*hint, kDrawBeforeChange);
  RenameTerminalInCopy(*hint);
  DrawPadsServing(*hint, kDrawAfterChange);
}

bool CPcbSymbolView::ServesTerminal(const CPadInstance* pad, const CPinNameHint& hint) const {
  const CComponent* copy = GetPlacedInstance()->GetComponent();
  int gate = 0;
  int terminal = 0;
  if (!copy->GetGateAndTerminal(pad->GetPinNumber(), gate, terminal) || terminal != hint.GetTerminal())
    return false;
  const CGate* found = copy->FindGate(gate);
  return found != nullptr && found->GetSymbol().CompareNoCase(hint.GetSymbolName()) == 0;
}

void CPcbSymbolView::DrawPadsServing(const CPinNameHint& hint, int mode) {
  ForEachPad([&](CPadInstance* land) {
    if (ServesTerminal(land, hint)) Draw(land, mode);
  });
}

// The lands of the pins the terminals leave and take change colour; the lands of a
// renamed terminal's pin show its new name.
void CPcbSymbolView::TakeTerminalChanges(const CComponent& component,
                                         const std::vector<TerminalChange>& changes) {
  const CComponent* copy = GetPlacedInstance()->GetComponent();
  std::unordered_set<int> pins;
  for (const TerminalChange& change : changes) {
    pins.insert(copy->GetPinNumber(change.gate, change.terminal));
    pins.insert(component.GetPinNumber(change.gate, change.terminal));
  }
  pins.erase(CGate::kNoPin);
  std::vector<CPadInstance*> lands;
  ForEachPad([&](CPadInstance* land) {
    if (pins.contains(land->GetPinNumber())) lands.push_back(land);
  });
  RedrawAround(lands, [&] { CopyTerminals(component, changes); });
}
