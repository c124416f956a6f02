// A component library kept in a folder of its own with its symbol libraries, as a user
// copies one: the application and the command-line rendering draw its components from
// the symbol libraries beside it, whatever the program's folder holds, and a symbol
// library that is nowhere is reported with every place it was looked for in.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/component_renderer.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/utility/edit_grid.h"
#include "platform/program_path.h"
#include "tests/app/app_fixture.h"
#include "tests/editor/support/view_items.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/svg_reader.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSampleFiles[] = {"sample.cmplib", "logic.scmlib", "analog.scmlib", "connectors.scmlib",
                                        "footprints.pcblib"};

// The sample library and its symbol libraries copied into `folder`.
void CopySampleLibraryInto(const fs::path& folder) {
  fs::create_directories(folder);
  for (const char* file : kSampleFiles) fs::copy_file(fs::path(CE_DATA_DIR) / file, folder / file);
}

// How many terminals or pads a view draws, over all its symbols.
int PadsDrawn(const CSymbolView* view) {
  return view != nullptr ? static_cast<int>(PlacedPads(*view).size()) : 0;
}

class AppSymbolLibrariesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // The program's folder holds nothing: no bundled library can stand in.
    fs::create_directories(Path("program").str());
    SetProgramPathForTesting(Path("program"));
    CopySampleLibraryInto(Path("own").str());
  }

  CString OwnLibrary() const { return Path("own/sample.cmplib"); }
};

TEST_F(AppSymbolLibrariesTest, ALibraryInAFolderOfItsOwnIsDrawnFromTheSymbolLibrariesBesideIt) {
  ASSERT_TRUE(App().OpenComponent(OwnLibrary(), "QUAD-NAND2"));

  CSymbolsFrame* symbols = Frame().GetSymbolsFrame();
  ASSERT_NE(symbols, nullptr);
  EXPECT_EQ(PadsDrawn(symbols->GetScmView()), 4 * 3 + 2) << "four NAND2 gates and the power gate";
  EXPECT_EQ(PadsDrawn(symbols->GetPcbView()), 14) << "the pads of DIP-14";
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 0U);

  // The user assigns a pin and saves: the library in its folder takes it.
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(14, 0, 1);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  CDesign saved;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(OwnLibrary(), "QUAD-NAND2", saved, error)) << error.str();
  EXPECT_EQ(saved.FirstComponent()->GetPinNumber(0, 1), 14);
}

TEST_F(AppSymbolLibrariesTest, ASymbolNameTypedIntoTheGridIsReadFromTheLibraryBesideIt) {
  ASSERT_TRUE(App().OpenComponent(OwnLibrary(), "QUAD-NAND2"));
  CEditGrid& cells = Frame().GetGrid()->GetEditGrid();

  ASSERT_TRUE(user.EditGridCell(&cells, 1, 0, "DFF"));

  EXPECT_EQ(Screen().MessageBoxesShown().size(), 0U);
  EXPECT_EQ(Frame().GetComponent(false)->FindGate(0)->GetSymbol(), "DFF");
  EXPECT_EQ(Frame().GetComponent(false)->FindGate(0)->CountPins(), 4);
  EXPECT_EQ(PadsDrawn(Frame().GetSymbolsFrame()->GetScmView()), 4 + 3 * 3 + 2)
      << "a DFF, three NAND2 and the power gate";
}

TEST_F(AppSymbolLibrariesTest, ASymbolLibraryThatIsNowhereIsReportedWithEveryPlaceLookedIn) {
  fs::remove(Path("own/logic.scmlib").str());
  Screen().ExpectMessageBox(IDOK);

  ASSERT_TRUE(App().OpenComponent(OwnLibrary(), "QUAD-NAND2"));

  ASSERT_EQ(Screen().MessageBoxesShown().size(), 1U);
  const CString shown = Screen().MessageBoxesShown()[0].text;
  EXPECT_EQ(shown.Find("Cannot open library logic.scmlib: it is not "), 0) << shown.str();
  for (const char* folder : {"own/", "program/"}) EXPECT_NE(shown.Find(Path(folder)), -1) << shown.str();
  EXPECT_EQ(PadsDrawn(Frame().GetSymbolsFrame()->GetScmView()), 0);
  EXPECT_EQ(PadsDrawn(Frame().GetSymbolsFrame()->GetPcbView()), 14) << "the footprint is beside the library";
}

TEST(CliRenderTest, ALibraryInAFolderOfItsOwnIsRenderedFromTheSymbolLibrariesBesideIt) {
  ScratchFolder scratch;
  fs::create_directories(scratch / "program");
  SetProgramPathForTesting((scratch / "program").c_str());
  CopySampleLibraryInto(scratch / "own");
  RenderRequest request;
  request.library = (scratch / "own/sample.cmplib").c_str();
  request.component = "HEX-INV";
  request.outputDirectory = (scratch / "out").c_str();
  std::FILE* progress = std::tmpfile();

  const int result = RenderComponent(request, progress);

  std::fclose(progress);
  SetProgramPathForTesting("");
  EXPECT_EQ(result, 0) << "the editor reported a problem while drawing";
  // The terminals are drawn with their names, the pads with their numbers.
  const std::vector<SvgElement> schematic =
      ReadSvg(ReadFileText(scratch / "out/HEX-INV-DIP-14-schematic.svg"));
  const std::vector<SvgElement> pcb = ReadSvg(ReadFileText(scratch / "out/HEX-INV-DIP-14-pcb.svg"));
  EXPECT_EQ(TextsReading(schematic, "A").size(), 6U) << "an input terminal of each of the six inverters";
  EXPECT_EQ(TextsReading(schematic, "Y").size(), 6U);
  EXPECT_EQ(TextsReading(schematic, "VCC").size(), 1U) << "the power gate";
  for (int pad = 1; pad <= 14; ++pad)
    EXPECT_EQ(TextsReading(pcb, std::to_string(pad)).size(), 1U) << "pad " << pad;
}

TEST(CliRenderTest, TheSizeIsWidthByHeightInPixelsWithinBounds) {
  const std::vector<std::pair<const char*, CSize>> cases = {
      {"1600x1000", CSize(1600, 1000)},
      {"200x10000", CSize(200, 10000)},
      {"199x800", CSize()},
      {"1600x10001", CSize()},
      {"1600", CSize()},
      {"1600x1000px", CSize()},
      {"x800", CSize()},
      {"-1600x1000", CSize()},
  };
  for (const auto& [text, expected] : cases) {
    CSize size;
    CString error;
    const bool read = ParseRenderSize(text, size, error);
    EXPECT_EQ(read, expected != CSize()) << text;
    if (read) {
      EXPECT_EQ(size, expected) << text;
    } else {
      EXPECT_NE(error.Find(text), -1) << error.str();
    }
  }
}

}  // namespace
