#include "host/kicad/kicad_pin_kinds.h"

#include <map>
#include <string_view>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_shape_reader.h"
#include "host/kicad/kicad_symbol_import.h"
#include "host/kicad/kicad_symbol_reader.h"
#include "host/kicad/natural_order.h"
#include "host/kicad/sexpr_reader.h"

namespace {

constexpr std::string_view kTypes[] = {"input",     "output",         "bidirectional", "tri_state",
                                       "passive",   "free",           "unspecified",   "power_in",
                                       "power_out", "open_collector", "open_emitter",  "no_connect"};

bool IsType(std::string_view word) {
  for (const std::string_view type : kTypes) {
    if (word == type) return true;
  }
  return false;
}

// The pins of one symbol of the file by unit and number, and the parent it extends.
struct SymbolPins {
  std::string extends;
  std::map<std::pair<int, std::string>, CKicadPinKinds::Kind> pins;
};

// "NAME_U_S": the unit, or -1 for a body style other than the first.
int UnitOfPart(std::string_view name) {
  const size_t second = name.rfind('_');
  if (second == std::string_view::npos || second == 0) return -1;
  const size_t first = name.rfind('_', second - 1);
  if (first == std::string_view::npos) return -1;
  const int style = PlainNumber(name.substr(second + 1), 1000);
  if (style > 1) return -1;
  return PlainNumber(name.substr(first + 1, second - first - 1), 1000);
}

void ReadPin(CSexprReader& reader, int unit, SymbolPins& symbol) {
  KicadShapeProps props;
  if (!ReadShapeProps(reader, false, props)) return;
  CKicadPinKinds::Kind kind;
  if (!props.words.empty() && IsType(props.words[0])) kind.type = props.words[0];
  if (props.words.size() > 1) kind.shape = props.words[1];
  kind.hidden = props.hidden;
  symbol.pins.emplace(std::make_pair(unit, std::string(props.number)), std::move(kind));
}

void ReadPart(CSexprReader& reader, SymbolPins& symbol) {
  const int depth = reader.Depth();
  std::string name;
  if (!reader.ReadText(name)) return;
  const int unit = UnitOfPart(name);
  while (unit >= 0 && !reader.Failed() && reader.Peek().kind == SexprTokenKind::Open) {
    std::string_view keyword;
    if (!reader.OpenList(keyword)) return;
    if (keyword == "pin") {
      ReadPin(reader, unit, symbol);
    } else {
      reader.SkipToDepth(depth + 1);
    }
  }
  reader.SkipToDepth(depth);
}

void ReadSymbol(CSexprReader& reader, SymbolPins& symbol) {
  const int depth = reader.Depth();
  while (!reader.Failed()) {
    const SexprToken token = reader.Peek();
    if (token.kind == SexprTokenKind::Close || token.kind == SexprTokenKind::End) break;
    if (token.kind != SexprTokenKind::Open) {
      reader.Next();
      continue;
    }
    std::string_view keyword;
    if (!reader.OpenList(keyword)) return;
    if (keyword == "symbol") {
      ReadPart(reader, symbol);
    } else if (keyword == "extends") {
      reader.ReadText(symbol.extends);
      reader.SkipToDepth(depth + 1);
    } else {
      reader.SkipToDepth(depth + 1);
    }
  }
  reader.SkipToDepth(depth);
}

// The symbol named `name` of the file, or nothing found.
bool FindSymbol(std::string_view text, const std::string& name, SymbolPins& symbol) {
  CSexprReader reader(text);
  std::string_view keyword;
  if (!reader.OpenList(keyword)) return false;
  while (!reader.Failed() && reader.Peek().kind == SexprTokenKind::Open) {
    if (!reader.OpenList(keyword)) return false;
    std::string own;
    if (keyword == "symbol" && reader.ReadText(own) && own == name) {
      ReadSymbol(reader, symbol);
      return true;
    }
    reader.SkipToDepth(1 + 1);
  }
  return false;
}

}  // namespace

bool CKicadPinKinds::Read(const CString& path, const CString& unitName, std::vector<Kind>& kinds,
                          CString& error) {
  kinds.clear();
  std::vector<CKicadSymbolReader::Unit> units;
  if (!CKicadSymbolReader::ReadUnits(path, unitName, units, error)) return false;
  size_t unit = 0;
  while (unit < units.size() && units[unit].name.CompareNoCase(unitName) != 0) ++unit;
  if (unit == units.size()) unit = 0;
  std::string text;
  if (!KicadLibrary::ReadFile(path.str(), text, error)) return false;
  SymbolPins symbol;
  std::string name = CKicadSymbolImport::SymbolOfUnit(units[unit].name).str();
  // A derived symbol is drawn by its parent's pins.
  for (int depth = 0;
       depth < 8 && FindSymbol(text, name, symbol) && symbol.pins.empty() && !symbol.extends.empty();
       ++depth) {
    name = symbol.extends;
    symbol = SymbolPins{};
  }
  const int number = static_cast<int>(unit) + 1;
  for (const std::string& pin : units[unit].pinNumbers) {
    auto found = symbol.pins.find({number, pin});
    if (found == symbol.pins.end()) found = symbol.pins.find({0, pin});
    kinds.push_back(found != symbol.pins.end() ? found->second : Kind{});
  }
  return true;
}
