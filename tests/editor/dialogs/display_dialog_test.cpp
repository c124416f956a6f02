// The Display dialog: the nine colours as stored, a missing one shown as the palette
// entry the drawings take for it; OK stores all nine, changed or not. (Cancel is the
// frame's Display test.)
#include "editor/dialogs/display_dialog.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/views/view_colours.h"
#include "platform/app_registry.h"
#include "platform/combo_box.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

using Colours = std::map<std::string, std::string>;

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

class DisplayDialogTest : public EditorTest {
 protected:
  // Runs the dialog; shows the entry each combo has selected, then OK.
  Colours RunAndStore(const char* text = nullptr) {
    Colours shown;
    CDisplayDialog dialog(&Design());
    Screen().ExpectDialog(IDD_DISPLAY, [&](CDialog& dlg, UserInput&) {
      for (const auto& [name, id] : kControls) {
        auto* combo = static_cast<CComboBox*>(dlg.GetDlgItem(id));
        CString entry = "(none)";
        if (combo->GetCurSel() != CB_ERR) combo->GetLBText(combo->GetCurSel(), entry);
        shown[name] = entry.str();
      }
      if (text != nullptr) user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_TEXT), text);
      user.Click(dlg.GetDlgItem(IDOK));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
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
};

TEST_F(DisplayDialogTest, WithNothingStoredTheColoursAreThePalettesFirstNineAndOkStoresThem) {
  const Colours shown = RunAndStore();
  const char* const palette[] = {"Black",      "Green", "Blue",       "Cyan",     "Yellow",
                                 "Light Blue", "Brown", "Dark Green", "Dark Blue"};
  ASSERT_EQ(Settings().Writes().size(), 9u);
  const auto written = Written();
  for (size_t i = 0; i < std::size(kControls); ++i) {
    EXPECT_EQ(shown.at(kControls[i].first), palette[i]) << kControls[i].first;
    EXPECT_EQ(written.at(kControls[i].first), kViewColourPalette[i]) << kControls[i].first;
  }
}

TEST_F(DisplayDialogTest, AMissingValueTakesTheNextPaletteEntryAndOkKeepsWhatWasNotChanged) {
  for (const auto& [name, id] : kControls)
    if (std::string(name) != "Text") Store(name, RGB(255, 255, 255));
  // A colour that is not one of the combo's own is shown by its number.
  Store("Highlight", RGB(0x12, 0x34, 0x56));
  Settings().ClearWrites();
  const Colours shown = RunAndStore("Red");
  EXPECT_EQ(shown.at("Text"), "Black") << "the first entry: the only value missing";
  EXPECT_EQ(shown.at("Highlight"), "#123456");
  EXPECT_EQ(shown.at("PinNumbers"), "White");
  const auto written = Written();
  ASSERT_EQ(written.size(), 9u);
  EXPECT_EQ(written.at("Text"), RGB(255, 0, 0));
  EXPECT_EQ(written.at("Highlight"), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(written.at("Background"), RGB(255, 255, 255));
}

}  // namespace
