// Component library files: samples survive a load and save through a design unchanged,
// and damaged files are refused with the file and the place.
#include "host/model/component_library_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <nlohmann/json.hpp>

#include "host/model/design.h"
#include "tests/support/file_text.h"
#include "tests/support/json_mutations.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const CString kSample = CE_DATA_DIR "/sample.cmplib";

std::optional<std::string> ParseError(const std::string& text) {
  std::vector<LibraryComponent> components;
  CString error;
  if (CComponentLibraryFile::Parse(text, "sample.cmplib", components, error)) return std::nullopt;
  EXPECT_TRUE(components.empty());
  return error.str();
}

// The text a document is written back as, after it was read; empty when it cannot be read.
std::string Rewritten(const json& document) {
  std::vector<LibraryComponent> components;
  CString error;
  EXPECT_TRUE(CComponentLibraryFile::Parse(document.dump(2), "sample.cmplib", components, error))
      << error.str();
  return components.empty() ? std::string() : CComponentLibraryFile::Format(components);
}

TEST(ComponentLibraryFileTest, SamplesLoadAndSaveBackThroughADesignByteForByte) {
  ScratchFolder scratch;
  for (const auto& entry : fs::directory_iterator(CE_DATA_DIR)) {
    if (entry.path().extension() != CComponentLibraryFile::GetExtension().str()) continue;
    const std::string original = ReadFileText(entry.path());
    const CString copy = (scratch / entry.path().filename().string()).c_str();
    WriteFileText(copy.str(), original);
    std::vector<LibraryEntry> entries;
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::ReadContents(copy, entries, error)) << error.str();
    ASSERT_FALSE(entries.empty());
    for (const LibraryEntry& component : entries) {
      CDesign design;
      ASSERT_TRUE(CComponentLibraryFile::LoadComponent(copy, component.name, design, error)) << error.str();
      EXPECT_EQ(design.CountComponents(), static_cast<int>(component.packages.size()));
      ASSERT_TRUE(CComponentLibraryFile::SaveComponent(copy, component.name, design, error)) << error.str();
    }
    EXPECT_EQ(ReadFileText(copy.str()), original) << entry.path();
  }
}

// The sample cut down to a component of many gates and one with attributes.
json MutationBase() {
  json sample = json::parse(ReadFileText(kSample.str()));
  sample["components"] = json::array({sample["components"][0], sample["components"][3]});
  return sample;
}

TEST(ComponentLibraryFileTest, DamagedValuesAreRefusedAtTheirPlace) {
  std::vector<JsonMutation> mutations = StructuralJsonMutations();
  mutations.push_back(ControlCharacterMutation());
  for (const json& number : {json(std::int64_t{INT_MAX} + 1), json(std::int64_t{INT_MIN} - 1),
                             json(UINT64_MAX), json(INT64_MIN), json(2.5)}) {
    mutations.push_back(NumberMutation(number));
  }
  const JsonReadSubject subject{"sample.cmplib", MutationBase(), ParseError};
  for (const JsonMutation& mutation : mutations) ExpectEveryMutationRefused(subject, mutation);
}

TEST(ComponentLibraryFileTest, TruncatedTextAndRepeatsAreNamed) {
  const std::string text = ReadFileText(kSample.str());
  for (size_t length = 0; length < text.rfind('}'); length += 97) {
    std::vector<LibraryComponent> components;
    CString error;
    ASSERT_FALSE(CComponentLibraryFile::Parse(text.substr(0, length), "sample.cmplib", components, error));
    EXPECT_NE(error.Find("Cannot read \"sample.cmplib\" at line "), -1) << error.str();
  }
  const std::string gates = "/components/0/packages/0/gates/";
  const std::string resistor = "/components/1/packages/0/";
  const std::vector<std::tuple<std::string, json, std::string>> cases = {
      {"/version", 3, "/version: version 3 is not supported"},
      {"/version", 0, "/version: version 0 is not supported"},
      {"/components/1/name", "quad-nand2",
       "/components/1/name: the component name \"quad-nand2\" is already used at /components/0/name"},
      {"/components/0/packages/1/package", "Dip-14",
       "/components/0/packages/1/package: the package name \"Dip-14\" is already used at "
       "/components/0/packages/0/package"},
      {gates + "3/index", 1, gates + "3/index: gate index 1 is already used at " + gates + "1/index"},
      {resistor + "attributes/2/name", "VALUE",
       resistor + "attributes/2/name: the attribute name \"VALUE\" is already used at " + resistor +
           "attributes/0/name"},
      {resistor + "showNames/2", "schematic-component",
       resistor + "showNames/2: the flag \"schematic-component\" is listed twice"},
      {"/components/1/packages", json::array(),
       "/components/1/packages: a component needs at least one package"},
      {resistor + "pinCount", -1, resistor + "pinCount: the number -1 is out of range"},
  };
  for (const auto& [pointer, value, expected] : cases) {
    json document = MutationBase();
    document[json::json_pointer(pointer)] = value;
    const std::optional<std::string> error = ParseError(document.dump(2));
    ASSERT_TRUE(error.has_value()) << expected;
    EXPECT_NE(error->find("Cannot read \"sample.cmplib\" at " + expected), std::string::npos) << *error;
  }
}

// Footprint names reach 95 bytes: version 2 holds symbol names that long, and a file
// is written as version 1 whenever its names fit, so older readers keep reading it.
TEST(ComponentLibraryFileTest, LongSymbolNamesNeedVersionTwoAndOnlyThenGetIt) {
  const std::string record = "/components/0/packages/0/";
  for (const std::string& pointer : {record + "pcbSymbol", record + "gates/0/symbol"}) {
    SCOPED_TRACE(pointer);
    json document = MutationBase();
    document[json::json_pointer(pointer)] =
        std::string(pointer.ends_with("pcbSymbol") ? 95 : CComponentLibraryFile::kMaxNameLength + 1, 'F');
    const std::optional<std::string> error = ParseError(document.dump(2));
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("at " + pointer + ": "), std::string::npos) << *error;
    document["version"] = 2;
    const json written = json::parse(Rewritten(document));
    EXPECT_EQ(written["version"], 2);
    EXPECT_EQ(written[json::json_pointer(pointer)], document[json::json_pointer(pointer)]);
  }
  json document = MutationBase();
  document["version"] = 2;
  document[json::json_pointer(record + "package")] =
      std::string(CComponentLibraryFile::kMaxNameLength + 1, 'P');
  EXPECT_TRUE(ParseError(document.dump(2)).has_value()) << "a package name keeps its limit";
  document[json::json_pointer(record + "package")] = "DIP-14";
  document[json::json_pointer(record + "pcbSymbol")] =
      std::string(CComponentLibraryFile::kMaxNameLength, 'F');
  EXPECT_EQ(json::parse(Rewritten(document))["version"], 1);
}

TEST(ComponentLibraryFileTest, APinMayBeAnyWholeNumberAndComesBackAsWritten) {
  const std::string terminals = "/components/0/packages/0/gates/0/terminals/";
  json document = MutationBase();
  document[json::json_pointer(terminals + "0/pin")] = INT_MIN;
  document[json::json_pointer(terminals + "1/pin")] = -5;
  document[json::json_pointer(terminals + "2/pin")] = INT_MAX;
  const std::string text = Rewritten(document);
  EXPECT_EQ(Rewritten(json::parse(text)), text);
  for (int terminal = 0; terminal < 3; ++terminal) {
    const std::string pin = terminals + std::to_string(terminal) + "/pin";
    EXPECT_EQ(json::parse(text)[json::json_pointer(pin)], document[json::json_pointer(pin)]) << pin;
  }
}

}  // namespace
