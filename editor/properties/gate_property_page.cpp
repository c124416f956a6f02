#include "editor/properties/gate_property_page.h"

#include <algorithm>
#include <vector>

#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"

IMPLEMENT_DYNCREATE(CGatePropertyPage, CPropertyPage)

const MessageMap CGatePropertyPage::kMessageMap{
    &CPropertyPage::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, IDC_SCM_SYMBOL_COMBO, &CGatePropertyPage::OnSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_SCM_SYMBOL_COMBO, &CGatePropertyPage::OnSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_SCM_LIBRARY_COMBO, &CGatePropertyPage::OnLibraryChanged),
    }};

namespace {

// The terminals a rebuilt gate is given: as many as the old gate had or the new symbol
// brings, whichever is more, so that nothing the old gate held is cut off on the way.
size_t CarriedTerminals(int oldPins, int pins) {
  return static_cast<size_t>(std::max({oldPins, pins, 0}));
}

// The record's pin numbers of the gate, carried over to a gate of `pins` terminals; the
// terminals the record's gate does not have get no pin.
std::vector<int> CarriedPinNumbers(const CComponent& record, int gateIndex, int pins) {
  const CGate* gate = record.FindGate(gateIndex);
  const int oldPins = gate != nullptr ? gate->CountPins() : 0;
  std::vector<int> numbers(CarriedTerminals(oldPins, pins), CGate::kNoPin);
  for (int terminal = 1; terminal <= oldPins; ++terminal) {
    numbers[static_cast<size_t>(terminal - 1)] = record.GetPinNumber(gateIndex, terminal);
  }
  return numbers;
}

std::vector<CString> CarriedPinNames(const CGate& gate, int pins) {
  const int oldPins = gate.CountPins();
  std::vector<CString> names(CarriedTerminals(oldPins, pins));
  for (int terminal = 1; terminal <= oldPins; ++terminal) {
    names[static_cast<size_t>(terminal - 1)] = gate.GetPinName(terminal);
  }
  return names;
}

}  // namespace

CGatePropertyPage::CGatePropertyPage() : CPropertyPage(IDD_GATE_PAGE) {}

CGatePropertyPage::~CGatePropertyPage() = default;

void CGatePropertyPage::SetGate(CComponent* component, int gate) {
  m_component = component;
  m_gate = gate;
}

void CGatePropertyPage::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PAGE_PIN_COUNT, m_pinCount);
  DDX_Control(dx, IDC_SCM_LIBRARY_COMBO, m_libraries);
  DDX_Control(dx, IDC_SCM_SYMBOL_COMBO, m_symbols);
}

BOOL CGatePropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_chooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CScmSymbolLibrary), &m_libraries,
                                                      &m_symbols, &m_pinCount);
  const CGate* gate = m_component != nullptr ? m_component->FindGate(m_gate) : nullptr;
  if (gate != nullptr) {
    m_chooser->SelectLibrary(gate->GetLibrary());
    m_chooser->SetSymbolName(gate->GetSymbol());
  }
  UpdateData(FALSE);
  return TRUE;
}

void CGatePropertyPage::OnSymbolChanged() {
  if (m_chooser != nullptr) m_chooser->UpdatePinCount();
}

void CGatePropertyPage::OnLibraryChanged() {
  if (m_chooser != nullptr) m_chooser->FillSymbolList();
}

BOOL CGatePropertyPage::OnApply() {
  if (!UpdateData(TRUE)) return FALSE;
  if (m_chooser == nullptr || m_component == nullptr) return CPropertyPage::OnApply();
  CString symbol;
  if (!m_chooser->ValidateSymbol(symbol, false)) return RefuseAt(IDC_SCM_SYMBOL_COMBO);
  int pins = 0;
  if (!m_chooser->GetPinCount(pins)) return RefuseAt(IDC_PAGE_PIN_COUNT);
  // A new pin count alone changes nothing: the count belongs to the symbol.
  if (!SymbolChanged(symbol)) return CPropertyPage::OnApply();
  // The symbol has passed its checks, so what the model refuses is the pin count.
  if (!ReplaceGate(symbol, pins)) return RefuseAt(IDC_PAGE_PIN_COUNT);
  return CPropertyPage::OnApply();
}

BOOL CGatePropertyPage::RefuseAt(int controlId) {
  ReselectControl(GetDlgItem(controlId));
  CAppError::ReportLastError();
  return FALSE;
}

// Names of libraries and symbols compare ignoring case, as the user reads them.
bool CGatePropertyPage::SymbolChanged(const CString& symbol) const {
  const CGate* gate = m_component->FindGate(m_gate);
  if (gate == nullptr) return false;
  return gate->GetLibrary().CompareNoCase(m_chooser->GetLibraryName()) != 0 ||
         gate->GetSymbol().CompareNoCase(symbol) != 0;
}

// The model gives the other packages the rebuilt gate's symbol and names as it adds the
// gate here; each keeps its own pins.
bool CGatePropertyPage::ReplaceGate(const CString& symbol, int pins) {
  const CGate* gate = m_component->FindGate(m_gate);
  const std::vector<CString> names = CarriedPinNames(*gate, pins);
  const std::vector<int> numbers = CarriedPinNumbers(*m_component, m_gate, pins);
  const CString library = m_chooser->GetLibraryName();
  const ComponentValue before = m_component->GetValue();
  m_component->DeleteGate(m_gate);
  if (m_component->AddGate(m_gate, library, symbol, pins, names.data(), numbers.data()) == nullptr) {
    // The refusal changed no record, so this record's old gate is all there is to bring
    // back; the refusal stays the last error.
    m_component->RestoreValue(before);
    return false;
  }
  ResizeOtherRecords(pins);
  if (CDesign* design = m_component->GetOwnerDesign())
    design->UpdateAllViews(nullptr, HintComponent, nullptr);
  return true;
}

// Every other package keeps its own pin map of the gate, carried over to the new size.
void CGatePropertyPage::ResizeOtherRecords(int pins) {
  CDesign* design = m_component->GetOwnerDesign();
  if (design == nullptr) return;
  POSITION position = nullptr;
  for (CComponent* record = design->FirstComponent(position); record != nullptr;
       record = design->NextComponent(position)) {
    if (record == m_component) continue;
    const std::vector<int> numbers = CarriedPinNumbers(*record, m_gate, pins);
    record->AddPcbGate(m_gate, pins, numbers.data());
  }
}
