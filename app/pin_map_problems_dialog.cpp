#include "app/pin_map_problems_dialog.h"

#include <utility>

#include "app/app_resources.h"
#include "platform/data_exchange.h"

const MessageMap CPinMapProblemsDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(LBN_DBLCLK, IDC_PROBLEMS_LIST, &CPinMapProblemsDialog::OnOK),
    }};

CPinMapProblemsDialog::CPinMapProblemsDialog(std::vector<PinMapProblem> problems, CWnd* parent)
    : CDialog(IDD_PIN_MAP_PROBLEMS, parent), m_problems(std::move(problems)) {
  Resources::AddModule(&AppResources());
}

void CPinMapProblemsDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PROBLEMS_LIST, m_list);
}

BOOL CPinMapProblemsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CString count;
  count.Format("%zu %s of the pin grid will not pass:", m_problems.size(),
               m_problems.size() == 1 ? "cell" : "cells");
  GetDlgItem(IDC_PROBLEMS_COUNT)->SetWindowText(count);
  for (std::size_t index = 0; index < m_problems.size(); ++index) {
    const int line = m_list.AddString(m_problems[index].text);
    m_list.SetItemData(line, index);
  }
  m_list.SetCurSel(m_problems.empty() ? -1 : 0);
  GotoDlgCtrl(&m_list);
  return FALSE;
}

void CPinMapProblemsDialog::OnOK() {
  const int line = m_list.GetCurSel();
  if (line < 0) return;
  const std::size_t index = m_list.GetItemData(line);
  if (index >= m_problems.size()) return;
  m_chosen = &m_problems[index];
  EndDialog(IDOK);
}
