#include "app/self_test_targets.h"

#include <charconv>
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

bool ReadNumber(std::string_view text, int& number) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && at == end;
}

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

bool ParsePinAssignment(std::string_view text, PinAssignment& assignment) {
  const size_t colon = text.find(':');
  const size_t equals = text.find('=');
  if (colon == std::string_view::npos || equals == std::string_view::npos || equals < colon) return false;
  PinAssignment parsed;
  if (!ReadNumber(text.substr(0, colon), parsed.gate) ||
      !ReadNumber(text.substr(colon + 1, equals - colon - 1), parsed.terminal) ||
      !ReadNumber(text.substr(equals + 1), parsed.pin))
    return false;
  if (parsed.gate < 0 || parsed.terminal < 1 || parsed.pin < 0) return false;
  assignment = parsed;
  return true;
}

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
