// The library and technology file formats: the samples survive a load and save
// unchanged, and damaged files are refused with a message naming the file and the place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/model/symbol_library_file.h"
#include "host/model/technology_file.h"
#include "tests/support/file_text.h"
#include "tests/support/json_mutations.h"
#include "tests/support/scratch_folder.h"

namespace {

using nlohmann::json;

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

json Sample(const char* name) {
  return json::parse(ReadFileText(std::filesystem::path(CE_DATA_DIR) / name));
}

// A document read as the format its name implies.
JsonReadSubject Subject(const std::string& name, json document) {
  return {name, std::move(document), [name](const std::string& text) { return ParseError(text, name); }};
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

TEST(FileFormatTest, EverySampleLoadsAndSavesBackByteForByte) {
  ScratchFolder scratch;
  const std::vector<std::filesystem::path> samples = SampleFiles();
  ASSERT_GE(samples.size(), 5u);
  for (const std::filesystem::path& sample : samples) {
    const std::string original = ReadFileText(sample);
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
    EXPECT_EQ(ReadFileText(saved.str()), original) << sample;
  }
}

TEST(FileFormatTest, DamagedValuesAreRefusedAtTheirPlace) {
  std::vector<JsonMutation> mutations = StructuralJsonMutations();
  for (const json& huge : {json(std::int64_t{1} << 40), json(UINT64_MAX), json(INT64_MIN), json(2.5)}) {
    mutations.push_back(NumberMutation(huge));
  }
  for (const JsonReadSubject& subject : MutationSubjects()) {
    for (const JsonMutation& mutation : mutations) ExpectEveryMutationRefused(subject, mutation);
  }
}

TEST(FileFormatTest, TruncatedAndMalformedTextIsRefusedWithItsLineAndColumn) {
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
  struct Case {
    std::string name;
    std::string pointer;  // empty: the document is the value
    json value;
    std::string expected;
  };
  json twice = Sample("logic.scmlib")["symbols"][0];
  twice["name"] = "nand2";
  const std::string last = std::to_string(Sample("logic.scmlib")["symbols"].size());
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
  };
  json document;
  for (const Case& item : cases) {
    if (document.is_null()) document = Sample(item.name.c_str());
    if (item.pointer.empty())
      document = item.value;
    else
      document[json::json_pointer(item.pointer)] = item.value;
    if (item.expected.empty()) continue;  // the next row's change joins this one
    const std::optional<std::string> error = ParseError(Dump(document), item.name);
    document = nullptr;
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

TEST(FileFormatTest, PinShapesNeedVersionThreeAndComeBack) {
  json logic = Sample("logic.scmlib");
  CString error;
  const auto plain = CSymbolLibraryFile::Parse(Dump(logic), "logic.scmlib", error);
  ASSERT_NE(plain, nullptr) << error;
  CSymbolLibraryContents shaped(SymbolKind::Schematic);
  auto gate = plain->Get(0).Clone();
  gate->GetPad(gate->CountPads() - 1).SetPinShape(PinShape::Inverted);
  shaped.Add(std::move(gate));
  const std::string text = CSymbolLibraryFile::Format(shaped);
  EXPECT_NE(text.find("\"version\": 3"), std::string::npos);
  const auto read = CSymbolLibraryFile::Parse(text, "shaped.scmlib", error);
  ASSERT_NE(read, nullptr) << error;
  EXPECT_TRUE(read->Get(0) == shaped.Get(0));
  EXPECT_EQ(CSymbolLibraryFile::Format(*read), text);

  // An older version has no shapes: a reader of it would refuse the member.
  json older = json::parse(text);
  older["version"] = 2;
  EXPECT_NE(ParseError(Dump(older), "older.scmlib").value_or("").find("/symbols/0/pads/0"),
            std::string::npos);
}
