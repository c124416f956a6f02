#include "host/kicad/kicad_symbol_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_shape_reader.h"
#include "host/kicad/kicad_symbol_index.h"
#include "host/kicad/natural_order.h"
#include "host/kicad/sexpr_reader.h"

namespace {

constexpr int kMaxTerminal = 65535;
constexpr int kMaxExtendsDepth = 8;
constexpr uint64_t kNoKey = std::numeric_limits<uint64_t>::max();

// Lists of a symbol that carry nothing this program shows.
constexpr std::array<std::string_view, 14> kIgnoredSymbolLists = {"pin_numbers",
                                                                  "pin_names",
                                                                  "in_bom",
                                                                  "on_board",
                                                                  "property",
                                                                  "power",
                                                                  "exclude_from_sim",
                                                                  "embedded_fonts",
                                                                  "in_pos_files",
                                                                  "body_styles",
                                                                  "duplicate_pin_numbers_are_jumpers",
                                                                  "jumper_pin_groups",
                                                                  "uuid",
                                                                  "unit_name"};

constexpr std::array<std::string_view, 6> kGraphicLists = {"rectangle", "polyline", "circle",
                                                           "arc",       "text",     "bezier"};

template <size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// Texts are views into the file's text or the reader's bag of properties.
struct PinDef {
  std::string_view number;
  // The number's value when it is a plain number, else -1.
  int plain = -1;
  // The number's place in natural order as one integer, for plain numbers and for up to
  // three capital letters and a plain number (the balls of a grid: A1, AB12); kNoKey for
  // the others.
  uint64_t key = kNoKey;
  std::string_view name;
  CPoint position;
  int length = 0;
  PinDirection direction = PinDirection::Left;
  PinShape shape = PinShape::Line;
  int line = 0;
  // The pins of a file counted as they are read: a unit lists its pins in that order.
  size_t read = 0;
};

// A number's key: the letters from the top byte down, then the value. A letter after
// fewer letters meets a zero byte, which comes first, as a digit comes before a letter.
uint64_t NaturalKey(std::string_view number, int plain) {
  if (plain >= 0) return static_cast<uint64_t>(plain);
  size_t letters = 0;
  while (letters < number.size() && number[letters] >= 'A' && number[letters] <= 'Z') ++letters;
  if (letters == 0 || letters > 3) return kNoKey;
  const int value = PlainNumber(number.substr(letters), std::numeric_limits<int>::max());
  if (value < 0) return kNoKey;
  uint64_t key = static_cast<uint64_t>(value);
  for (size_t i = 0; i < letters; ++i) key |= static_cast<uint64_t>(number[i]) << (56 - 8 * i);
  return key;
}

// Natural order of the pins' numbers; numbers with keys, the usual case, compare by key,
// which gives the same order.
bool PinBefore(const PinDef* a, const PinDef* b) {
  if (a->key != kNoKey && b->key != kNoKey) return a->key < b->key;
  return NaturalLess(a->number, b->number);
}

// As PinBefore, pins of one number in the order they were read: what a stable sort
// gives, without the room it asks for on every unit. Equal keys, as equal in natural
// order, are equal texts.
bool PinBeforeAsRead(const PinDef* a, const PinDef* b) {
  if (a->key != kNoKey && b->key != kNoKey) return a->key != b->key ? a->key < b->key : a->read < b->read;
  if (a->number == b->number) return a->read < b->read;
  return NaturalLess(a->number, b->number);
}

// A plain number is written one way only (no sign, no leading zero): its value tells.
bool SameNumber(const PinDef& a, const PinDef& b) {
  return a.plain >= 0 || b.plain >= 0 ? a.plain == b.plain : a.number == b.number;
}

// The items of one unit and body style: "NAME_U_S".
struct PartDef {
  int unit = 0;
  int style = 0;
  // How many units still to be built draw this part: the last one takes its graphics.
  int uses = 0;
  std::vector<CSymbolGraphic> graphics;
  std::vector<PinDef> pins;
};

struct SymbolDef {
  std::string name;
  std::string extends;
  // The line the symbol begins on, or 0 when it is to be counted up to `at` in the
  // file's text.
  int line = 0;
  size_t at = 0;
  std::vector<PartDef> parts;
};

// A pin points from its free end at `at` into the body along its angle; this program
// names the way out of the body.
PinDirection DirectionOf(int angle) {
  switch (((angle % 360) + 360) % 360) {
    case 90:
      return PinDirection::Down;
    case 180:
      return PinDirection::Right;
    case 270:
      return PinDirection::Up;
    default:
      return PinDirection::Left;
  }
}

static_assert(CKicadSymbolReader::kPinStyles.size() == kPinShapeNames.size(), "one style for each pin shape");

// A pin's graphic style is the second word of (pin TYPE STYLE ...); a style this program
// does not know draws as a plain line.
PinShape ShapeOf(const std::vector<std::string_view>& words) {
  const auto& styles = CKicadSymbolReader::kPinStyles;
  if (words.size() < 2) return PinShape::Line;
  const auto found = std::find(styles.begin(), styles.end(), words[1]);
  return found == styles.end() ? PinShape::Line : static_cast<PinShape>(found - styles.begin());
}

// The unit and style at the end of a part's name "NAME_U_S"; false when it has none.
bool ParsePartName(std::string_view name, int& unit, int& style) {
  const size_t second = name.rfind('_');
  if (second == std::string_view::npos || second == 0) return false;
  const size_t first = name.rfind('_', second - 1);
  if (first == std::string_view::npos) return false;
  unit = PlainNumber(name.substr(first + 1, second - first - 1), 1000);
  style = PlainNumber(name.substr(second + 1), 1000);
  return unit >= 0 && style >= 0;
}

class SymbolFileReader {
 public:
  SymbolFileReader(std::string_view text, std::string_view fileName) : m_reader(text), m_fileName(fileName) {}

  // While reading, keeps the terminals' pin numbers of every unit of the symbol named.
  void CollectUnits(const CString& symbol, std::vector<CKicadSymbolReader::Unit>& units) {
    m_wanted = symbol;
    m_units = &units;
  }

  // Reads the symbol lists given alone; only the first one's units are made.
  std::unique_ptr<CSymbolLibraryContents> ReadEntries(const std::vector<CKicadSymbolReader::Entry>& entries,
                                                      int64_t version) {
    m_version = version;
    m_contents = std::make_unique<CSymbolLibraryContents>(SymbolKind::Schematic);
    for (const CKicadSymbolReader::Entry& entry : entries) {
      m_reader = CSexprReader(entry.text, entry.line);
      std::string_view keyword;
      if (m_reader.OpenList(keyword) && keyword == "symbol") ReadSymbol(entry.line, 0);
      if (m_reader.Failed()) Problem(m_reader.FailureLine(), m_reader.Failure());
      if (m_buildOnly.empty() && !m_symbols.empty()) {
        m_buildOnly = m_symbols.front().name;
        m_wanted = CString(m_buildOnly);
      }
      if (m_buildOnly.empty()) break;
    }
    BuildSymbols();
    return std::move(m_contents);
  }

  std::unique_ptr<CSymbolLibraryContents> Read(CString& error) {
    std::string_view keyword;
    if (!m_reader.OpenList(keyword) || keyword != "kicad_symbol_lib") {
      error =
          KicadLibrary::LocatedMessage(m_fileName, m_reader.Failed() ? m_reader.FailureLine() : 1,
                                       "this is no symbol library: it does not begin with (kicad_symbol_lib");
      return nullptr;
    }
    m_contents = std::make_unique<CSymbolLibraryContents>(SymbolKind::Schematic);
    if (!ReadTopLevel(error)) return nullptr;
    BuildSymbols();
    return std::move(m_contents);
  }

 private:
  bool ReadTopLevel(CString& error) {
    while (true) {
      const SexprTokenKind kind = m_reader.PeekKind();
      if (kind == SexprTokenKind::Close || kind == SexprTokenKind::End) break;
      const size_t at = m_reader.Offset();
      std::string_view keyword;
      if (!m_reader.OpenList(keyword)) break;
      if (keyword == "version") {
        if (!ReadVersion(m_reader.LineAt(at), error)) return false;
      } else if (keyword == "symbol") {
        ReadSymbol(0, at);
      } else if (keyword == "generator" || keyword == "generator_version") {
        m_reader.SkipToDepth(1 + 1);
      } else {
        Problem(m_reader.LineAt(at), "unknown token \"" + std::string(keyword) + "\" in the library");
        m_reader.SkipToDepth(2);
      }
      if (m_reader.SyntaxFailed()) break;
    }
    if (!m_reader.SyntaxFailed()) m_reader.ExpectClose();
    if (m_reader.SyntaxFailed())
      Problem(m_reader.FailureLine(), m_reader.Failure() + "; what follows is not read");
    return true;
  }

  bool ReadVersion(int line, CString& error) {
    if (!m_reader.ReadInteger(m_version) || !m_reader.ExpectClose()) {
      error = KicadLibrary::LocatedMessage(m_fileName, m_reader.FailureLine(), m_reader.Failure());
      return false;
    }
    if (m_version <= CKicadSymbolReader::kNewestVersion) return true;
    error = KicadLibrary::LocatedMessage(m_fileName, line,
                                         "format version " + std::to_string(m_version) +
                                             " is newer than this program reads (" +
                                             std::to_string(CKicadSymbolReader::kNewestVersion) + ")");
    return false;
  }

  // Counted only for messages, from the whole file's reader.
  int LineOf(const SymbolDef& symbol) { return symbol.line != 0 ? symbol.line : m_reader.LineAt(symbol.at); }

  void Problem(int line, const std::string& what) {
    m_contents->AddProblem(KicadLibrary::LocatedMessage(m_fileName, line, what));
  }

  // A failed symbol is left out; its problem is recorded and reading goes on after it.
  void ReadSymbol(int line, size_t at) {
    const int depth = m_reader.Depth();
    SymbolDef symbol;
    symbol.line = line;
    symbol.at = at;
    if (!m_reader.ReadText(symbol.name) || !ReadSymbolBody(symbol)) {
      if (m_reader.SyntaxFailed()) return;
      Problem(m_reader.FailureLine(),
              m_reader.Failure() + " in symbol \"" + symbol.name + "\"; it is left out");
      m_reader.ClearContentFailure();
      m_reader.SkipToDepth(depth);
      return;
    }
    m_symbols.push_back(std::move(symbol));
  }

  bool ReadSymbolBody(SymbolDef& symbol) {
    while (!m_reader.Failed()) {
      std::string_view keyword;
      const SexprTokenKind kind = m_reader.NextList(keyword);
      if (kind == SexprTokenKind::Close) return m_reader.ExpectClose();
      if (kind != SexprTokenKind::Open) {
        if (kind == SexprTokenKind::End) return m_reader.ExpectClose();
        m_reader.Take();
        continue;
      }
      if (keyword.empty() && !m_reader.OpenList(keyword)) return false;
      const size_t at = m_reader.ListOffset();
      if (keyword == "extends") {
        if (!m_reader.ReadText(symbol.extends) || !m_reader.ExpectClose()) return false;
      } else if (keyword == "symbol") {
        if (!ReadPart(symbol)) return false;
      } else if (keyword == "property" || IsOneOf(keyword, kIgnoredSymbolLists)) {
        // Properties, most of a symbol's lists, are told without a search.
        m_reader.SkipToDepth(m_reader.Depth());
      } else {
        return m_reader.Fail(m_reader.LineAt(at), "unknown token \"" + std::string(keyword) + "\"");
      }
    }
    return false;
  }

  bool ReadPart(SymbolDef& symbol) {
    const size_t nameAt = m_reader.Offset();
    std::string name;
    if (!m_reader.ReadText(name)) return false;
    // The part is read into one kept by the reader for the room its lists took, and
    // handed on with lists of just its size.
    PartDef& part = m_part;
    part.pins.clear();
    part.graphics.clear();
    if (!ParsePartName(name, part.unit, part.style))
      return m_reader.Fail(m_reader.LineAt(nameAt), "the unit \"" + name + "\" does not end in _UNIT_STYLE");
    while (!m_reader.Failed()) {
      std::string_view keyword;
      if (m_reader.NextList(keyword) == SexprTokenKind::Close) {
        m_reader.ExpectClose();
        PartDef& kept = symbol.parts.emplace_back();
        kept.unit = part.unit;
        kept.style = part.style;
        kept.pins.assign(part.pins.begin(), part.pins.end());
        kept.graphics.assign(std::make_move_iterator(part.graphics.begin()),
                             std::make_move_iterator(part.graphics.end()));
        return true;
      }
      if (keyword.empty() && !m_reader.OpenList(keyword)) return false;
      if (!ReadPartItem(keyword, m_reader.ListOffset(), part)) return false;
    }
    return false;
  }

  // `at` is where the item's list begins; its line is counted only for a message.
  bool ReadPartItem(std::string_view keyword, size_t at, PartDef& part) {
    if (keyword == "pin") return ReadPin(at, part);
    if (keyword == "unit_name" || keyword == "text_box") {
      m_reader.SkipToDepth(m_reader.Depth());
      return !m_reader.Failed();
    }
    if (!IsOneOf(keyword, kGraphicLists))
      return m_reader.Fail(m_reader.LineAt(at), "unknown token \"" + std::string(keyword) + "\"");
    KicadShapeProps& props = m_props;
    props.Clear();
    if (!ReadShapeProps(m_reader, false, props)) return false;
    if (keyword == "text" && m_version <= CKicadSymbolReader::kLastTenthsVersion) props.atAngle /= 10;
    // The names are made once: every graphic asks.
    static const CString kText("Text");
    static const CString kOutline("Outline");
    MakeGraphics(keyword, props, keyword == "text" ? kText : kOutline, part.graphics);
    return true;
  }

  bool ReadPin(size_t at, PartDef& part) {
    KicadShapeProps& props = m_props;
    props.Clear();
    if (!ReadShapeProps(m_reader, false, props)) return false;
    if (!props.at) return m_reader.Fail(m_reader.LineAt(at), "a pin has no position");
    PinDef pin;
    pin.number = props.number;
    pin.plain = PlainNumber(pin.number, std::numeric_limits<int>::max());
    pin.key = NaturalKey(pin.number, pin.plain);
    pin.name = props.name;
    pin.position = *props.at;
    pin.length = std::max(0, props.length);
    pin.direction = DirectionOf(props.atAngle);
    pin.shape = ShapeOf(props.words);
    // Only a pin without a number is reported.
    pin.line = pin.number.empty() ? m_reader.LineAt(at) : 0;
    pin.read = m_pinsRead++;
    part.pins.push_back(std::move(pin));
    return true;
  }

  // --- from the definitions to symbols, one per unit

  SymbolDef* FindDef(std::string_view name) {
    const auto found = m_byName.find(name);
    return found == m_byName.end() ? nullptr : &m_symbols[found->second];
  }

  // A symbol named "LIB:NAME" may name its parent without the prefix.
  SymbolDef* FindParent(const SymbolDef& child) {
    if (SymbolDef* parent = FindDef(child.extends)) return parent;
    const size_t colon = child.name.find(':');
    if (colon == std::string::npos || child.extends.find(':') != std::string::npos) return nullptr;
    return FindDef(child.name.substr(0, colon + 1) + child.extends);
  }

  // The definition whose parts a symbol draws: its own, or its parent's when it extends
  // one. Null when the parent is missing, with the problem recorded when `report`.
  SymbolDef* PartsOwner(SymbolDef& symbol, bool report) {
    SymbolDef* owner = &symbol;
    for (int depth = 0; owner->parts.empty() && !owner->extends.empty(); ++depth) {
      SymbolDef* parent = FindParent(*owner);
      if (parent == nullptr || depth == kMaxExtendsDepth) {
        if (report)
          Problem(LineOf(symbol), "symbol \"" + symbol.name + "\" extends \"" + owner->extends +
                                      "\", which is not in the library; it is left out");
        return nullptr;
      }
      owner = parent;
    }
    return owner;
  }

  void BuildSymbols() {
    // The names are looked up where the definitions keep them: no more are added now.
    m_byName.reserve(m_symbols.size());
    for (size_t i = 0; i < m_symbols.size(); ++i) m_byName.emplace(m_symbols[i].name, i);
    // First the owners and how many units draw each part, so that the last of them can
    // take the part's graphics instead of a copy.
    std::vector<SymbolDef*> owners(m_symbols.size());
    for (size_t i = 0; i < m_symbols.size(); ++i) {
      if (!m_buildOnly.empty() && m_symbols[i].name != m_buildOnly) continue;
      owners[i] = PartsOwner(m_symbols[i], false);
      if (owners[i] == nullptr) continue;
      const int units = CountUnits(*owners[i]);
      for (PartDef& part : owners[i]->parts) {
        if (part.style <= 1) part.uses += part.unit == 0 ? units : 1;
      }
    }
    for (size_t i = 0; i < m_symbols.size(); ++i) {
      if (!m_buildOnly.empty() && m_symbols[i].name != m_buildOnly) continue;
      if (owners[i] == nullptr) {
        PartsOwner(m_symbols[i], true);
        continue;
      }
      const int units = CountUnits(*owners[i]);
      for (int unit = 1; unit <= units; ++unit) AddUnit(m_symbols[i], *owners[i], unit, units);
    }
  }

  static int CountUnits(const SymbolDef& owner) {
    int units = 1;
    for (const PartDef& part : owner.parts) units = std::max(units, part.unit);
    return units;
  }

  void AddUnit(const SymbolDef& symbol, SymbolDef& owner, int unit, int units) {
    auto made = std::make_unique<CSymbol>(CKicadSymbolReader::UnitName(symbol.name, unit, units),
                                          SymbolKind::Schematic);
    // One list of a unit's pins, emptied for each unit, keeps its room.
    std::vector<const PinDef*>& pins = m_unitPins;
    pins.clear();
    for (PartDef& part : owner.parts) {
      // Items of unit 0 belong to every unit, of style 0 to every body style; only the
      // first body style is read.
      if ((part.unit != 0 && part.unit != unit) || part.style > 1) continue;
      if (--part.uses == 0) {
        made->AddGraphics(std::move(part.graphics));
      } else {
        made->AddGraphics(part.graphics);
      }
      for (const PinDef& pin : part.pins) pins.push_back(&pin);
    }
    // The pins' numbers are kept only for the symbol a caller asked for.
    const bool collect = m_units != nullptr && m_wanted.CompareNoCase(CString(symbol.name)) == 0;
    CKicadSymbolReader::Unit collected;
    if (collect) collected.name = made->GetName();
    AddTerminals(*made, symbol, pins, collect ? &collected.pinNumbers : nullptr);
    if (!m_contents->Add(std::move(made))) {
      const std::string name = CKicadSymbolReader::UnitName(symbol.name, unit, units).str();
      Problem(LineOf(symbol), "the name \"" + name + "\" is used twice; the second is left out");
      return;
    }
    if (collect) m_units->push_back(std::move(collected));
  }

  // Terminals 1..n in the natural order of the pins' numbers; a number given twice is
  // one terminal.
  void AddTerminals(CSymbol& made, const SymbolDef& symbol, std::vector<const PinDef*>& pins,
                    std::vector<std::string>* numbers) {
    // Pins listed in order already are left as they are.
    if (!std::is_sorted(pins.begin(), pins.end(), PinBefore))
      std::sort(pins.begin(), pins.end(), PinBeforeAsRead);
    int terminal = 0;
    const PinDef* previous = nullptr;
    for (const PinDef* pin : pins) {
      if (pin->number.empty()) {
        Problem(pin->line, "a pin of symbol \"" + symbol.name + "\" has no number; it is left out");
        continue;
      }
      if (previous != nullptr && SameNumber(*previous, *pin)) continue;
      previous = pin;
      if (terminal == kMaxTerminal) break;
      const bool unnamed = pin->name.empty() || pin->name == "~";
      CFreePad pad(++terminal, CString(unnamed ? pin->number : pin->name), pin->position);
      pad.SetPin(pin->length, pin->direction);
      pad.SetPinShape(pin->shape);
      made.AddPad(std::move(pad));
      if (numbers != nullptr) numbers->emplace_back(pin->number);
    }
  }

  CSexprReader m_reader;
  std::string_view m_fileName;
  int64_t m_version = 0;
  std::vector<SymbolDef> m_symbols;
  std::unordered_map<std::string_view, size_t> m_byName;
  std::unique_ptr<CSymbolLibraryContents> m_contents;
  CString m_wanted;
  std::vector<CKicadSymbolReader::Unit>* m_units = nullptr;
  std::string m_buildOnly;
  KicadShapeProps m_props;
  std::vector<const PinDef*> m_unitPins;
  size_t m_pinsRead = 0;
  PartDef m_part;
};

bool ParsePartUnit(std::string_view name, int& unit) {
  int style = 0;
  return ParsePartName(name, unit, style);
}

}  // namespace

std::unique_ptr<CSymbolLibraryContents> CKicadSymbolReader::Parse(std::string_view text,
                                                                  std::string_view fileName, CString& error) {
  return SymbolFileReader(text, fileName).Read(error);
}

std::unique_ptr<CSymbolLibraryContents> CKicadSymbolReader::Load(const CString& path, CString& error) {
  std::string text;
  // Room for the whole file at once, so that reading it copies no part of it twice.
  std::error_code ignored;
  const std::uintmax_t size = std::filesystem::file_size(path.str(), ignored);
  if (!ignored && size < KicadLibrary::kMaxFileSize) text.reserve(static_cast<size_t>(size) + 1);
  if (!KicadLibrary::ReadFile(path.str(), text, error)) return nullptr;
  const std::string fileName = std::filesystem::path(path.str()).filename().string();
  return Parse(text, fileName, error);
}

std::unique_ptr<CSymbolLibraryContents> CKicadSymbolReader::ParseEntries(const std::vector<Entry>& entries,
                                                                         int64_t version,
                                                                         std::string_view fileName) {
  return SymbolFileReader({}, fileName).ReadEntries(entries, version);
}

std::unique_ptr<CSymbolLibraryContents> CKicadSymbolReader::ParseEntries(const std::vector<Entry>& entries,
                                                                         int64_t version,
                                                                         std::string_view fileName,
                                                                         std::vector<Unit>& units) {
  SymbolFileReader reader({}, fileName);
  reader.CollectUnits(CString(), units);
  return reader.ReadEntries(entries, version);
}

int CKicadSymbolReader::UnitOfPart(std::string_view name) {
  int unit = -1;
  return ParsePartUnit(name, unit) ? unit : -1;
}

bool CKicadSymbolReader::ReadUnits(const CString& path, const CString& symbol, std::vector<Unit>& units,
                                   CString& error) {
  units.clear();
  const std::shared_ptr<const CKicadSymbolIndex> index = CKicadSymbolIndex::Get(path, error);
  if (index == nullptr) return false;
  // A unit's name, NAME:LETTERS, stands for its symbol.
  const CKicadSymbolIndex::Symbol* found = index->FindSymbol(symbol.str());
  const int colon = symbol.ReverseFind(':');
  if (found == nullptr && colon > 0) found = index->FindSymbol(symbol.Left(colon).str());
  if (found != nullptr && index->Read(path, *found, units, error) == nullptr) return false;
  if (!units.empty()) return true;
  const std::string fileName = std::filesystem::path(path.str()).filename().string();
  error.FormatMessage("There is no symbol \"%1\" in \"%2\".", symbol, CString(fileName));
  return false;
}

CString CKicadSymbolReader::UnitName(std::string_view symbol, int unit, int units) {
  if (units <= 1) return CString(symbol);
  std::string letters;
  for (int rest = unit; rest > 0; rest = (rest - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
  return CString(std::string(symbol) + ":" + letters);
}
