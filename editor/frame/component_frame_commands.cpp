// The component frame's commands that need no dialog of the module's own: Delete, the
// host's value editing, edit-in-library and the view commands.
#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/designops/set_op.h"
#include "host/model/design.h"
#include "platform/cmd_target.h"

void CComponentFrame::OnDelete() {
  StopAssignPins();
  StartUndoLevel(IDS_UNDO_DELETE);
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->DeleteSelection();
  EndUndoLevel(IDS_UNDO_DELETE);
}

void CComponentFrame::OnValues() {
  StopAssignPins();
  if (GetComponent(false) == nullptr) return;
  CSetOp::ChangeValues(GetDesign(), m_pComponent);
  // The values dialog may have changed the design under the current component.
  GetComponent(false);
  GetDesign()->UpdateAllViews(nullptr, HintComponent, m_pComponent);
}

void CComponentFrame::OnEditScmSymbolInLib() {
  CSymbolsFrame* symbols = GetSymbolsFrame();
  if (symbols == nullptr) return;
  EditSymbolInLibrary(symbols->EditScmSymbolInLib(), false);
}

void CComponentFrame::OnEditPcbSymInLibrary() {
  CSymbolsFrame* symbols = GetSymbolsFrame();
  if (symbols == nullptr) return;
  EditSymbolInLibrary(symbols->EditPcbSymInLibrary(), true);
}

void CComponentFrame::OnUpdateEditScmSymbolInLib(CCmdUI* cmdUI) {
  CSymbolsFrame* symbols = GetSymbolsFrame();
  cmdUI->Enable(symbols != nullptr && symbols->CanEditScmSymbolInLib());
}

void CComponentFrame::OnUpdateEditPcbSymInLibrary(CCmdUI* cmdUI) {
  CSymbolsFrame* symbols = GetSymbolsFrame();
  cmdUI->Enable(symbols != nullptr && symbols->CanEditPcbSymInLibrary());
}

void CComponentFrame::EditSymbolInLibrary(const SelectedLibrarySymbol&, bool) {}

void CComponentFrame::OnZoomAtCursor() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnZoomAtCursor();
}

void CComponentFrame::OnUnzoomAtCursor() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnUnzoomAtCursor();
}

void CComponentFrame::OnViewExtents() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnViewExtents();
}

void CComponentFrame::OnRefreshView() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnRefreshView();
}

void CComponentFrame::OnViewPan() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnViewPan();
}
