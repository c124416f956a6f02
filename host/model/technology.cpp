#include "host/model/technology.h"

#include <algorithm>

namespace {

constexpr std::array<std::string_view, kDesignColourCount> kColourNames = {
    "Background", "AssignedPins", "UnassignedPins", "Text",      "Outlines",
    "Selection",  "Highlight",    "PinNames",       "PinNumbers"};

// The first entries of the stock palette: black background, green assigned pins, blue
// pads, cyan text, yellow outlines, light blue selection, brown highlight, dark green
// pin names and dark blue pin numbers.
constexpr std::array<COLORREF, kDesignColourCount> kStockColours = {
    RGB(0, 0, 0),       RGB(0, 255, 0),  RGB(0, 0, 255), RGB(0, 255, 255), RGB(255, 255, 0),
    RGB(128, 128, 255), RGB(128, 64, 0), RGB(0, 128, 0), RGB(0, 0, 192)};

template <class Item>
const Item* FindNamed(const std::vector<Item>& items, std::string_view name) {
  const auto found = std::find_if(items.begin(), items.end(),
                                  [name](const Item& item) { return item.name.EqualsNoCase(name); });
  return found == items.end() ? nullptr : &*found;
}

}  // namespace

CTechnology::CTechnology(SymbolKind kind) : m_kind(kind), m_colours(kStockColours) {}

const CTechLayer* CTechnology::FindLayer(std::string_view name) const {
  return FindNamed(m_layers, name);
}

bool CTechnology::AddLayer(const CTechLayer& layer) {
  if (FindLayer(layer.name) != nullptr) return false;
  m_layers.push_back(layer);
  return true;
}

const CTextStyle* CTechnology::FindTextStyle(std::string_view name) const {
  return FindNamed(m_textStyles, name);
}

bool CTechnology::AddTextStyle(const CTextStyle& style) {
  if (FindTextStyle(style.name) != nullptr) return false;
  m_textStyles.push_back(style);
  return true;
}

std::string_view CTechnology::ColourName(DesignColour colour) {
  return kColourNames.at(static_cast<size_t>(colour));
}

CString CTechnology::GetExtension(SymbolKind kind) {
  return kind == SymbolKind::Schematic ? ".scmtech" : ".pcbtech";
}
