#include "host/model/component_library_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/json_document.h"
#include "host/model/json_node.h"
#include "host/utility/library_file_lock.h"
#include "host/utility/utf8_text.h"
#include "platform/temp_file.h"

namespace {

using nlohmann::json;

constexpr std::string_view kFormatName = "component-library";

// In the order of the flag bits: the six schematic flags, then the six PCB flags, which
// are the schematic ones shifted left by eight.
constexpr std::array<std::string_view, 12> kShowNameFlags = {
    "schematic-component", "schematic-reference",  "schematic-package", "schematic-symbol",
    "schematic-pin-name",  "schematic-pin-number", "pcb-component",     "pcb-reference",
    "pcb-package",         "pcb-symbol",           "pcb-pin-name",      "pcb-pin-number"};
constexpr size_t kSchematicFlagCount = 6;

unsigned ShowNameBit(size_t flag) {
  return flag < kSchematicFlagCount ? 1u << flag : 1u << (flag - kSchematicFlagCount + 8);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Names that must be unique within one list, compared ignoring case; the first use of
// each is remembered so that a repeat can point at it.
class NameRegister {
 public:
  explicit NameRegister(std::string what) : m_what(std::move(what)) {}

  void Claim(const CJsonNode& nameNode, const CString& name) {
    const auto [first, inserted] = m_places.emplace(CString(name).MakeLower().str(), nameNode.Pointer());
    if (inserted) return;
    nameNode.Fail("the " + m_what + " " + Quoted(name.str()) + " is already used at " + first->second);
  }

 private:
  std::string m_what;
  std::unordered_map<std::string, std::string> m_places;
};

// --- reading

// The limit of a symbol name in a file of that version.
size_t SymbolNameLimit(std::int64_t version) {
  return version >= CComponentLibraryFile::kLongSymbolNamesVersion
             ? CComponentLibraryFile::kMaxSymbolNameLength
             : CComponentLibraryFile::kMaxNameLength;
}

std::int64_t ReadFormatAndVersion(const CJsonNode& root) {
  root.ExpectObject();
  const std::array<std::string_view, 1> formats = {kFormatName};
  root.Member("format").Choice(formats);
  const CJsonNode versionNode = root.Member("version");
  const std::int64_t found = versionNode.Integer(INT64_MIN, INT64_MAX);
  if (found < CComponentLibraryFile::kFirstVersion || found > CComponentLibraryFile::kVersion) {
    versionNode.Fail("version " + std::to_string(found) + " is not supported; this program reads versions " +
                     std::to_string(CComponentLibraryFile::kFirstVersion) + " to " +
                     std::to_string(CComponentLibraryFile::kVersion));
  }
  return found;
}

CString ReadName(const CJsonNode& node) {
  return CString(node.String(CComponentLibraryFile::kMaxNameLength));
}

CString ReadOptionalName(const CJsonNode& node) {
  return CString(node.String(CComponentLibraryFile::kMaxNameLength, true));
}

CString ReadText(const CJsonNode& node) {
  return CString(node.String(CComponentLibraryFile::kMaxTextLength, true));
}

CString ReadPath(const CJsonNode& node) {
  return CString(node.String(CComponentLibraryFile::kMaxPathLength, true));
}

unsigned ReadShowNames(const CJsonNode& node) {
  unsigned flags = 0;
  for (const CJsonNode& element : node.Elements()) {
    const size_t flag = element.Choice(kShowNameFlags);
    if ((flags & ShowNameBit(flag)) != 0) {
      element.Fail("the flag " + Quoted(kShowNameFlags[flag]) + " is listed twice");
    }
    flags |= ShowNameBit(flag);
  }
  return flags;
}

std::vector<AttributeValue> ReadAttributes(const CJsonNode& node) {
  std::vector<AttributeValue> attributes;
  NameRegister names("attribute name");
  for (const CJsonNode& element : node.Elements()) {
    element.ExpectMembers({"name", "value"});
    const CJsonNode nameNode = element.Member("name");
    attributes.push_back({ReadName(nameNode), ReadText(element.Member("value"))});
    names.Claim(nameNode, attributes.back().name);
  }
  return attributes;
}

std::vector<TerminalValue> ReadTerminals(const CJsonNode& node) {
  const std::vector<CJsonNode> elements = node.Elements();
  if (elements.size() > static_cast<size_t>(CGate::kMaxPins)) {
    node.Fail("a gate has at most " + std::to_string(CGate::kMaxPins) + " terminals");
  }
  std::vector<TerminalValue> terminals;
  terminals.reserve(elements.size());
  for (const CJsonNode& element : elements) {
    element.ExpectMembers({"name", "pin"});
    terminals.push_back(
        {ReadOptionalName(element.Member("name")), element.Member("pin").Int(INT_MIN, INT_MAX)});
  }
  return terminals;
}

GateValue ReadGate(const CJsonNode& node, size_t symbolLimit) {
  node.ExpectMembers({"index", "library", "symbol", "terminals"});
  GateValue gate;
  gate.index = node.Member("index").Int(0, CComponent::kMaxGateIndex);
  gate.symbol = CString(node.Member("symbol").String(symbolLimit, true));
  gate.library = ReadPath(node.Member("library"));
  gate.terminals = ReadTerminals(node.Member("terminals"));
  return gate;
}

// Gates in any order, each index once; the result is in ascending index.
std::vector<GateValue> ReadGates(const CJsonNode& node, size_t symbolLimit) {
  std::vector<GateValue> gates;
  std::unordered_map<int, std::string> places;
  for (const CJsonNode& element : node.Elements()) {
    gates.push_back(ReadGate(element, symbolLimit));
    const CJsonNode indexNode = element.Member("index");
    const auto [first, inserted] = places.emplace(gates.back().index, indexNode.Pointer());
    if (!inserted) {
      indexNode.Fail("gate index " + std::to_string(gates.back().index) + " is already used at " +
                     first->second);
    }
  }
  std::stable_sort(gates.begin(), gates.end(),
                   [](const GateValue& a, const GateValue& b) { return a.index < b.index; });
  return gates;
}

ComponentValue ReadRecord(const CJsonNode& node, const CString& name, size_t symbolLimit) {
  node.ExpectMembers({"attributes", "defaultReference", "description", "gates", "package",
                      "packageDescription", "pcbLibrary", "pcbOnly", "pcbSymbol", "pinCount", "showNames"});
  ComponentValue record;
  record.name = name;
  record.package = ReadName(node.Member("package"));
  record.description = ReadText(node.Member("description"));
  record.packageDescription = ReadText(node.Member("packageDescription"));
  record.defaultReference = ReadOptionalName(node.Member("defaultReference"));
  record.pcbSymbol = CString(node.Member("pcbSymbol").String(symbolLimit, true));
  record.pcbLibrary = ReadPath(node.Member("pcbLibrary"));
  record.pinCount = node.Member("pinCount").Int(0, INT_MAX);
  record.pcbOnly = node.Member("pcbOnly").Boolean();
  record.showNames = ReadShowNames(node.Member("showNames"));
  record.attributes = ReadAttributes(node.Member("attributes"));
  record.gates = ReadGates(node.Member("gates"), symbolLimit);
  return record;
}

LibraryComponent ReadComponent(const CJsonNode& node, size_t symbolLimit) {
  node.ExpectMembers({"name", "packages"});
  LibraryComponent component{ReadName(node.Member("name")), {}};
  const CJsonNode packages = node.Member("packages");
  NameRegister names("package name");
  for (const CJsonNode& element : packages.Elements()) {
    component.records.push_back(ReadRecord(element, component.name, symbolLimit));
    names.Claim(element.Member("package"), component.records.back().package);
  }
  if (component.records.empty()) packages.Fail("a component needs at least one package");
  return component;
}

std::vector<LibraryComponent> ReadLibrary(const CJsonNode& root) {
  const size_t symbolLimit = SymbolNameLimit(ReadFormatAndVersion(root));
  root.ExpectMembers({"components", "format", "version"});
  std::vector<LibraryComponent> components;
  NameRegister names("component name");
  for (const CJsonNode& element : root.Member("components").Elements()) {
    components.push_back(ReadComponent(element, symbolLimit));
    names.Claim(element.Member("name"), components.back().name);
  }
  return components;
}

// --- writing

// The oldest version that holds the components, so that a file without long symbol
// names stays readable by programs that read only version 1.
int VersionFor(const std::vector<LibraryComponent>& components) {
  for (const LibraryComponent& component : components) {
    for (const ComponentValue& record : component.records) {
      if (record.pcbSymbol.str().size() > CComponentLibraryFile::kMaxNameLength)
        return CComponentLibraryFile::kLongSymbolNamesVersion;
      for (const GateValue& gate : record.gates) {
        if (gate.symbol.str().size() > CComponentLibraryFile::kMaxNameLength)
          return CComponentLibraryFile::kLongSymbolNamesVersion;
      }
    }
  }
  return CComponentLibraryFile::kFirstVersion;
}

json WriteShowNames(unsigned flags) {
  json names = json::array();
  for (size_t flag = 0; flag < kShowNameFlags.size(); ++flag) {
    if ((flags & ShowNameBit(flag)) != 0) names.push_back(kShowNameFlags[flag]);
  }
  return names;
}

json WriteAttributes(const std::vector<AttributeValue>& attributes) {
  json nodes = json::array();
  for (const AttributeValue& attribute : attributes) {
    nodes.push_back({{"name", attribute.name.str()}, {"value", attribute.value.str()}});
  }
  return nodes;
}

json WriteGate(const GateValue& gate) {
  json terminals = json::array();
  for (const TerminalValue& terminal : gate.terminals) {
    terminals.push_back({{"name", terminal.name.str()}, {"pin", terminal.pin}});
  }
  return {{"index", gate.index},
          {"symbol", gate.symbol.str()},
          {"library", gate.library.str()},
          {"terminals", std::move(terminals)}};
}

json WriteRecord(const ComponentValue& record) {
  json gates = json::array();
  for (const GateValue& gate : record.gates) gates.push_back(WriteGate(gate));
  return {{"package", record.package.str()},
          {"description", record.description.str()},
          {"packageDescription", record.packageDescription.str()},
          {"defaultReference", record.defaultReference.str()},
          {"pcbSymbol", record.pcbSymbol.str()},
          {"pcbLibrary", record.pcbLibrary.str()},
          {"pinCount", record.pinCount},
          {"pcbOnly", record.pcbOnly},
          {"showNames", WriteShowNames(record.showNames)},
          {"attributes", WriteAttributes(record.attributes)},
          {"gates", std::move(gates)}};
}

json WriteComponent(const LibraryComponent& component) {
  json packages = json::array();
  for (const ComponentValue& record : component.records) packages.push_back(WriteRecord(record));
  return {{"name", component.name.str()}, {"packages", std::move(packages)}};
}

// --- saving

bool LoadExisting(const CString& path, bool mayCreate, std::vector<LibraryComponent>& components,
                  CString& error) {
  components.clear();
  struct stat info {};
  if (mayCreate && ::stat(path.c_str(), &info) != 0 && errno == ENOENT) return true;
  return CComponentLibraryFile::Load(path, components, error);
}

// A name of bytes that are not UTF-8 would be written as replacement characters.
bool CheckNames(const std::vector<LibraryComponent>& components, const CString& path, CString& error) {
  for (const LibraryComponent& component : components) {
    CString problem = DescribeInvalidUtf8("The component name", component.name.str());
    for (const ComponentValue& record : component.records)
      if (problem.IsEmpty()) problem = DescribeInvalidUtf8("The package name", record.package.str());
    if (problem.IsEmpty()) continue;
    error.FormatMessage("Cannot write \"%1\": %2", path, problem);
    return false;
  }
  return true;
}

bool CheckReadsBack(const std::string& text, const CString& path, CString& error) {
  std::vector<LibraryComponent> check;
  CString problem;
  if (CComponentLibraryFile::Parse(text, path, check, problem)) return true;
  error = "The library would not read back, so it was left as it was: " + problem;
  return false;
}

// Reads the component back as it would stand at `pointer` in the file, so that a record
// the format cannot hold (an empty package name, two records of one package, text too
// long) is refused before the file is touched.
bool CheckReadable(const LibraryComponent& component, const std::string& pointer, const CString& path,
                   CString& error) {
  const json node = WriteComponent(component);
  try {
    ReadComponent(CJsonNode(node, pointer), CComponentLibraryFile::kMaxSymbolNameLength);
  } catch (const CFormatError& problem) {
    error.FormatMessage("Cannot save component \"%1\" in \"%2\": at %3: %4.", component.name, path,
                        problem.place, problem.problem);
    return false;
  }
  return true;
}

size_t FindComponent(const std::vector<LibraryComponent>& components, const char* name) {
  const auto found = std::find_if(components.begin(), components.end(), [name](const LibraryComponent& item) {
    return item.name.CompareNoCase(name) == 0;
  });
  return static_cast<size_t>(found - components.begin());
}

}  // namespace

CString CComponentLibraryFile::GetExtension() {
  return ".cmplib";
}

bool CComponentLibraryFile::Parse(std::string_view text, const CString& source,
                                  std::vector<LibraryComponent>& components, CString& error) {
  components.clear();
  const auto read = [&components](const CJsonNode& root) { components = ReadLibrary(root); };
  if (CJsonDocument::Read(text, source, read, error)) return true;
  components.clear();
  return false;
}

bool CComponentLibraryFile::Load(const CString& path, std::vector<LibraryComponent>& components,
                                 CString& error) {
  components.clear();
  std::string text;
  if (!CJsonDocument::LoadText(path, text, error)) return false;
  return Parse(text, path, components, error);
}

std::string CComponentLibraryFile::Format(const std::vector<LibraryComponent>& components) {
  json nodes = json::array();
  for (const LibraryComponent& component : components) nodes.push_back(WriteComponent(component));
  const json document = {
      {"format", kFormatName}, {"version", VersionFor(components)}, {"components", std::move(nodes)}};
  return CJsonDocument::Format(document);
}

bool CComponentLibraryFile::ReadContents(const CString& path, std::vector<LibraryEntry>& entries,
                                         CString& error) {
  entries.clear();
  std::vector<LibraryComponent> components;
  if (!Load(path, components, error)) return false;
  for (const LibraryComponent& component : components) {
    LibraryEntry entry{component.name, {}, static_cast<int>(component.records.front().gates.size())};
    for (const ComponentValue& record : component.records) entry.packages.push_back(record.package);
    entries.push_back(std::move(entry));
  }
  return true;
}

bool CComponentLibraryFile::LoadComponent(const CString& path, const char* name, CDesign& design,
                                          CString& error) {
  std::string storedForm;
  return LoadComponent(path, name, design, storedForm, error);
}

LibraryComponent CComponentLibraryFile::CollectComponent(const CDesign& design, const char* name) {
  if (name == nullptr) name = "";
  LibraryComponent component;
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position, name); record != nullptr;
       record = design.NextComponent(position, name)) {
    ComponentValue value = record->GetValue();
    value.id = 0;
    for (GateValue& gate : value.gates) gate.id = 0;
    if (component.records.empty()) component.name = value.name;
    value.name = component.name;
    component.records.push_back(std::move(value));
  }
  return component;
}

bool CComponentLibraryFile::SaveComponent(const CString& path, const char* name, const CDesign& design,
                                          CString& error) {
  return SaveComponent(path, name, design, ComponentSaveConditions{}, error) == ComponentSaveResult::Saved;
}

ComponentSaveResult CComponentLibraryFile::SaveComponent(const CString& path, const char* name,
                                                         const CDesign& design,
                                                         const ComponentSaveConditions& conditions,
                                                         CString& error) {
  if (name == nullptr) name = "";
  LibraryComponent component = CollectComponent(design, name);
  if (component.records.empty()) {
    error.FormatMessage("Cannot save component \"%1\" in \"%2\": the design holds no record of it.", name,
                        path);
    return ComponentSaveResult::Failed;
  }
  bool changedOnDisk = false;
  const auto save = [&](std::vector<LibraryComponent>& components, CString& problem) {
    if (conditions.openedForm) {
      const size_t opened = FindComponent(components, conditions.openedName);
      const std::string now = opened < components.size() ? StoredForm(components[opened]) : std::string();
      if (now != *conditions.openedForm) {
        changedOnDisk = true;
        problem.FormatMessage(
            "The component \"%1\" in \"%2\" was changed by another program since it was opened; it was "
            "left as it was.",
            conditions.openedName, path);
        return false;
      }
    }
    const size_t at = FindComponent(components, name);
    if (!CheckReadable(component, "/components/" + std::to_string(at), path, problem)) return false;
    if (at == components.size()) {
      components.push_back(std::move(component));
    } else {
      components[at] = std::move(component);
    }
    return true;
  };
  if (Update(path, true, false, save, conditions.write, error)) return ComponentSaveResult::Saved;
  return changedOnDisk ? ComponentSaveResult::ChangedOnDisk : ComponentSaveResult::Failed;
}

bool CComponentLibraryFile::LoadComponent(const CString& path, const char* name, CDesign& design,
                                          std::string& storedForm, CString& error) {
  if (name == nullptr) name = "";
  std::vector<LibraryComponent> components;
  if (!Load(path, components, error)) return false;
  const size_t at = FindComponent(components, name);
  if (at == components.size()) {
    error.FormatMessage("Cannot read \"%1\": it holds no component named \"%2\".", path, name);
    return false;
  }
  for (const ComponentValue& value : components[at].records) {
    design.AddComponent(value.name, value.package)->RestoreValue(value);
  }
  storedForm = StoredForm(components[at]);
  return true;
}

std::string CComponentLibraryFile::StoredForm(const LibraryComponent& component) {
  return WriteComponent(component).dump(-1, ' ', false, json::error_handler_t::replace);
}

bool CComponentLibraryFile::Update(const CString& path, bool mayCreate, bool checkReadsBack,
                                   const Change& change, const AtomicWriteOptions& options, CString& error) {
  CLibraryFileLock lock;
  if (!lock.Acquire(path, error)) return false;
  std::vector<LibraryComponent> components;
  if (!LoadExisting(path, mayCreate, components, error)) return false;
  if (!change(components, error) || !CheckNames(components, path, error)) return false;
  const std::string text = Format(components);
  if (checkReadsBack && !CheckReadsBack(text, path, error)) return false;
  return WriteFileAtomically(path, text, options, error);
}
