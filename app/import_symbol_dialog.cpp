#include "app/import_symbol_dialog.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/app_resources.h"
#include "app/file_prompt.h"
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

// Posted by OnInitDialog: the symbols of the libraries last used are read after the
// dialog is shown.
constexpr UINT kReadSymbolsMessage = WM_APP + 1;

SymbolKind KindOf(const CRuntimeClass* libraryKind) {
  return libraryKind == RUNTIME_CLASS(CPcbSymbolLibrary) ? SymbolKind::Pcb : SymbolKind::Schematic;
}

// Brings a chooser made after the user acted back to the library and symbol the user
// had chosen by then.
void Restore(CLibrarySymbolChooser& chooser, CLibraryFileComboBox& libraries, const CString& library,
             const CString& symbol) {
  if (!library.IsEmpty() && libraries.GetText() != library) chooser.SelectLibrary(library);
  if (!symbol.IsEmpty()) chooser.SetSymbolName(symbol);
}

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
        CommandEntry(IDC_IMPORT_SCM_FOLDER, &CImportSymbolDialog::OnScmFolder),
        CommandEntry(IDC_IMPORT_PCB_FOLDER, &CImportSymbolDialog::OnPcbFolder),
        MessageEntry(kReadSymbolsMessage, &CImportSymbolDialog::OnReadSymbols),
    }};

CImportSymbolDialog::CImportSymbolDialog(CDesign* design, const CString& componentLibrary, FilePrompt* prompt,
                                         CWnd* parent)
    : CDialog(IDD_IMPORT_SYMBOL, parent),
      m_design(design),
      m_componentLibrary(componentLibrary),
      m_prompt(prompt) {
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
  // Each library list starts at the one last used, as the other dialogs' do. Reading the
  // symbols of a big library takes a while: they follow once the dialog is shown.
  m_scmLibrary.Fill(RUNTIME_CLASS(CScmSymbolLibrary),
                    CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary)));
  m_pcbLibrary.Fill(RUNTIME_CLASS(CPcbSymbolLibrary),
                    CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary)));
  m_pcbSection.SendMessage(BM_SETCHECK, BST_CHECKED);
  UpdateData(FALSE);
  ApplyPcbSection();
  PostMessage(kReadSymbolsMessage);
  m_ready = true;
  return TRUE;
}

LRESULT CImportSymbolDialog::OnReadSymbols(WPARAM, LPARAM) {
  MakeChoosers();
  return 0;
}

// Made once: by the message OnInitDialog posts, which the screen delivers after showing
// the dialog, or at the user's first act in it, whichever comes first; true when this
// call made them.
bool CImportSymbolDialog::MakeChoosers() {
  if (m_scmChooser != nullptr) return false;
  const CString scmLibrary = m_scmLibrary.GetText();
  const CString pcbLibrary = m_pcbLibrary.GetText();
  const CString scmSymbol = m_scmSymbol.GetText();
  const CString pcbSymbol = m_pcbSymbol.GetText();
  m_scmChooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CScmSymbolLibrary), &m_scmLibrary,
                                                         &m_scmSymbol, &m_scmPins);
  m_pcbChooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CPcbSymbolLibrary), &m_pcbLibrary,
                                                         &m_pcbSymbol, &m_pcbPins);
  Restore(*m_scmChooser, m_scmLibrary, scmLibrary, scmSymbol);
  Restore(*m_pcbChooser, m_pcbLibrary, pcbLibrary, pcbSymbol);
  return true;
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
  MakeChoosers();
  if (!UpdateData(TRUE) || m_design == nullptr) return;
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

// ---- A user's act before the symbols were read makes the choosers, which restore the
// ---- library and symbol chosen; notifications before the dialog is ready do nothing.

void CImportSymbolDialog::OnScmSymbolChanged() {
  if (!m_ready || MakeChoosers()) return;
  m_scmChooser->UpdatePinCount();
}

void CImportSymbolDialog::OnPcbSymbolChanged() {
  if (!m_ready || MakeChoosers()) return;
  m_pcbChooser->UpdatePinCount();
}

void CImportSymbolDialog::OnScmLibraryChanged() {
  if (!m_ready || MakeChoosers()) return;
  m_scmChooser->FillSymbolList();
}

void CImportSymbolDialog::OnPcbLibraryChanged() {
  if (!m_ready || MakeChoosers()) return;
  m_pcbChooser->FillSymbolList();
}

void CImportSymbolDialog::OnScmFilterChanged() {
  if (!m_ready || m_settingFilter) return;
  MakeChoosers();
  ApplyFilter(m_scmFilter, m_scmLibrary, *m_scmChooser);
}

void CImportSymbolDialog::OnPcbFilterChanged() {
  if (!m_ready || m_settingFilter) return;
  MakeChoosers();
  ApplyFilter(m_pcbFilter, m_pcbLibrary, *m_pcbChooser);
}

void CImportSymbolDialog::OnScmFolder() {
  MakeChoosers();
  ChooseFolder(m_scmFilter, m_scmLibrary, *m_scmChooser);
}

void CImportSymbolDialog::OnPcbFolder() {
  MakeChoosers();
  ChooseFolder(m_pcbFilter, m_pcbLibrary, *m_pcbChooser);
}

// The folder chosen becomes the folder of the kind's libraries, listed unfiltered, its
// first library chosen; one without libraries of the kind is refused, the list left as
// it was.
void CImportSymbolDialog::ChooseFolder(CEdit& filter, CLibraryFileComboBox& libraries,
                                       CLibrarySymbolChooser& chooser) {
  if (m_prompt == nullptr) return;
  const CRuntimeClass* kind = chooser.GetLibraryKind();
  const bool pcb = KindOf(kind) == SymbolKind::Pcb;
  const CString start = CFilePath(CLibraryManager::GetSavedFileName(kind)).GetDriveAndDirectory();
  CString folder =
      m_prompt->AskFolder(pcb ? "Folder of Footprint Libraries" : "Folder of Symbol Libraries", start);
  if (folder.IsEmpty()) return;
  if (folder.Right(1) != "/") folder += "/";
  std::vector<CString> names;
  if (!CSymbolLibraryLocator::ListLibraries(folder, KindOf(kind), names) || names.empty()) {
    CString message;
    message.FormatMessage("The folder \"%1\" holds no %2 libraries. Choose another folder.", folder,
                          CString(pcb ? "footprint" : "symbol"));
    CAppError::SetLastErrorText(message);
    CAppError::ReportLastError();
    return;
  }
  CLibraryManager::SetSavedFileName(kind, folder + names.front());
  m_settingFilter = true;
  filter.SetWindowText("");
  m_settingFilter = false;
  ApplyFilter(filter, libraries, chooser);
  // The folder's first library shows its symbols, as the one last used does at the start.
  CString first;
  if (libraries.GetCurSel() < 0 && libraries.GetCount() > 0) {
    libraries.GetLBText(0, first);
    chooser.SelectLibrary(first);
  }
}

// Lists the libraries whose names hold the filter's text; a folder typed there lists
// the folder's libraries instead, and becomes the folder of the kind's libraries.
void CImportSymbolDialog::ApplyFilter(CEdit& filter, CLibraryFileComboBox& libraries,
                                      CLibrarySymbolChooser& chooser) {
  const CRuntimeClass* kind = chooser.GetLibraryKind();
  const SymbolKind symbolKind = KindOf(kind);
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
