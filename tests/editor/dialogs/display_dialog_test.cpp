// The frame's Display command and its dialog: the nine colours as stored, a missing one
// shown as the palette entry the drawings take for it; OK stores all nine, changed or
// not, and the drawings take them at once; Cancel stores nothing; neither opens an undo
// level nor ends a pin assignment running in the drawings.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editor/views/view_colours.h"
#include "host/model/design_colours.h"
#include "platform/app_registry.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

using Texts = std::vector<std::string>;

constexpr std::pair<const char*, int> kControls[] = {
    {"Background", IDC_COLOUR_BACKGROUND},
    {"AssignedPins", IDC_COLOUR_ASSIGNED_PINS},
    {"UnassignedPins", IDC_COLOUR_UNASSIGNED_PINS},
    {"Text", IDC_COLOUR_TEXT},
    {"Outlines", IDC_COLOUR_OUTLINES},
    {"Selection", IDC_COLOUR_SELECTION},
    {"Highlight", IDC_COLOUR_HIGHLIGHT},
    {"PinNames", IDC_COLOUR_TERMINAL_NAMES},
    {"PinNumbers", IDC_COLOUR_TERMINAL_NUMBERS},
};

class DisplayTest : public SampleEditorTest {
 protected:
  // Runs Display: reads the entry each combo shows, in the order above, chooses `text`
  // for the combo of `name` unless null, and presses `button`.
  Texts Display(int button, const char* name = nullptr, const char* text = nullptr) {
    Texts shown;
    Screen().ExpectDialog(IDD_DISPLAY, [&](CDialog& dlg, UserInput&) {
      for (const auto& [colour, id] : kControls) {
        auto* combo = static_cast<CComboBox*>(dlg.GetDlgItem(id));
        CString entry = "(none)";
        if (combo->GetCurSel() != CB_ERR) combo->GetLBText(combo->GetCurSel(), entry);
        shown.push_back(entry.str());
        if (name != nullptr && std::string(name) == colour) user.ChooseComboEntry(combo, text);
      }
      user.Click(dlg.GetDlgItem(button));
    });
    Frame().OnDisplay();
    return shown;
  }
  void Store(const char* name, COLORREF colour) {
    ASSERT_TRUE(CAppRegistry(kViewColoursKey).SetValue(name, static_cast<unsigned long>(colour)));
  }
  // The values written, by name.
  std::map<std::string, unsigned long> Written() {
    std::map<std::string, unsigned long> written;
    for (const SettingsWrite& write : Settings().Writes()) {
      EXPECT_EQ(write.key, kViewColoursKey);
      written[write.name] = std::stoul(write.value);
    }
    return written;
  }
  std::vector<COLORREF> Backgrounds() {
    return {ScmView().GetViewDesign()->GetDesignColours()->GetBackground(),
            PcbView().GetViewDesign()->GetDesignColours()->GetBackground()};
  }
};

TEST_F(DisplayTest, ThePaletteFillsWhatIsNotStoredAndOkStoresAllNineAndTheDrawingsTakeThemAtOnce) {
  Frame().OnAssignPins();
  ClearRecords();
  Display(IDCANCEL, "Background", "White");
  EXPECT_TRUE(Settings().Writes().empty());
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_EQ(Backgrounds(), std::vector<COLORREF>(2, kViewColourPalette[0]));

  EXPECT_EQ(Display(IDOK, "Background", "White"), (Texts{"Black", "Green", "Blue", "Cyan", "Yellow",
                                                         "Light Blue", "Brown", "Dark Green", "Dark Blue"}));
  auto written = Written();
  EXPECT_EQ(Settings().Writes().size(), 9u);
  EXPECT_EQ(written["Background"], RGB(255, 255, 255));
  for (size_t i = 1; i < std::size(kControls); ++i)
    EXPECT_EQ(written[kControls[i].first], kViewColourPalette[i]) << kControls[i].first;
  EXPECT_EQ(Backgrounds(), std::vector<COLORREF>(2, RGB(255, 255, 255)));
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintColours});
  EXPECT_EQ(Hints().All()[0].object, nullptr);
  EXPECT_TRUE(UndoLevels().Events().empty());
  EXPECT_TRUE(Design().IsUndoLevelOpen()) << "the run's level is still open";

  // A missing value takes the next palette entry; OK keeps what was not changed.
  for (const auto& [name, id] : kControls) Store(name, RGB(255, 255, 255));
  ASSERT_TRUE(CAppRegistry(kViewColoursKey).DeleteValue("Text"));
  // A colour that is not one of the combo's own is shown by its number.
  Store("Highlight", RGB(0x12, 0x34, 0x56));
  Settings().ClearWrites();
  const Texts shown = Display(IDOK, "Outlines", "Red");
  EXPECT_EQ(shown[3], "Black") << "the first entry: the only value missing";
  EXPECT_EQ(shown[6], "#123456");
  EXPECT_EQ(shown[8], "White");
  written = Written();
  EXPECT_EQ(written.size(), 9u);
  EXPECT_EQ(written["Outlines"], RGB(255, 0, 0));
  EXPECT_EQ(written["Text"], kViewColourPalette[0]);
  EXPECT_EQ(written["Highlight"], RGB(0x12, 0x34, 0x56));
}

}  // namespace
