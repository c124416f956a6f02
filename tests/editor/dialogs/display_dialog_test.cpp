// The frame's Display command and its dialog: the nine colours as stored, a missing one
// shown as the palette entry the drawings take for it; OK stores all nine, changed or
// not, and the drawings take them at once; Cancel stores nothing; neither opens an undo
// level nor ends a pin assignment running in the drawings.

#include <map>

#include "editor/views/view_colours.h"
#include "host/model/design_colours.h"
#include "platform/app_registry.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

// The colour combos in the dialog's order, and the names their colours are stored under.
constexpr int kCombos[] = {IDC_COLOUR_BACKGROUND, IDC_COLOUR_ASSIGNED_PINS,  IDC_COLOUR_UNASSIGNED_PINS,
                           IDC_COLOUR_TEXT,       IDC_COLOUR_OUTLINES,       IDC_COLOUR_SELECTION,
                           IDC_COLOUR_HIGHLIGHT,  IDC_COLOUR_TERMINAL_NAMES, IDC_COLOUR_TERMINAL_NUMBERS};
constexpr const char* kNames[] = {"Background", "AssignedPins", "UnassignedPins", "Text",      "Outlines",
                                  "Selection",  "Highlight",    "PinNames",       "PinNumbers"};

class DisplayTest : public SampleEditorTest {
 protected:
  // Runs Display: reads the entry each combo shows, chooses `text` in the combo of
  // `name`, and presses `button`; returns what was shown, and puts what was written, by
  // name, in `written`.
  std::string Display(int button, const char* name, const char* text) {
    std::string shown;
    Settings().ClearWrites();
    Screen().ExpectDialog(IDD_DISPLAY, [&](CDialog& dlg, UserInput&) {
      for (size_t i = 0; i < std::size(kCombos); ++i) {
        auto* combo = static_cast<CComboBox*>(dlg.GetDlgItem(kCombos[i]));
        CString entry = "(none)";
        if (combo->GetCurSel() != CB_ERR) combo->GetLBText(combo->GetCurSel(), entry);
        shown += entry.str() + (i + 1 < std::size(kCombos) ? "," : "");
        if (std::string(name) == kNames[i]) user.ChooseComboEntry(combo, text);
      }
      user.Click(dlg.GetDlgItem(button));
    });
    Frame().OnDisplay();
    written.clear();
    for (const SettingsWrite& write : Settings().Writes()) {
      EXPECT_EQ(write.key, kViewColoursKey);
      written[write.name] = std::stoul(write.value);
    }
    return shown;
  }

  std::map<std::string, COLORREF> written;
};

TEST_F(DisplayTest, ThePaletteFillsWhatIsNotStoredAndOkStoresAllNineAndTheDrawingsTakeThemAtOnce) {
  const auto backgrounds = [&] {
    return std::vector<COLORREF>{ScmView().GetViewDesign()->GetDesignColours()->GetBackground(),
                                 PcbView().GetViewDesign()->GetDesignColours()->GetBackground()};
  };
  Frame().OnAssignPins();
  ClearRecords();
  Display(IDCANCEL, "Background", "White");
  EXPECT_TRUE(written.empty() && Hints().All().empty());
  EXPECT_EQ(backgrounds(), std::vector<COLORREF>(2, kViewColourPalette[0]));

  EXPECT_EQ(Display(IDOK, "Background", "White"),
            "Black,Green,Blue,Cyan,Yellow,Light Blue,Brown,Dark Green,Dark Blue");
  EXPECT_EQ(Settings().Writes().size(), 9u);
  for (size_t i = 0; i < std::size(kNames); ++i)
    EXPECT_EQ(written[kNames[i]], i == 0 ? RGB(255, 255, 255) : kViewColourPalette[i]) << i;
  EXPECT_EQ(backgrounds(), std::vector<COLORREF>(2, RGB(255, 255, 255)));
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintColours});
  EXPECT_EQ(Hints().All()[0].object, nullptr);
  EXPECT_TRUE(UndoLevels().Events().empty());
  EXPECT_TRUE(Design().IsUndoLevelOpen()) << "the run's level is still open";

  // A missing value takes the next palette entry (the first: the only value missing); a
  // colour that is not one of the combo's own is shown by its number; OK keeps what was
  // not changed.
  for (const char* name : kNames) {
    const COLORREF colour = std::string(name) == "Highlight" ? RGB(0x12, 0x34, 0x56) : RGB(255, 255, 255);
    ASSERT_TRUE(CAppRegistry(kViewColoursKey).SetValue(name, static_cast<unsigned long>(colour)));
  }
  ASSERT_TRUE(CAppRegistry(kViewColoursKey).DeleteValue("Text"));
  EXPECT_EQ(Display(IDOK, "Outlines", "Red"), "White,White,White,Black,White,White,#123456,White,White");
  EXPECT_EQ(written.size(), 9u);
  EXPECT_EQ((std::vector<COLORREF>{written["Outlines"], written["Text"], written["Highlight"]}),
            (std::vector<COLORREF>{RGB(255, 0, 0), kViewColourPalette[0], RGB(0x12, 0x34, 0x56)}));
}

}  // namespace
