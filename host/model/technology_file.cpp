#include "host/model/technology_file.h"

#include <array>
#include <cstdio>

#include "host/model/design_units.h"
#include "host/model/json_document.h"
#include "host/model/json_node.h"
#include "platform/temp_file.h"

namespace {

using nlohmann::json;

constexpr std::string_view kFormatName = "technology";

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

COLORREF ReadColour(const CJsonNode& node) {
  const std::string text = node.String(16);
  if (text.size() != 7 || text[0] != '#') node.Fail("expected a colour written \"#RRGGBB\"");
  std::array<BYTE, 3> parts{};
  for (size_t i = 0; i < parts.size(); ++i) {
    const int high = HexDigit(text[1 + 2 * i]);
    const int low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) node.Fail("expected a colour written \"#RRGGBB\"");
    parts[i] = static_cast<BYTE>(high * 16 + low);
  }
  return RGB(parts[0], parts[1], parts[2]);
}

void ReadVersion(const CJsonNode& root) {
  root.ExpectObject();
  const std::array<std::string_view, 1> formats = {kFormatName};
  root.Member("format").Choice(formats);
  const CJsonNode versionNode = root.Member("version");
  const std::int64_t version = versionNode.Integer(INT64_MIN, INT64_MAX);
  if (version != CTechnologyFile::kVersion) {
    versionNode.Fail("version " + std::to_string(version) + " is not supported; this program reads version " +
                     std::to_string(CTechnologyFile::kVersion));
  }
}

std::string ReadName(const CJsonNode& node) {
  return node.Member("name").String(CTechnologyFile::kMaxNameLength);
}

void ReadLayers(CTechnology& technology, const CJsonNode& layers) {
  for (const CJsonNode& node : layers.Elements()) {
    node.ExpectMembers({"colour", "name", "visible"});
    const CTechLayer layer{CString(ReadName(node)), ReadColour(node.Member("colour")),
                           node.Member("visible").Boolean()};
    if (!technology.AddLayer(layer))
      node.Member("name").Fail("the layer name \"" + layer.name.str() + "\" is taken");
  }
}

void ReadTextStyles(CTechnology& technology, const CJsonNode& styles) {
  for (const CJsonNode& node : styles.Elements()) {
    node.ExpectMembers({"name", "size", "width"});
    const CTextStyle style{CString(ReadName(node)), node.Member("size").Int(1, kMaxCoordinate),
                           node.Member("width").Int(0, kMaxCoordinate)};
    if (!technology.AddTextStyle(style)) {
      node.Member("name").Fail("the text style name \"" + style.name.str() + "\" is taken");
    }
  }
}

void ReadColours(CTechnology& technology, const CJsonNode& colours) {
  colours.ExpectMembers({"AssignedPins", "Background", "Highlight", "Outlines", "PinNames", "PinNumbers",
                         "Selection", "Text", "UnassignedPins"});
  for (size_t i = 0; i < kDesignColourCount; ++i) {
    const auto colour = static_cast<DesignColour>(i);
    technology.SetColour(colour, ReadColour(colours.Member(CTechnology::ColourName(colour))));
  }
}

std::unique_ptr<CTechnology> ReadTechnology(const CJsonNode& root) {
  ReadVersion(root);
  root.ExpectMembers({"colours", "format", "kind", "layers", "textStyles", "version"});
  auto technology =
      std::make_unique<CTechnology>(static_cast<SymbolKind>(root.Member("kind").Choice(kSymbolKindNames)));
  ReadLayers(*technology, root.Member("layers"));
  ReadTextStyles(*technology, root.Member("textStyles"));
  ReadColours(*technology, root.Member("colours"));
  return technology;
}

}  // namespace

std::string CTechnologyFile::FormatColour(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

std::unique_ptr<CTechnology> CTechnologyFile::Parse(std::string_view text, const CString& source,
                                                    CString& error) {
  std::unique_ptr<CTechnology> technology;
  const auto read = [&technology](const CJsonNode& root) { technology = ReadTechnology(root); };
  if (!CJsonDocument::Read(text, source, read, error)) return nullptr;
  return technology;
}

std::unique_ptr<CTechnology> CTechnologyFile::Load(const CString& path, CString& error) {
  std::string text;
  if (!CJsonDocument::LoadText(path, text, error)) return nullptr;
  return Parse(text, path, error);
}

std::string CTechnologyFile::Format(const CTechnology& technology) {
  json layers = json::array();
  for (const CTechLayer& layer : technology.Layers()) {
    layers.push_back(
        {{"name", layer.name.str()}, {"colour", FormatColour(layer.colour)}, {"visible", layer.visible}});
  }
  json styles = json::array();
  for (const CTextStyle& style : technology.TextStyles()) {
    styles.push_back({{"name", style.name.str()}, {"size", style.size}, {"width", style.width}});
  }
  json colours = json::object();
  for (size_t i = 0; i < kDesignColourCount; ++i) {
    const auto colour = static_cast<DesignColour>(i);
    colours[std::string(CTechnology::ColourName(colour))] = FormatColour(technology.GetColour(colour));
  }
  const json document = {{"format", kFormatName},
                         {"version", kVersion},
                         {"kind", SymbolKindName(technology.GetKind())},
                         {"layers", std::move(layers)},
                         {"textStyles", std::move(styles)},
                         {"colours", std::move(colours)}};
  return CJsonDocument::Format(document);
}

bool CTechnologyFile::Save(const CString& path, const CTechnology& technology, CString& error) {
  return WriteFileAtomically(path, Format(technology), error);
}
