// File > Import Pin Table as a user runs it: the preview of a two-package table, the
// footprint typed in, and the new component opened unsaved with its generated symbols
// written beside the library.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/import_pin_table_dialog.h"
#include "editor/grid/component_grid.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "host/utility/edit_grid.h"
#include "platform/list_box.h"
#include "tests/app/app_fixture.h"

namespace {

class AppImportPinTableTest : public AppTest {
 protected:
  std::set<std::string> GridTexts() {
    CEditGrid& cells = Frame().GetGrid()->GetEditGrid();
    std::set<std::string> texts;
    for (long row = 0; row < cells.GetRows(); ++row)
      for (long col = 0; col < cells.GetCols(); ++col) texts.insert(cells.GetTextMatrix(row, col).str());
    return texts;
  }

  static std::set<std::string> Lines(CWnd* list) {
    std::set<std::string> lines;
    const auto* box = DynamicDowncast<CListBox>(list);
    for (int i = 0; box != nullptr && i < box->GetCount(); ++i) {
      CString line;
      box->GetText(i, line);
      lines.insert(line.str());
    }
    return lines;
  }

  void WriteFootprint() {
    CSymbolLibraryContents contents(SymbolKind::Pcb);
    auto footprint = std::make_unique<CSymbol>("BGA", SymbolKind::Pcb);
    int number = 0;
    for (const char* ball : {"A1", "A2", "B1", "B2"}) {
      ++number;
      CFreePad pad(number, ball, {number * 10000, 0});
      pad.SetLand(PadShape::Round, {5000, 5000}, 0);
      footprint->AddPad(pad);
    }
    contents.Add(std::move(footprint));
    CString error;
    ASSERT_TRUE(CSymbolLibraryFile::Save(Path("balls.pcblib"), contents, error)) << error;
  }
};

TEST_F(AppImportPinTableTest, APreviewedTableBecomesANewComponentWithItsPackagesAndSymbols) {
  WriteFootprint();
  WriteFileText(Path("part.csv").str(),
                "PAD,Pin/Ball Function,Bank,Dual Function,Differential,High Speed,DQS,CABGA4,TQFP3\n"
                "1,PL2A,7,,True,,,A1,1\n2,PL2B,7,,Comp,,,A2,-\n3,VCCIO7,7,,,,,B1,2\n4,GND,-,,,,,B2,3\n");
  const std::string original = ReadFileText(Library().str());
  ASSERT_TRUE(Open());
  prompt.pinMapAnswers.push_back(Path("part.csv"));
  Screen().ExpectDialog(IDD_IMPORT_PIN_TABLE, [this](CDialog& dialog, UserInput& input) {
    const std::set<std::string> preview = Lines(dialog.GetDlgItem(IDC_PIN_TABLE_PREVIEW));
    for (const char* line :
         {"    part_BANK_7  2 pins: 2 bidirectional", "    part_POWER  2 pins: 1 ground, 1 power",
          "    CABGA4  4 balls", "    TQFP3  3 balls", "    3  A2  PL2B  bidirectional (guessed)"})
      EXPECT_TRUE(preview.count(line)) << line << " in " << ::testing::PrintToString(preview);
    // The user makes a guessed I/O pin an output.
    CWnd* list = dialog.GetDlgItem(IDC_PIN_TABLE_PREVIEW);
    const auto* box = DynamicDowncast<CListBox>(list);
    int line = 0;
    for (CString text; box != nullptr && line < box->GetCount(); ++line) {
      box->GetText(line, text);
      if (text.Find("PL2B") >= 0) break;
    }
    EXPECT_TRUE(input.SelectListLine(list, line));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PIN_TABLE_KIND), "output"));
    EXPECT_TRUE(Lines(list).count("    3  A2  PL2B  output (chosen)"));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_PIN_TABLE_NAME), "FPGA"));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_PIN_TABLE_FOOTPRINTS),
                               "CABGA4=" + Path("balls.pcblib") + ":BGA"));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_TABLE));

  ASSERT_EQ(App().CountOpenComponents(), 2);
  const CComponent& record = *Frame().GetComponent(false);
  EXPECT_EQ(record.GetName(), "FPGA");
  EXPECT_EQ(record.GetPackage(), "CABGA4");
  EXPECT_EQ(Frame().GetDesign()->CountComponents(), 2);
  const std::set<std::string> texts = GridTexts();
  for (const char* text : {"PL2A", "VCCIO7", "A2", "B2"})
    EXPECT_TRUE(texts.count(text)) << text << " in " << ::testing::PrintToString(texts);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
  EXPECT_EQ(ReadFileText(Library().str()), original) << "the component waits for its save";
  CString error;
  const auto symbols = CSymbolLibraryFile::Load(Path("sample.scmlib"), error);
  ASSERT_NE(symbols, nullptr) << error;
  EXPECT_EQ(symbols->Names(), (std::vector<CString>{"FPGA_BANK_7", "FPGA_POWER"}));
  const CSymbol& bank = symbols->Get(0);
  for (int pad = 0; pad < bank.CountPads(); ++pad) {
    const bool output = bank.GetPad(pad).GetName() == "PL2B";
    EXPECT_EQ(bank.GetPad(pad).GetDirection(), output ? PinDirection::Right : PinDirection::Left) << pad;
  }
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

}  // namespace
