// ViewPadIndex: the pads of a drawing's placed component found by pin and, on a
// schematic, by gate and terminal, so that a highlight or a redraw of a few terminals
// visits just their pads instead of every pad of a part of tens of thousands. A land's
// pin is its own number and never changes; a terminal's pin is the pin map's, so the
// view moves a terminal here whenever it changes the pin of its copy.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

class CComponentInstance;
class CPadInstance;

class ViewPadIndex {
 public:
  void Clear();
  // Every pad of every symbol instance of `placed` (null: none).
  void Build(const CComponentInstance* placed);
  // The pads whose pin is `pin`, in no particular order.
  const std::vector<CPadInstance*>& PadsOfPin(int pin) const;
  // The schematic pads of a gate's terminal; none on a PCB symbol.
  const std::vector<CPadInstance*>& PadsOfTerminal(int gate, int terminal) const;
  // The terminal's pads now have pin `to` instead of `from`.
  void MoveTerminal(int gate, int terminal, int from, int to);

 private:
  static long long TerminalKey(int gate, int terminal);
  void AddToPin(CPadInstance* pad, int pin);
  // Swaps the last pad of the list into the pad's place: a pin without a terminal may
  // hold most pads of a part, and an assignment moves them out one by one.
  void RemoveFromPin(CPadInstance* pad, int pin);

  std::unordered_map<int, std::vector<CPadInstance*>> m_byPin;
  // Where each pad stands in its pin's list.
  std::unordered_map<const CPadInstance*, std::size_t> m_slot;
  std::unordered_map<long long, std::vector<CPadInstance*>> m_byTerminal;
};
