#include "editor/dialogs/add_package_dialog.h"

#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"
#include "platform/program_path.h"

namespace {

// The stock list of package names, beside the program.
constexpr const char* kPackageFile = "package.txt";

}  // namespace

const MessageMap CAddPackageDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_SYMBOL_COMBO, &CAddPackageDialog::OnSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_PCB_SYMBOL_COMBO, &CAddPackageDialog::OnSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_LIBRARY_COMBO, &CAddPackageDialog::OnLibraryChanged),
    }};

CAddPackageDialog::CAddPackageDialog(CDesign* design, CWnd* parent)
    : CDialog(IDD_ADD_PACKAGE, parent), m_design(design) {}

CAddPackageDialog::~CAddPackageDialog() = default;

void CAddPackageDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PCB_PIN_COUNT, m_pinCount);
  DDX_Control(dx, IDC_PCB_LIBRARY_COMBO, m_library);
  DDX_Control(dx, IDC_PCB_SYMBOL_COMBO, m_symbol);
  DDX_Control(dx, IDC_PACKAGE_COMBO, m_package);
}

BOOL CAddPackageDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  // A stock list that cannot be read leaves the list empty; the user can still type.
  m_package.Fill(GetProgramPath() + kPackageFile, "");
  // No symbol is proposed: the library list starts at the PCB library last used.
  m_chooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CPcbSymbolLibrary), &m_library, &m_symbol,
                                                      &m_pinCount);
  return TRUE;
}

void CAddPackageDialog::OnOK() {
  UpdateData(TRUE);
  const CComponent* edited = m_design != nullptr ? m_design->FirstComponent() : nullptr;
  // Without a component there is nothing to name the package's record after.
  if (edited == nullptr || m_chooser == nullptr) return;
  PackageChoice choice;
  CWnd* atFault = CheckChoice(*edited, choice);
  if (atFault != nullptr) {
    ReselectControl(atFault);
    CAppError::ReportLastError();
    return;
  }
  m_newComponent = AddPackage(*edited, choice);
  CDialog::OnOK();
}

CWnd* CAddPackageDialog::CheckChoice(const CComponent& edited, PackageChoice& choice) {
  choice.package = m_package.GetText();
  if (!ValidPackageName(choice.package)) return &m_package;
  // The design compares package names ignoring case, as the user reads them.
  if (m_design->FindComponent(edited.GetName(), choice.package) != nullptr) {
    CAppError::SetLastError(IDS_ERR_PACKAGE_EXISTS, choice.package);
    return &m_package;
  }
  if (!m_chooser->ValidateSymbol(choice.symbol, false)) return &m_symbol;
  m_chooser->GetPinCount(choice.pins);
  // A count the user typed is held to the model's own rule before anything is added,
  // so a refused count never leaves a record half made.
  CComponent probe(edited.GetName(), choice.package);
  if (!probe.SetPinCount(choice.pins)) return &m_pinCount;
  return nullptr;
}

CComponent* CAddPackageDialog::AddPackage(const CComponent& edited, const PackageChoice& choice) {
  CComponent* added = m_design->AddComponent(edited.GetName(), choice.package);
  added->SetPcbSymbol(choice.symbol);
  added->GetPcbComponent()->SetLibrary(m_chooser->GetLibraryName());
  added->SetPinCount(choice.pins);
  // Every gate gets a pin map of its own size in the new package, with no pins yet,
  // whatever number of pads the package has.
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = added->FirstGate(position, index); gate != nullptr;
       gate = added->NextGate(position, index))
    added->AddPcbGate(index, gate->CountPins(), nullptr);
  return added;
}

// Notifications before OnInitDialog has made the chooser have nothing to update.
void CAddPackageDialog::OnSymbolChanged() {
  if (m_chooser != nullptr) m_chooser->UpdatePinCount();
}

void CAddPackageDialog::OnLibraryChanged() {
  if (m_chooser != nullptr) m_chooser->FillSymbolList();
}
