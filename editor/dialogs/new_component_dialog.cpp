#include "editor/dialogs/new_component_dialog.h"

#include <climits>
#include <string>

#include "editor/dialogs/find_symbol.h"
#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_library.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"
#include "platform/program_path.h"

namespace {

// The stock lists beside the program.
constexpr const char* kPackageFile = "package.txt";
constexpr const char* kDefaultReferenceFile = "def_ref.txt";

// The most gates one component can hold: every gate index the model accepts.
constexpr long long kMostGates = static_cast<long long>(CComponent::kMaxGateIndex) + 1;

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
  Choice choice;
  if (CWnd* atFault = CheckChoice(choice)) {
    ReselectControl(atFault);
    CAppError::ReportLastError();
    return;
  }
  CComponent* record = AddRecord(choice);
  m_design->UpdateAllViews(nullptr, HintComponent, record);
  CDialog::OnOK();
}

CWnd* CNewComponentDialog::CheckChoice(Choice& choice) {
  if (!ValidComponentName(m_name)) return GetDlgItem(IDC_COMPONENT_NAME);
  if (CWnd* atFault = CheckPackage(choice)) return atFault;
  if (CWnd* atFault = CheckSymbols(choice)) return atFault;
  choice.defaultReference = m_defaultReference.GetText();
  if (!ValidDefaultReferenceStem(choice.defaultReference)) return &m_defaultReference;
  return CheckGateCount();
}

// The package is looked up under the design's first component, whatever name was
// typed: a second record of one package would make the component ambiguous. An empty
// design has nothing to clash with.
CWnd* CNewComponentDialog::CheckPackage(Choice& choice) {
  choice.package = m_package.GetText();
  if (!ValidPackageName(choice.package)) return &m_package;
  const CComponent* first = m_design->FirstComponent();
  if (first != nullptr && m_design->FindComponent(first->GetName(), choice.package) != nullptr) {
    CAppError::SetLastError(IDS_ERR_PACKAGE_EXISTS, choice.package);
    return &m_package;
  }
  return nullptr;
}

// The PCB section is checked before the schematic one. Empty names are allowed: a
// component may start without either symbol. Counts typed by hand are held to the
// model's own rules here, before anything is added, so that a refused count never
// leaves a record half made.
CWnd* CNewComponentDialog::CheckSymbols(Choice& choice) {
  if (!m_pcbChooser->ValidateSymbol(choice.pcbSymbol, true)) return &m_pcbSymbol;
  m_pcbChooser->GetPinCount(choice.pcbPins);
  CComponent probe(m_name, choice.package);
  if (!probe.SetPinCount(choice.pcbPins)) return &m_pcbPinCount;
  if (!m_scmChooser->ValidateSymbol(choice.scmSymbol, true)) return &m_scmSymbol;
  m_scmChooser->GetPinCount(choice.scmPins);
  if (choice.scmSymbol.IsEmpty()) return nullptr;
  if (probe.AddGate(0, "", choice.scmSymbol, choice.scmPins, nullptr, nullptr) == nullptr)
    return &m_scmPinCount;
  return nullptr;
}

// A count too large for a signed number makes no gates at all; one between the
// model's limit and that is refused rather than cut short.
CWnd* CNewComponentDialog::CheckGateCount() {
  if (m_gates > static_cast<UINT>(INT_MAX) || m_gates <= kMostGates) return nullptr;
  CAppError::SetLastErrorText("A component can have at most " + CString(std::to_string(kMostGates)) +
                              " gates.");
  return GetDlgItem(IDC_GATE_COUNT);
}

int CNewComponentDialog::GateCount() const {
  if (m_gates == 0) return 1;
  if (m_gates > static_cast<UINT>(INT_MAX)) return 0;
  return static_cast<int>(m_gates);
}

CComponent* CNewComponentDialog::AddRecord(const Choice& choice) {
  CComponent* record = m_design->AddComponent(m_name, choice.package);
  record->SetPcbSymbol(choice.pcbSymbol);
  record->GetPcbComponent()->SetLibrary(m_pcbChooser->GetLibraryName());
  record->SetPinCount(choice.pcbPins);
  record->SetDefaultReference(choice.defaultReference);
  if (!choice.scmSymbol.IsEmpty()) AddGates(*record, choice);
  return record;
}

// Without a footprint there are no pads to choose from, so the terminals get the pins
// 1, 2, 3, ... in gate order, ready for a footprint of that many pads.
void CNewComponentDialog::AddGates(CComponent& record, const Choice& choice) {
  const CString library = m_scmChooser->GetLibraryName();
  const bool numberPins = choice.pcbSymbol.IsEmpty();
  const int gates = GateCount();
  int nextPin = 1;
  for (int gate = 0; gate < gates; ++gate) {
    record.AddGate(gate, library, choice.scmSymbol, choice.scmPins, nullptr, nullptr);
    if (!numberPins) continue;
    for (int terminal = 1; terminal <= choice.scmPins; ++terminal)
      record.SetPinNumber(gate, terminal, nextPin++);
  }
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
