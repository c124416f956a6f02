#include "host/model/component_value.h"

#include <atomic>

std::uint64_t NewModelObjectId() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1);
}

void ForgetIdentities(ComponentValue& value) {
  value.id = 0;
  for (GateValue& gate : value.gates) gate.id = 0;
}

std::optional<std::vector<PinChange>> PinChangesBetween(ComponentValue shown, ComponentValue wanted) {
  if (shown.gates.size() != wanted.gates.size()) return std::nullopt;
  std::vector<PinChange> changes;
  for (size_t g = 0; g < shown.gates.size(); ++g) {
    std::vector<TerminalValue>& terminals = shown.gates[g].terminals;
    const std::vector<TerminalValue>& target = wanted.gates[g].terminals;
    if (terminals.size() != target.size()) return std::nullopt;
    for (size_t t = 0; t < terminals.size(); ++t) {
      if (terminals[t].pin == target[t].pin) continue;
      changes.push_back({wanted.gates[g].index, static_cast<int>(t + 1), target[t].pin});
      terminals[t].pin = target[t].pin;
    }
  }
  ForgetIdentities(shown);
  ForgetIdentities(wanted);
  if (!(shown == wanted)) return std::nullopt;
  return changes;
}

namespace {

// Everything of a record but its gates' terminals.
bool SameOutside(const ComponentValue& a, const ComponentValue& b) {
  return a.id == b.id && a.name == b.name && a.package == b.package && a.description == b.description &&
         a.packageDescription == b.packageDescription && a.defaultReference == b.defaultReference &&
         a.pcbSymbol == b.pcbSymbol && a.pcbLibrary == b.pcbLibrary && a.pinCount == b.pinCount &&
         a.pcbOnly == b.pcbOnly && a.showNames == b.showNames && a.attributes == b.attributes &&
         a.gates.size() == b.gates.size();
}

bool SameGateOutside(const GateValue& a, const GateValue& b) {
  return a.id == b.id && a.index == b.index && a.symbol == b.symbol && a.library == b.library &&
         a.terminals.size() == b.terminals.size();
}

}  // namespace

std::optional<std::vector<TerminalChange>> TerminalChangesBetween(const ComponentValue& shown,
                                                                  const ComponentValue& wanted) {
  if (!SameOutside(shown, wanted)) return std::nullopt;
  std::vector<TerminalChange> changes;
  for (size_t g = 0; g < shown.gates.size(); ++g) {
    const GateValue& from = shown.gates[g];
    const GateValue& to = wanted.gates[g];
    if (!SameGateOutside(from, to)) return std::nullopt;
    for (size_t t = 0; t < from.terminals.size(); ++t) {
      const bool pin = from.terminals[t].pin != to.terminals[t].pin;
      const bool name = from.terminals[t].name != to.terminals[t].name;
      if (pin || name) changes.push_back({to.index, static_cast<int>(t + 1), pin, name});
    }
  }
  return changes;
}
