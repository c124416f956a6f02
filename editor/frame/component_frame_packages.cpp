// The component frame's package commands: add a package, choose the current one (in a
// dialog or by name), delete one. Each writes the grid's pending edits back first and
// is one undo step, opened and closed whether the user confirms or cancels.
#include "editor/dialogs/add_package_dialog.h"
#include "editor/dialogs/delete_package_dialog.h"
#include "editor/dialogs/select_package_dialog.h"
#include "editor/frame/component_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"

namespace {

// The design's first record whose package is `package`, ignoring case.
CComponent* FindPackageRecord(const CDesign& design, const CString& package) {
  POSITION position = nullptr;
  for (CComponent* component = design.FirstComponent(position); component != nullptr;
       component = design.NextComponent(position)) {
    if (component->GetPackage().EqualsNoCase(package.str())) return component;
  }
  return nullptr;
}

}  // namespace

void CComponentFrame::OnAddPackage() {
  StopAssignPins();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return;
  }
  CDesign* design = GetDesign();
  StartUndoLevel(IDS_UNDO_ADD_PACKAGE);
  CAddPackageDialog dialog(design);
  if (dialog.DoModal() == IDOK) {
    m_pComponent = dialog.GetNewComponent();
    SetCaption();
    design->UpdateAllViews(nullptr, HintComponent, m_pComponent);
  }
  EndUndoLevel(IDS_UNDO_ADD_PACKAGE);
}

void CComponentFrame::OnDeletePackage() {
  StopAssignPins();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return;
  }
  CDesign* design = GetDesign();
  StartUndoLevel(IDS_UNDO_DELETE_PACKAGE);
  if (CComponent* current = GetComponent(false)) {
    CDeletePackageDialog dialog(design, current);
    if (dialog.DoModal() == IDOK) {
      // Whichever package went, possibly the current one, the first remaining record
      // is shown.
      m_pComponent = design->FirstComponent();
      SetCaption();
      design->UpdateAllViews(nullptr, HintComponent, m_pComponent);
    }
  }
  EndUndoLevel(IDS_UNDO_DELETE_PACKAGE);
}

void CComponentFrame::OnSelectPackage() {
  StopAssignPins();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return;
  }
  CDesign* design = GetDesign();
  StartUndoLevel(IDS_UNDO_SELECT_PACKAGE);
  const CString package = m_pComponent != nullptr ? m_pComponent->GetPackage() : CString();
  CSelectPackageDialog dialog(design, package);
  if (dialog.DoModal() == IDOK) {
    // Null when no entry was chosen: the next operation takes the first record.
    m_pComponent = dialog.GetSelected();
    SetCaption();
    design->UpdateAllViews(nullptr, HintComponent, m_pComponent);
  }
  EndUndoLevel(IDS_UNDO_SELECT_PACKAGE);
}

// A failed write-back is reported here, as the Select Package command reports it, so
// the caller only has to show the current package again.
bool CComponentFrame::SelectPackage(const CString& package) {
  CDesign* design = GetDesign();
  if (design == nullptr || FindPackageRecord(*design, package) == nullptr) return false;
  StopAssignPins();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return false;
  }
  StartUndoLevel(IDS_UNDO_SELECT_PACKAGE);
  m_pComponent = FindPackageRecord(*design, package);
  SetCaption();
  design->UpdateAllViews(nullptr, HintComponent, m_pComponent);
  EndUndoLevel(IDS_UNDO_SELECT_PACKAGE);
  return true;
}
