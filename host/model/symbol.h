// CSymbol: a library symbol, the drawing of a gate (schematic) or of a package (PCB):
// its pads, its outline graphics and the origin it is placed by.
#pragma once

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/model/free_pad.h"
#include "host/model/symbol_graphic.h"
#include "host/model/symbol_kind.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CSymbol {
 public:
  CSymbol(CString name, SymbolKind kind) : m_name(std::move(name)), m_kind(kind) {}
  CSymbol(const CSymbol& other);
  CSymbol& operator=(const CSymbol&) = delete;
  ~CSymbol() = default;

  std::unique_ptr<CSymbol> Clone() const { return std::make_unique<CSymbol>(*this); }

  const CString& GetName() const { return m_name; }
  SymbolKind GetKind() const { return m_kind; }
  // The point that lands on the placement position.
  CPoint GetOrigin() const { return m_origin; }
  void SetOrigin(CPoint origin) { m_origin = origin; }

  // Pads keep their address for the symbol's lifetime, in the order they were added.
  int CountPads() const { return static_cast<int>(m_pads.size()); }
  const CFreePad& GetPad(int index) const { return m_pads.at(static_cast<size_t>(index)); }
  CFreePad& GetPad(int index) { return m_pads.at(static_cast<size_t>(index)); }
  // The first pad of that number; null when the symbol has none (never a land
  // without a number).
  const CFreePad* FindPad(int number) const;
  // -1 when the symbol has no pad of that number.
  int IndexOfPad(int number) const;
  // Null, and nothing added, when a pad with the same number exists: a pad handed over
  // is then left as it was.
  CFreePad* AddPad(const CFreePad& pad);
  CFreePad* AddPad(CFreePad&& pad);
  // A further land of a pin that has one already, or a land without a number; PCB
  // symbols only.
  CFreePad* AddLand(const CFreePad& pad);
  CFreePad* AddLand(CFreePad&& pad);
  // The distinct numbers of the pads: a pin with several lands counts once, a land
  // without a number not at all.
  int CountPins() const;
  // True when some pin has several lands or some land has no number.
  bool HasSharedOrUnnumberedLands() const;

  const std::vector<CSymbolGraphic>& Graphics() const { return m_graphics; }
  void AddGraphic(CSymbolGraphic graphic) { m_graphics.push_back(std::move(graphic)); }
  // Appends them all; handed over to a symbol without graphics, they are taken whole.
  void AddGraphics(std::vector<CSymbolGraphic>&& graphics);
  void AddGraphics(const std::vector<CSymbolGraphic>& graphics);

  // The box round the graphics and pads (a schematic pad from its free end to its
  // root, a PCB pad its land); an empty box at the origin for an empty symbol.
  CRect GetExtents() const;

  // Same name, kind, origin, pads and graphics.
  bool operator==(const CSymbol& other) const;

 private:
  CRect PadBounds(const CFreePad& pad) const;
  CFreePad* Append(CFreePad&& pad);
  void RecordFirstPad(int number, int index);

  CString m_name;
  SymbolKind m_kind;
  CPoint m_origin;
  // A deque keeps its items in place as it grows, in blocks of several pads each.
  std::deque<CFreePad> m_pads;
  // The first pad of each number: footprints of thousands of balls are built pad by pad,
  // and each new pad asks whether its number is taken. Numbers up to about twice the
  // count of pads, as good as all, are looked up by position (-1 for none), others by hash.
  std::vector<int> m_firstPadOfNumber;
  std::unordered_map<int, int> m_firstPadOfFarNumber;
  int m_pinCount = 0;
  std::vector<CSymbolGraphic> m_graphics;
};
