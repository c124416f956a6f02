#include "editor/properties/scm_pin_property_page.h"

#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_instance.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"

IMPLEMENT_DYNCREATE(CScmPinPropertyPage, CPropertyPage)

const MessageMap CScmPinPropertyPage::kMessageMap{
    &CPropertyPage::kMessageMap,
    {
        NotifyEntry(EN_CHANGE, IDC_PIN_NAME, &CScmPinPropertyPage::OnPinNameChanged),
    }};

CScmPinPropertyPage::CScmPinPropertyPage()
    : CPropertyPage(IDD_SCM_PIN_PAGE), m_pcbPin("0"), m_terminalNumber(0) {}

void CScmPinPropertyPage::SetPin(CComponent* component, int gate, int terminal) {
  m_component = component;
  m_gate = gate;
  m_terminal = terminal;
}

void CScmPinPropertyPage::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Text(dx, IDC_PIN_NAME, m_pinName);
  DDX_Text(dx, IDC_PIN_NUMBER, m_pcbPin);
  DDX_Text(dx, IDC_GATE_NAME, m_gateName);
  DDX_Text(dx, IDC_TERMINAL_NUMBER, m_terminalNumber);
}

BOOL CScmPinPropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_gateName = CSymbolInstance::GetGateString(m_gate);
  m_terminalNumber = m_terminal;
  if (m_component != nullptr) {
    m_pinName = m_component->GetPinName(m_gate, m_terminal);
    // A terminal without a pin shows 0.
    const int pin = m_component->GetPinNumber(m_gate, m_terminal);
    m_pcbPin = pin != CGate::kNoPin ? m_labels.Text(pin) : CString("0");
  }
  UpdateData(FALSE);
  return TRUE;
}

// Showing the name from code tells about the change too; only a text that differs from
// the name last exchanged is the user's.
void CScmPinPropertyPage::OnPinNameChanged() {
  CWnd* name = GetDlgItem(IDC_PIN_NAME);
  if (name != nullptr && name->GetWindowText() != m_pinName) SetModified(TRUE);
}

BOOL CScmPinPropertyPage::OnApply() {
  // A failed exchange has already told the user and focused the field.
  if (!UpdateData(TRUE)) return FALSE;
  if (!AcceptPinName()) return FALSE;
  if (m_component != nullptr && m_component->GetPinName(m_gate, m_terminal) != m_pinName) {
    if (!m_component->SetPinName(m_gate, m_terminal, m_pinName)) {
      ReselectControl(GetDlgItem(IDC_PIN_NAME));
      CAppError::ReportLastError();
      return FALSE;
    }
    StorePinName();
  }
  return CPropertyPage::OnApply();
}

bool CScmPinPropertyPage::AcceptPinName() {
  // A terminal need not be named.
  if (m_pinName.IsEmpty() || ValidPinName(m_pinName)) return true;
  ReselectControl(GetDlgItem(IDC_PIN_NAME));
  CAppError::ReportLastError();
  return false;
}

// Terminal names belong to the symbol: the grid and the drawings show one name for the
// terminal of every gate the symbol draws, so those gates of the record take it too.
void CScmPinPropertyPage::StorePinName() {
  const CGate* renamed = m_component->FindGate(m_gate);
  if (renamed == nullptr) return;
  const CString symbol = renamed->GetSymbol();
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = m_component->FirstGate(position, index); gate != nullptr;
       gate = m_component->NextGate(position, index)) {
    if (gate != renamed && m_terminal <= gate->CountPins() && gate->GetSymbol().CompareNoCase(symbol) == 0) {
      gate->SetPinName(m_terminal, m_pinName);
    }
  }
  CPinNameHint hint(symbol, m_terminal, m_pinName);
  if (CDesign* design = m_component->GetOwnerDesign()) design->UpdateAllViews(nullptr, HintPinName, &hint);
}
