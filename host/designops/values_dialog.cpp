#include "host/designops/values_dialog.h"

#include <utility>

#include "host/designops/designops_resources.h"
#include "host/utility/app_error.h"

IMPLEMENT_DYNAMIC(CValuesDialog, CDialog)

const MessageMap CValuesDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(LBN_SELCHANGE, IDC_VALUES_LIST, &CValuesDialog::OnSelectionChanged),
        CommandEntry(IDC_VALUES_ADD, &CValuesDialog::OnAdd),
        CommandEntry(IDC_VALUES_CHANGE, &CValuesDialog::OnChange),
        CommandEntry(IDC_VALUES_DELETE, &CValuesDialog::OnDelete),
    }};

namespace {
// The name column's width in dialog units.
constexpr int kValueColumn = 80;
}  // namespace

CValuesDialog::CValuesDialog(std::vector<AttributeValue> values, CWnd* parent)
    : CDialog(IDD_VALUES, parent), m_values(std::move(values)) {
  Resources::AddModule(&DesignOpsResources());
}

void CValuesDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_VALUES_LIST, m_list);
  DDX_Control(dx, IDC_VALUES_NAME, m_name);
  DDX_Control(dx, IDC_VALUES_VALUE, m_value);
}

BOOL CValuesDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.SetTabStops(kValueColumn);
  ShowValues(-1);
  return TRUE;
}

void CValuesDialog::ShowValues(int select) {
  m_list.ResetContent();
  for (const AttributeValue& value : m_values) m_list.AddString(value.name + "\t" + value.value);
  m_list.SetCurSel(select);
  OnSelectionChanged();
}

void CValuesDialog::OnSelectionChanged() {
  const int line = m_list.GetCurSel();
  const bool selected = line >= 0 && line < static_cast<int>(m_values.size());
  if (selected) {
    m_name.SetWindowText(m_values[static_cast<size_t>(line)].name);
    m_value.SetWindowText(m_values[static_cast<size_t>(line)].value);
  }
  GetDlgItem(IDC_VALUES_CHANGE)->EnableWindow(selected);
  GetDlgItem(IDC_VALUES_DELETE)->EnableWindow(selected);
}

CString CValuesDialog::TypedName() const {
  CString name = m_name.GetWindowText();
  return name.Trim();
}

bool CValuesDialog::AcceptName(const CString& name, int except) {
  CString problem;
  if (name.IsEmpty()) problem = "A value needs a name.";
  for (size_t index = 0; problem.IsEmpty() && index < m_values.size(); ++index) {
    if (static_cast<int>(index) != except && m_values[index].name.EqualsNoCase(name)) {
      problem.Format("There is already a value named \"%s\".", m_values[index].name);
    }
  }
  if (problem.IsEmpty()) return true;
  CAppError::SetLastErrorText(problem);
  CAppError::ReportLastError();
  GotoDlgCtrl(&m_name);
  return false;
}

void CValuesDialog::OnAdd() {
  const CString name = TypedName();
  if (!AcceptName(name, -1)) return;
  m_values.push_back({name, m_value.GetWindowText()});
  ShowValues(static_cast<int>(m_values.size()) - 1);
}

void CValuesDialog::OnChange() {
  const int line = m_list.GetCurSel();
  if (line < 0 || line >= static_cast<int>(m_values.size())) return;
  const CString name = TypedName();
  if (!AcceptName(name, line)) return;
  m_values[static_cast<size_t>(line)] = {name, m_value.GetWindowText()};
  ShowValues(line);
}

void CValuesDialog::OnDelete() {
  const int line = m_list.GetCurSel();
  if (line < 0 || line >= static_cast<int>(m_values.size())) return;
  m_values.erase(m_values.begin() + line);
  m_name.SetWindowText("");
  m_value.SetWindowText("");
  ShowValues(-1);
}
