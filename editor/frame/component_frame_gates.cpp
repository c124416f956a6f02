// The component frame's Add Gate command.
#include "editor/dialogs/add_gate_dialog.h"
#include "editor/frame/component_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"

namespace {

// The first index missing from the run 0, 1, 2, ... of the component's gates, which
// are listed in ascending index; the number of gates when there is no gap. Until a
// gate has been added in this frame, the first gate's library and symbol are the ones
// to propose.
int FirstFreeGateIndex(const CComponent& component, CString& library, CString& symbol) {
  int free = 0;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    if (symbol.IsEmpty()) {
      symbol = gate->GetSymbol();
      library = gate->GetLibrary();
    }
    if (index != free) break;
    ++free;
  }
  return free;
}

// The design model keeps a copy of each gate in every package record, so every
// record takes the new gate at the same index: the other packages then show it too,
// with no pins, and the records keep agreeing on their gates.
bool AddGateToEveryRecord(CComponent& current, int index, const CString& library, const CString& symbol,
                          int pins) {
  if (current.AddGate(index, library, symbol, pins, nullptr, nullptr) == nullptr) return false;
  CDesign* design = current.GetOwnerDesign();
  if (design == nullptr) return true;
  POSITION position = nullptr;
  for (CComponent* record = design->FirstComponent(position); record != nullptr;
       record = design->NextComponent(position)) {
    if (record == &current) continue;
    if (record->AddGate(index, library, symbol, pins, nullptr, nullptr) == nullptr) return false;
  }
  return true;
}

// `count` gates of `pins` terminals at consecutive indices from `index`; a gate already
// at an index moves up to make room. The first refusal is shown and ends the run.
void AddGates(CComponent& current, int index, int count, const CString& library, const CString& symbol,
              int pins) {
  for (int added = 0; added < count; ++added, ++index) {
    if (!AddGateToEveryRecord(current, index, library, symbol, pins)) {
      CAppError::ReportLastError();
      return;
    }
  }
}

}  // namespace

void CComponentFrame::OnAddGate() {
  StopAssignPins();
  StartUndoLevel(IDS_UNDO_ADD_GATE);
  CComponent* component = GetComponent(false);
  if (component == nullptr) {
    EndUndoLevel(IDS_UNDO_ADD_GATE);
    return;
  }
  const int index = FirstFreeGateIndex(*component, m_strGateLibrary, m_strGateSymbol);
  CAddGateDialog dialog(index, m_strGateLibrary, m_strGateSymbol);
  if (dialog.DoModal() == IDOK) {
    m_strGateSymbol = dialog.GetSymbolName();
    m_strGateLibrary = dialog.GetLibraryName();
    AddGates(*component, index, dialog.GetHowMany(), m_strGateLibrary, m_strGateSymbol, dialog.GetPins());
    GetDesign()->UpdateAllViews(nullptr, HintComponent, component);
  }
  EndUndoLevel(IDS_UNDO_ADD_GATE);
}
