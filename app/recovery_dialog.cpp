#include "app/recovery_dialog.h"

#include <filesystem>
#include <utility>

#include "app/app_resources.h"
#include "platform/message_box.h"

const MessageMap CRecoveryDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(LBN_SELCHANGE, IDC_RECOVERY_LIST, &CRecoveryDialog::OnSelectionChanged),
        NotifyEntry(LBN_DBLCLK, IDC_RECOVERY_LIST, &CRecoveryDialog::OnOK),
        CommandEntry(IDC_RECOVERY_DISCARD, &CRecoveryDialog::OnDiscard),
    }};

namespace {

// Where the list's columns start, in dialog units: the library, then the age.
constexpr int kListTabStops[] = {100, 220};

CString FileNameOf(const CString& path) {
  return std::filesystem::path(path.str()).filename().string();
}

CString Line(const RecoveryFile& file, std::time_t now) {
  const CString age = CRecoveryDialog::DescribeAge(file.written, now);
  if (!file.copy) return FileNameOf(file.path) + "\t(cannot be read)\t" + age;
  return file.copy->component.name + "\t" + FileNameOf(file.copy->library) + "\t" + age;
}

CString Detail(const RecoveryFile& file) {
  if (!file.copy) return file.problem;
  const CString state = file.copy->inLibrary ? "" : " (new, never saved)";
  return file.copy->component.name + state + " of " + file.copy->library;
}

}  // namespace

CRecoveryDialog::CRecoveryDialog(std::vector<RecoveryFile> files, Action restore, Action discard,
                                 std::time_t now, CWnd* parent)
    : CDialog(IDD_RECOVERY, parent),
      m_files(std::move(files)),
      m_restore(std::move(restore)),
      m_discard(std::move(discard)),
      m_now(now) {
  Resources::AddModule(&AppResources());
}

CString CRecoveryDialog::DescribeAge(std::time_t written, std::time_t now) {
  const long long minutes = (now - written) / 60;
  CString text;
  if (minutes < 1) return "just now";
  if (minutes < 60) {
    text.Format(minutes == 1 ? "%lld minute ago" : "%lld minutes ago", minutes);
  } else if (minutes < 48 * 60) {
    text.Format(minutes < 120 ? "%lld hour ago" : "%lld hours ago", minutes / 60);
  } else {
    text.Format("%lld days ago", minutes / (24 * 60));
  }
  return text;
}

void CRecoveryDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_RECOVERY_LIST, m_list);
}

BOOL CRecoveryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.SetTabStops(static_cast<int>(std::size(kListTabStops)), kListTabStops);
  ShowFiles();
  GotoDlgCtrl(&m_list);
  return FALSE;
}

void CRecoveryDialog::ShowFiles() {
  m_list.ResetContent();
  for (const RecoveryFile& file : m_files) m_list.AddString(Line(file, m_now));
  m_list.SetCurSel(m_files.empty() ? -1 : 0);
  OnSelectionChanged();
}

void CRecoveryDialog::OnSelectionChanged() {
  const int index = Chosen();
  GetDlgItem(IDC_RECOVERY_DETAIL)->SetWindowText(index >= 0 ? Detail(m_files[index]) : CString());
}

int CRecoveryDialog::Chosen() const {
  const int line = m_list.GetCurSel();
  return line >= 0 && line < static_cast<int>(m_files.size()) ? line : -1;
}

void CRecoveryDialog::Drop(int index) {
  m_files.erase(m_files.begin() + index);
  if (m_files.empty()) {
    EndDialog(IDOK);
    return;
  }
  ShowFiles();
  m_list.SetCurSel(std::min(index, static_cast<int>(m_files.size()) - 1));
  OnSelectionChanged();
}

void CRecoveryDialog::OnOK() {
  const int index = Chosen();
  if (index < 0) return;
  const RecoveryFile& file = m_files[index];
  if (!file.copy) {
    AfxMessageBox("\"" + FileNameOf(file.path) + "\" cannot be restored: " + file.problem,
                  MB_OK | MB_ICONERROR);
    return;
  }
  if (m_restore(file)) Drop(index);
}

void CRecoveryDialog::OnDiscard() {
  const int index = Chosen();
  if (index < 0) return;
  const RecoveryFile& file = m_files[index];
  const CString what = file.copy ? "the recovery copy of " + file.copy->component.name
                                 : CString("the file \"" + FileNameOf(file.path) + "\"");
  const CString question = "Delete " + what + "? Its changes cannot be recovered afterwards.";
  if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (m_discard(file)) Drop(index);
}
