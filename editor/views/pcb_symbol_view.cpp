#include "editor/views/pcb_symbol_view.h"

#include <set>
#include <unordered_set>
#include <vector>

#include "editor/views/view_designs.h"
#include "host/libtools/library_manager.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/pad_instance.h"
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
  IndexPads();
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

void CPcbSymbolView::HighlightMatchingPads(CPadInstance* pad) {
  if (pad == nullptr) return;
  const int pin = pad->GetPinNumber();
  // Lands without a number share no pin.
  if (pin == CGate::kNoPin) return;
  for (CPadInstance* land : Pads().PadsOfPin(pin)) MarkHighlighted(land);
}

void CPcbSymbolView::HighlightTerminal(int gate, int number) {
  if (gate != kHighlightPcbPin) return;
  ClearHighlight();
  if (number == CGate::kNoPin) return;
  for (CPadInstance* land : Pads().PadsOfPin(number)) MarkHighlighted(land);
}

// Unassigning (pin -1) redraws the pad the terminal had, which then shows unassigned.
void CPcbSymbolView::UpdatePinNumber(const CPinNumberHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  const CComponent* copy = placed->GetComponent();
  int pin = hint->GetPin();
  if (pin == CGate::kNoPin) pin = copy->GetPinNumber(hint->GetGate(), hint->GetTerminal());
  // Every land of the pin changes with it.
  const std::vector<CPadInstance*> lands =
      pin != CGate::kNoPin ? Pads().PadsOfPin(pin) : std::vector<CPadInstance*>();
  for (CPadInstance* land : lands) Draw(land, kDrawBeforeChange);
  // The lands the terminal leaves show unassigned from now on.
  const int left = copy->GetPinNumber(hint->GetGate(), hint->GetTerminal());
  SetPinInCopy(hint->GetGate(), hint->GetTerminal(), hint->GetPin());
  for (CPadInstance* land : lands) Draw(land, kDrawAfterChange);
  if (left == pin || left == CGate::kNoPin) return;
  for (CPadInstance* land : Pads().PadsOfPin(left)) InvalidateItem(land);
}

void CPcbSymbolView::UpdatePinName(const CPinNameHint* hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (hint == nullptr || placed == nullptr) return;
  const std::vector<CPadInstance*> lands = PadsServing(*hint);
  for (CPadInstance* land : lands) Draw(land, kDrawBeforeChange);
  RenameTerminalInCopy(*hint);
  for (CPadInstance* land : lands) Draw(land, kDrawAfterChange);
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

// A land shows the name of the first terminal of its pin, so only the lands of the
// pins that the hint's terminal has in the symbol's gates can show the new name.
std::vector<CPadInstance*> CPcbSymbolView::PadsServing(const CPinNameHint& hint) const {
  const CComponent* copy = GetPlacedInstance()->GetComponent();
  // In pin order, as the lands of a footprint usually lie.
  std::set<int> pins;
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = copy->FirstGate(position, index); gate != nullptr;
       gate = copy->NextGate(position, index)) {
    if (gate->GetSymbol().CompareNoCase(hint.GetSymbolName()) == 0)
      pins.insert(gate->GetPinNumber(hint.GetTerminal()));
  }
  pins.erase(CGate::kNoPin);
  std::vector<CPadInstance*> lands;
  for (int pin : pins) {
    for (CPadInstance* land : Pads().PadsOfPin(pin)) {
      if (ServesTerminal(land, hint)) lands.push_back(land);
    }
  }
  return lands;
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
  for (int pin : pins) {
    const std::vector<CPadInstance*>& pads = Pads().PadsOfPin(pin);
    lands.insert(lands.end(), pads.begin(), pads.end());
  }
  RedrawAround(lands, [&] { CopyTerminals(component, changes); });
}
