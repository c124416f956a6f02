#include "editor/dialogs/new_component_dialog.h"

#include <climits>

#include "editor/dialogs/find_symbol.h"
#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/new_component.h"
#include "host/model/symbol_library.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"
#include "platform/program_path.h"

namespace {

// The stock lists beside the program.
constexpr const char* kPackageFile = "package.txt";
constexpr const char* kDefaultReferenceFile = "def_ref.txt";

}  // namespace

// The symbol lists are always open: a click in one ends a selection (CBN_SELENDOK).
const MessageMap CNewComponentDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELENDOK, IDC_PCB_SYMBOL_COMBO, &CNewComponentDialog::OnPcbSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_PCB_SYMBOL_COMBO, &CNewComponentDialog::OnPcbSymbolChanged),
        NotifyEntry(CBN_SELENDOK, IDC_SCM_SYMBOL_COMBO, &CNewComponentDialog::OnScmSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_SCM_SYMBOL_COMBO, &CNewComponentDialog::OnScmSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_LIBRARY_COMBO, &CNewComponentDialog::OnPcbLibraryChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_SCM_LIBRARY_COMBO, &CNewComponentDialog::OnScmLibraryChanged),
        CommandEntry(IDC_FIND_SCM_SYMBOL, &CNewComponentDialog::OnFindScmSymbol),
        CommandEntry(IDC_FIND_PCB_SYMBOL, &CNewComponentDialog::OnFindPcbSymbol),
        CommandEntry(IDC_PCB_SECTION, &CNewComponentDialog::ApplyPcbSection),
        CommandEntry(IDC_SCM_SECTION, &CNewComponentDialog::ApplyScmSection),
    }};

CNewComponentDialog::CNewComponentDialog(CDesign* design, CWnd* parent)
    : CDialog(IDD_NEW_COMPONENT, parent), m_design(design) {}

CNewComponentDialog::~CNewComponentDialog() = default;

void CNewComponentDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SCM_SECTION, m_scmSection);
  DDX_Control(dx, IDC_PCB_SECTION, m_pcbSection);
  DDX_Control(dx, IDC_DEFAULT_REFERENCE, m_defaultReference);
  DDX_Control(dx, IDC_SCM_PIN_COUNT, m_scmPinCount);
  DDX_Control(dx, IDC_PCB_PIN_COUNT, m_pcbPinCount);
  DDX_Control(dx, IDC_SCM_LIBRARY_COMBO, m_scmLibrary);
  DDX_Control(dx, IDC_PCB_LIBRARY_COMBO, m_pcbLibrary);
  DDX_Control(dx, IDC_SCM_SYMBOL_COMBO, m_scmSymbol);
  DDX_Control(dx, IDC_PCB_SYMBOL_COMBO, m_pcbSymbol);
  DDX_Control(dx, IDC_PACKAGE_COMBO, m_package);
  DDX_Text(dx, IDC_COMPONENT_NAME, m_name);
  DDX_Text(dx, IDC_GATE_COUNT, m_gates);
  DDX_Check(dx, IDC_PCB_SECTION, m_pcbSectionOn);
  DDX_Check(dx, IDC_SCM_SECTION, m_scmSectionOn);
}

BOOL CNewComponentDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  // A stock list that cannot be read leaves its list empty; the user can still type.
  m_package.Fill(GetProgramPath() + kPackageFile, "");
  m_defaultReference.Fill(GetProgramPath() + kDefaultReferenceFile, "");
  // Neither section proposes a symbol: each library list starts at the one last used.
  m_pcbChooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CPcbSymbolLibrary), &m_pcbLibrary,
                                                         &m_pcbSymbol, &m_pcbPinCount);
  m_scmChooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CScmSymbolLibrary), &m_scmLibrary,
                                                         &m_scmSymbol, &m_scmPinCount);
  UpdateData(FALSE);
  ApplyPcbSection();
  ApplyScmSection();
  return TRUE;
}

// ---- The sections ----

void CNewComponentDialog::ApplyPcbSection() {
  m_pcbSectionOn = static_cast<int>(m_pcbSection.SendMessage(BM_GETCHECK));
  EnableControls({IDC_PCB_SYMBOL_COMBO, IDC_PCB_LIBRARY_COMBO, IDC_FIND_PCB_SYMBOL, IDC_PCB_PIN_COUNT,
                  IDC_PCB_LIBRARY_LABEL, IDC_PCB_NAME_LABEL, IDC_PCB_PINS_LABEL},
                 m_pcbSectionOn != BST_UNCHECKED);
}

void CNewComponentDialog::ApplyScmSection() {
  m_scmSectionOn = static_cast<int>(m_scmSection.SendMessage(BM_GETCHECK));
  EnableControls(
      {IDC_SCM_SYMBOL_COMBO, IDC_SCM_LIBRARY_COMBO, IDC_FIND_SCM_SYMBOL, IDC_SCM_PIN_COUNT, IDC_GATE_COUNT,
       IDC_SCM_LIBRARY_LABEL, IDC_SCM_NAME_LABEL, IDC_SCM_PINS_LABEL, IDC_GATES_LABEL},
      m_scmSectionOn != BST_UNCHECKED);
}

void CNewComponentDialog::EnableControls(std::initializer_list<int> ids, bool enable) {
  for (const int id : ids) {
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable ? TRUE : FALSE);
  }
}

// ---- OK ----

void CNewComponentDialog::OnOK() {
  // A Gates text that is not a whole number has been reported by the exchange itself,
  // with the focus on it.
  if (!UpdateData(TRUE)) return;
  if (m_design == nullptr || m_pcbChooser == nullptr || m_scmChooser == nullptr) return;
  CNewComponent component;
  if (CWnd* atFault = CheckChoice(component)) {
    ReselectControl(atFault);
    CAppError::ReportLastError();
    return;
  }
  CComponent* record = component.AddTo(*m_design);
  m_design->UpdateAllViews(nullptr, HintComponent, record);
  CDialog::OnOK();
}

CWnd* CNewComponentDialog::CheckChoice(CNewComponent& component) {
  component.name = m_name;
  if (!ValidComponentName(m_name)) return GetDlgItem(IDC_COMPONENT_NAME);
  if (m_nameCheck && !m_nameCheck(m_name)) return GetDlgItem(IDC_COMPONENT_NAME);
  if (CWnd* atFault = CheckPackage(component)) return atFault;
  if (CWnd* atFault = CheckSymbols(component)) return atFault;
  component.defaultReference = m_defaultReference.GetText();
  if (!ValidDefaultReferenceStem(component.defaultReference)) return &m_defaultReference;
  component.gates = GateCount();
  if (!component.CheckGateCount()) return GetDlgItem(IDC_GATE_COUNT);
  return nullptr;
}

// The package is looked up under the design's first component, whatever name was
// typed: a second record of one package would make the component ambiguous. An empty
// design has nothing to clash with.
CWnd* CNewComponentDialog::CheckPackage(CNewComponent& component) {
  component.package = m_package.GetText();
  if (!ValidPackageName(component.package)) return &m_package;
  const CComponent* first = m_design->FirstComponent();
  if (first != nullptr && m_design->FindComponent(first->GetName(), component.package) != nullptr) {
    CAppError::SetLastError(IDS_ERR_PACKAGE_EXISTS, component.package);
    return &m_package;
  }
  return nullptr;
}

// The PCB section is checked before the schematic one. Empty names are allowed: a
// component may start without either symbol. Counts typed by hand are held to the
// model's own rules here, before anything is added.
CWnd* CNewComponentDialog::CheckSymbols(CNewComponent& component) {
  if (!m_pcbChooser->ValidateSymbol(component.pcbSymbol, true)) return &m_pcbSymbol;
  component.pcbLibrary = m_pcbChooser->GetLibraryName();
  m_pcbChooser->GetPinCount(component.pins);
  if (!component.CheckPinCount()) return &m_pcbPinCount;
  if (!m_scmChooser->ValidateSymbol(component.scmSymbol, true)) return &m_scmSymbol;
  component.scmLibrary = m_scmChooser->GetLibraryName();
  m_scmChooser->GetPinCount(component.scmPins);
  if (!component.CheckGatePins()) return &m_scmPinCount;
  return nullptr;
}

// A count too large for a signed number makes no gates at all.
int CNewComponentDialog::GateCount() const {
  if (m_gates == 0) return 1;
  if (m_gates > static_cast<UINT>(INT_MAX)) return 0;
  return static_cast<int>(m_gates);
}

// ---- Notifications before OnInitDialog has made the choosers have nothing to do ----

void CNewComponentDialog::OnPcbSymbolChanged() {
  if (m_pcbChooser != nullptr) m_pcbChooser->UpdatePinCount();
}

void CNewComponentDialog::OnScmSymbolChanged() {
  if (m_scmChooser != nullptr) m_scmChooser->UpdatePinCount();
}

void CNewComponentDialog::OnPcbLibraryChanged() {
  if (m_pcbChooser != nullptr) m_pcbChooser->FillSymbolList();
}

void CNewComponentDialog::OnScmLibraryChanged() {
  if (m_scmChooser != nullptr) m_scmChooser->FillSymbolList();
}

void CNewComponentDialog::OnFindPcbSymbol() {
  if (m_pcbChooser != nullptr) RunFindSymbol("NewCompPcb", this, *m_pcbChooser, &OnPcbSymbolFound);
}

void CNewComponentDialog::OnFindScmSymbol() {
  if (m_scmChooser != nullptr) RunFindSymbol("NewCompScm", this, *m_scmChooser, &OnScmSymbolFound);
}

void CNewComponentDialog::OnPcbSymbolFound(CFindLibraryItem* find, void* context) {
  auto* dialog = static_cast<CNewComponentDialog*>(context);
  if (find != nullptr && dialog->m_pcbChooser != nullptr) TakeFoundSymbol(*find, *dialog->m_pcbChooser);
}

void CNewComponentDialog::OnScmSymbolFound(CFindLibraryItem* find, void* context) {
  auto* dialog = static_cast<CNewComponentDialog*>(context);
  if (find != nullptr && dialog->m_scmChooser != nullptr) TakeFoundSymbol(*find, *dialog->m_scmChooser);
}
