// The export of components to the field's symbol libraries, on components made in the
// test: what it refuses (one message, nothing written) and how a pin that several gates
// draw differently is reported and kept once.
#include "host/kicad/kicad_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/kicad/kicad_symbol_reader.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/symbol.h"
#include "host/model/symbol_library_contents.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

class KicadExportTest : public ::testing::Test {
 protected:
  KicadExportTest() {
    m_options.componentLibrary = CE_DATA_DIR "/sample.cmplib";  // beside the sample symbol libraries
    m_options.output = m_folder / "out.kicad_sym";
  }

  // A record of `name` in `package` with gate a a NAND2 (pins 1 2 3) and gate b the
  // power symbol (pins 14 7).
  CComponent* Add(CDesign& design, const char* name, const char* package,
                  const char* library = "logic.scmlib") {
    CComponent* record = design.AddComponent(name, package);
    const int nand[] = {1, 2, 3};
    const int power[] = {14, 7};
    record->AddGate(0, library, "NAND2", 3, nullptr, nand);
    record->AddGate(1, "logic.scmlib", "POWER", 2, nullptr, power);
    return record;
  }

  bool Export(const CDesign& design, const std::vector<CString>& names, CString& error) {
    std::vector<CKicadExport::Source> sources;
    for (const CString& name : names) sources.push_back(CKicadExport::SourceOf(design, name));
    return CKicadExport::Export(m_options, sources, m_summary, error);
  }

  ScratchFolder m_folder;
  CKicadExport::Options m_options;
  CKicadExport::Summary m_summary;
};

TEST_F(KicadExportTest, RefusesWithOneMessageAndWritesNothing) {
  struct Case {
    const char* what;
    std::vector<const char*> names;  // component, package, ... each with the test's gates
    const char* library;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"a name the field cannot hold", {"A/B", "P"}, "logic.scmlib", "a name cannot hold /"},
      {"a missing symbol library", {"A", "P"}, "missing.scmlib", "missing.scmlib"},
      {"two symbols of one name",
       {"X_P", "Q", "X", "P", "X", "R"},
       "logic.scmlib",
       "Two symbols would be named \"X_P\": component X_P and component X, package P."},
  };
  for (const Case& c : cases) {
    CDesign design;
    std::vector<CString> names;
    for (size_t i = 0; i < c.names.size(); i += 2) {
      Add(design, c.names[i], c.names[i + 1], c.library);
      if (names.empty() || names.back() != c.names[i]) names.emplace_back(c.names[i]);
    }
    CString error;
    EXPECT_FALSE(Export(design, names, error)) << c.what;
    EXPECT_NE(error.str().find(c.message), std::string::npos) << c.what << ": " << error.str();
  }
  CDesign design;
  Add(design, "A", "P")->SetPinNumber(0, 2, -1);
  CString error;
  EXPECT_FALSE(Export(design, {"A"}, error));
  EXPECT_NE(error.Find("1 terminal has no pin in the package: A (package P) gate a terminal 2"), -1)
      << error.str();
  EXPECT_EQ(m_folder.CountEntries(), 0u) << "nothing written";
  m_options.leaveUnnumbered = true;
  EXPECT_TRUE(Export(design, {"A"}, error)) << error.str();
}

TEST_F(KicadExportTest, APinGatesDrawDifferentlyIsKeptOnceAndNamesReadBackUnchanged) {
  CDesign design;
  Add(design, "A", "P")->SetPinNumber(0, 3, 14);
  CString error;
  ASSERT_TRUE(Export(design, {"A"}, error)) << error.str();
  const std::string text = ReadFileText(m_options.output.str());
  EXPECT_EQ(text.find("(number \"14\""), text.rfind("(number \"14\"")) << "one pin 14";
  EXPECT_LT(text.find("(number \"14\""), text.find("\"A_2_1\"")) << "in unit A";
  EXPECT_NE(m_summary.Describe().Find("pin 14 (Y) is drawn by gates a, b, not alike"), -1)
      << m_summary.Describe().str();

  // Quotes and backslashes are escaped, UTF-8 passes: the field's reader gives the names back.
  CComponent* record = Add(design, "R\"5\" \xC2\xB5", "P");
  ASSERT_TRUE(record->SetPinName(0, 1, "IN\\\"A\""));
  ASSERT_TRUE(Export(design, {record->GetName()}, error)) << error.str();
  const auto contents = CKicadSymbolReader::Load(m_options.output, error);
  ASSERT_NE(contents, nullptr) << error.str();
  const CSymbol* unit = contents->Find("R\"5\" \xC2\xB5:A");
  ASSERT_NE(unit, nullptr) << ReadFileText(m_options.output.str());
  EXPECT_EQ(unit->FindPad(1)->GetName(), "IN\\\"A\"");
}

}  // namespace
