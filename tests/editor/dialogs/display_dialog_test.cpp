// The Display dialog: the nine colours as stored, a missing one shown as the palette
// entry the drawings take for it; OK stores all nine, changed or not, and Cancel none.
#include "editor/dialogs/display_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/views/view_colours.h"
#include "platform/app_registry.h"
#include "platform/combo_box.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

// The colour each combo shows, by the value it stores, in the dialog's reading order.
using Shown = std::vector<std::pair<std::string, std::string>>;

struct ColourControl {
  const char* name;
  int id;
};

constexpr ColourControl kControls[] = {
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

// The name of the entry the combo shows selected.
std::string SelectedName(CDialog& dlg, int id) {
  auto* combo = static_cast<CComboBox*>(dlg.GetDlgItem(id));
  const int selected = combo->GetCurSel();
  if (selected == CB_ERR) return "(none)";
  CString name;
  combo->GetLBText(selected, name);
  return name.str();
}

Shown ShownColours(CDialog& dlg) {
  Shown shown;
  for (const ColourControl& control : kControls)
    shown.emplace_back(control.name, SelectedName(dlg, control.id));
  return shown;
}

class DisplayDialogTest : public EditorTest {
 protected:
  // Runs the dialog on the (empty) design; `act` plays the user and must end it.
  INT_PTR Run(const std::function<void(CDialog&)>& act) {
    CDisplayDialog dialog(&Design());
    Screen().ExpectDialog(IDD_DISPLAY, [&](CDialog& dlg, UserInput&) { act(dlg); });
    return dialog.DoModal();
  }

  void Store(const char* name, COLORREF colour) {
    ASSERT_TRUE(CAppRegistry(kViewColoursKey).SetValue(name, static_cast<unsigned long>(colour)));
  }

  // The stored values written, in order, as name and number.
  std::vector<std::pair<std::string, unsigned long>> Written() {
    std::vector<std::pair<std::string, unsigned long>> written;
    for (const SettingsWrite& write : Settings().Writes()) {
      EXPECT_EQ(write.key, kViewColoursKey);
      written.emplace_back(write.name, std::stoul(write.value));
    }
    return written;
  }
};

TEST_F(DisplayDialogTest, WithNothingStoredTheColoursAreThePalettesFirstNineAndOkStoresThem) {
  Shown shown;
  EXPECT_EQ(Run([&](CDialog& dlg) {
              shown = ShownColours(dlg);
              user.Click(dlg.GetDlgItem(IDOK));
            }),
            IDOK);
  EXPECT_EQ(shown, (Shown{{"Background", "Black"},
                          {"AssignedPins", "Green"},
                          {"UnassignedPins", "Blue"},
                          {"Text", "Cyan"},
                          {"Outlines", "Yellow"},
                          {"Selection", "Light Blue"},
                          {"Highlight", "Brown"},
                          {"PinNames", "Dark Green"},
                          {"PinNumbers", "Dark Blue"}}));
  // All nine, in the order of the dialog's combos.
  EXPECT_EQ(Written(), (std::vector<std::pair<std::string, unsigned long>>{
                           {"UnassignedPins", kViewColourPalette[2]},
                           {"Text", kViewColourPalette[3]},
                           {"Outlines", kViewColourPalette[4]},
                           {"Selection", kViewColourPalette[5]},
                           {"Highlight", kViewColourPalette[6]},
                           {"Background", kViewColourPalette[0]},
                           {"AssignedPins", kViewColourPalette[1]},
                           {"PinNames", kViewColourPalette[7]},
                           {"PinNumbers", kViewColourPalette[8]},
                       }));
}

TEST_F(DisplayDialogTest, AMissingValueTakesTheNextPaletteEntryNotItsOwnPlace) {
  for (const ColourControl& control : kControls) {
    if (std::string(control.name) != "Text") Store(control.name, RGB(255, 255, 255));
  }
  // A colour that is not one of the combo's own is shown by its number.
  Store("Highlight", RGB(0x12, 0x34, 0x56));
  Shown shown;
  Run([&](CDialog& dlg) {
    shown = ShownColours(dlg);
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
  EXPECT_EQ(shown, (Shown{{"Background", "White"},
                          {"AssignedPins", "White"},
                          {"UnassignedPins", "White"},
                          {"Text", "Black"},
                          {"Outlines", "White"},
                          {"Selection", "White"},
                          {"Highlight", "#123456"},
                          {"PinNames", "White"},
                          {"PinNumbers", "White"}}));
}

TEST_F(DisplayDialogTest, OkStoresTheColourChosenAndKeepsTheOthers) {
  Store("Background", RGB(255, 255, 255));
  Store("Highlight", RGB(0x12, 0x34, 0x56));
  Settings().ClearWrites();
  Run([&](CDialog& dlg) {
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_TEXT), "Red");
    user.Click(dlg.GetDlgItem(IDOK));
  });
  const auto written = Written();
  ASSERT_EQ(written.size(), 9u);
  EXPECT_EQ(written[1], (std::pair<std::string, unsigned long>{"Text", RGB(255, 0, 0)}));
  EXPECT_EQ(written[4], (std::pair<std::string, unsigned long>{"Highlight", RGB(0x12, 0x34, 0x56)}));
  EXPECT_EQ(written[5], (std::pair<std::string, unsigned long>{"Background", RGB(255, 255, 255)}));
  // The fallbacks count only the values missing: assigned pins take the first entry.
  EXPECT_EQ(written[6], (std::pair<std::string, unsigned long>{"AssignedPins", kViewColourPalette[0]}));
}

TEST_F(DisplayDialogTest, CancelStoresNothing) {
  EXPECT_EQ(Run([&](CDialog& dlg) {
              user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_BACKGROUND), "White");
              user.Click(dlg.GetDlgItem(IDCANCEL));
            }),
            IDCANCEL);
  EXPECT_TRUE(Settings().Writes().empty());
}

}  // namespace
