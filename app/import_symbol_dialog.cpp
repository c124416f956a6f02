#include "app/import_symbol_dialog.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/app_resources.h"
#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "host/kicad/kicad_library.h"
#include "host/libtools/library_manager.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"
#include "host/utility/reselect_control.h"
#include "platform/data_exchange.h"

namespace {

constexpr const char* kDefaultReference = "U";

// A symbol is named as the command line names it: by its own name, or by the name of one of its
// units ("7400" or "7400:B"), which the library lists.
bool LibraryHoldsSymbol(const CString& libraryPath, const CString& symbol) {
  if (symbol.IsEmpty()) {
    CAppError::SetLastError(IDS_ERR_EMPTY_SYMBOL_NAME);
    return false;
  }
  std::vector<CString> names;
  if (!CSymbolLibrary::ReadNames(RUNTIME_CLASS(CScmSymbolLibrary), libraryPath, names)) return false;
  const CString unitPrefix = symbol + ":";
  for (const CString& name : names) {
    if (name.CompareNoCase(symbol) == 0) return true;
    if (name.GetLength() > unitPrefix.GetLength() &&
        name.Left(unitPrefix.GetLength()).CompareNoCase(unitPrefix) == 0)
      return true;
  }
  CString message;
  message.FormatMessage("There is no symbol \"%1\" in \"%2\".", symbol,
                        CString(std::filesystem::path(libraryPath.str()).filename().string()));
  CAppError::SetLastErrorText(message);
  return false;
}

// The folder a filter text names (an absolute path, or one under the home folder with
// "~"), with a trailing '/'; empty for any other text.
CString FolderOf(const CString& text) {
  std::string path = text.str();
  if (path.starts_with("~/") || path == "~") {
    const char* home = std::getenv("HOME");
    if (home == nullptr) return {};
    path = home + path.substr(1);
  }
  std::error_code code;
  if (!path.starts_with('/') || !std::filesystem::is_directory(path, code)) return {};
  if (!path.ends_with('/')) path += '/';
  return CString(path);
}

bool ContainsNoCase(const CString& text, const CString& part) {
  CString lowerText = text;
  CString lowerPart = part;
  lowerText.MakeLower();
  lowerPart.MakeLower();
  return lowerText.Find(lowerPart) >= 0;
}

}  // namespace

// The symbol lists are always open: a click in one ends a selection (CBN_SELENDOK).
const MessageMap CImportSymbolDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELENDOK, IDC_IMPORT_SCM_SYMBOL, &CImportSymbolDialog::OnScmSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_IMPORT_SCM_SYMBOL, &CImportSymbolDialog::OnScmSymbolChanged),
        NotifyEntry(CBN_SELENDOK, IDC_IMPORT_PCB_SYMBOL, &CImportSymbolDialog::OnPcbSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_IMPORT_PCB_SYMBOL, &CImportSymbolDialog::OnPcbSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_IMPORT_SCM_LIBRARY, &CImportSymbolDialog::OnScmLibraryChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_IMPORT_PCB_LIBRARY, &CImportSymbolDialog::OnPcbLibraryChanged),
        CommandEntry(IDC_IMPORT_PCB_SECTION, &CImportSymbolDialog::ApplyPcbSection),
        NotifyEntry(EN_CHANGE, IDC_IMPORT_SCM_FILTER, &CImportSymbolDialog::OnScmFilterChanged),
        NotifyEntry(EN_CHANGE, IDC_IMPORT_PCB_FILTER, &CImportSymbolDialog::OnPcbFilterChanged),
    }};

CImportSymbolDialog::CImportSymbolDialog(CDesign* design, const CString& componentLibrary, CWnd* parent)
    : CDialog(IDD_IMPORT_SYMBOL, parent), m_design(design), m_componentLibrary(componentLibrary) {
  Resources::AddModule(&AppResources());
}

CImportSymbolDialog::~CImportSymbolDialog() = default;

void CImportSymbolDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_IMPORT_PCB_SECTION, m_pcbSection);
  DDX_Control(dx, IDC_IMPORT_SCM_PINS, m_scmPins);
  DDX_Control(dx, IDC_IMPORT_PCB_PINS, m_pcbPins);
  DDX_Control(dx, IDC_IMPORT_SCM_LIBRARY, m_scmLibrary);
  DDX_Control(dx, IDC_IMPORT_PCB_LIBRARY, m_pcbLibrary);
  DDX_Control(dx, IDC_IMPORT_SCM_SYMBOL, m_scmSymbol);
  DDX_Control(dx, IDC_IMPORT_PCB_SYMBOL, m_pcbSymbol);
  DDX_Control(dx, IDC_IMPORT_SCM_FILTER, m_scmFilter);
  DDX_Control(dx, IDC_IMPORT_PCB_FILTER, m_pcbFilter);
  DDX_Text(dx, IDC_IMPORT_NAME, m_name);
  DDX_Text(dx, IDC_IMPORT_PACKAGE, m_package);
}

BOOL CImportSymbolDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  // Each library list starts at the one last used, as the other dialogs' do.
  m_scmChooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CScmSymbolLibrary), &m_scmLibrary,
                                                         &m_scmSymbol, &m_scmPins);
  m_pcbChooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CPcbSymbolLibrary), &m_pcbLibrary,
                                                         &m_pcbSymbol, &m_pcbPins);
  m_pcbSection.SendMessage(BM_SETCHECK, BST_CHECKED);
  UpdateData(FALSE);
  ApplyPcbSection();
  return TRUE;
}

CString CImportSymbolDialog::DescribeUnassigned() const {
  return CKicadSymbolImport::DescribeUnassigned(m_unassigned, m_footprint);
}

bool CImportSymbolDialog::FootprintChosen() {
  return m_pcbSection.SendMessage(BM_GETCHECK) != BST_UNCHECKED;
}

void CImportSymbolDialog::ApplyPcbSection() {
  const BOOL enable = FootprintChosen() ? TRUE : FALSE;
  for (const int id :
       {IDC_IMPORT_PCB_FILTER, IDC_IMPORT_PCB_LIBRARY, IDC_IMPORT_PCB_SYMBOL, IDC_IMPORT_PCB_PINS}) {
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
  }
}

void CImportSymbolDialog::OnOK() {
  if (!UpdateData(TRUE) || m_design == nullptr || m_scmChooser == nullptr) return;
  CKicadSymbolImport::Request request;
  if (CWnd* atFault = Check(request)) {
    ReselectControl(atFault);
    CAppError::ReportLastError();
    return;
  }
  CString error;
  if (!CKicadSymbolImport::Build(request, *m_design, m_unassigned, error)) {
    CAppError::SetLastErrorText(error);
    ReselectControl(request.footprint.IsEmpty() ? &m_scmSymbol : &m_pcbSymbol);
    CAppError::ReportLastError();
    return;
  }
  m_footprint = request.footprint;
  // The next import, and the other dialogs' library lists, start at the libraries used.
  CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary), request.symbolLibraryPath);
  if (!request.footprint.IsEmpty())
    CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary), request.footprintFolderPath);
  CDialog::OnOK();
}

CWnd* CImportSymbolDialog::Check(CKicadSymbolImport::Request& request) {
  if (CWnd* atFault = CheckSymbol(request)) return atFault;
  if (CWnd* atFault = CheckFootprint(request)) return atFault;
  return CheckNames(request);
}

// Only the field's symbol libraries carry the pin numbers an import maps by.
CWnd* CImportSymbolDialog::CheckSymbol(CKicadSymbolImport::Request& request) {
  request.componentLibrary = m_componentLibrary;
  request.symbolLibraryPath = m_scmChooser->GetLibraryPath();
  if (KicadLibrary::KindOfPath(request.symbolLibraryPath.str()) != SymbolKind::Schematic) {
    CAppError::SetLastErrorText("Import Symbol reads the symbols of .kicad_sym libraries; \"" +
                                m_scmChooser->GetLibraryName() + "\" is none. Choose a .kicad_sym library.");
    return &m_scmLibrary;
  }
  request.symbol = m_scmSymbol.GetText();
  request.symbol.Trim();
  if (!LibraryHoldsSymbol(request.symbolLibraryPath, request.symbol)) return &m_scmSymbol;
  return nullptr;
}

CWnd* CImportSymbolDialog::CheckFootprint(CKicadSymbolImport::Request& request) {
  if (!FootprintChosen()) return nullptr;
  request.footprintFolderPath = m_pcbChooser->GetLibraryPath();
  if (!m_pcbChooser->ValidateSymbol(request.footprint, false)) return &m_pcbSymbol;
  return nullptr;
}

CWnd* CImportSymbolDialog::CheckNames(CKicadSymbolImport::Request& request) {
  m_name.Trim();
  m_package.Trim();
  request.name = m_name.IsEmpty() ? CKicadSymbolImport::SymbolOfUnit(request.symbol) : m_name;
  if (!ValidComponentName(request.name)) return GetDlgItem(IDC_IMPORT_NAME);
  request.package = m_package;
  if (request.package.IsEmpty())
    request.package = request.footprint.IsEmpty() ? request.name : request.footprint;
  if (!ValidPackageName(request.package)) {
    if (m_package.IsEmpty())
      CAppError::SetLastErrorText(CAppError::GetLastError() + " Type a shorter name for the package.");
    return GetDlgItem(IDC_IMPORT_PACKAGE);
  }
  request.defaultReference = kDefaultReference;
  return nullptr;
}

// ---- Notifications before OnInitDialog has made the choosers have nothing to do ----

void CImportSymbolDialog::OnScmSymbolChanged() {
  if (m_scmChooser != nullptr) m_scmChooser->UpdatePinCount();
}

void CImportSymbolDialog::OnPcbSymbolChanged() {
  if (m_pcbChooser != nullptr) m_pcbChooser->UpdatePinCount();
}

void CImportSymbolDialog::OnScmLibraryChanged() {
  if (m_scmChooser != nullptr) m_scmChooser->FillSymbolList();
}

void CImportSymbolDialog::OnPcbLibraryChanged() {
  if (m_pcbChooser != nullptr) m_pcbChooser->FillSymbolList();
}

void CImportSymbolDialog::OnScmFilterChanged() {
  if (m_scmChooser != nullptr) ApplyFilter(m_scmFilter, m_scmLibrary, *m_scmChooser);
}

void CImportSymbolDialog::OnPcbFilterChanged() {
  if (m_pcbChooser != nullptr) ApplyFilter(m_pcbFilter, m_pcbLibrary, *m_pcbChooser);
}

// Lists the libraries whose names hold the filter's text; a folder typed there lists
// the folder's libraries instead, and becomes the folder of the kind's libraries.
void CImportSymbolDialog::ApplyFilter(CEdit& filter, CLibraryFileComboBox& libraries,
                                      CLibrarySymbolChooser& chooser) {
  const CRuntimeClass* kind = chooser.GetLibraryKind();
  const SymbolKind symbolKind =
      kind == RUNTIME_CLASS(CPcbSymbolLibrary) ? SymbolKind::Pcb : SymbolKind::Schematic;
  CString text = filter.GetWindowText();
  text.Trim();
  std::vector<CString> names;
  CString folder = FolderOf(text);
  if (!folder.IsEmpty()) {
    if (!CSymbolLibraryLocator::ListLibraries(folder, symbolKind, names) || names.empty()) return;
    CLibraryManager::SetSavedFileName(kind, folder + names.front());
    text.Empty();
  } else {
    folder = CFilePath(CLibraryManager::GetSavedFileName(kind)).GetDriveAndDirectory();
    CSymbolLibraryLocator::ListLibraries(folder, symbolKind, names);
  }
  // Only the matches go into the list: a screen's list takes its entries one by one.
  const CString chosen = libraries.GetText();
  libraries.ResetContent();
  for (const CString& name : names) {
    if (ContainsNoCase(name, text)) libraries.AddString(name);
  }
  if (libraries.SelectString(-1, chosen) != CB_ERR && libraries.GetText() == chosen) return;
  // Reading a library of thousands of symbols on every key would stall the typing: the
  // symbols are listed once the user chooses a library, or once one is left.
  libraries.SetSelected(libraries.GetCount() == 1 ? 0 : -1);
  chooser.FillSymbolList();
}
