#include "editor/dialogs/select_package_dialog.h"

#include "editor/dialogs/package_list.h"
#include "editor/resources/resource_ids.h"

CSelectPackageDialog::CSelectPackageDialog(CDesign* design, const CString& package, CWnd* parent)
    : CDialog(IDD_SELECT_PACKAGE, parent), m_design(design), m_package(package) {}

void CSelectPackageDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PACKAGE_LIST, m_combo);
}

BOOL CSelectPackageDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FillPackageList(m_combo, m_design);
  // The search starts after the first entry and wraps round to it; the combo's exact
  // search ignores case.
  const int found = m_combo.FindStringExact(0, m_package.c_str());
  m_combo.SetCurSel(found != CB_ERR ? found : 0);
  return TRUE;
}

void CSelectPackageDialog::OnOK() {
  UpdateData(TRUE);
  m_selected = SelectedPackage(m_combo);
  CDialog::OnOK();
}
