#include "app/import_symbol_dialog.h"

#include "app/app_resources.h"
#include "editor/dialogs/library_symbol_chooser.h"
#include "host/kicad/kicad_library.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"
#include "platform/data_exchange.h"

namespace {

constexpr const char* kDefaultReference = "U";

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
  for (const int id : {IDC_IMPORT_PCB_LIBRARY, IDC_IMPORT_PCB_SYMBOL, IDC_IMPORT_PCB_PINS}) {
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
  if (!m_scmChooser->ValidateSymbol(request.symbol, false)) return &m_scmSymbol;
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
