#include "host/model/gate.h"

#include "host/model/component.h"
#include "host/model/gate_names.h"
#include "host/utility/app_error.h"

IMPLEMENT_DYNAMIC(CGate, CObject)

CGate::CGate(CComponent* owner, const GateValue& value) : m_owner(owner), m_value(value) {
  if (m_value.id == 0) m_value.id = NewModelObjectId();
}

void CGate::SetSymbol(const char* symbol, const char* library) {
  m_value.symbol = symbol;
  if (library != nullptr) m_value.library = library;
}

CString CGate::GetPinName(int terminal) const {
  if (!HasTerminal(terminal)) return CString();
  return m_value.terminals[static_cast<size_t>(terminal - 1)].name;
}

bool CGate::SetPinName(int terminal, const char* name) {
  if (!HasTerminal(terminal)) return RefuseTerminal(terminal);
  NameTerminal(terminal, name);
  if (m_owner == nullptr) return true;
  for (CComponent* other : m_owner->OtherRecords()) {
    CGate* sibling = other->FindGate(GetIndex());
    if (sibling != nullptr && sibling->HasTerminal(terminal)) sibling->NameTerminal(terminal, name);
  }
  return true;
}

void CGate::NameTerminal(int terminal, const char* name) {
  m_value.terminals[static_cast<size_t>(terminal - 1)].name = name;
}

int CGate::GetPinNumber(int terminal) const {
  if (!HasTerminal(terminal)) return kNoPin;
  return m_value.terminals[static_cast<size_t>(terminal - 1)].pin;
}

bool CGate::SetPinNumber(int terminal, int pin) {
  if (!HasTerminal(terminal)) return RefuseTerminal(terminal);
  int& stored = m_value.terminals[static_cast<size_t>(terminal - 1)].pin;
  if (stored == pin) return true;
  const int from = stored;
  stored = pin;
  if (m_owner != nullptr) m_owner->MovePinInIndex(GetIndex(), terminal, from, pin);
  return true;
}

bool CGate::RefuseTerminal(int terminal) const {
  CString text;
  text.Format("Gate %s has no terminal %d.", GateString(GetIndex()).c_str(), terminal);
  CAppError::SetLastErrorText(text);
  return false;
}

void CGate::ResizeTerminals(int pins) {
  m_value.terminals.resize(static_cast<size_t>(pins));
  PinMapChanged();
}

void CGate::Assign(const GateValue& value) {
  // An undo restores every gate of a record; most are as they were.
  if (value.id == m_value.id && value == m_value) return;
  const std::uint64_t id = m_value.id;
  m_value = value;
  m_value.id = id;
  PinMapChanged();
}

void CGate::PinMapChanged() {
  if (m_owner != nullptr) m_owner->InvalidatePinIndex();
}
