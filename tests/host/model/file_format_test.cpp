// The component library, symbol library and technology file formats: the samples survive
// a load and save unchanged (a component library's through a design), and damaged files
// are refused with a message naming the file and the place.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/symbol_library_file.h"
#include "host/model/technology_file.h"
#include "tests/support/file_text.h"
#include "tests/support/json_mutations.h"
#include "tests/support/scratch_folder.h"

namespace {

using nlohmann::json;
using Components = CComponentLibraryFile;
using Symbols = CSymbolLibraryFile;
using Technologies = CTechnologyFile;

std::vector<std::filesystem::path> SampleFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(CE_DATA_DIR)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".scmlib" || extension == ".pcblib" || extension == ".scmtech" ||
        extension == ".pcbtech" || extension == ".cmplib") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Parses text as the format that the file name implies; the error when it fails.
std::optional<std::string> ParseError(const std::string& text, const std::string& name) {
  CString error;
  std::vector<LibraryComponent> components;
  const bool parsed = name.ends_with("cmplib") ? Components::Parse(text, name.c_str(), components, error)
                      : name.ends_with("tech") ? Technologies::Parse(text, name.c_str(), error) != nullptr
                                               : Symbols::Parse(text, name.c_str(), error) != nullptr;
  EXPECT_TRUE(parsed || components.empty());
  if (parsed) return std::nullopt;
  return error.str();
}

std::string Dump(const json& document) {
  return document.dump(2) + "\n";
}

json Sample(const char* name) {
  return json::parse(ReadFileText(std::filesystem::path(CE_DATA_DIR) / name));
}

// A document read as the format its name implies.
JsonReadSubject Subject(const std::string& name, json document) {
  return {name, std::move(document), [name](const std::string& text) { return ParseError(text, name); }};
}

// The sample cut down to a component of many gates and one with attributes.
json MutationBase() {
  json sample = Sample("sample.cmplib");
  sample["components"] = json::array({sample["components"][0], sample["components"][3]});
  return sample;
}

// Mutation bases taken from the samples, kept small enough to damage every value: from
// the schematic library the NAND gate and the flip-flop (between them every kind of
// graphic), the first footprint of the PCB library, and both technologies.
std::vector<JsonReadSubject> MutationSubjects() {
  json logic = Sample("logic.scmlib");
  logic["symbols"] = json::array({logic["symbols"][0], logic["symbols"][2]});
  json footprints = Sample("footprints.pcblib");
  footprints["symbols"] = json::array({footprints["symbols"][0]});
  return {Subject("logic.scmlib", logic), Subject("footprints.pcblib", footprints),
          Subject("default.scmtech", Sample("default.scmtech")),
          Subject("default.pcbtech", Sample("default.pcbtech"))};
}

// A component library's samples go through a design, a record at a time.
TEST(FileFormatTest, EverySampleLoadsAndSavesBackByteForByte) {
  ScratchFolder scratch;
  const std::vector<std::filesystem::path> samples = SampleFiles();
  ASSERT_GE(samples.size(), 5u);
  for (const std::filesystem::path& sample : samples) {
    SCOPED_TRACE(sample);
    const std::string original = ReadFileText(sample);
    const CString saved = (scratch / sample.filename().string()).c_str();
    CString error;
    if (sample.extension() == ".cmplib") {
      WriteFileText(saved.str(), original);
      std::vector<LibraryEntry> entries;
      ASSERT_TRUE(Components::ReadContents(saved, entries, error)) << error.str();
      ASSERT_FALSE(entries.empty());
      for (const LibraryEntry& component : entries) {
        CDesign design;
        ASSERT_TRUE(Components::LoadComponent(saved, component.name, design, error)) << error.str();
        EXPECT_EQ(design.CountComponents(), static_cast<int>(component.packages.size()));
        ASSERT_TRUE(Components::SaveComponent(saved, component.name, design, error)) << error.str();
      }
    } else if (sample.string().ends_with("tech")) {
      const auto technology = Technologies::Load(sample.string().c_str(), error);
      ASSERT_TRUE(technology != nullptr && Technologies::Save(saved, *technology, error)) << error.str();
    } else {
      const auto contents = Symbols::Load(sample.string().c_str(), error);
      ASSERT_TRUE(contents != nullptr && contents->Count() > 0 && Symbols::Save(saved, *contents, error))
          << error.str();
    }
    EXPECT_EQ(ReadFileText(saved.str()), original);
  }
}

TEST(FileFormatTest, DamagedValuesAreRefusedAtTheirPlace) {
  std::vector<JsonMutation> mutations = StructuralJsonMutations();
  for (const json& huge : {json(std::int64_t{1} << 40), json(UINT64_MAX), json(INT64_MIN), json(2.5)})
    mutations.push_back(NumberMutation(huge));
  for (const JsonReadSubject& subject : MutationSubjects())
    for (const JsonMutation& mutation : mutations) ExpectEveryMutationRefused(subject, mutation);
  // A component library's texts take no control characters, its numbers no more than an int.
  mutations.push_back(ControlCharacterMutation());
  for (const json& number : {json(std::int64_t{INT_MAX} + 1), json(std::int64_t{INT_MIN} - 1)})
    mutations.push_back(NumberMutation(number));
  for (const JsonMutation& mutation : mutations)
    ExpectEveryMutationRefused(Subject("sample.cmplib", MutationBase()), mutation);
}

TEST(FileFormatTest, TruncatedMalformedRepeatingAndEndlesslyNestedTextIsRefused) {
  for (const std::filesystem::path& sample : SampleFiles()) {
    const std::string text = ReadFileText(sample);
    const std::string name = sample.filename().string();
    const size_t end = text.rfind('}');
    const size_t step = std::max<size_t>(1, end / 120);
    for (size_t length = 0; length < end; length += step) {
      const std::optional<std::string> error = ParseError(text.substr(0, length), name);
      ASSERT_TRUE(error.has_value()) << name << " cut at " << length << " was accepted";
      EXPECT_NE(error->find("\"" + name + "\" at line "), std::string::npos) << *error;
    }
  }
  // Text that is no JSON document, or one that repeats a member or nests without end.
  const std::pair<std::string, std::string> garbage[] = {
      {"", "malformed"},
      {"{", "malformed"},
      {"\xff\xfe{}", "malformed"},
      {"{\"format\": \"symbol-library\"} trailing", "malformed"},
      {"{\"format\": \"symbol\xc3\"}", "malformed"},
      {std::string("{\"a\"\0: 1}", 9), "malformed"},
      {"{\"version\": 1e400}", "malformed"},
      {R"({"format": "symbol-library", "symbols": [{"name": "A", "pads": [], "name": "B"}]})",
       "at /symbols/0/name: the member \"name\" appears twice"},
      {std::string(200000, '[') + std::string(200000, ']'), "nest too deeply"}};
  for (const auto& [text, expected] : garbage) {
    const std::optional<std::string> error = ParseError(text, "bad.scmlib");
    ASSERT_TRUE(error.has_value()) << text.substr(0, 40);
    EXPECT_NE(error->find(expected), std::string::npos) << *error;
  }
}

TEST(FileFormatTest, StructuralMistakesAreNamed) {
  struct Case {
    std::string name;
    std::string pointer;  // empty: the document is the value
    json value;
    std::string expected;
  };
  json twice = Sample("logic.scmlib")["symbols"][0];
  twice["name"] = "nand2";
  const std::string last = std::to_string(Sample("logic.scmlib")["symbols"].size());
  const std::string gates = "/components/0/packages/0/gates/";
  const std::string resistor = "/components/3/packages/0/";
  const std::vector<Case> cases = {
      {"logic.scmlib", "/symbols/0/colour", "red", ""},  // a later version may add members
      {"logic.scmlib", "/version", 4,
       "at /version: version 4 is not supported; this program reads versions 1 to 3"},
      {"logic.scmlib", "/symbols/" + last, twice,
       "at /symbols/" + last + "/name: the symbol name \"nand2\" is already used at /symbols/0/name"},
      {"footprints.pcblib", "/symbols/2/pads/5/number", 2,
       "at /symbols/2/pads/5/number: pad number 2 is already used at /symbols/2/pads/1/number"},
      {"default.pcbtech", "/layers/3/name", "top copper",
       "at /layers/3/name: the layer name \"top copper\" is taken"},
      {"default.pcbtech", "", Sample("logic.scmlib"), "at /format: expected one of \"technology\""},
      {"logic.scmlib", "/symbols/0/graphics/3/sweep", 0, "at /symbols/0/graphics/3/sweep"},
      {"default.pcbtech", "/colours/Text", "#12345G", "at /colours/Text: expected a colour"},
      {"sample.cmplib", "/version", 3, "at /version: version 3 is not supported"},
      {"sample.cmplib", "/version", 0, "at /version: version 0 is not supported"},
      {"sample.cmplib", "/components/1/name", "quad-nand2",
       "at /components/1/name: the component name \"quad-nand2\" is already used at /components/0/name"},
      {"sample.cmplib", "/components/0/packages/1/package", "Dip-14",
       "at /components/0/packages/1/package: the package name \"Dip-14\" is already used at "
       "/components/0/packages/0/package"},
      {"sample.cmplib", gates + "3/index", 1,
       "at " + gates + "3/index: gate index 1 is already used at " + gates + "1/index"},
      {"sample.cmplib", resistor + "attributes/2/name", "VALUE",
       "at " + resistor + "attributes/2/name: the attribute name \"VALUE\" is already used at " + resistor +
           "attributes/0/name"},
      {"sample.cmplib", resistor + "showNames/2", "schematic-component",
       "at " + resistor + "showNames/2: the flag \"schematic-component\" is listed twice"},
      {"sample.cmplib", "/components/3/packages", json::array(),
       "at /components/3/packages: a component needs at least one package"},
      {"sample.cmplib", resistor + "pinCount", -1,
       "at " + resistor + "pinCount: the number -1 is out of range"},
  };
  json document;
  for (const Case& item : cases) {
    if (document.is_null()) document = Sample(item.name.c_str());
    document[json::json_pointer(item.pointer)] = item.value;
    if (item.expected.empty()) continue;  // the next row's change joins this one
    const std::optional<std::string> error = ParseError(Dump(document), item.name);
    document = nullptr;
    ASSERT_TRUE(error.has_value()) << item.expected;
    EXPECT_NE(error->find("\"" + item.name + "\" " + item.expected), std::string::npos) << *error;
  }
}

// The text a document is written back as, after it was read; empty when it cannot be read.
std::string Rewritten(const json& document) {
  std::vector<LibraryComponent> components;
  CString error;
  EXPECT_TRUE(Components::Parse(document.dump(2), "sample.cmplib", components, error)) << error.str();
  return components.empty() ? std::string() : Components::Format(components);
}

// Footprint names reach 95 bytes: version 2 holds symbol names that long, and a file
// is written as version 1 whenever its names fit, so older readers keep reading it.
TEST(ComponentLibraryFileTest, LongSymbolNamesNeedVersionTwoAndOnlyThenGetIt) {
  const std::string record = "/components/0/packages/0/";
  for (const std::string& pointer : {record + "pcbSymbol", record + "gates/0/symbol"}) {
    SCOPED_TRACE(pointer);
    json document = MutationBase();
    document[json::json_pointer(pointer)] =
        std::string(pointer.ends_with("pcbSymbol") ? 95 : Components::kMaxNameLength + 1, 'F');
    const std::optional<std::string> error = ParseError(document.dump(2), "sample.cmplib");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("at " + pointer + ": "), std::string::npos) << *error;
    document["version"] = 2;
    const json written = json::parse(Rewritten(document));
    EXPECT_EQ(written["version"], 2);
    EXPECT_EQ(written[json::json_pointer(pointer)], document[json::json_pointer(pointer)]);
  }
  json document = MutationBase();
  document["version"] = 2;
  document[json::json_pointer(record + "package")] = std::string(Components::kMaxNameLength + 1, 'P');
  EXPECT_TRUE(ParseError(document.dump(2), "sample.cmplib").has_value()) << "a package name keeps its limit";
  document[json::json_pointer(record + "package")] = "DIP-14";
  document[json::json_pointer(record + "pcbSymbol")] = std::string(Components::kMaxNameLength, 'F');
  EXPECT_EQ(json::parse(Rewritten(document))["version"], 1);
}

TEST(ComponentLibraryFileTest, APinMayBeAnyWholeNumberAndComesBackAsWritten) {
  const json::json_pointer terminals("/components/0/packages/0/gates/0/terminals");
  json document = MutationBase();
  for (const auto& [terminal, pin] : {std::pair{0, INT_MIN}, {1, -5}, {2, INT_MAX}})
    document[terminals][terminal]["pin"] = pin;
  const std::string text = Rewritten(document);
  EXPECT_EQ(Rewritten(json::parse(text)), text);
  EXPECT_EQ(json::parse(text)[terminals], document[terminals]);
}

}  // namespace

TEST(FileFormatTest, PinShapesNeedVersionThreeAndComeBack) {
  json logic = Sample("logic.scmlib");
  CString error;
  const auto plain = Symbols::Parse(Dump(logic), "logic.scmlib", error);
  ASSERT_NE(plain, nullptr) << error;
  CSymbolLibraryContents shaped(SymbolKind::Schematic);
  auto gate = plain->Get(0).Clone();
  gate->GetPad(gate->CountPads() - 1).SetPinShape(PinShape::Inverted);
  shaped.Add(std::move(gate));
  const std::string text = Symbols::Format(shaped);
  EXPECT_NE(text.find("\"version\": 3"), std::string::npos);
  const auto read = Symbols::Parse(text, "shaped.scmlib", error);
  ASSERT_NE(read, nullptr) << error;
  EXPECT_TRUE(read->Get(0) == shaped.Get(0));
  EXPECT_EQ(Symbols::Format(*read), text);

  // An older version has no shapes: a reader of it would refuse the member.
  json older = json::parse(text);
  older["version"] = 2;
  EXPECT_NE(ParseError(Dump(older), "older.scmlib").value_or("").find("/symbols/0/pads/0"),
            std::string::npos);
}
