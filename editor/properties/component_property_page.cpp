#include "editor/properties/component_property_page.h"

#include <array>

#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/scm_component.h"
#include "platform/program_path.h"

IMPLEMENT_DYNCREATE(CComponentPropertyPage, CPropertyPage)

namespace {

// The stock list of default references, beside the program.
constexpr const char* kDefaultReferenceFile = "def_ref.txt";

struct ShowNameBox {
  int control;
  int flag;
};

// The check boxes in their order on the page (reference, component, symbol, package,
// pin name, pin number; schematic, then PCB) with the show-name flag each stands for.
constexpr std::array<ShowNameBox, CComponentPropertyPage::kShowNameCount> kShowNameBoxes{{
    {IDC_SCM_SHOW_REFERENCE, CScmComponent::kScmReference},
    {IDC_SCM_SHOW_COMPONENT, CScmComponent::kScmComponent},
    {IDC_SCM_SHOW_SYMBOL, CScmComponent::kScmSymbol},
    {IDC_SCM_SHOW_PACKAGE, CScmComponent::kScmPackage},
    {IDC_SCM_SHOW_PIN_NAME, CScmComponent::kScmPinName},
    {IDC_SCM_SHOW_PIN_NUMBER, CScmComponent::kScmPinNumber},
    {IDC_PCB_SHOW_REFERENCE, CScmComponent::kPcbReference},
    {IDC_PCB_SHOW_COMPONENT, CScmComponent::kPcbComponent},
    {IDC_PCB_SHOW_SYMBOL, CScmComponent::kPcbSymbol},
    {IDC_PCB_SHOW_PACKAGE, CScmComponent::kPcbPackage},
    {IDC_PCB_SHOW_PIN_NAME, CScmComponent::kPcbPinName},
    {IDC_PCB_SHOW_PIN_NUMBER, CScmComponent::kPcbPinNumber},
}};

}  // namespace

const MessageMap CComponentPropertyPage::kMessageMap{
    &CPropertyPage::kMessageMap,
    {
        NotifyEntry(EN_CHANGE, IDC_COMPONENT_NAME, &CComponentPropertyPage::OnChanged),
        NotifyEntry(EN_CHANGE, IDC_DESCRIPTION, &CComponentPropertyPage::OnChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_DEFAULT_REFERENCE, &CComponentPropertyPage::OnChanged),
        NotifyEntry(CBN_SELENDOK, IDC_DEFAULT_REFERENCE, &CComponentPropertyPage::OnChanged),
        // A click on a check box comes as a command of the box's id.
        CommandRangeEntry(IDC_SCM_SHOW_REFERENCE, IDC_PCB_SHOW_PIN_NUMBER,
                          &CComponentPropertyPage::OnShowNameClicked),
    }};

CComponentPropertyPage::CComponentPropertyPage() : CPropertyPage(IDD_COMPONENT_PAGE) {}

CComponentPropertyPage::~CComponentPropertyPage() = default;

void CComponentPropertyPage::SetComponent(CDesign* design, CComponent* component) {
  m_design = design;
  m_component = component;
}

void CComponentPropertyPage::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PACKAGE_LIST, m_packages);
  DDX_Control(dx, IDC_DEFAULT_REFERENCE, m_defaultReference);
  DDX_Text(dx, IDC_COMPONENT_NAME, m_name);
  DDX_Text(dx, IDC_DESCRIPTION, m_description);
  for (size_t index = 0; index < kShowNameBoxes.size(); ++index) {
    DDX_Check(dx, kShowNameBoxes[index].control, m_showNames[index]);
  }
}

BOOL CComponentPropertyPage::OnInitDialog() {
  // Showing the component's values is no edit by the user: the page is not modified.
  m_initialising = true;
  CPropertyPage::OnInitDialog();
  if (m_component != nullptr) ShowComponent();
  m_initialising = false;
  return TRUE;
}

void CComponentPropertyPage::ShowComponent() {
  // A stock list that cannot be read leaves the list empty; the user can still type.
  m_defaultReference.Fill(GetProgramPath() + kDefaultReferenceFile, m_component->GetDefaultReference());
  m_name = m_component->GetName();
  m_description = m_component->GetDescription();
  ListPackages();
  ReadShowNames();
  UpdateData(FALSE);
}

void CComponentPropertyPage::ListPackages() {
  if (m_design == nullptr) {
    m_packages.AddString(m_component->GetPackage());
    return;
  }
  POSITION position = nullptr;
  for (CComponent* record = m_design->FirstComponent(position, m_name); record != nullptr;
       record = m_design->NextComponent(position, m_name)) {
    m_packages.AddString(record->GetPackage());
  }
}

void CComponentPropertyPage::ReadShowNames() {
  const CScmComponent* scm = m_component->GetScmComponent();
  if (scm == nullptr) return;
  for (size_t index = 0; index < kShowNameBoxes.size(); ++index) {
    m_showNames[index] = scm->GetShowName(kShowNameBoxes[index].flag) ? TRUE : FALSE;
  }
}

BOOL CComponentPropertyPage::OnApply() {
  if (m_component == nullptr) return CPropertyPage::OnApply();
  UpdateData(TRUE);
  m_component->SetDefaultReference(m_defaultReference.GetText());
  m_component->SetDescription(m_description);
  WriteShowNames();
  return CPropertyPage::OnApply();
}

void CComponentPropertyPage::WriteShowNames() {
  CScmComponent* scm = m_component->GetScmComponent();
  if (scm == nullptr) return;
  for (size_t index = 0; index < kShowNameBoxes.size(); ++index) {
    scm->SetShowName(kShowNameBoxes[index].flag, m_showNames[index] != FALSE);
  }
}

void CComponentPropertyPage::OnShowNameClicked(UINT) {
  OnChanged();
}

void CComponentPropertyPage::OnChanged() {
  if (!m_initialising) SetModified(TRUE);
}
