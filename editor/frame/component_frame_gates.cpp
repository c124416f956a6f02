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

// `count` gates of `pins` terminals at consecutive indices from `index`; a gate already
// at an index moves up to make room. Every package takes each gate, without pins. The
// first refusal is shown and ends the run.
void AddGates(CComponent& current, int index, int count, const CString& library, const CString& symbol,
              int pins) {
  for (int added = 0; added < count; ++added, ++index) {
    if (current.AddGate(index, library, symbol, pins, nullptr, nullptr) == nullptr) {
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
