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
