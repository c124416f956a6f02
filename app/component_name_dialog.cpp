#include "app/component_name_dialog.h"

#include "app/app_resources.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"
#include "platform/data_exchange.h"

CComponentNameDialog::CComponentNameDialog(const CString& caption, const CString& prompt,
                                           const CString& proposed, CWnd* parent)
    : CDialog(IDD_COMPONENT_NAME, parent), m_caption(caption), m_prompt(prompt), m_name(proposed) {
  Resources::AddModule(&AppResources());
}

void CComponentNameDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, IDC_COMPONENT_NAME_EDIT, m_name);
}

BOOL CComponentNameDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_caption);
  GetDlgItem(IDC_COMPONENT_NAME_PROMPT)->SetWindowText(m_prompt);
  UpdateData(FALSE);
  ReselectControl(GetDlgItem(IDC_COMPONENT_NAME_EDIT));
  return FALSE;
}

void CComponentNameDialog::OnOK() {
  UpdateData(TRUE);
  m_name.Trim();
  if (!ValidComponentName(m_name)) {
    ReselectControl(GetDlgItem(IDC_COMPONENT_NAME_EDIT));
    CAppError::ReportLastError();
    return;
  }
  EndDialog(IDOK);
}
