// The library and technology file formats: the samples survive a load and save
// unchanged, and damaged files are refused with a message naming the file and the place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "host/model/symbol_library_file.h"
#include "host/model/technology_file.h"
#include "tests/platform/services_test_support.h"

namespace {

using nlohmann::json;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::filesystem::path> SampleFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(CE_DATA_DIR)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".scmlib" || extension == ".pcblib" || extension == ".scmtech" ||
        extension == ".pcbtech") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool IsTechnology(const std::string& name) {
  return name.ends_with("tech");
}

// Parses text as the format that the file name implies; the error when it fails.
std::optional<std::string> ParseError(const std::string& text, const std::string& name) {
  CString error;
  const bool parsed = IsTechnology(name) ? CTechnologyFile::Parse(text, name.c_str(), error) != nullptr
                                         : CSymbolLibraryFile::Parse(text, name.c_str(), error) != nullptr;
  if (parsed) return std::nullopt;
  return error.str();
}

std::string Dump(const json& document) {
  return document.dump(2) + "\n";
}

// Every value below the root, as JSON pointers.
void CollectPointers(const json& node, const std::string& pointer, std::vector<std::string>& pointers) {
  if (!pointer.empty()) pointers.push_back(pointer);
  if (node.is_object()) {
    for (const auto& [key, value] : node.items()) CollectPointers(value, pointer + "/" + key, pointers);
  } else if (node.is_array()) {
    for (size_t i = 0; i < node.size(); ++i)
      CollectPointers(node[i], pointer + "/" + std::to_string(i), pointers);
  }
}

// A value of another type than the one at hand.
json WrongType(const json& value) {
  if (value.is_string()) return 7;
  if (value.is_object()) return json::array();
  if (value.is_array()) return json::object();
  return "text";
}

// Mutation bases taken from the samples, kept small enough to damage every value: from
// the schematic library the NAND gate and the flip-flop (between them every kind of
// graphic), the first footprint of the PCB library, and both technologies.
std::vector<std::pair<std::string, json>> MutationBases() {
  std::vector<std::pair<std::string, json>> bases;
  json logic = json::parse(ReadBytes(std::filesystem::path(CE_DATA_DIR) / "logic.scmlib"));
  logic["symbols"] = json::array({logic["symbols"][0], logic["symbols"][2]});
  bases.emplace_back("logic.scmlib", logic);
  json footprints = json::parse(ReadBytes(std::filesystem::path(CE_DATA_DIR) / "footprints.pcblib"));
  footprints["symbols"] = json::array({footprints["symbols"][0]});
  bases.emplace_back("footprints.pcblib", footprints);
  for (const char* name : {"default.scmtech", "default.pcbtech"}) {
    bases.emplace_back(name, json::parse(ReadBytes(std::filesystem::path(CE_DATA_DIR) / name)));
  }
  return bases;
}

// A change to the value at a place: where the read must fail, or nothing when the change
// does not apply to that value.
using Mutation = std::function<std::optional<std::string>(json& document, const std::string& pointer)>;

// Applies the change to a copy of each value of each base in turn and expects every
// read to fail at the place the change names.
void ExpectEveryMutationRefused(const std::string& what, const Mutation& change) {
  for (const auto& [name, base] : MutationBases()) {
    std::vector<std::string> pointers;
    CollectPointers(base, "", pointers);
    for (const std::string& pointer : pointers) {
      json document = base;
      const std::optional<std::string> place = change(document, pointer);
      if (!place) continue;
      const std::optional<std::string> error = ParseError(Dump(document), name);
      ASSERT_TRUE(error.has_value()) << what << " at " << pointer << " of " << name << " was accepted";
      EXPECT_NE(error->find("\"" + name + "\" at " + *place + ":"), std::string::npos)
          << what << " at " << pointer << " gave: " << *error;
    }
  }
}

TEST(FileFormatTest, EverySampleLoadsAndSavesBackByteForByte) {
  ScratchDir scratch;
  const std::vector<std::filesystem::path> samples = SampleFiles();
  ASSERT_GE(samples.size(), 5u);
  for (const std::filesystem::path& sample : samples) {
    const std::string original = ReadBytes(sample);
    const CString saved = (scratch / sample.filename().string()).c_str();
    CString error;
    bool ok = false;
    if (IsTechnology(sample.string())) {
      const auto technology = CTechnologyFile::Load(sample.string().c_str(), error);
      ok = technology != nullptr && CTechnologyFile::Save(saved, *technology, error);
    } else {
      const auto contents = CSymbolLibraryFile::Load(sample.string().c_str(), error);
      ok = contents != nullptr && contents->Count() > 0 && CSymbolLibraryFile::Save(saved, *contents, error);
    }
    ASSERT_TRUE(ok) << sample << ": " << error.str();
    EXPECT_EQ(ReadBytes(saved.str()), original) << sample;
  }
}

TEST(FileFormatTest, ValuesOfTheWrongTypeAreRefusedAtTheirPlace) {
  ExpectEveryMutationRefused("a value of the wrong type", [](json& document, const std::string& pointer) {
    json& value = document[json::json_pointer(pointer)];
    value = WrongType(value);
    return pointer;
  });
  ExpectEveryMutationRefused("null", [](json& document, const std::string& pointer) {
    document[json::json_pointer(pointer)] = nullptr;
    return pointer;
  });
}

TEST(FileFormatTest, MissingAndUnknownMembersAreRefusedAtTheirPlace) {
  ExpectEveryMutationRefused("a missing member", [](json& document, const std::string& pointer) {
    const json::json_pointer place(pointer);
    json& parent = document[place.parent_pointer()];
    if (!parent.is_object()) return std::optional<std::string>();
    parent.erase(place.back());
    return std::optional<std::string>(pointer);
  });
  ExpectEveryMutationRefused("an unknown member", [](json& document, const std::string& pointer) {
    json& value = document[json::json_pointer(pointer)];
    if (!value.is_object()) return std::optional<std::string>();
    value["extra"] = 1;
    return std::optional<std::string>(pointer + "/extra");
  });
}

TEST(FileFormatTest, NumbersOutOfRangeOrWithFractionsAreRefusedAtTheirPlace) {
  for (const json& huge : {json(std::int64_t{1} << 40), json(UINT64_MAX), json(INT64_MIN), json(2.5)}) {
    ExpectEveryMutationRefused("the number " + huge.dump(),
                               [&huge](json& document, const std::string& pointer) {
                                 json& value = document[json::json_pointer(pointer)];
                                 if (!value.is_number()) return std::optional<std::string>();
                                 value = huge;
                                 return std::optional<std::string>(pointer);
                               });
  }
}

TEST(FileFormatTest, TruncatedAndMalformedTextIsRefusedWithItsLineAndColumn) {
  for (const std::filesystem::path& sample : SampleFiles()) {
    const std::string text = ReadBytes(sample);
    const std::string name = sample.filename().string();
    const size_t end = text.rfind('}');
    const size_t step = std::max<size_t>(1, end / 120);
    for (size_t length = 0; length < end; length += step) {
      const std::optional<std::string> error = ParseError(text.substr(0, length), name);
      ASSERT_TRUE(error.has_value()) << name << " cut at " << length << " was accepted";
      EXPECT_NE(error->find("\"" + name + "\" at line "), std::string::npos) << *error;
    }
  }
  const std::string garbage[] = {"",
                                 "{",
                                 "\xff\xfe{}",
                                 "{\"format\": \"symbol-library\"} trailing",
                                 "{\"format\": \"symbol\xc3\"}",
                                 std::string("{\"a\"\0: 1}", 9),
                                 "{\"version\": 1e400}"};
  for (const std::string& text : garbage) {
    const std::optional<std::string> error = ParseError(text, "bad.scmlib");
    ASSERT_TRUE(error.has_value()) << text;
    EXPECT_NE(error->find("malformed"), std::string::npos) << *error;
  }
}

TEST(FileFormatTest, StructuralMistakesAreNamed) {
  const json logic = json::parse(ReadBytes(std::filesystem::path(CE_DATA_DIR) / "logic.scmlib"));
  const json footprints = json::parse(ReadBytes(std::filesystem::path(CE_DATA_DIR) / "footprints.pcblib"));
  const json technology = json::parse(ReadBytes(std::filesystem::path(CE_DATA_DIR) / "default.pcbtech"));
  struct Case {
    std::string name;
    json document;
    std::string expected;
  };
  std::vector<Case> cases;

  json newer = logic;
  newer["version"] = 2;
  newer["symbols"][0]["colour"] = "red";  // a later version may add members
  cases.push_back({"logic.scmlib", newer, "at /version: version 2 is not supported"});

  json twice = logic;
  json copy = twice["symbols"][0];
  copy["name"] = "nand2";
  twice["symbols"].push_back(copy);
  const std::string last = std::to_string(twice["symbols"].size() - 1);
  cases.push_back({"logic.scmlib", twice,
                   "at /symbols/" + last +
                       "/name: the symbol name \"nand2\" is already used "
                       "at /symbols/0/name"});

  json pads = footprints;
  pads["symbols"][2]["pads"][5]["number"] = 2;
  cases.push_back({"footprints.pcblib", pads,
                   "at /symbols/2/pads/5/number: pad number 2 is already used at "
                   "/symbols/2/pads/1/number"});

  json layers = technology;
  layers["layers"][3]["name"] = "top copper";
  cases.push_back({"default.pcbtech", layers, "at /layers/3/name: the layer name \"top copper\" is taken"});

  cases.push_back({"default.pcbtech", logic, "at /format: expected one of \"technology\""});

  json circle = logic;
  circle["symbols"][0]["graphics"][3]["sweep"] = 0;
  cases.push_back({"logic.scmlib", circle, "at /symbols/0/graphics/3/sweep"});

  json colour = technology;
  colour["colours"]["Text"] = "#12345G";
  cases.push_back({"default.pcbtech", colour, "at /colours/Text: expected a colour"});

  for (const Case& item : cases) {
    const std::optional<std::string> error = ParseError(Dump(item.document), item.name);
    ASSERT_TRUE(error.has_value()) << item.expected;
    EXPECT_NE(error->find("\"" + item.name + "\" " + item.expected), std::string::npos) << *error;
  }
}

TEST(FileFormatTest, RepeatedMembersAndDeepNestingAreRefusedWithoutACrash) {
  const std::optional<std::string> repeated = ParseError(
      R"({"format": "symbol-library", "symbols": [{"name": "A", "pads": [], "name": "B"}]})", "r.scmlib");
  ASSERT_TRUE(repeated.has_value());
  EXPECT_NE(repeated->find("at /symbols/0/name: the member \"name\" appears twice"), std::string::npos)
      << *repeated;

  const std::string deep = std::string(200000, '[') + std::string(200000, ']');
  const std::optional<std::string> nested = ParseError(deep, "deep.scmlib");
  ASSERT_TRUE(nested.has_value());
  EXPECT_NE(nested->find("nest too deeply"), std::string::npos) << *nested;
}

}  // namespace
