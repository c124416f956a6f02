// Pinout tables of each layout made into components: the gates by bank or unit, every
// package's pin map by ball name on its footprint, and refusals that leave the libraries
// untouched.
#include "host/pinout/pinout_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

using Strings = std::vector<std::string>;

const std::string kXilinxHeader =
    "Pin,Pin Name,Memory Byte Group,Bank,VCCAUX Group,Super Logic Region,I/O Type,No-Connect\n";

class PinoutImportTest : public ::testing::Test {
 protected:
  // A footprint "BGA" whose lands are named by `balls`, numbered 1, 2, ... in that order.
  CString WriteFootprint(const Strings& balls) {
    CSymbolLibraryContents contents(SymbolKind::Pcb);
    auto footprint = std::make_unique<CSymbol>("BGA", SymbolKind::Pcb);
    for (std::size_t i = 0; i < balls.size(); ++i) {
      CFreePad pad(static_cast<int>(i) + 1, CString(balls[i]), {static_cast<int>(i) * 10000, 0});
      pad.SetLand(PadShape::Round, {5000, 5000}, 0);
      footprint->AddPad(pad);
    }
    contents.Add(std::move(footprint));
    const CString path = m_folder / "balls.pcblib";
    CString error;
    EXPECT_TRUE(CSymbolLibraryFile::Save(path, contents, error)) << error;
    m_pads = balls;
    return path + ":BGA";
  }

  CPinoutImport::Request Request(const std::string& table) {
    WriteFileText(m_folder / "table.csv", table);
    CPinoutImport::Request request;
    request.componentLibrary = m_folder / "parts.cmplib";
    request.table = m_folder / "table.csv";
    request.name = "FPGA";
    return request;
  }

  // Each package's terminals as "SYMBOL NAME=BALL" (BALL empty for no pin), sorted.
  std::map<std::string, Strings> Imported(CDesign& design) {
    CString error;
    EXPECT_TRUE(CComponentLibraryFile::LoadComponent(m_folder / "parts.cmplib", "FPGA", design, error))
        << error;
    std::map<std::string, Strings> packages;
    POSITION position = nullptr;
    for (const CComponent* record = design.FirstComponent(position); record != nullptr;
         record = design.NextComponent(position)) {
      Strings& terminals = packages[record->GetPackage().str()];
      for (int index = 0; index < record->CountGates(); ++index) {
        const CGate* gate = record->FindGate(index);
        for (int terminal = 1; terminal <= gate->CountPins(); ++terminal)
          terminals.push_back(gate->GetSymbol().str() + " " + gate->GetPinName(terminal).str() + "=" +
                              Ball(*record, gate->GetPinNumber(terminal)));
      }
      std::sort(terminals.begin(), terminals.end());
    }
    return packages;
  }

  std::string Ball(const CComponent& record, int pin) const {
    if (pin == CGate::kNoPin) return {};
    if (record.GetPcbSymbol().IsEmpty()) return std::to_string(pin);
    return m_pads.at(static_cast<std::size_t>(pin) - 1);
  }

  ScratchFolder m_folder;
  Strings m_pads;
};

struct LayoutCase {
  const char* layout;
  std::string table;
  PinGateSplit split;
  std::map<std::string, Strings> expected;
};

TEST_F(PinoutImportTest, EachLayoutGivesItsGatesPackagesAndPinMaps) {
  const std::vector<LayoutCase> cases = {
      {"xilinx csv",
       "Device/Package xc7test 9/18/2012,,,,,,,\n,,,,,,,\n" + kXilinxHeader +
           "A1,IO_L1P_14,0,14,NA,NA,HR,NA\nA2,GND,NA,NA,NA,NA,NA,NA\nB1,DONE_0,NA,0,NA,NA,CONFIG,NA\n"
           "B2,GND,NA,NA,NA,NA,NA,NA\nC1,VCCO_14,NA,14,NA,NA,NA,NA\nTotal Number of Pins,5,,,,,,\n",
       PinGateSplit::Bank,
       {{"xc7test",
         {"FPGA_BANK_14 IO_L1P_14=A1", "FPGA_CONFIG DONE_0=B1", "FPGA_POWER GND=A2", "FPGA_POWER GND=B2",
          "FPGA_POWER VCCO_14=C1"}}}},
      {"xilinx text",
       "Device/Package xc7txt 10/14/2015 13:27:05\n\n"
       "Pin   Pin Name    Memory Byte Group  Bank  VCCAUX Group  Super Logic Region  I/O Type  No-Connect\n"
       "A1    IO_L1P_14   0                  14    NA            NA                  HR        NA\n"
       "B2    VCCINT      NA                 NA    NA            NA                  NA        NA\n",
       PinGateSplit::Bank,
       {{"xc7txt", {"FPGA_BANK_14 IO_L1P_14=A1", "FPGA_POWER VCCINT=B2"}}}},
      {"lattice, two packages",
       "# Pinout of a test part\n"
       "PAD,Pin/Ball Function,Bank,Dual Function,Differential,High Speed,DQS,CABGA4,TQFP3\n"
       "1,PL2A,7,,True,,,A1,1\n2,PL2B,7,,Comp,,,A2,-\n3,VCCIO7,7,,,,,B1,2\n4,GND,-,,,,,B2,3\n",
       PinGateSplit::Bank,
       {{"CABGA4",
         {"FPGA_BANK_7 PL2A=A1", "FPGA_BANK_7 PL2B=A2", "FPGA_POWER GND=B2", "FPGA_POWER VCCIO7=B1"}},
        {"TQFP3", {"FPGA_BANK_7 PL2A=1", "FPGA_BANK_7 PL2B=", "FPGA_POWER GND=3", "FPGA_POWER VCCIO7=2"}}}},
      {"lattice, named pads and a byte-order mark",
       "\xEF\xBB\xBFPADN,Pin/Ball Function,CUST_NAME,BANK,Dual "
       "Function,caBGA2\n1,PL2A,,7,,A1\n2,GND,,-,,B1\n",
       PinGateSplit::None,
       {{"caBGA2", {"FPGA GND=B1", "FPGA PL2A=A1"}}}},
      {"generic, any column order, by unit",
       "Type\tName\tBall\tUnit\npower\tVDD\tA1\tB\ninput\tCLK\tA2\tA\noutput\tQ\tB1\tA\n",
       PinGateSplit::Unit,
       {{"table", {"FPGA_A CLK=A2", "FPGA_A Q=B1", "FPGA_B VDD=A1"}}}},
  };
  for (const LayoutCase& each : cases) {
    SCOPED_TRACE(each.layout);
    for (const char* written : {"parts.cmplib", "parts.scmlib"}) std::filesystem::remove(m_folder / written);
    CPinoutImport::Request request = Request(each.table);
    request.split = each.split;
    request.footprints = {
        {CString(each.expected.begin()->first), WriteFootprint({"A1", "A2", "B1", "B2", "C1"})}};
    CPinoutImport::Summary notes;
    CString error;
    ASSERT_TRUE(CPinoutImport::Run(request, notes, error)) << error;
    CDesign design;
    EXPECT_EQ(Imported(design), each.expected);
  }
}

TEST_F(PinoutImportTest, BadTablesAreRefusedWithTheirLineAndNothingIsWritten) {
  const std::string header = "Pin,Name,Bank\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Ball number,Description\nA1,x\n", "no line reads as the header"},
      {header + "A1,IO_1,1\nB1,IO_2,1\na1,IO_3,1\n", "line 4: ball a1 is given twice (first at line 2)"},
      {header + "A1,IO_1,1\n,IO_2,1\n", "line 3: the ball of IO_2 is empty"},
      {header + "A1,,1\n", "line 2: the pin name is empty"},
      {header + "A1,IO_1,1\nB1,IO_2\n", "line 3: the row has 2 fields, the header 3"},
  };
  for (const auto& [table, message] : cases) {
    SCOPED_TRACE(table);
    CPinoutImport::Summary notes;
    CString error;
    EXPECT_FALSE(CPinoutImport::Run(Request(table), notes, error));
    EXPECT_NE(error.str().find(message), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(m_folder / "parts.cmplib") ||
                 std::filesystem::exists(m_folder / "parts.scmlib"));
  }
}

// Another package's file of the same die joins the component as a package of its own:
// terminals take the balls of the pins of their names, the n-th GND the n-th GND ball.
TEST_F(PinoutImportTest, ASecondTableAddsItsPackageMatchedByPinName) {
  CPinoutImport::Request request =
      Request("Device/Package first\n" + kXilinxHeader + "A1,IO_L1P_14,0,14,NA,NA,HR,NA\n" +
              "A2,GND,NA,NA,NA,NA,NA,NA\nB1,GND,NA,NA,NA,NA,NA,NA\n" + "B2,IO_L2P_14,0,14,NA,NA,HR,NA\n");
  CPinoutImport::Summary summary;
  CString error;
  ASSERT_TRUE(CPinoutImport::Run(request, summary, error)) << error;

  WriteFileText(m_folder / "table.csv", "Device/Package second\n" + kXilinxHeader +
                                            "C1,GND,NA,NA,NA,NA,NA,NA\n" +
                                            "A1,IO_L1P_14,0,14,NA,NA,HR,NA\nB1,GND,NA,NA,NA,NA,NA,NA\n" +
                                            "A2,IO_L9P_14,0,14,NA,NA,HR,NA\n");
  request.footprints = {{"second", WriteFootprint({"A1", "A2", "B1", "B2", "C1"})}};
  ASSERT_TRUE(CPinoutImport::AddPackages(request, summary, error)) << error;
  EXPECT_EQ(summary.notes,
            (std::vector<CString>{"second: 2 pads of BGA have no terminal: A2, B2.",
                                  "second: 1 terminals have no pin of that name in the table: IO_L2P_14.",
                                  "second: 1 pins of the table match no terminal: IO_L9P_14."}));
  CDesign design;
  EXPECT_EQ(Imported(design).at("second"), (Strings{"FPGA_BANK_14 IO_L1P_14=A1", "FPGA_BANK_14 IO_L2P_14=",
                                                    "FPGA_POWER GND=B1", "FPGA_POWER GND=C1"}));
  EXPECT_FALSE(CPinoutImport::AddPackages(request, summary, error));
  EXPECT_EQ(error, "FPGA already has a package second.");
}

// A package file of 1,936 balls in the first layout: supplies, grounds, configuration
// pins and I/O in eight banks, on a footprint of the same ball names.
TEST_F(PinoutImportTest, ALargePackageFileGivesAComponentThatPassesTheCheck) {
  // 44 rows lettered as ball grids are, skipping letters that read like digits.
  std::vector<std::string> rows;
  for (const std::string prefix : {"", "A", "B"})
    for (const char letter : std::string("ABCDEFGHJKLMNPRTUVWY"))
      if (rows.size() < 44) rows.push_back(prefix + letter);
  const Strings configuration = {"DONE_0", "CCLK_0", "TCK_0", "TMS_0", "TDI_0", "TDO_0", "PROGRAM_B_0"};
  std::string table = "Device/Package xc7big 9/18/2012,,,,,,,\n" + kXilinxHeader;
  Strings balls, expected;
  for (const std::string& row : rows) {
    for (int column = 1; column <= static_cast<int>(rows.size()); ++column) {
      const std::size_t i = balls.size();
      const std::string ball = row + std::to_string(column);
      const std::string bank = std::to_string(12 + i % 8);
      std::string line = "NA,NA,NA,NA,NA,NA";
      std::string name = "IO_L" + std::to_string(i) + "P_T0_" + bank;
      if (i < configuration.size()) {
        name = configuration[i];
        line = "NA,0,NA,NA,CONFIG,NA";
      } else if (i % 5 == 0) {
        name = "GND";
      } else if (i % 23 == 0) {
        name = "VCCO_" + bank;
        line = "NA," + bank + ",NA,NA,NA,NA";
      } else {
        line = "0," + bank + ",NA,NA,HP,NA";
      }
      table += ball + "," + name + "," + line + "\n";
      balls.push_back(ball);
      expected.push_back(name + "=" + ball);
    }
  }
  table += "Total Number of Pins," + std::to_string(balls.size()) + ",,,,,,\n";
  CPinoutImport::Request request = Request(table);
  request.footprints = {{"xc7big", WriteFootprint(balls)}};
  CPinoutImport::Summary summary;
  CString error;
  ASSERT_TRUE(CPinoutImport::Run(request, summary, error)) << error;
  EXPECT_EQ(summary.notes, std::vector<CString>());
  CDesign design;
  Strings imported = Imported(design)["xc7big"];
  for (std::string& terminal : imported) terminal.erase(0, terminal.find(' ') + 1);
  std::sort(imported.begin(), imported.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(imported, expected);
  design.SetPathName((m_folder / "parts.cmplib").c_str(), FALSE);
  EXPECT_EQ(design.CheckValid(m_folder / "findings.txt"), "");
  ASSERT_NE(design.FirstComponent(), nullptr);
  EXPECT_EQ(design.FirstComponent()->CountGates(), 10) << "eight banks, configuration and supplies";
}

}  // namespace
