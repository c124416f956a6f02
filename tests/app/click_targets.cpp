#include "tests/app/click_targets.h"

#include <functional>

#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"

namespace {

// The first pad of a placed symbol of the view's drawing that `wanted` accepts.
CPadInstance* FindPad(const CSymbolView* view,
                      const std::function<bool(CSymbolInstance&, CPadInstance&)>& wanted) {
  CDesign* design = view != nullptr ? view->GetViewDesign() : nullptr;
  CComponentInstance* placed = design != nullptr ? design->FirstComponentInstance() : nullptr;
  if (placed == nullptr) return nullptr;
  POSITION symbols = nullptr;
  for (CSymbolInstance* symbol = placed->FirstSymbolInstance(symbols); symbol != nullptr;
       symbol = placed->NextSymbolInstance(symbols)) {
    POSITION pads = nullptr;
    for (CPadInstance* pad = symbol->FirstPad(pads); pad != nullptr; pad = symbol->NextPad(pads)) {
      if (wanted(*symbol, *pad)) return pad;
    }
  }
  return nullptr;
}

ClickTarget TargetOf(CSymbolView* view, const CPadInstance* pad) {
  if (view == nullptr || pad == nullptr) return {};
  return {view, view->GetTransform().ToView(pad->GetPosition())};
}

}  // namespace

ClickTarget PcbPadTarget(const CComponentFrame& frame, int pin) {
  CSymbolsFrame* symbols = frame.GetSymbolsFrame();
  CPcbSymbolView* view = symbols != nullptr ? symbols->GetPcbView() : nullptr;
  const CPadInstance* pad = FindPad(
      view, [pin](CSymbolInstance&, CPadInstance& candidate) { return candidate.GetPinNumber() == pin; });
  return TargetOf(view, pad);
}

ClickTarget ScmTerminalTarget(const CComponentFrame& frame, int gate, int terminal) {
  CSymbolsFrame* symbols = frame.GetSymbolsFrame();
  CScmSymbolView* view = symbols != nullptr ? symbols->GetScmView() : nullptr;
  const CPadInstance* pad = FindPad(view, [gate, terminal](CSymbolInstance& symbol, CPadInstance& candidate) {
    return symbol.GetGate() == gate && candidate.GetTerminalNumber() == terminal;
  });
  return TargetOf(view, pad);
}
