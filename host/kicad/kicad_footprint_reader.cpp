#include "host/kicad/kicad_footprint_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <numbers>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_shape_reader.h"
#include "host/kicad/natural_order.h"
#include "host/kicad/sexpr_reader.h"
#include "host/model/symbol_library_file.h"

namespace {

// Lists of a footprint that carry nothing this program shows.
constexpr std::array<std::string_view, 38> kIgnoredLists = {"generator",
                                                            "generator_version",
                                                            "layer",
                                                            "tedit",
                                                            "tstamp",
                                                            "uuid",
                                                            "descr",
                                                            "tags",
                                                            "property",
                                                            "path",
                                                            "attr",
                                                            "autoplace_cost90",
                                                            "autoplace_cost180",
                                                            "solder_mask_margin",
                                                            "solder_paste_margin",
                                                            "solder_paste_ratio",
                                                            "solder_paste_margin_ratio",
                                                            "clearance",
                                                            "zone_connect",
                                                            "thermal_width",
                                                            "thermal_gap",
                                                            "model",
                                                            "zone",
                                                            "group",
                                                            "sheetname",
                                                            "sheetfile",
                                                            "private_layers",
                                                            "net_tie_pad_groups",
                                                            "embedded_fonts",
                                                            "embedded_files",
                                                            "dimension",
                                                            "image",
                                                            "locked",
                                                            "placed",
                                                            "fp_text_box",
                                                            "duplicate_pad_numbers_are_jumpers",
                                                            "jumper_pad_groups",
                                                            "component_classes"};

bool IsIgnoredList(std::string_view keyword) {
  static const std::unordered_set<std::string_view> kIgnored(kIgnoredLists.begin(), kIgnoredLists.end());
  return kIgnored.contains(keyword);
}

// fp_line, fp_rect, fp_circle, fp_arc, fp_poly, fp_curve, fp_text and gr_arc: most of a
// footprint's items, told apart by the length of what follows "fp_".
bool IsGraphicList(std::string_view keyword) {
  if (keyword == "gr_arc") return true;
  if (!keyword.starts_with("fp_")) return false;
  const std::string_view shape = keyword.substr(3);
  switch (shape.size()) {
    case 3:
      return shape == "arc";
    case 4:
      return shape == "line" || shape == "rect" || shape == "poly" || shape == "text";
    case 5:
      return shape == "curve";
    case 6:
      return shape == "circle";
    default:
      return false;
  }
}

// The layer of this program a footprint layer's outlines and texts go to; null for
// layers not shown. The names are made once: every graphic asks.
const CString* ShownLayer(std::string_view layer) {
  static const CString kSilkscreen("Silkscreen");
  static const CString kAssembly("Assembly");
  if (layer == "F.SilkS" || layer == "B.SilkS" || layer == "F.Silkscreen" || layer == "B.Silkscreen")
    return &kSilkscreen;
  if (layer == "F.Fab" || layer == "B.Fab") return &kAssembly;
  return nullptr;
}

// Texts are views into the file's text or the reader's bag of properties.
struct PadDef {
  std::string_view number;
  std::string_view shape;
  CPoint position;
  CSize size;
  int drill = 0;
  // The pin the pad's number gives, -1 for none; whether that number is plain.
  int pin = -1;
  bool plain = false;
};

PadShape ShapeOf(const PadDef& pad) {
  if (pad.shape == "circle") return PadShape::Round;
  if (pad.shape == "oval") return pad.size.cx == pad.size.cy ? PadShape::Round : PadShape::Oblong;
  return PadShape::Rectangle;
}

// A land turned by `angle` degrees: a quarter turn swaps its sides, other angles take
// the box round the turned land.
CSize TurnedSize(CSize size, int angle) {
  const int turn = ((angle % 360) + 360) % 360;
  if (turn % 180 == 0) return size;
  if (turn % 90 == 0) return CSize(size.cy, size.cx);
  const double radians = turn * std::numbers::pi / 180.0;
  const double c = std::abs(std::cos(radians));
  const double s = std::abs(std::sin(radians));
  return CSize(static_cast<int>(std::lround(size.cx * c + size.cy * s)),
               static_cast<int>(std::lround(size.cx * s + size.cy * c)));
}

class FootprintFileReader {
 public:
  // Room for the pads and graphics of most footprints at once; a folder's files are read
  // by one reader, which keeps the room its lists took.
  FootprintFileReader() {
    m_pads.reserve(64);
    m_graphics.reserve(64);
  }

  std::unique_ptr<CSymbol> Read(std::string_view text, std::string_view fileName, const CString& name,
                                CString& error) {
    m_reader = CSexprReader(text);
    m_fileName = fileName;
    m_pads.clear();
    m_props.unescaped.clear();
    m_graphics.clear();
    std::string_view keyword;
    if (!m_reader.OpenList(keyword) || (keyword != "footprint" && keyword != "module")) {
      error = KicadLibrary::LocatedMessage(m_fileName, m_reader.Failed() ? m_reader.FailureLine() : 1,
                                           "this is no footprint: it does not begin with (footprint");
      return nullptr;
    }
    std::string ownName;
    if (!m_reader.ReadText(ownName) || !ReadBody()) {
      error = KicadLibrary::LocatedMessage(m_fileName, m_reader.FailureLine(), m_reader.Failure());
      return nullptr;
    }
    return Build(name);
  }

 private:
  bool ReadBody() {
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
      if (!ReadItem(keyword, m_reader.ListOffset())) return false;
    }
    return false;
  }

  // `at` is where the item's list begins; its line is counted only for a message.
  bool ReadItem(std::string_view keyword, size_t at) {
    if (keyword == "version") return ReadVersion(at);
    if (keyword == "pad") return ReadPad(at);
    if (IsGraphicList(keyword)) return ReadGraphic(keyword);
    if (!IsIgnoredList(keyword))
      return m_reader.Fail(m_reader.LineAt(at), "unknown token \"" + std::string(keyword) + "\"");
    m_reader.SkipToDepth(m_reader.Depth());
    return !m_reader.Failed();
  }

  bool ReadVersion(size_t at) {
    int64_t version = 0;
    if (!m_reader.ReadInteger(version) || !m_reader.ExpectClose()) return false;
    if (version <= CKicadFootprintReader::kNewestVersion) return true;
    return m_reader.Fail(m_reader.LineAt(at),
                         "format version " + std::to_string(version) + " is newer than this program reads (" +
                             std::to_string(CKicadFootprintReader::kNewestVersion) + ")");
  }

  bool ReadGraphic(std::string_view keyword) {
    KicadShapeProps& props = m_props;
    props.Clear();
    if (!ReadShapeProps(m_reader, true, props)) return false;
    const CString* const layer = ShownLayer(props.layer);
    if (layer == nullptr) return true;
    MakeGraphics(keyword, props, *layer, m_graphics);
    return true;
  }

  bool ReadPad(size_t at) {
    KicadShapeProps& props = m_props;
    props.Clear();
    if (!ReadShapeProps(m_reader, true, props)) return false;
    if (props.words.size() < 3 || !props.at || !props.size)
      return m_reader.Fail(m_reader.LineAt(at), "a pad lacks its number, type, shape, position or size");
    if (props.size->cx < 0 || props.size->cy < 0 || props.drill < 0)
      return m_reader.Fail(m_reader.LineAt(at), "a pad's size or drill is negative");
    PadDef pad;
    pad.number = props.words[0];
    pad.shape = props.words[2];
    pad.position = *props.at;
    pad.size = TurnedSize(*props.size, props.atAngle);
    pad.drill = props.drill;
    m_pads.push_back(std::move(pad));
    return true;
  }

  // --- from the pads read to pins

  std::unique_ptr<CSymbol> Build(const CString& name) {
    auto symbol = std::make_unique<CSymbol>(name, SymbolKind::Pcb);
    NumberPins();
    for (const PadDef& pad : m_pads) {
      const int number = pad.pin < 0 ? CFreePad::kNoNumber : pad.pin;
      CFreePad land(number, number != CFreePad::kNoNumber && !pad.plain ? CString(pad.number) : CString(),
                    pad.position);
      land.SetLand(ShapeOf(pad), pad.size, pad.drill);
      // A pad repeating a number is a further land of that pin; one without a number
      // is a land of no pin.
      if (symbol->AddPad(std::move(land)) == nullptr) symbol->AddLand(std::move(land));
    }
    // The symbol's graphics take just the room they need: the models of a whole folder
    // are kept, and growing a list step by step leaves up to half of it unused.
    std::vector<CSymbolGraphic> graphics;
    graphics.reserve(m_graphics.size());
    std::move(m_graphics.begin(), m_graphics.end(), std::back_inserter(graphics));
    symbol->AddGraphics(std::move(graphics));
    return symbol;
  }

  // Plain numbers keep their value; named pads (A1, EP) follow the highest of them in
  // natural order; a pad without a number gets -1.
  void NumberPins() {
    m_named.clear();
    int highest = 0;
    for (size_t i = 0; i < m_pads.size(); ++i) {
      PadDef& pad = m_pads[i];
      if (pad.number.empty()) continue;
      pad.pin = PlainNumber(pad.number, CSymbolLibraryFile::kMaxPadNumber);
      pad.plain = pad.pin >= 0;
      if (!pad.plain) m_named.push_back(i);
      highest = std::max(highest, pad.pin);
    }
    // Natural order ties only equal texts, which get one pin in any order: a plain sort
    // does, without the room a stable one asks for on every footprint.
    std::sort(m_named.begin(), m_named.end(),
              [this](size_t a, size_t b) { return NaturalLess(m_pads[a].number, m_pads[b].number); });
    int next = highest;
    const std::string_view* previous = nullptr;
    for (const size_t index : m_named) {
      if (previous == nullptr || *previous != m_pads[index].number) ++next;
      previous = &m_pads[index].number;
      m_pads[index].pin = next <= CSymbolLibraryFile::kMaxPadNumber ? next : -1;
    }
  }

  CSexprReader m_reader{std::string_view()};
  std::string_view m_fileName;
  std::vector<PadDef> m_pads;
  // The named pads, kept from file to file for their room.
  std::vector<size_t> m_named;
  std::vector<CSymbolGraphic> m_graphics;
  KicadShapeProps m_props;
};

}  // namespace

std::unique_ptr<CSymbol> CKicadFootprintReader::Parse(std::string_view text, std::string_view fileName,
                                                      const CString& name, CString& error) {
  return FootprintFileReader().Read(text, fileName, name, error);
}

std::unique_ptr<CSymbolLibraryContents> CKicadFootprintReader::LoadFolder(const CString& folder,
                                                                          CString& error) {
  // Paths are handled as plain text: the folder's part is the same for every file, so
  // the files sort by name, and a name's end is found without taking the path apart.
  std::error_code code;
  std::vector<std::string> files;
  for (std::filesystem::directory_iterator it(folder.str(), code), end; !code && it != end;
       it.increment(code)) {
    const std::string& file = it->path().native();
    const size_t name = file.rfind('/') + 1;
    if (file.ends_with(KicadLibrary::kFootprintExtension) &&
        file.size() - name > KicadLibrary::kFootprintExtension.size())
      files.push_back(file);
  }
  if (code) {
    error.FormatMessage("Cannot read \"%1\": %2.", folder, CString(code.message()));
    return nullptr;
  }
  // The paths share the folder's part: comparing what follows it gives the same order.
  const size_t folderPart = files.empty() ? 0 : files.front().rfind('/') + 1;
  std::sort(files.begin(), files.end(), [folderPart](const std::string& a, const std::string& b) {
    return std::string_view(a).substr(folderPart) < std::string_view(b).substr(folderPart);
  });
  auto contents = std::make_unique<CSymbolLibraryContents>(SymbolKind::Pcb);
  std::string text;
  FootprintFileReader reader;
  for (const std::string& file : files) {
    CString problem;
    const std::string_view fileName = std::string_view(file).substr(file.rfind('/') + 1);
    // The footprint is named by its file.
    const std::string_view name =
        fileName.substr(0, fileName.size() - KicadLibrary::kFootprintExtension.size());
    std::unique_ptr<CSymbol> symbol;
    if (KicadLibrary::ReadFile(file, text, problem))
      symbol = reader.Read(text, fileName, CString(name), problem);
    if (symbol == nullptr) {
      contents->AddProblem(problem);
      continue;
    }
    if (!contents->Add(std::move(symbol)))
      contents->AddProblem(
          KicadLibrary::LocatedMessage(fileName, 1, "the name \"" + std::string(name) + "\" is used twice"));
  }
  return contents;
}
