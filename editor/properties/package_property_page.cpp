#include "editor/properties/package_property_page.h"

#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"
#include "platform/program_path.h"

IMPLEMENT_DYNCREATE(CPackagePropertyPage, CPropertyPage)

namespace {

// The stock list of package names, beside the program.
constexpr const char* kPackageFile = "package.txt";

}  // namespace

const MessageMap CPackagePropertyPage::kMessageMap{
    &CPropertyPage::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_SYMBOL_COMBO, &CPackagePropertyPage::OnSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_PCB_SYMBOL_COMBO, &CPackagePropertyPage::OnSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_LIBRARY_COMBO, &CPackagePropertyPage::OnLibraryChanged),
        NotifyEntry(CBN_SELENDOK, IDC_PACKAGE_NAME, &CPackagePropertyPage::OnChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_PACKAGE_NAME, &CPackagePropertyPage::OnChanged),
        NotifyEntry(EN_CHANGE, IDC_DESCRIPTION, &CPackagePropertyPage::OnChanged),
    }};

CPackagePropertyPage::CPackagePropertyPage() : CPropertyPage(IDD_PACKAGE_PAGE) {}

CPackagePropertyPage::~CPackagePropertyPage() = default;

void CPackagePropertyPage::SetComponent(CDesign* design, CComponent* component) {
  m_design = design;
  m_component = component;
}

void CPackagePropertyPage::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PAGE_PIN_COUNT, m_pinCount);
  DDX_Control(dx, IDC_PCB_LIBRARY_COMBO, m_library);
  DDX_Control(dx, IDC_PACKAGE_NAME, m_package);
  DDX_Control(dx, IDC_PCB_SYMBOL_COMBO, m_symbol);
  DDX_Text(dx, IDC_DESCRIPTION, m_description);
}

BOOL CPackagePropertyPage::OnInitDialog() {
  // Showing the record's values is no edit by the user: the page is not modified.
  m_initialising = true;
  CPropertyPage::OnInitDialog();
  if (m_component != nullptr) ShowPackage();
  m_initialising = false;
  return TRUE;
}

void CPackagePropertyPage::ShowPackage() {
  m_description = m_component->GetPackageDescription();
  // A stock list that cannot be read leaves the list empty; the user can still type.
  m_package.Fill(GetProgramPath() + kPackageFile, m_component->GetPackage());
  m_chooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CPcbSymbolLibrary), &m_library, &m_symbol,
                                                      &m_pinCount);
  m_chooser->SelectLibrary(m_component->GetPcbComponent()->GetLibrary());
  m_chooser->SetSymbolName(m_component->GetPcbSymbol());
  UpdateData(FALSE);
}

BOOL CPackagePropertyPage::OnApply() {
  if (m_component == nullptr || m_chooser == nullptr) return CPropertyPage::OnApply();
  UpdateData(TRUE);
  PackageChoice choice;
  CWnd* atFault = CheckChoice(choice);
  if (atFault != nullptr) {
    ReselectControl(atFault);
    CAppError::ReportLastError();
    return FALSE;
  }
  if (WriteChoice(choice)) RedrawDesign();
  return CPropertyPage::OnApply();
}

CWnd* CPackagePropertyPage::CheckChoice(PackageChoice& choice) {
  choice.package = m_package.GetText();
  if (!ValidPackageName(choice.package)) return &m_package;
  if (IsPackageTaken(choice.package)) {
    CAppError::SetLastError(IDS_ERR_PACKAGE_EXISTS, choice.package);
    return &m_package;
  }
  if (!m_chooser->ValidateSymbol(choice.symbol, false)) return &m_symbol;
  choice.library = m_chooser->GetLibraryName();
  return nullptr;
}

bool CPackagePropertyPage::IsPackageTaken(const CString& package) const {
  if (m_design == nullptr) return false;
  const CComponent* found = m_design->FindComponent(m_component->GetName(), package);
  return found != nullptr && found != m_component;
}

bool CPackagePropertyPage::WriteChoice(const PackageChoice& choice) {
  // Names are written as typed, so a change of case alone is a change; the PCB symbol
  // and its library are found whatever their case, so there case alone changes nothing.
  if (m_component->GetPackageDescription() != m_description)
    m_component->SetPackageDescription(m_description);
  if (m_component->GetPackage() != choice.package) m_component->SetPackage(choice.package);
  bool drawingChanged = false;
  CPcbComponent* pcb = m_component->GetPcbComponent();
  if (!pcb->GetLibrary().EqualsNoCase(choice.library)) {
    pcb->SetLibrary(choice.library);
    drawingChanged = true;
  }
  if (!m_component->GetPcbSymbol().EqualsNoCase(choice.symbol)) {
    m_component->SetPcbSymbol(choice.symbol);
    drawingChanged = true;
  }
  return drawingChanged;
}

void CPackagePropertyPage::RedrawDesign() {
  CDesign* owner = m_component->GetOwnerDesign();
  if (owner != nullptr) owner->UpdateAllViews(nullptr, HintComponent, nullptr);
}

void CPackagePropertyPage::OnSymbolChanged() {
  if (m_chooser != nullptr) m_chooser->UpdatePinCount();
  OnChanged();
}

void CPackagePropertyPage::OnLibraryChanged() {
  if (m_chooser != nullptr) m_chooser->FillSymbolList();
  OnChanged();
}

void CPackagePropertyPage::OnChanged() {
  if (!m_initialising) SetModified(TRUE);
}
