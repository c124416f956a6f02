#include "host/libtools/find_library_item.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>

#include "host/libtools/libtools_resources.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/file_path.h"
#include "platform/app_registry.h"

IMPLEMENT_DYNAMIC(CFindLibraryItem, CDialog)

const MessageMap CFindLibraryItem::kMessageMap{
    &CDialog::kMessageMap,
    {
        CommandEntry(IDC_FIND_SEARCH, &CFindLibraryItem::OnSearch),
        CommandEntry(IDC_FIND_USE, &CFindLibraryItem::OnUse),
        NotifyEntry(LBN_SELCHANGE, IDC_FIND_RESULTS, &CFindLibraryItem::OnResultChanged),
    }};

namespace {

constexpr const char* kSettingsKey = "FindLibraryItem";
constexpr const char* kDefaultPattern = "*";
// The library column's width in dialog units.
constexpr int kSymbolColumn = 90;

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

bool MatchesNamePattern(std::string_view name, std::string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  // Where the last '*' was and the name position it is currently stretched to.
  size_t starPattern = std::string_view::npos;
  size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

CFindLibraryItem::CFindLibraryItem(const char* identifier, CWnd* parent)
    : CDialog(IDD_FIND_LIBRARY_ITEM, parent), m_identifier(identifier) {
  Resources::AddModule(&LibraryToolsResources());
}

CString CFindLibraryItem::GetLibraryFile() const {
  return CFilePath(m_strLibraryFile).GetFileNameAndExtension();
}

CString CFindLibraryItem::GetLibraryPath() const {
  return m_directory + GetLibraryFile();
}

void CFindLibraryItem::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_FIND_PATTERN, m_pattern);
  DDX_Control(dx, IDC_FIND_RESULTS, m_results);
}

BOOL CFindLibraryItem::OnInitDialog() {
  CDialog::OnInitDialog();
  m_directory = SearchDirectory();
  m_results.SetTabStops(kSymbolColumn);
  CString pattern = kDefaultPattern;
  CAppRegistry(kSettingsKey).GetValue(m_identifier, pattern);
  m_pattern.SetWindowText(pattern);
  return TRUE;
}

CString CFindLibraryItem::SearchDirectory() const {
  if (!m_strSearchDirectory.IsEmpty()) {
    CFilePath directory;
    directory.SetDirectory(m_strSearchDirectory);
    return directory.GetDirectory();
  }
  const CString directory = CFilePath(m_strLibraryFile).GetDriveAndDirectory();
  return directory.IsEmpty() ? CString("./") : directory;
}

void CFindLibraryItem::OnSearch() {
  CString pattern = m_pattern.GetWindowText().Trim();
  if (pattern.IsEmpty()) pattern = kDefaultPattern;
  CAppRegistry(kSettingsKey).SetValue(m_identifier, pattern);
  m_found.clear();
  std::vector<CString> unreadable;
  const int searched = SearchLibraries(pattern, unreadable);
  ShowResults();
  ShowStatus(searched, unreadable);
}

int CFindLibraryItem::SearchLibraries(const CString& pattern, std::vector<CString>& unreadable) {
  const CString extension = CSymbolLibrary::ExtensionOf(m_pLibraryKind);
  std::vector<CString> files;
  const SymbolKind kind = m_pLibraryKind->IsDerivedFrom(RUNTIME_CLASS(CPcbSymbolLibrary))
                              ? SymbolKind::Pcb
                              : SymbolKind::Schematic;
  if (extension.IsEmpty() || !CSymbolLibraryLocator::ListLibraries(m_directory, kind, files)) return -1;
  int searched = 0;
  std::vector<CString> names;
  for (const CString& file : files) {
    if (!CSymbolLibrary::ReadNames(m_pLibraryKind, m_directory + file, names)) {
      unreadable.push_back(file);
      continue;
    }
    ++searched;
    for (const CString& name : names) {
      if (MatchesNamePattern(name.str(), pattern.str())) m_found.push_back({file, name});
    }
  }
  return searched;
}

void CFindLibraryItem::ShowResults() {
  m_results.ResetContent();
  for (size_t index = 0; index < m_found.size(); ++index) {
    const int line = m_results.AddString(m_found[index].libraryFile + "\t" + m_found[index].symbolName);
    m_results.SetItemData(line, index);
  }
  OnResultChanged();
}

void CFindLibraryItem::ShowStatus(int librariesSearched, const std::vector<CString>& unreadable) {
  CString status;
  if (librariesSearched < 0) {
    status.Format("The folder \"%s\" cannot be searched.", m_directory);
  } else {
    status.Format("%d found in %d %s.", static_cast<int>(m_found.size()), librariesSearched,
                  librariesSearched == 1 ? "library" : "libraries");
  }
  if (!unreadable.empty()) {
    CString names;
    for (const CString& file : unreadable) names += (names.IsEmpty() ? "" : ", ") + file;
    status += " Cannot read: " + names + ".";
  }
  SetDlgItemText(IDC_FIND_STATUS, status);
}

void CFindLibraryItem::OnResultChanged() {
  if (CWnd* use = GetDlgItem(IDC_FIND_USE)) use->EnableWindow(m_results.GetCurSel() != LB_ERR);
}

void CFindLibraryItem::OnUse() {
  const int line = m_results.GetCurSel();
  if (line == LB_ERR) return;
  const size_t index = m_results.GetItemData(line);
  if (index >= m_found.size()) return;
  const FoundSymbol& found = m_found[index];
  m_switchLibrary = found.libraryFile != GetLibraryFile();
  m_strLibraryFile = found.libraryFile;
  m_symbolName = found.symbolName;
  if (m_pfnCallback != nullptr) m_pfnCallback(this, m_pCallbackContext);
}
