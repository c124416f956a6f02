#include "editor/views/view_pad_index.h"

#include "host/model/component_instance.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"

namespace {
const std::vector<CPadInstance*> kNoPads;
}  // namespace

void ViewPadIndex::Clear() {
  m_byPin.clear();
  m_slot.clear();
  m_byTerminal.clear();
}

void ViewPadIndex::Build(const CComponentInstance* placed) {
  Clear();
  if (placed == nullptr) return;
  POSITION position = nullptr;
  for (CSymbolInstance* symbol = placed->FirstSymbolInstance(position); symbol != nullptr;
       symbol = placed->NextSymbolInstance(position)) {
    for (int index = 0; index < symbol->CountPads(); ++index) {
      CPadInstance* pad = symbol->GetPad(index);
      AddToPin(pad, pad->GetPinNumber());
      if (!pad->IsPcbPad())
        m_byTerminal[TerminalKey(symbol->GetGate(), pad->GetPad()->GetNumber())].push_back(pad);
    }
  }
}

const std::vector<CPadInstance*>& ViewPadIndex::PadsOfPin(int pin) const {
  const auto found = m_byPin.find(pin);
  return found != m_byPin.end() ? found->second : kNoPads;
}

const std::vector<CPadInstance*>& ViewPadIndex::PadsOfTerminal(int gate, int terminal) const {
  const auto found = m_byTerminal.find(TerminalKey(gate, terminal));
  return found != m_byTerminal.end() ? found->second : kNoPads;
}

void ViewPadIndex::MoveTerminal(int gate, int terminal, int from, int to) {
  if (from == to) return;
  const std::vector<CPadInstance*>& pads = PadsOfTerminal(gate, terminal);
  if (pads.empty()) return;
  for (CPadInstance* pad : pads) {
    RemoveFromPin(pad, from);
    AddToPin(pad, to);
  }
}

void ViewPadIndex::AddToPin(CPadInstance* pad, int pin) {
  std::vector<CPadInstance*>& pads = m_byPin[pin];
  m_slot[pad] = pads.size();
  pads.push_back(pad);
}

void ViewPadIndex::RemoveFromPin(CPadInstance* pad, int pin) {
  const auto list = m_byPin.find(pin);
  const auto slot = m_slot.find(pad);
  if (list == m_byPin.end() || slot == m_slot.end()) return;
  std::vector<CPadInstance*>& pads = list->second;
  if (slot->second >= pads.size() || pads[slot->second] != pad) return;
  pads[slot->second] = pads.back();
  m_slot[pads.back()] = slot->second;
  pads.pop_back();
  if (pads.empty()) m_byPin.erase(list);
}

long long ViewPadIndex::TerminalKey(int gate, int terminal) {
  return (static_cast<long long>(gate) << 32) | static_cast<unsigned>(terminal);
}
