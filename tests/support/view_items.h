// What the symbol views show, read back for the tests: the placed symbols and pads of a
// view's drawing, which of them are marked, and the items the view redraws.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "editor/views/symbol_view.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"

// Null when the view draws nothing.
inline CComponentInstance* PlacedInstance(const CSymbolView& view) {
  CDesign* design = view.GetViewDesign();
  return design != nullptr ? design->FirstComponentInstance() : nullptr;
}

inline std::vector<CSymbolInstance*> PlacedSymbols(const CSymbolView& view) {
  std::vector<CSymbolInstance*> symbols;
  CComponentInstance* placed = PlacedInstance(view);
  POSITION position = nullptr;
  for (CSymbolInstance* symbol = placed != nullptr ? placed->FirstSymbolInstance(position) : nullptr;
       symbol != nullptr; symbol = placed->NextSymbolInstance(position))
    symbols.push_back(symbol);
  return symbols;
}

inline std::vector<CPadInstance*> PlacedPads(const CSymbolView& view) {
  std::vector<CPadInstance*> pads;
  for (CSymbolInstance* symbol : PlacedSymbols(view)) {
    for (int index = 0; index < symbol->CountPads(); ++index) pads.push_back(symbol->GetPad(index));
  }
  return pads;
}

// The first of `items` that `match` accepts; null when none does.
template <class Item, class Match>
Item* FirstOf(const std::vector<Item*>& items, Match match) {
  const auto found = std::find_if(items.begin(), items.end(), match);
  return found != items.end() ? *found : nullptr;
}

// The schematic terminal of a gate; null when the drawing has none.
inline CPadInstance* Terminal(const CSymbolView& view, int gate, int terminal) {
  return FirstOf(PlacedPads(view), [&](const CPadInstance* pad) {
    return pad->GetGate() == gate && pad->GetTerminalNumber() == terminal;
  });
}

// The land of a PCB pin; null when the drawing has none.
inline CPadInstance* Land(const CSymbolView& view, int pin) {
  return FirstOf(PlacedPads(view), [&](const CPadInstance* pad) { return pad->GetPinNumber() == pin; });
}

// The highlighted pads: "gate.terminal" in a schematic drawing, "pin" on a PCB symbol.
inline std::vector<std::string> HighlightedPads(const CSymbolView& view) {
  std::vector<std::string> marked;
  for (CPadInstance* pad : PlacedPads(view)) {
    if (pad->GetHighlight())
      marked.push_back(pad->IsPcbPad()
                           ? std::to_string(pad->GetPinNumber())
                           : std::to_string(pad->GetGate()) + "." + std::to_string(pad->GetTerminalNumber()));
  }
  return marked;
}

// Every item a view draws on its own, with the draw mode, in order.
class DrawLog {
 public:
  explicit DrawLog(CSymbolView& view) : m_view(view) {
    view.SetDrawObserver([this](CDesignItem* item, int mode) { m_draws.emplace_back(item, mode); });
  }
  ~DrawLog() { m_view.SetDrawObserver(nullptr); }
  DrawLog(const DrawLog&) = delete;
  DrawLog& operator=(const DrawLog&) = delete;

  const std::vector<std::pair<CDesignItem*, int>>& Draws() const { return m_draws; }
  void Clear() { m_draws.clear(); }

 private:
  CSymbolView& m_view;
  std::vector<std::pair<CDesignItem*, int>> m_draws;
};

using Draws = std::vector<std::pair<CDesignItem*, int>>;
