// What the graphic items, pins and pads of the field's S-expression libraries say, read
// into one bag of properties, and the shapes of this program built from them. Symbol
// libraries measure y upwards like this program; footprints measure it downwards, so
// their readers ask for y to be turned over as points are read.
#pragma once

#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/kicad/sexpr_reader.h"
#include "host/model/symbol_graphic.h"
#include "platform/types.h"

// The plain values of an item, set anew for each item at once.
struct KicadShapeValues {
  std::optional<CPoint> start, mid, end, centre, at;
  int atAngle = 0;              // whole degrees, as written
  std::optional<int> arcAngle;  // the sweep of an arc written as centre, start and angle
  std::optional<int> radius;
  std::optional<CSize> size;
  int drill = 0;
  int strokeWidth = 0;
  int length = 0;
  bool hasNumber = false;
  int textSize = 0;
  bool hidden = false;
};

struct KicadShapeProps : KicadShapeValues {
  // Leading atoms and strings: a pin's type and style, a pad's number, type and shape,
  // a text's kind and text, "hide". Views into the file's text, or into `unescaped`.
  std::vector<std::string_view> words;
  std::vector<CPoint> points;
  // Views as words.
  std::string_view fill;
  std::string_view layer;
  std::string_view name;        // a pin's (name "...")
  std::string_view number;      // a pin's (number "...")
  std::string_view horizontal;  // "left", "right" or empty for centred
  std::string_view vertical;    // "top", "bottom" or empty for centred

  // The texts of words, names and numbers that held escapes, resolved. Kept in place
  // until the bag goes: the views of a file's items stay valid while it is read. Few
  // texts hold escapes, and an empty list takes no room: bags are made for nested
  // lists too.
  std::list<std::string> unescaped;

  // Empties the bag for the next item, keeping the room its lists took and the texts
  // unescaped: readers take one bag through all the items of a file. The views are
  // emptied with the plain values.
  void Clear();
  // The token's text as a view that lasts as long as the file's text and the bag.
  std::string_view Keep(const SexprToken& token) { return token.escaped ? KeepUnescaped(token) : token.text; }

 private:
  std::string_view KeepUnescaped(const SexprToken& token);
};

// Reads the rest of the list whose keyword was just read, up to its ')'. Sub-lists it
// does not know are skipped. False when the reader failed.
bool ReadShapeProps(CSexprReader& reader, bool flipY, KicadShapeProps& props);

// Appends the graphics a KiCad item stands for on `layer`; nothing for items that draw
// nothing here (a text without text); an arc through three points on a line becomes a
// line.
void MakeGraphics(std::string_view keyword, const KicadShapeProps& props, const CString& layer,
                  std::vector<CSymbolGraphic>& graphics);

TextAlignment AlignmentOf(std::string_view horizontal, std::string_view vertical);
