#include "host/model/symbol_library_file.h"

#include <algorithm>
#include <array>

#include "host/model/design_units.h"
#include "host/model/json_document.h"
#include "host/model/json_node.h"
#include "platform/temp_file.h"

namespace {

using nlohmann::json;

constexpr std::string_view kFormatName = "symbol-library";

// Each table follows the order of its enumeration or variant.
constexpr std::array<std::string_view, 4> kDirectionNames = {"left", "right", "up", "down"};
constexpr std::array<std::string_view, 3> kShapeNames = {"round", "rectangle", "oblong"};
constexpr std::array<std::string_view, 9> kAlignmentNames = {
    "bottom-left", "bottom", "bottom-right", "left", "centre", "right", "top-left", "top", "top-right"};
constexpr std::array<std::string_view, 5> kGraphicTypeNames = {"line", "rectangle", "arc", "circle", "text"};

template <class Enum, size_t N>
Enum ReadChoice(const CJsonNode& node, const std::array<std::string_view, N>& names) {
  return static_cast<Enum>(node.Choice(names));
}

template <class Enum, size_t N>
std::string ChoiceName(Enum value, const std::array<std::string_view, N>& names) {
  return std::string(names.at(static_cast<size_t>(value)));
}

// --- reading

int ReadCoordinate(const CJsonNode& node) {
  return node.Int(-kMaxCoordinate, kMaxCoordinate);
}

int ReadLength(const CJsonNode& node, int min) {
  return node.Int(min, kMaxCoordinate);
}

CPoint ReadPoint(const CJsonNode& node) {
  node.ExpectMembers({"x", "y"});
  return {ReadCoordinate(node.Member("x")), ReadCoordinate(node.Member("y"))};
}

// The file's version, checked before anything else.
int ReadFormatAndVersion(const CJsonNode& root, std::string_view formatName) {
  root.ExpectObject();
  const std::array<std::string_view, 1> formats = {formatName};
  root.Member("format").Choice(formats);
  const CJsonNode versionNode = root.Member("version");
  const std::int64_t found = versionNode.Integer(INT64_MIN, INT64_MAX);
  if (found < CSymbolLibraryFile::kFirstVersion || found > CSymbolLibraryFile::kVersion) {
    versionNode.Fail("version " + std::to_string(found) + " is not supported; this program reads versions " +
                     std::to_string(CSymbolLibraryFile::kFirstVersion) + " to " +
                     std::to_string(CSymbolLibraryFile::kVersion));
  }
  return static_cast<int>(found);
}

// From version 3 every schematic pad names its shape.
CFreePad ReadSchematicPad(const CJsonNode& node, int version) {
  const bool shaped = version >= CSymbolLibraryFile::kPinShapesVersion;
  if (shaped) {
    node.ExpectMembers({"direction", "length", "name", "number", "position", "shape"});
  } else {
    node.ExpectMembers({"direction", "length", "name", "number", "position"});
  }
  CFreePad pad(node.Member("number").Int(0, CSymbolLibraryFile::kMaxPadNumber),
               CString(node.Member("name").String(CSymbolLibraryFile::kMaxPadNameLength, true)),
               ReadPoint(node.Member("position")));
  pad.SetPin(ReadLength(node.Member("length"), 0),
             ReadChoice<PinDirection>(node.Member("direction"), kDirectionNames));
  if (shaped) pad.SetPinShape(ReadChoice<PinShape>(node.Member("shape"), kPinShapeNames));
  return pad;
}

// From version 2 a PCB land may have no number (null): it serves no pin.
int ReadPcbPadNumber(const CJsonNode& node, int version) {
  if (version >= CSymbolLibraryFile::kLandsVersion && node.IsNull()) return CFreePad::kNoNumber;
  return node.Int(0, CSymbolLibraryFile::kMaxPadNumber);
}

CFreePad ReadPcbPad(const CJsonNode& node, int version) {
  node.ExpectMembers({"drill", "height", "name", "number", "position", "shape", "width"});
  CFreePad pad(ReadPcbPadNumber(node.Member("number"), version),
               CString(node.Member("name").String(CSymbolLibraryFile::kMaxPadNameLength, true)),
               ReadPoint(node.Member("position")));
  const CSize size(ReadLength(node.Member("width"), 1), ReadLength(node.Member("height"), 1));
  pad.SetLand(ReadChoice<PadShape>(node.Member("shape"), kShapeNames), size,
              ReadLength(node.Member("drill"), 0));
  return pad;
}

// From version 2 a PCB symbol may give one pin several lands by repeating its number.
void ReadPads(CSymbol& symbol, const CJsonNode& padsNode, int version) {
  const bool pcb = symbol.GetKind() == SymbolKind::Pcb;
  const bool landsShared = pcb && version >= CSymbolLibraryFile::kLandsVersion;
  for (const CJsonNode& node : padsNode.Elements()) {
    const CFreePad pad = pcb ? ReadPcbPad(node, version) : ReadSchematicPad(node, version);
    const int earlier = symbol.IndexOfPad(pad.GetNumber());
    if (earlier >= 0 && !landsShared) {
      node.Member("number").Fail("pad number " + std::to_string(pad.GetNumber()) + " is already used at " +
                                 padsNode.Pointer() + "/" + std::to_string(earlier) + "/number");
    }
    if (symbol.AddPad(pad) == nullptr) symbol.AddLand(pad);
  }
}

SymbolShape ReadLine(const CJsonNode& node) {
  node.ExpectMembers({"from", "layer", "to", "type", "width"});
  return CSymbolLine{ReadPoint(node.Member("from")), ReadPoint(node.Member("to"))};
}

SymbolShape ReadRectangle(const CJsonNode& node) {
  node.ExpectMembers({"corner1", "corner2", "filled", "layer", "type", "width"});
  return CSymbolRectangle{ReadPoint(node.Member("corner1")), ReadPoint(node.Member("corner2")),
                          node.Member("filled").Boolean()};
}

SymbolShape ReadArc(const CJsonNode& node) {
  node.ExpectMembers({"centre", "layer", "radius", "start", "sweep", "type", "width"});
  const CJsonNode sweepNode = node.Member("sweep");
  const int sweep = sweepNode.Int(-360, 360);
  if (sweep == 0) sweepNode.Fail("an arc needs a sweep other than 0");
  return CSymbolArc{ReadPoint(node.Member("centre")), ReadLength(node.Member("radius"), 1),
                    node.Member("start").Int(0, 359), sweep};
}

SymbolShape ReadCircle(const CJsonNode& node) {
  node.ExpectMembers({"centre", "filled", "layer", "radius", "type", "width"});
  return CSymbolCircle{ReadPoint(node.Member("centre")), ReadLength(node.Member("radius"), 1),
                       node.Member("filled").Boolean()};
}

SymbolShape ReadText(const CJsonNode& node) {
  node.ExpectMembers({"alignment", "layer", "position", "rotation", "size", "text", "type", "width"});
  return CSymbolText{CString(node.Member("text").String(CSymbolLibraryFile::kMaxTextLength)),
                     ReadPoint(node.Member("position")), ReadLength(node.Member("size"), 1),
                     ReadChoice<TextAlignment>(node.Member("alignment"), kAlignmentNames),
                     node.Member("rotation").Int(0, 359)};
}

CSymbolGraphic ReadGraphic(const CJsonNode& node) {
  node.ExpectObject();
  SymbolShape (*const readers[])(const CJsonNode&) = {ReadLine, ReadRectangle, ReadArc, ReadCircle, ReadText};
  SymbolShape shape = readers[node.Member("type").Choice(kGraphicTypeNames)](node);
  return CSymbolGraphic(CString(node.Member("layer").String(CSymbolLibraryFile::kMaxNameLength)),
                        ReadLength(node.Member("width"), 0), std::move(shape));
}

std::unique_ptr<CSymbol> ReadSymbol(const CJsonNode& node, SymbolKind kind, int version) {
  node.ExpectMembers({"graphics", "name", "origin", "pads"});
  auto symbol = std::make_unique<CSymbol>(
      CString(node.Member("name").String(CSymbolLibraryFile::kMaxNameLength)), kind);
  symbol->SetOrigin(ReadPoint(node.Member("origin")));
  ReadPads(*symbol, node.Member("pads"), version);
  for (const CJsonNode& graphic : node.Member("graphics").Elements())
    symbol->AddGraphic(ReadGraphic(graphic));
  return symbol;
}

std::unique_ptr<CSymbolLibraryContents> ReadLibrary(const CJsonNode& root) {
  const int version = ReadFormatAndVersion(root, kFormatName);
  root.ExpectMembers({"format", "kind", "symbols", "version"});
  auto contents =
      std::make_unique<CSymbolLibraryContents>(ReadChoice<SymbolKind>(root.Member("kind"), kSymbolKindNames));
  const CJsonNode symbols = root.Member("symbols");
  for (const CJsonNode& node : symbols.Elements()) {
    std::unique_ptr<CSymbol> symbol = ReadSymbol(node, contents->GetKind(), version);
    const int earlier = contents->IndexOf(symbol->GetName());
    if (earlier >= 0) {
      node.Member("name").Fail("the symbol name \"" + symbol->GetName().str() + "\" is already used at " +
                               symbols.Pointer() + "/" + std::to_string(earlier) + "/name");
    }
    contents->Add(std::move(symbol));
  }
  return contents;
}

// --- writing

json WritePoint(CPoint point) {
  return {{"x", point.x}, {"y", point.y}};
}

json WritePad(const CFreePad& pad, SymbolKind kind, int version) {
  json node = {{"number", pad.IsNumbered() ? json(pad.GetNumber()) : json(nullptr)},
               {"name", pad.GetName().str()},
               {"position", WritePoint(pad.GetPosition())}};
  if (kind == SymbolKind::Schematic) {
    node["length"] = pad.GetLength();
    node["direction"] = ChoiceName(pad.GetDirection(), kDirectionNames);
    if (version >= CSymbolLibraryFile::kPinShapesVersion)
      node["shape"] = ChoiceName(pad.GetPinShape(), kPinShapeNames);
    return node;
  }
  node["shape"] = ChoiceName(pad.GetShape(), kShapeNames);
  node["width"] = pad.GetSize().cx;
  node["height"] = pad.GetSize().cy;
  node["drill"] = pad.GetDrill();
  return node;
}

struct ShapeWriter {
  json& node;
  void operator()(const CSymbolLine& line) const {
    node["from"] = WritePoint(line.from);
    node["to"] = WritePoint(line.to);
  }
  void operator()(const CSymbolRectangle& rect) const {
    node["corner1"] = WritePoint(rect.corner1);
    node["corner2"] = WritePoint(rect.corner2);
    node["filled"] = rect.filled;
  }
  void operator()(const CSymbolArc& arc) const {
    node["centre"] = WritePoint(arc.centre);
    node["radius"] = arc.radius;
    node["start"] = arc.startAngle;
    node["sweep"] = arc.sweepAngle;
  }
  void operator()(const CSymbolCircle& circle) const {
    node["centre"] = WritePoint(circle.centre);
    node["radius"] = circle.radius;
    node["filled"] = circle.filled;
  }
  void operator()(const CSymbolText& text) const {
    node["text"] = text.text.str();
    node["position"] = WritePoint(text.position);
    node["size"] = text.size;
    node["alignment"] = ChoiceName(text.alignment, kAlignmentNames);
    node["rotation"] = text.rotation;
  }
};

json WriteGraphic(const CSymbolGraphic& graphic) {
  json node = {{"type", kGraphicTypeNames.at(graphic.GetShape().index())},
               {"layer", graphic.GetLayer().str()},
               {"width", graphic.GetWidth()}};
  std::visit(ShapeWriter{node}, graphic.GetShape());
  return node;
}

json WriteSymbol(const CSymbol& symbol, int version) {
  json pads = json::array();
  for (int i = 0; i < symbol.CountPads(); ++i)
    pads.push_back(WritePad(symbol.GetPad(i), symbol.GetKind(), version));
  json graphics = json::array();
  for (const CSymbolGraphic& graphic : symbol.Graphics()) graphics.push_back(WriteGraphic(graphic));
  return {{"name", symbol.GetName().str()},
          {"origin", WritePoint(symbol.GetOrigin())},
          {"pads", std::move(pads)},
          {"graphics", std::move(graphics)}};
}

bool HasShapedPins(const CSymbol& symbol) {
  for (int i = 0; i < symbol.CountPads(); ++i) {
    if (symbol.GetPad(i).GetPinShape() != PinShape::Line) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<CSymbolLibraryContents> CSymbolLibraryFile::Parse(std::string_view text,
                                                                  const CString& source, CString& error) {
  std::unique_ptr<CSymbolLibraryContents> contents;
  const auto read = [&contents](const CJsonNode& root) { contents = ReadLibrary(root); };
  if (!CJsonDocument::Read(text, source, read, error)) return nullptr;
  return contents;
}

std::unique_ptr<CSymbolLibraryContents> CSymbolLibraryFile::Load(const CString& path, CString& error) {
  std::string text;
  if (!CJsonDocument::LoadText(path, text, error)) return nullptr;
  return Parse(text, path, error);
}

std::string CSymbolLibraryFile::Format(const CSymbolLibraryContents& contents) {
  json symbols = json::array();
  // A file keeps the first version as long as a reader of that version reads it right.
  int version = kFirstVersion;
  for (int i = 0; i < contents.Count(); ++i) {
    if (contents.Get(i).HasSharedOrUnnumberedLands()) version = std::max(version, kLandsVersion);
    if (HasShapedPins(contents.Get(i))) version = kPinShapesVersion;
  }
  for (int i = 0; i < contents.Count(); ++i) symbols.push_back(WriteSymbol(contents.Get(i), version));
  const json document = {{"format", kFormatName},
                         {"version", version},
                         {"kind", ChoiceName(contents.GetKind(), kSymbolKindNames)},
                         {"symbols", std::move(symbols)}};
  return CJsonDocument::Format(document);
}

bool CSymbolLibraryFile::Save(const CString& path, const CSymbolLibraryContents& contents, CString& error) {
  return WriteFileAtomically(path, Format(contents), error);
}
