#include "editor/properties/pcb_pin_property_page.h"

#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/gate.h"
#include "host/model/symbol_instance.h"

IMPLEMENT_DYNCREATE(CPcbPinPropertyPage, CPropertyPage)

CPcbPinPropertyPage::CPcbPinPropertyPage() : CPropertyPage(IDD_PCB_PIN_PAGE) {}

void CPcbPinPropertyPage::SetPin(CComponent* component, int pin) {
  m_component = component;
  m_pin = pin;
}

void CPcbPinPropertyPage::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PIN_ASSOCIATIONS, m_associations);
  DDX_Text(dx, IDC_PIN_NAME, m_pinName);
  DDX_Text(dx, IDC_PIN_NUMBER, m_number);
}

BOOL CPcbPinPropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_number = m_labels.Text(m_pin);
  if (m_component != nullptr) ListAssociations();
  UpdateData(FALSE);
  return TRUE;
}

void CPcbPinPropertyPage::ListAssociations() {
  m_pinName.Empty();
  bool found = false;
  int lastGate = 0;
  int lastTerminal = 0;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = m_component->FirstGate(position, index); gate != nullptr;
       gate = m_component->NextGate(position, index)) {
    const int terminals = gate->CountPins();
    for (int terminal = 1; terminal <= terminals; ++terminal) {
      if (m_component->GetPinNumber(index, terminal) != m_pin) continue;
      found = true;
      lastGate = index;
      lastTerminal = terminal;
      CString line;
      line.Format(IDS_PIN_ASSOCIATION, CSymbolInstance::GetGateString(index), terminal);
      m_associations.AddString(line);
    }
  }
  if (found) m_pinName = m_component->GetPinName(lastGate, lastTerminal);
}
