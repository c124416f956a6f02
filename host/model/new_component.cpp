#include "host/model/new_component.h"

#include <string>

#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/utility/app_error.h"

namespace {

// The most gates one component can hold: every gate index the model accepts.
constexpr int kMostGates = CComponent::kMaxGateIndex + 1;

bool RefuseCount(int count) {
  CString text;
  text.Format("%d is not a pin count.", count);
  CAppError::SetLastErrorText(text);
  return false;
}

}  // namespace

bool CNewComponent::CheckPinCount() const {
  return pins >= 0 || RefuseCount(pins);
}

bool CNewComponent::CheckGatePins() const {
  return scmSymbol.IsEmpty() || CGate::IsValidPinCount(scmPins) || RefuseCount(scmPins);
}

bool CNewComponent::CheckGateCount() const {
  if (gates <= kMostGates) return true;
  CAppError::SetLastErrorText("A component can have at most " + CString(std::to_string(kMostGates)) +
                              " gates.");
  return false;
}

CComponent* CNewComponent::AddTo(CDesign& design) const {
  CComponent* record = design.AddComponent(name, package);
  record->SetPcbSymbol(pcbSymbol);
  record->GetPcbComponent()->SetLibrary(pcbLibrary);
  record->SetPinCount(pins);
  record->SetDefaultReference(defaultReference);
  if (scmSymbol.IsEmpty()) return record;
  const bool numberPins = pcbSymbol.IsEmpty();
  int nextPin = 1;
  for (int gate = 0; gate < gates; ++gate) {
    record->AddGate(gate, scmLibrary, scmSymbol, scmPins, nullptr, nullptr);
    if (!numberPins) continue;
    for (int terminal = 1; terminal <= scmPins; ++terminal) record->SetPinNumber(gate, terminal, nextPin++);
  }
  return record;
}
