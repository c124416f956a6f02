// The field's symbol and footprint libraries in the editor: once the user has used one
// library of a folder, the Add Gate and Add Package dialogs list its .kicad_sym files and
// .pretty folders beside the JSON libraries; a component built on them shows their pins
// in the grid and drawings, saves, and reopens drawn from them.
#include <gtest/gtest.h>

#include <set>

#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/utility/edit_grid.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/editor/support/view_items.h"
#include "tests/support/file_text.h"

namespace {

namespace fs = std::filesystem;

// Two amplifier units sharing their supply pins.
constexpr const char* kAmplifiers = R"((kicad_symbol_lib (version 20211014) (generator test_writer)
  (symbol "AMP2" (in_bom yes) (on_board yes)
    (symbol "AMP2_0_1"
      (pin power_in line (at 0 -7.62 90) (length 2.54) hide (name "V-" (effects)) (number "4" (effects)))
      (pin power_in line (at 0 7.62 270) (length 2.54) hide (name "V+" (effects)) (number "8" (effects))))
    (symbol "AMP2_1_1"
      (rectangle (start -5.08 5.08) (end 5.08 -5.08) (stroke (width 0.254)) (fill (type background)))
      (pin input line (at -7.62 2.54 0) (length 2.54) (name "+" (effects)) (number "3" (effects)))
      (pin input line (at -7.62 -2.54 0) (length 2.54) (name "-" (effects)) (number "2" (effects)))
      (pin output line (at 7.62 0 180) (length 2.54) (name "OUT" (effects)) (number "1" (effects))))
    (symbol "AMP2_2_1"
      (pin input line (at -7.62 2.54 0) (length 2.54) (name "+" (effects)) (number "5" (effects)))
      (pin input line (at -7.62 -2.54 0) (length 2.54) (name "-" (effects)) (number "6" (effects)))
      (pin output line (at 7.62 0 180) (length 2.54) (name "OUT" (effects)) (number "7" (effects))))))
)";

std::string EightPadsAndAnExposedPad() {
  std::string text =
      "(footprint \"SO8\" (version 20211014) (generator test_writer) (layer \"F.Cu\")\n"
      "  (fp_line (start -2 -2.5) (end 2 -2.5) (layer \"F.SilkS\") (width 0.12))\n";
  for (int pin = 1; pin <= 8; ++pin) {
    const double x = pin <= 4 ? -2.7 : 2.7;
    const double y = pin <= 4 ? -1.905 + 1.27 * (pin - 1) : 1.905 - 1.27 * (pin - 5);
    text += "  (pad \"" + std::to_string(pin) + "\" smd rect (at " + std::to_string(x) + " " +
            std::to_string(y) + ") (size 1.5 0.6) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))\n";
  }
  return text + "  (pad \"EP\" smd rect (at 0 0) (size 2 3) (layers \"F.Cu\" \"F.Mask\"))\n)\n";
}

class AppKicadLibrariesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteFileText(Path("Amplifiers.kicad_sym").str(), kAmplifiers);
    fs::create_directory(Path("Small.pretty").str());
    WriteFileText(Path("Small.pretty/SO8.kicad_mod").str(), EightPadsAndAnExposedPad());
    // The user once picked a library of each kind in this folder.
    CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CScmSymbolLibrary), Path("Amplifiers.kicad_sym"));
    CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CPcbSymbolLibrary), Path("Small.pretty"));
  }

  std::set<std::string> GridTexts() {
    CEditGrid& cells = Frame().GetGrid()->GetEditGrid();
    std::set<std::string> texts;
    for (long row = 0; row < cells.GetRows(); ++row)
      for (long col = 0; col < cells.GetCols(); ++col) texts.insert(cells.GetTextMatrix(row, col).str());
    return texts;
  }

  std::multiset<std::string> PadLabels() {
    std::multiset<std::string> labels;
    for (CPadInstance* pad : PlacedPads(*Frame().GetSymbolsFrame()->GetPcbView()))
      labels.insert(pad->GetPinNumberText() != nullptr ? pad->GetPinNumberText()->GetText().str() : "");
    return labels;
  }

  int PadsDrawn(bool pcb) {
    CSymbolsFrame* symbols = Frame().GetSymbolsFrame();
    const CSymbolView* view =
        pcb ? static_cast<const CSymbolView*>(symbols->GetPcbView()) : symbols->GetScmView();
    return view != nullptr ? static_cast<int>(PlacedPads(*view).size()) : 0;
  }
};

TEST_F(AppKicadLibrariesTest, AGateAndAPackageFromTheFieldsLibrariesShowSaveAndReopen) {
  ASSERT_TRUE(Open());
  const int scmPads = PadsDrawn(false);
  std::vector<CString> librariesListed;
  Screen().ExpectDialog(IDD_ADD_GATE, [&](CDialog& dialog, UserInput& input) {
    CWnd* libraries = dialog.GetDlgItem(IDC_SCM_LIBRARY_COMBO);
    const auto* combo = DynamicDowncast<CComboBox>(libraries);
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < combo->GetCount(); ++i) {
      CString text;
      combo->GetLBText(i, text);
      librariesListed.push_back(text);
    }
    EXPECT_TRUE(input.ChooseComboEntry(libraries, "Amplifiers.kicad_sym"));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "AMP2:B"));
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ADD_GATE));
  EXPECT_EQ(librariesListed, (std::vector<CString>{"Amplifiers.kicad_sym"}))
      << "the folder holds no JSON schematic library";
  EXPECT_EQ(PadsDrawn(false), scmPads + 5) << "three own pins and the two shared ones";
  EXPECT_TRUE(GridTexts().count("AMP2:B")) << ::testing::PrintToString(GridTexts());
  EXPECT_EQ(Frame().GetComponent(false)->FindGate(5)->CountPins(), 5);

  Screen().ExpectDialog(IDD_ADD_PACKAGE, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PACKAGE_COMBO), "SO-8"));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_LIBRARY_COMBO), "Small.pretty"));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_SYMBOL_COMBO), "SO8"));
    EXPECT_EQ(dialog.GetDlgItem(IDC_PCB_PIN_COUNT)->GetWindowText(), "9");
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ADD_PACKAGE));
  EXPECT_EQ(Frame().GetComponent(false)->GetPackage(), "SO-8");
  EXPECT_EQ(PadsDrawn(true), 9);
  EXPECT_EQ(PadLabels(), (std::multiset<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "EP"}))
      << "the exposed pad shows its own name";
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  CDesign saved;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(Library(), "QUAD-NAND2", saved, error)) << error.str();
  const CComponent* so8 = saved.FindComponent("QUAD-NAND2", "SO-8");
  ASSERT_NE(so8, nullptr);
  EXPECT_EQ(so8->GetPcbComponent()->GetLibrary(), "Small.pretty");
  EXPECT_EQ(so8->GetPinCount(), 9);

  Restart();
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "SO-8"));
  EXPECT_EQ(PadsDrawn(true), 9) << "drawn again from the footprint folder";
  EXPECT_EQ(PadsDrawn(false), scmPads + 5);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

}  // namespace
