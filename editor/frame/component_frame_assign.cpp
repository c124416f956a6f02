// Pin assignment and the select mode: the frame's side. An assignment run by clicking
// keeps the "Assign Pins" undo level open from OnAssignPins until StopAssignPins.
#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/symbol_instance.h"
#include "platform/message_box.h"
#include "platform/win_thread.h"

namespace {

// One for the whole module, not one per frame: true while an "Assign Pins" level is
// open on the design of the frame that opened it (which remembers that it did).
bool s_assigningPins = false;

// The pins of the PCB symbol the PCB view placed (a pin on several lands once, a land
// without a number not at all); 0 when it placed none.
int CountPlacedPads(const CSymbolsFrame* symbols) {
  const CPcbSymbolView* view = symbols != nullptr ? symbols->GetPcbView() : nullptr;
  const CDesign* design = view != nullptr ? view->GetViewDesign() : nullptr;
  const CComponentInstance* placed = design != nullptr ? design->FirstComponentInstance() : nullptr;
  const CSymbolInstance* footprint = placed != nullptr ? placed->FirstSymbolInstance() : nullptr;
  return footprint != nullptr ? footprint->GetSymbol()->CountPins() : 0;
}

// Terminals in gate order, then terminal order, take pins 1, 2, ...; those past the
// last pad lose their pin.
void NumberTerminalsConsecutively(CComponent& component, int pads) {
  int next = 1;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    const int terminals = gate->CountPins();
    for (int terminal = 1; terminal <= terminals; ++terminal) {
      component.SetPinNumber(index, terminal, next <= pads ? next++ : CGate::kNoPin);
    }
  }
}

void TellMainWindowAssignmentEnded() {
  CWinThread* thread = AfxGetThread();
  CWnd* mainWindow = thread != nullptr ? thread->GetMainWnd() : nullptr;
  if (mainWindow != nullptr) mainWindow->SendMessage(WM_COMMAND, ID_PIN_ASSIGNMENT_ENDED, 0);
}

}  // namespace

void CComponentFrame::OnSelectMode() {
  StopAssignPins();
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->StartSelectMode();
}

void CComponentFrame::OnAssignPins() {
  if (!s_assigningPins) {
    s_assigningPins = true;
    m_bAssignRunOpen = true;
    StartUndoLevel(IDS_UNDO_ASSIGN_PINS);
  }
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->StartAssignPins();
}

void CComponentFrame::StopAssignPins() {
  CloseAssignmentRun();
  if (CComponentGrid* grid = GetGrid()) grid->StopEdit();
}

// Closing a level on a design that did not open it would close some other level there,
// or nothing, and leave the run's own level open for good.
void CComponentFrame::CloseAssignmentRun() {
  if (!m_bAssignRunOpen) return;
  m_bAssignRunOpen = false;
  s_assigningPins = false;
  EndUndoLevel(IDS_UNDO_ASSIGN_PINS);
  TellMainWindowAssignmentEnded();
}

// Left open, the level would swallow every later edit of the design into a step that
// never closes, and the flag would keep every other frame from opening a run.
void CComponentFrame::OnDestroy() {
  CloseAssignmentRun();
  CMDIChildWnd::OnDestroy();
}

bool CComponentFrame::CanDoAssignPins121() {
  const CComponent* component = GetComponent(false);
  if (component == nullptr || component->CountGates() < 1) return false;
  return !component->GetPcbSymbol().IsEmpty();
}

// Not a frame command of the usual kind: it leaves an assignment run open, so that
// inside a run its level folds into the run's. With no pads drawn (the package names no
// PCB symbol, or its library lacks it) there is nothing to assign to: numbering would
// only take every terminal's pin away, so nothing is done.
void CComponentFrame::AssignPins121() {
  CComponent* component = GetComponent(false);
  if (component == nullptr) return;
  const int pads = CountPlacedPads(GetSymbolsFrame());
  if (pads < 1) return;
  if (component->CountTerminals() != pads) AfxMessageBox(IDS_WARN_TERMINAL_PAD_MISMATCH, MB_OK);
  StartUndoLevel(IDS_UNDO_ASSIGN_PINS_121);
  NumberTerminalsConsecutively(*component, pads);
  if (CDesign* design = GetDesign()) design->UpdateAllViews(nullptr, HintComponent, component);
  EndUndoLevel(IDS_UNDO_ASSIGN_PINS_121);
}
