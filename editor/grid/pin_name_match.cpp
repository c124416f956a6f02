#include "editor/grid/pin_name_match.h"

#include <map>
#include <string>

#include "host/model/component.h"

namespace {

std::string Folded(const CString& text) {
  std::string folded = text.str();
  for (char& c : folded)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

// Pad number by folded name; -2 for a name that several pads carry.
std::map<std::string, int> PadsByName(const std::vector<FootprintPad>& pads) {
  std::map<std::string, int> byName;
  for (const FootprintPad& pad : pads) {
    if (pad.name.IsEmpty()) continue;
    const auto [at, added] = byName.emplace(Folded(pad.name), pad.number);
    if (!added && at->second != pad.number) at->second = -2;
  }
  return byName;
}

}  // namespace

std::vector<PinNameMatch> MatchTerminalsToPads(const CComponent& component,
                                               const std::vector<FootprintPad>& pads) {
  const std::map<std::string, int> byName = PadsByName(pads);
  std::vector<PinNameMatch> matches;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      const CString name = gate->GetPinName(terminal);
      if (name.IsEmpty()) continue;
      const auto pad = byName.find(Folded(name));
      if (pad == byName.end() || pad->second == -2) continue;
      const int oldPin = gate->GetPinNumber(terminal);
      if (oldPin != pad->second) matches.push_back({index, terminal, name, oldPin, pad->second});
    }
  }
  return matches;
}
