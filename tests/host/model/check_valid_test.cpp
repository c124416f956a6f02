// The validity check of a design: the samples pass, and each kind of fault in a pin map,
// a package or a gate gives its own finding, named as the user reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kDataDir = CE_DATA_DIR;
const CString kSample = (kDataDir + "/sample.cmplib").c_str();

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The component as the sample library holds it, in a design that lives beside it.
void LoadSample(CDesign& design, const char* name) {
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(kSample, name, design, error)) << error.str();
  design.SetPathName(kSample);
}

TEST(CheckValidTest, EverySampleComponentIsValidAndEmptiesTheFile) {
  ScratchFolder scratch;
  const CString report = (scratch / "report.txt").c_str();
  std::vector<LibraryEntry> entries;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::ReadContents(kSample, entries, error)) << error.str();
  ASSERT_EQ(entries.size(), 4u);
  for (const LibraryEntry& entry : entries) {
    WriteFileText(report.str(), "left from before\n");
    CDesign design;
    LoadSample(design, entry.name);
    EXPECT_EQ(design.CheckValid(report), "") << entry.name.str();
    EXPECT_EQ(ReadFileText(report.str()), "") << entry.name.str();
  }
}

struct FaultCase {
  std::string fault;
  std::function<void(CComponent& dip, CComponent& soic)> make;
  std::vector<std::string> findings;
};

std::vector<FaultCase> FaultCases() {
  const auto both = [](const std::function<void(CComponent&)>& change) {
    return [change](CComponent& dip, CComponent& soic) {
      change(dip);
      change(soic);
    };
  };
  return {
      {"a terminal without a pin",
       [](CComponent& dip, CComponent&) { dip.SetPinNumber(1, 2, -1); },
       {"DIP-14: gate b terminal 2 (B) has no pin"}},
      {"a pin on two terminals",
       [](CComponent& dip, CComponent&) { dip.SetPinNumber(1, 1, 3); },
       {"DIP-14: gate b terminal 1 (A) has pin 3, which gate a terminal 3 (Y) has too"}},
      {"pins outside the package",
       [](CComponent&, CComponent& soic) {
         soic.SetPinNumber(4, 1, 15);
         soic.SetPinNumber(4, 2, 0);
       },
       {"SOIC-14: gate e terminal 1 (VCC) has pin 15, outside 1 to 14",
        "SOIC-14: gate e terminal 2 (GND) has pin 0, outside 1 to 14"}},
      {"more pins than the PCB symbol has pads",
       [](CComponent& dip, CComponent&) {
         dip.SetPinCount(16);
         dip.SetPinNumber(0, 1, 16);
       },
       {"DIP-14: pin count 16 differs from the 14 pads of PCB symbol DIP-14",
        "DIP-14: gate a terminal 1 (A) has pin 16, which PCB symbol DIP-14 has no pad for"}},
      {"no PCB symbol",
       [](CComponent&, CComponent& soic) { soic.SetPcbSymbol(""); },
       {"SOIC-14: no PCB symbol"}},
      {"a PCB symbol the library lacks",
       [](CComponent&, CComponent& soic) { soic.SetPcbSymbol("SOIC-16"); },
       {"SOIC-14: PCB symbol SOIC-16 cannot be read: it is not in footprints.pcblib"}},
      {"a gate symbol the library lacks",
       both([](CComponent& record) { record.FindGate(2)->SetSymbol("NAND3"); }),
       {"DIP-14: gate c symbol NAND3 cannot be read: it is not in logic.scmlib",
        "SOIC-14: gate c symbol NAND3 cannot be read: it is not in logic.scmlib"}},
      {"a gate library that is missing",
       both([](CComponent& record) { record.FindGate(4)->SetLibrary("power.scmlib"); }),
       {"DIP-14: gate e symbol POWER cannot be read: Cannot read \"" + kDataDir +
            "/power.scmlib\": No such file or directory",
        "SOIC-14: gate e symbol POWER cannot be read: Cannot read \"" + kDataDir +
            "/power.scmlib\": No such file or directory"}},
      {"a gate without a symbol",
       both([](CComponent& record) { record.FindGate(0)->SetSymbol(""); }),
       {"DIP-14: gate a has no symbol", "SOIC-14: gate a has no symbol"}},
      {"a gate with more terminals than its symbol",
       both([](CComponent& record) { record.ReplaceGateSymbol(0, "NAND2", nullptr, 4); }),
       {"DIP-14: gate a has 4 terminals, symbol NAND2 has 3", "DIP-14: gate a terminal 4 has no pin",
        "SOIC-14: gate a has 4 terminals, symbol NAND2 has 3", "SOIC-14: gate a terminal 4 has no pin"}},
      {"two records of one package",
       [](CComponent&, CComponent& soic) { soic.SetPackage("dip-14"); },
       {"dip-14: another record of component QUAD-NAND2 has this package"}},
      {"a gate drawn differently in one record",
       [](CComponent&, CComponent& soic) { soic.ReplaceGateSymbol(1, "INV", nullptr, 2); },
       {"SOIC-14: gate b symbol INV differs from NAND2 in DIP-14",
        "SOIC-14: gate b has 2 terminals, 3 in DIP-14"}},
      {"a gate library named differently in one record",
       [](CComponent&, CComponent& soic) { soic.FindGate(0)->SetLibrary("logic"); },
       {"SOIC-14: gate a library logic differs from logic.scmlib in DIP-14"}},
      {"a gate only one record has",
       [](CComponent&, CComponent& soic) {
         // Adding a gate reaches every record, so only a file can say this.
         ComponentValue value = soic.GetValue();
         value.gates.back().index = 5;
         soic.RestoreValue(value);
       },
       {"SOIC-14: gate e is missing; DIP-14 has it", "SOIC-14: gate f is not in DIP-14"}},
      {"gates without symbols in a PCB-only component",
       both([](CComponent& record) {
         record.SetPcbOnly(true);
         record.FindGate(0)->SetSymbol("");
       }),
       {}},
  };
}

TEST(CheckValidTest, EachFaultGivesItsFindings) {
  ScratchFolder scratch;
  const CString report = (scratch / "report.txt").c_str();
  for (const FaultCase& item : FaultCases()) {
    CDesign design;
    LoadSample(design, "QUAD-NAND2");
    CComponent* dip = design.FindComponent("QUAD-NAND2", "DIP-14");
    CComponent* soic = design.FindComponent("QUAD-NAND2", "SOIC-14");
    ASSERT_TRUE(dip != nullptr && soic != nullptr);
    item.make(*dip, *soic);
    EXPECT_EQ(Lines(design.CheckValid(report).str()), item.findings) << item.fault;
    EXPECT_EQ(Lines(ReadFileText(report.str())), item.findings) << item.fault;
  }
}

TEST(CheckValidTest, TheFileHoldsOneFindingALineAndAFailedWriteIsRecorded) {
  ScratchFolder scratch;
  CDesign design;
  LoadSample(design, "HEX-INV");
  CComponent* tssop = design.FindComponent("HEX-INV", "TSSOP-14");
  tssop->SetPinNumber(0, 1, -1);
  tssop->SetPinNumber(5, 2, -1);

  const CString report = (scratch / "report.txt").c_str();
  const CString text = design.CheckValid(report);
  EXPECT_EQ(ReadFileText(report.str()),
            "TSSOP-14: gate a terminal 1 (A) has no pin\nTSSOP-14: gate f terminal 2 (Y) has no pin\n");

  // Libraries are found beside the design, wherever the check runs from.
  design.SetPathName((scratch / "moved.cmplib").c_str());
  EXPECT_EQ(Lines(design.CheckValid(report).str()).at(0),
            "DIP-14: PCB symbol DIP-14 cannot be read: Cannot read \"" + (scratch / "footprints.pcblib") +
                "\": No such file or directory");

  CAppError::ClearLastError();
  design.SetPathName(kSample);
  const CString unwritable = (scratch / "missing/report.txt").c_str();
  EXPECT_EQ(design.CheckValid(unwritable), text);
  EXPECT_NE(CAppError::GetLastError().Find(unwritable), -1) << CAppError::GetLastError().str();
}

TEST(CheckValidTest, FindingsNameThePinsOfAFootprintThatNamesItsBallsByThoseNames) {
  ScratchFolder scratch;
  fs::create_directory(scratch / "Balls.pretty");
  std::ostringstream footprint;
  footprint << "(footprint \"BGA14\" (version 20211014) (layer \"F.Cu\")\n";
  for (const char row : {'A', 'B'})
    for (int column = 1; column <= 7; ++column)
      footprint << "  (pad \"" << row << column << "\" smd circle (at " << column
                << (row == 'A' ? " 0" : " 1") << ") (size 0.4 0.4) (layers \"F.Cu\"))\n";
  footprint << ")\n";
  WriteFileText(scratch / "Balls.pretty/BGA14.kicad_mod", footprint.str());
  CDesign design;
  LoadSample(design, "QUAD-NAND2");
  CComponent* dip = design.FindComponent("QUAD-NAND2", "DIP-14");
  ASSERT_NE(dip, nullptr);
  dip->GetPcbComponent()->SetLibrary((scratch / "Balls.pretty").c_str());
  dip->SetPcbSymbol("BGA14");
  dip->SetPinNumber(1, 1, 3);
  dip->SetPinNumber(1, 2, 15);
  EXPECT_EQ(Lines(design.CheckValid((scratch / "report.txt").c_str()).str()),
            (std::vector<std::string>{
                "DIP-14: gate b terminal 1 (A) has pin A3, which gate a terminal 3 (Y) has too",
                "DIP-14: gate b terminal 2 (B) has pin 15, outside 1 to 14"}));
}

}  // namespace
