#include "app/component_picker_dialog.h"

#include <filesystem>
#include <utility>

#include "app/app_resources.h"
#include "app/component_name_dialog.h"
#include "host/model/component_library_edit.h"
#include "platform/message_box.h"

IMPLEMENT_DYNAMIC(CComponentPickerDialog, CDialog)

const MessageMap CComponentPickerDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(EN_CHANGE, IDC_PICKER_FILTER, &CComponentPickerDialog::OnFilterChanged),
        NotifyEntry(LBN_SELCHANGE, IDC_PICKER_LIST, &CComponentPickerDialog::OnSelectionChanged),
        // A double click on a line, or Enter in the list, opens the component.
        NotifyEntry(LBN_DBLCLK, IDC_PICKER_LIST, &CComponentPickerDialog::OnOK),
        CommandEntry(IDC_PICKER_DUPLICATE, &CComponentPickerDialog::OnDuplicate),
        CommandEntry(IDC_PICKER_RENAME, &CComponentPickerDialog::OnRename),
        CommandEntry(IDC_PICKER_DELETE, &CComponentPickerDialog::OnDelete),
    }};

namespace {

// Where the list's columns start, in dialog units: packages, then the gate count.
constexpr int kListTabStops[] = {90, 205};

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

CString GateCount(int gates) {
  CString text;
  text.Format(gates == 1 ? "%d gate" : "%d gates", gates);
  return text;
}

CString FileNameOf(const CString& path) {
  return std::filesystem::path(path.str()).filename().string();
}

}  // namespace

CComponentPickerDialog::CComponentPickerDialog(const CString& libraryPath, std::vector<LibraryEntry> entries,
                                               IsOpenQuery isOpen, CWnd* parent)
    : CDialog(IDD_COMPONENT_PICKER, parent),
      m_libraryPath(libraryPath),
      m_entries(std::move(entries)),
      m_isOpen(std::move(isOpen)) {
  Resources::AddModule(&AppResources());
}

void CComponentPickerDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PICKER_FILTER, m_filter);
  DDX_Control(dx, IDC_PICKER_LIST, m_list);
}

BOOL CComponentPickerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_libraryPath.IsEmpty()) SetWindowText("Open Component from " + FileNameOf(m_libraryPath));
  m_list.SetTabStops(static_cast<int>(std::size(kListTabStops)), kListTabStops);
  ShowMatches();
  GotoDlgCtrl(&m_filter);
  return FALSE;
}

// ---- The list ----

bool CComponentPickerDialog::Matches(const LibraryEntry& entry, const CString& lowerFilter) const {
  if (lowerFilter.IsEmpty() || Lower(entry.name).Find(lowerFilter) >= 0) return true;
  for (const CString& package : entry.packages) {
    if (Lower(package).Find(lowerFilter) >= 0) return true;
  }
  return false;
}

void CComponentPickerDialog::ShowMatches(const CString& select) {
  CString filter = m_filter.GetWindowText();
  const CString lowerFilter = Lower(filter.Trim());
  m_list.ResetContent();
  int shown = 0;
  for (size_t index = 0; index < m_entries.size(); ++index) {
    const LibraryEntry& entry = m_entries[index];
    if (!Matches(entry, lowerFilter)) continue;
    const int line =
        m_list.AddString(entry.name + "\t" + JoinPackages(entry.packages) + "\t" + GateCount(entry.gates));
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
  int selected = shown > 0 ? 0 : -1;
  for (int line = 0; line < shown && !select.IsEmpty(); ++line) {
    if (m_entries[m_list.GetItemData(line)].name.EqualsNoCase(select)) selected = line;
  }
  m_list.SetCurSel(selected);
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
  if (entry != nullptr)
    packages = "Packages: " + JoinPackages(entry->packages) + "; " + GateCount(entry->gates);
  GetDlgItem(IDC_PICKER_PACKAGES)->SetWindowText(packages);
  for (const int id : {IDOK, IDC_PICKER_DUPLICATE, IDC_PICKER_RENAME, IDC_PICKER_DELETE})
    GetDlgItem(id)->EnableWindow(entry != nullptr);
}

void CComponentPickerDialog::OnOK() {
  const LibraryEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  m_chosen = entry->name;
  EndDialog(IDOK);
}

// ---- Changing the library ----

bool CComponentPickerDialog::AskName(const CString& caption, const CString& prompt, const CString& proposed,
                                     CString& name) {
  CComponentNameDialog dialog(caption, prompt, proposed, this);
  if (dialog.DoModal() != IDOK) return false;
  name = dialog.GetName();
  return true;
}

bool CComponentPickerDialog::RefuseOpenComponent(const CString& name, const char* action) {
  if (!m_isOpen || !m_isOpen(name)) return false;
  CString text;
  text.Format("%s is open in a tab. Close its tab first, then %s it here.", name.c_str(), action);
  AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
  return true;
}

void CComponentPickerDialog::AfterChange(bool done, const CString& error, const CString& select) {
  if (!done) AfxMessageBox(error + "\n\nThe library was not changed.", MB_OK | MB_ICONERROR);
  std::vector<LibraryEntry> entries;
  CString readError;
  if (!CComponentLibraryFile::ReadContents(m_libraryPath, entries, readError)) {
    AfxMessageBox(readError, MB_OK | MB_ICONERROR);
    return;
  }
  m_entries = std::move(entries);
  ShowMatches(select);
}

void CComponentPickerDialog::OnDuplicate() {
  const LibraryEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  const CString source = entry->name;
  CString name;
  if (!AskName("Duplicate " + source, "Name of the copy:", source + "-COPY", name)) return;
  CString error;
  const bool done = CComponentLibraryEdit::CopyComponent(m_libraryPath, source, name, error);
  AfterChange(done, error, done ? name : source);
}

void CComponentPickerDialog::OnRename() {
  const LibraryEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  const CString source = entry->name;
  if (RefuseOpenComponent(source, "rename")) return;
  CString name;
  if (!AskName("Rename " + source, "New name:", source, name) || name == source) return;
  CString error;
  const bool done = CComponentLibraryEdit::RenameComponent(m_libraryPath, source, name, error);
  AfterChange(done, error, done ? name : source);
}

void CComponentPickerDialog::OnDelete() {
  const LibraryEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  const CString name = entry->name;
  if (RefuseOpenComponent(name, "delete")) return;
  CString question;
  question.Format("Delete %s from %s? This cannot be undone.", name.c_str(),
                  FileNameOf(m_libraryPath).c_str());
  if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  CString error;
  const bool done = CComponentLibraryEdit::DeleteComponent(m_libraryPath, name, error);
  AfterChange(done, error, done ? CString() : name);
}
