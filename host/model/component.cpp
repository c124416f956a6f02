#include "host/model/component.h"

#include <algorithm>

#include "host/model/design.h"
#include "host/model/gate_names.h"
#include "host/model/position_index.h"
#include "host/utility/app_error.h"

IMPLEMENT_DYNAMIC(CComponent, CDesignItem)

namespace {
std::vector<TerminalValue> MakeTerminals(int pins, const CString* names, const int* numbers) {
  std::vector<TerminalValue> terminals(static_cast<size_t>(pins));
  for (size_t i = 0; i < terminals.size(); ++i) {
    if (names != nullptr) terminals[i].name = names[i];
    if (numbers != nullptr) terminals[i].pin = numbers[i];
  }
  return terminals;
}

void RecordError(const char* format, int value) {
  CString text;
  text.Format(format, value);
  CAppError::SetLastErrorText(text);
}
}  // namespace

CComponent::CComponent(const char* name, const char* package, std::uint64_t id)
    : m_id(id != 0 ? id : NewModelObjectId()), m_name(name), m_package(package) {}

CComponent::~CComponent() = default;

bool CComponent::SetPinCount(int pins) {
  if (pins < 0) return RefusePinCount(pins);
  m_pinCount = pins;
  return true;
}

CGate* CComponent::AddGate(int index, const char* library, const char* symbol, int pins, const CString* names,
                           const int* numbers) {
  if (!CheckGateShape(index, pins)) return nullptr;
  const bool madeRoom = EndOfRun(index) != index;
  const std::vector<CComponent*> others = OtherRecords();
  // Every record is asked first, so that a refusal changes none.
  if (!HasRoomForGate(index)) return nullptr;
  for (const CComponent* other : others) {
    if (madeRoom && !other->HasRoomForGate(index)) return nullptr;
  }
  MakeRoomForGate(index);
  CGate* added = InsertGate(GateValue{0, index, symbol, library, MakeTerminals(pins, names, numbers)});
  for (CComponent* other : others) other->TakeAddedGate(*added, madeRoom);
  return added;
}

CGate* CComponent::AddPcbGate(int index, int pins, const int* numbers) {
  if (!CheckGateShape(index, pins)) return nullptr;
  const std::vector<TerminalValue> pinMap = MakeTerminals(pins, nullptr, numbers);
  CGate* gate = FindGate(index);
  if (gate == nullptr) {
    GateValue value{0, index, CString(), CString(), {}};
    if (const CGate* sibling = FindSiblingGate(index)) value = sibling->GetValue();
    value.id = 0;
    gate = InsertGate(std::move(value));
  }
  GateValue updated = gate->GetValue();
  updated.terminals.resize(pinMap.size());
  for (size_t i = 0; i < pinMap.size(); ++i) updated.terminals[i].pin = pinMap[i].pin;
  gate->Assign(updated);
  return gate;
}

bool CComponent::DeleteGate(int index) {
  const auto found = LowerBound(index);
  if (found == m_gates.end() || (*found)->GetIndex() != index) return RefuseMissingGate(index);
  m_gates.erase(found);
  InvalidatePinIndex();
  return true;
}

bool CComponent::DeleteGateFromEveryPackage(int index) {
  if (!DeleteGate(index)) return false;
  for (CComponent* other : OtherRecords()) {
    if (other->FindGate(index) != nullptr) other->DeleteGate(index);
  }
  return true;
}

bool CComponent::ReplaceGateSymbol(int index, const char* symbol, const char* library, int pads) {
  CGate* gate = FindGate(index);
  if (gate == nullptr) return RefuseMissingGate(index);
  if (!CGate::IsValidPinCount(pads)) return RefusePinCount(pads);
  gate->SetSymbol(symbol, library);
  gate->ResizeTerminals(pads);
  return true;
}

CGate* CComponent::FindGate(int index) const {
  const auto found = LowerBound(index);
  if (found == m_gates.end() || (*found)->GetIndex() != index) return nullptr;
  return found->get();
}

int CComponent::CountTerminals() const {
  int terminals = 0;
  for (const auto& gate : m_gates) terminals += gate->CountPins();
  return terminals;
}

CGate* CComponent::FirstGate(POSITION& position, int& index) const {
  position = m_gates.empty() ? nullptr : PositionFromIndex(0);
  return NextGate(position, index);
}

CGate* CComponent::NextGate(POSITION& position, int& index) const {
  if (position == nullptr) return nullptr;
  const size_t at = IndexFromPosition(position);
  if (at >= m_gates.size()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 < m_gates.size() ? PositionFromIndex(at + 1) : nullptr;
  index = m_gates[at]->GetIndex();
  return m_gates[at].get();
}

int CComponent::GetPinNumber(int gate, int terminal) const {
  const CGate* found = FindGate(gate);
  return found != nullptr ? found->GetPinNumber(terminal) : CGate::kNoPin;
}

bool CComponent::SetPinNumber(int gate, int terminal, int pin) {
  CGate* found = FindGate(gate);
  if (found == nullptr) return RefuseMissingGate(gate);
  return found->SetPinNumber(terminal, pin);
}

CString CComponent::GetPinName(int gate, int terminal) const {
  const CGate* found = FindGate(gate);
  return found != nullptr ? found->GetPinName(terminal) : CString();
}

bool CComponent::SetPinName(int gate, int terminal, const char* name) {
  CGate* found = FindGate(gate);
  if (found == nullptr) return RefuseMissingGate(gate);
  return found->SetPinName(terminal, name);
}

bool CComponent::GetGateAndTerminal(int pin, int& gate, int& terminal) const {
  if (pin == CGate::kNoPin) return false;
  if (!m_pinIndexValid) BuildPinIndex();
  const auto found = m_pinIndex.find(pin);
  if (found == m_pinIndex.end() || found->second.empty()) return false;
  gate = found->second.front().first;
  terminal = found->second.front().second;
  return true;
}

const std::vector<std::pair<int, int>>& CComponent::TerminalsOfPin(int pin) const {
  static const std::vector<std::pair<int, int>> none;
  if (pin == CGate::kNoPin) return none;
  if (!m_pinIndexValid) BuildPinIndex();
  const auto found = m_pinIndex.find(pin);
  return found != m_pinIndex.end() ? found->second : none;
}

ComponentValue CComponent::GetValue() const {
  ComponentValue value;
  value.id = m_id;
  value.name = m_name;
  value.package = m_package;
  value.description = m_description;
  value.packageDescription = m_packageDescription;
  value.defaultReference = m_defaultReference;
  value.pcbSymbol = m_pcb.GetSymbol();
  value.pcbLibrary = m_pcb.GetLibrary();
  value.pinCount = m_pinCount;
  value.pcbOnly = m_pcbOnly;
  value.showNames = m_scm.GetShowNames();
  value.attributes = m_attributes.GetValues();
  value.gates.reserve(m_gates.size());
  for (const auto& gate : m_gates) value.gates.push_back(gate->GetValue());
  return value;
}

void CComponent::RestoreValue(const ComponentValue& value) {
  m_name = value.name;
  m_package = value.package;
  m_description = value.description;
  m_packageDescription = value.packageDescription;
  m_defaultReference = value.defaultReference;
  m_pcb.SetSymbol(value.pcbSymbol);
  m_pcb.SetLibrary(value.pcbLibrary);
  m_pinCount = value.pinCount;
  m_pcbOnly = value.pcbOnly;
  m_scm.SetShowNames(value.showNames);
  m_attributes.Assign(value.attributes);

  std::unordered_map<std::uint64_t, std::unique_ptr<CGate>> existing;
  for (auto& gate : m_gates) existing.emplace(gate->GetValue().id, std::move(gate));
  GateList gates;
  gates.reserve(value.gates.size());
  for (const GateValue& gateValue : value.gates) {
    auto found = existing.find(gateValue.id);
    if (gateValue.id != 0 && found != existing.end()) {
      found->second->Assign(gateValue);
      gates.push_back(std::move(found->second));
      existing.erase(found);
    } else {
      gates.push_back(std::make_unique<CGate>(this, gateValue));
    }
  }
  std::stable_sort(gates.begin(), gates.end(),
                   [](const auto& a, const auto& b) { return a->GetIndex() < b->GetIndex(); });
  m_gates = std::move(gates);
  InvalidatePinIndex();
}

void CComponent::RestoreTerminals(const ComponentValue& value, const std::vector<TerminalChange>& changes) {
  for (const TerminalChange& change : changes) {
    const auto source = std::lower_bound(value.gates.begin(), value.gates.end(), change.gate,
                                         [](const GateValue& gate, int index) { return gate.index < index; });
    CGate* gate = FindGate(change.gate);
    if (source == value.gates.end() || source->index != change.gate || gate == nullptr) continue;
    const auto at = static_cast<size_t>(change.terminal - 1);
    if (change.terminal < 1 || at >= source->terminals.size()) continue;
    if (change.pin) gate->SetPinNumber(change.terminal, source->terminals[at].pin);
    if (change.name) gate->NameTerminal(change.terminal, source->terminals[at].name);
  }
}

CComponent::GateList::const_iterator CComponent::LowerBound(int index) const {
  return std::lower_bound(
      m_gates.begin(), m_gates.end(), index,
      [](const std::unique_ptr<CGate>& gate, int value) { return gate->GetIndex() < value; });
}

bool CComponent::CheckGateShape(int index, int pins) const {
  if (index < 0 || index > kMaxGateIndex) return RefuseGateIndex(index);
  if (!CGate::IsValidPinCount(pins)) return RefusePinCount(pins);
  return true;
}

bool CComponent::RefuseGateIndex(int index) const {
  RecordError("%d is not a gate index.", index);
  return false;
}

bool CComponent::RefusePinCount(int pins) const {
  RecordError("%d is not a pin count.", pins);
  return false;
}

bool CComponent::RefuseMissingGate(int index) const {
  CString text;
  text.Format("Component %s has no gate %s.", m_name.c_str(), GateString(index).c_str());
  CAppError::SetLastErrorText(text);
  return false;
}

int CComponent::EndOfRun(int index) const {
  int next = index;
  for (auto it = LowerBound(index); it != m_gates.end() && (*it)->GetIndex() == next; ++it) ++next;
  return next;
}

bool CComponent::HasRoomForGate(int index) const {
  const int next = EndOfRun(index);
  if (next != index && next > kMaxGateIndex) return RefuseGateIndex(next);
  return true;
}

bool CComponent::MakeRoomForGate(int index) {
  if (!HasRoomForGate(index)) return false;
  const int next = EndOfRun(index);
  if (next == index) return true;
  const auto first = LowerBound(index);
  for (auto it = first; it != m_gates.end() && (*it)->GetIndex() < next; ++it)
    (*it)->SetIndex((*it)->GetIndex() + 1);
  InvalidatePinIndex();
  return true;
}

CGate* CComponent::InsertGate(GateValue value) {
  const int index = value.index;
  auto gate = std::make_unique<CGate>(this, value);
  CGate* added = gate.get();
  m_gates.insert(LowerBound(index), std::move(gate));
  InvalidatePinIndex();
  return added;
}

void CComponent::TakeAddedGate(const CGate& added, bool madeRoom) {
  const int index = added.GetIndex();
  CGate* held = FindGate(index);
  if (held != nullptr && !madeRoom) {
    GateValue value = held->GetValue();
    value.symbol = added.GetSymbol();
    value.library = added.GetLibrary();
    value.terminals.resize(static_cast<size_t>(added.CountPins()));
    for (size_t at = 0; at < value.terminals.size(); ++at)
      value.terminals[at].name = added.GetValue().terminals[at].name;
    held->Assign(value);
    return;
  }
  if (held != nullptr) MakeRoomForGate(index);
  GateValue value = added.GetValue();
  value.id = 0;
  for (TerminalValue& terminal : value.terminals) terminal.pin = CGate::kNoPin;
  InsertGate(std::move(value));
}

std::vector<CComponent*> CComponent::OtherRecords() const {
  std::vector<CComponent*> others;
  const CDesign* design = GetOwnerDesign();
  if (design == nullptr) return others;
  POSITION position = nullptr;
  for (CComponent* record = design->FirstComponent(position, m_name); record != nullptr;
       record = design->NextComponent(position, m_name)) {
    if (record != this) others.push_back(record);
  }
  return others;
}

const CGate* CComponent::FindSiblingGate(int index) const {
  for (const CComponent* record : OtherRecords()) {
    if (const CGate* gate = record->FindGate(index)) return gate;
  }
  return nullptr;
}

void CComponent::BuildPinIndex() const {
  m_pinIndex.clear();
  for (const auto& gate : m_gates) {
    const int count = gate->CountPins();
    for (int terminal = 1; terminal <= count; ++terminal) {
      const int pin = gate->GetPinNumber(terminal);
      if (pin != CGate::kNoPin) m_pinIndex[pin].emplace_back(gate->GetIndex(), terminal);
    }
  }
  m_pinIndexValid = true;
}

void CComponent::MovePinInIndex(int gate, int terminal, int from, int to) {
  if (!m_pinIndexValid || from == to) return;
  const std::pair<int, int> moved(gate, terminal);
  if (const auto left = m_pinIndex.find(from); left != m_pinIndex.end()) {
    std::erase(left->second, moved);
    if (left->second.empty()) m_pinIndex.erase(left);
  }
  if (to == CGate::kNoPin) return;
  std::vector<std::pair<int, int>>& taken = m_pinIndex[to];
  taken.insert(std::lower_bound(taken.begin(), taken.end(), moved), moved);
}
