#include "app/component_picker_dialog.h"

#include <utility>

#include "app/app_resources.h"

IMPLEMENT_DYNAMIC(CComponentPickerDialog, CDialog)

const MessageMap CComponentPickerDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(EN_CHANGE, IDC_PICKER_FILTER, &CComponentPickerDialog::OnFilterChanged),
        NotifyEntry(LBN_SELCHANGE, IDC_PICKER_LIST, &CComponentPickerDialog::OnSelectionChanged),
    }};

namespace {

CString Lower(CString text) {
  text.MakeLower();
  return text;
}

CString JoinPackages(const std::vector<CString>& packages) {
  CString joined;
  for (const CString& package : packages) {
    if (!joined.IsEmpty()) joined += ", ";
    joined += package;
  }
  return joined;
}

}  // namespace

CComponentPickerDialog::CComponentPickerDialog(std::vector<LibraryEntry> entries, const CString& libraryName,
                                               CWnd* parent)
    : CDialog(IDD_COMPONENT_PICKER, parent), m_entries(std::move(entries)), m_libraryName(libraryName) {
  Resources::AddModule(&AppResources());
}

void CComponentPickerDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PICKER_FILTER, m_filter);
  DDX_Control(dx, IDC_PICKER_LIST, m_list);
}

BOOL CComponentPickerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_libraryName.IsEmpty()) SetWindowText("Open Component from " + m_libraryName);
  ShowMatches();
  GotoDlgCtrl(&m_filter);
  return FALSE;
}

bool CComponentPickerDialog::Matches(const LibraryEntry& entry, const CString& lowerFilter) const {
  if (lowerFilter.IsEmpty() || Lower(entry.name).Find(lowerFilter) >= 0) return true;
  for (const CString& package : entry.packages) {
    if (Lower(package).Find(lowerFilter) >= 0) return true;
  }
  return false;
}

void CComponentPickerDialog::ShowMatches() {
  CString filter = m_filter.GetWindowText();
  const CString lowerFilter = Lower(filter.Trim());
  m_list.ResetContent();
  int shown = 0;
  for (size_t index = 0; index < m_entries.size(); ++index) {
    if (!Matches(m_entries[index], lowerFilter)) continue;
    const int line = m_list.AddString(m_entries[index].name);
    m_list.SetItemData(line, index);
    ++shown;
  }
  CString count;
  if (lowerFilter.IsEmpty()) {
    count.Format("%d components", shown);
  } else {
    count.Format("%d of %d components", shown, static_cast<int>(m_entries.size()));
  }
  GetDlgItem(IDC_PICKER_COUNT)->SetWindowText(count);
  m_list.SetCurSel(shown > 0 ? 0 : -1);
  OnSelectionChanged();
}

const LibraryEntry* CComponentPickerDialog::SelectedEntry() const {
  const int line = m_list.GetCurSel();
  if (line < 0) return nullptr;
  const size_t index = m_list.GetItemData(line);
  return index < m_entries.size() ? &m_entries[index] : nullptr;
}

void CComponentPickerDialog::OnFilterChanged() {
  ShowMatches();
}

void CComponentPickerDialog::OnSelectionChanged() {
  const LibraryEntry* entry = SelectedEntry();
  CString packages;
  if (entry != nullptr) packages = "Packages: " + JoinPackages(entry->packages);
  GetDlgItem(IDC_PICKER_PACKAGES)->SetWindowText(packages);
  GetDlgItem(IDOK)->EnableWindow(entry != nullptr);
}

void CComponentPickerDialog::OnOK() {
  const LibraryEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  m_chosen = entry->name;
  EndDialog(IDOK);
}
