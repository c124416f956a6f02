#include "editor/dialogs/delete_package_dialog.h"

#include "editor/dialogs/package_list.h"
#include "editor/resources/resource_ids.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"
#include "host/utility/combo_entries.h"
#include "host/utility/reselect_control.h"

CDeletePackageDialog::CDeletePackageDialog(CDesign* design, CComponent* current, CWnd* parent)
    : CDialog(IDD_DELETE_PACKAGE, parent), m_design(design), m_current(current) {}

void CDeletePackageDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PACKAGE_LIST, m_combo);
}

BOOL CDeletePackageDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FillPackageList(m_combo, m_design);
  SelectComboEntry(m_combo, m_current);
  return TRUE;
}

void CDeletePackageDialog::OnOK() {
  if (m_design == nullptr || m_design->CountComponents() <= 1) {
    CAppError::SetLastError(IDS_ERR_LAST_PACKAGE);
    ReselectControl(&m_combo);
    CAppError::ReportLastError();
    return;
  }
  CComponent* chosen = SelectedPackage(m_combo);
  if (chosen == nullptr) chosen = TypedPackage(m_combo);
  // A name typed into the list's edit field that is no package deletes nothing.
  if (chosen == nullptr) {
    RefuseTypedName();
    return;
  }
  m_design->DeleteComponent(chosen);
  CDialog::OnOK();
}

void CDeletePackageDialog::RefuseTypedName() {
  const CString typed = m_combo.GetWindowText();
  if (typed.IsEmpty())
    CAppError::SetLastErrorText("Choose the package to delete.");
  else
    CAppError::SetLastErrorText("Package \"" + typed + "\" does not exist.");
  ReselectControl(&m_combo);
  CAppError::ReportLastError();
}
