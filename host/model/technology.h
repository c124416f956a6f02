// CTechnology: the drawing set-up of one kind of design (schematic or PCB): its layers,
// its text styles and the default colours of a design drawn with it. A technology file
// (.scmtech, .pcbtech) holds one; CTechnologyFile reads and writes it.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "host/model/symbol_kind.h"
#include "platform/cstring.h"
#include "platform/types.h"

struct CTechLayer {
  CString name;
  COLORREF colour = 0;
  bool visible = true;
  bool operator==(const CTechLayer&) const = default;
};

// size: the height of a capital letter; width: the stroke; both in design units.
struct CTextStyle {
  CString name;
  int size = 0;
  int width = 0;
  bool operator==(const CTextStyle&) const = default;
};

// The colours a design takes from its technology, in the order the drawings read them.
enum class DesignColour {
  Background,
  AssignedPins,
  UnassignedPins,
  Text,
  Outlines,
  Selection,
  Highlight,
  PinNames,
  PinNumbers,
};
constexpr size_t kDesignColourCount = 9;

class CTechnology {
 public:
  // No layers or styles; the colours of the stock palette.
  explicit CTechnology(SymbolKind kind);

  SymbolKind GetKind() const { return m_kind; }

  // Layers are drawn in this order, later over earlier.
  const std::vector<CTechLayer>& Layers() const { return m_layers; }
  // Names compare ignoring the case of ASCII letters; null when none matches.
  const CTechLayer* FindLayer(std::string_view name) const;
  // False, and nothing added, when the name is taken.
  bool AddLayer(const CTechLayer& layer);

  const std::vector<CTextStyle>& TextStyles() const { return m_textStyles; }
  const CTextStyle* FindTextStyle(std::string_view name) const;
  bool AddTextStyle(const CTextStyle& style);

  COLORREF GetColour(DesignColour colour) const { return m_colours[static_cast<size_t>(colour)]; }
  void SetColour(DesignColour colour, COLORREF value) { m_colours[static_cast<size_t>(colour)] = value; }
  // The name of a colour in files and settings: "Background", "AssignedPins", ...
  static std::string_view ColourName(DesignColour colour);

  // ".scmtech" or ".pcbtech", with the dot.
  static CString GetExtension(SymbolKind kind);

  bool operator==(const CTechnology&) const = default;

 private:
  SymbolKind m_kind;
  std::vector<CTechLayer> m_layers;
  std::vector<CTextStyle> m_textStyles;
  std::array<COLORREF, kDesignColourCount> m_colours{};
};
