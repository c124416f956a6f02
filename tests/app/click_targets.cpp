#include "tests/app/click_targets.h"

#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "tests/editor/support/view_items.h"

namespace {

ClickTarget TargetOf(CSymbolView* view, const CPadInstance* pad) {
  if (view == nullptr || pad == nullptr) return {};
  return {view, view->GetTransform().ToView(pad->GetPosition())};
}

}  // namespace

ClickTarget PcbPadTarget(const CComponentFrame& frame, int pin) {
  CSymbolsFrame* symbols = frame.GetSymbolsFrame();
  CPcbSymbolView* view = symbols != nullptr ? symbols->GetPcbView() : nullptr;
  return TargetOf(view, view != nullptr ? Land(*view, pin) : nullptr);
}

ClickTarget ScmTerminalTarget(const CComponentFrame& frame, int gate, int terminal) {
  CSymbolsFrame* symbols = frame.GetSymbolsFrame();
  CScmSymbolView* view = symbols != nullptr ? symbols->GetScmView() : nullptr;
  return TargetOf(view, view != nullptr ? Terminal(*view, gate, terminal) : nullptr);
}
