#include "host/pinout/pinout_symbol.h"

#include <algorithm>

#include "host/kicad/natural_order.h"

namespace {

constexpr int kGrid = 25400;  // 0.1 inch
constexpr int kPinLength = 3 * kGrid;
constexpr int kOutlineWidth = 2540;
constexpr int kTextSize = 15240;

enum Side { kLeft, kRight, kTop, kBottom, kSides };

Side SideOf(PinKind kind) {
  switch (kind) {
    case PinKind::Input:
    case PinKind::Bidirectional:
      return kLeft;
    case PinKind::Power:
      return kTop;
    case PinKind::Ground:
      return kBottom;
    case PinKind::Output:
    case PinKind::Passive:
    case PinKind::NoConnect:
      break;
  }
  return kRight;
}

// Room for a name along the body, in grid steps: a capital is about half a step wide.
int NameSteps(const std::vector<CPinoutSymbol::Pin>& pins, const std::vector<int>& side) {
  std::size_t longest = 0;
  for (const int terminal : side)
    longest = std::max(longest, pins[static_cast<std::size_t>(terminal)].name.size());
  return side.empty() ? 0 : static_cast<int>(longest + 1) / 2 + 1;
}

struct Box {
  int width = 0;   // in grid steps
  int top = 0;     // steps from the top edge to the first side pin
  int bottom = 0;  // steps from the last side pin to the bottom edge
  int rows = 0;
};

Box Measure(const std::vector<CPinoutSymbol::Pin>& pins, const std::vector<int> (&sides)[kSides]) {
  Box box;
  box.rows = static_cast<int>(std::max(sides[kLeft].size(), sides[kRight].size()));
  const int across = static_cast<int>(std::max(sides[kTop].size(), sides[kBottom].size())) + 1;
  box.width = std::max({4, across, NameSteps(pins, sides[kLeft]) + NameSteps(pins, sides[kRight]) + 1});
  box.top = 1 + NameSteps(pins, sides[kTop]);
  box.bottom = 1 + NameSteps(pins, sides[kBottom]);
  return box;
}

void AddPin(CSymbol& symbol, const CPinoutSymbol::Pin& pin, int terminal, CPoint end,
            PinDirection direction) {
  CFreePad pad(terminal, CString(pin.name), end);
  pad.SetPin(kPinLength, direction);
  if (pin.kind == PinKind::NoConnect) pad.SetPinShape(PinShape::NonLogic);
  symbol.AddPad(pad);
}

}  // namespace

std::unique_ptr<CSymbol> CPinoutSymbol::Make(const CString& name, const std::string& label,
                                             const std::vector<Pin>& pins) {
  std::vector<int> sides[kSides];
  for (std::size_t i = 0; i < pins.size(); ++i) sides[SideOf(pins[i].kind)].push_back(static_cast<int>(i));
  for (std::vector<int>& side : sides) {
    std::stable_sort(side.begin(), side.end(), [&](int a, int b) {
      return NaturalLess(pins[static_cast<std::size_t>(a)].name, pins[static_cast<std::size_t>(b)].name);
    });
  }
  const Box box = Measure(pins, sides);
  const int right = box.width * kGrid;
  const int bottom = -(box.top + std::max(box.rows - 1, 0) + box.bottom) * kGrid;
  auto symbol = std::make_unique<CSymbol>(name, SymbolKind::Schematic);
  symbol->AddGraphic(CSymbolGraphic("Outline", kOutlineWidth, CSymbolRectangle{{0, 0}, {right, bottom}}));
  // Above the supplies' pins, clear of every name.
  const int above = (sides[kTop].empty() ? 1 : 1 + kPinLength / kGrid) * kGrid;
  symbol->AddGraphic(CSymbolGraphic("Text", kTextSize / 10, CSymbolText{"U?", {0, above}, kTextSize}));
  if (!label.empty())
    symbol->AddGraphic(CSymbolGraphic("Text", kTextSize / 10,
                                      CSymbolText{CString(label), {0, above + 2 * kGrid}, kTextSize}));
  for (std::size_t row = 0; row < sides[kLeft].size(); ++row) {
    const int terminal = sides[kLeft][row];
    AddPin(*symbol, pins[static_cast<std::size_t>(terminal)], terminal + 1,
           {-kPinLength, -(box.top + static_cast<int>(row)) * kGrid}, PinDirection::Left);
  }
  for (std::size_t row = 0; row < sides[kRight].size(); ++row) {
    const int terminal = sides[kRight][row];
    AddPin(*symbol, pins[static_cast<std::size_t>(terminal)], terminal + 1,
           {right + kPinLength, -(box.top + static_cast<int>(row)) * kGrid}, PinDirection::Right);
  }
  for (std::size_t column = 0; column < sides[kTop].size(); ++column) {
    const int terminal = sides[kTop][column];
    AddPin(*symbol, pins[static_cast<std::size_t>(terminal)], terminal + 1,
           {(static_cast<int>(column) + 1) * kGrid, kPinLength}, PinDirection::Up);
  }
  for (std::size_t column = 0; column < sides[kBottom].size(); ++column) {
    const int terminal = sides[kBottom][column];
    AddPin(*symbol, pins[static_cast<std::size_t>(terminal)], terminal + 1,
           {(static_cast<int>(column) + 1) * kGrid, bottom - kPinLength}, PinDirection::Down);
  }
  return symbol;
}
