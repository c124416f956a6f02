// Dialogs shown on a real (virtual) screen: simulated mouse and keyboard input must
// reach the platform's state through the peers, exactly as a user's would.
#include <wx/bmpcbox.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>

#include "editor/resources/resource_ids.h"
#include "gui/screenshot.h"
#include "gui/wx_peer.h"
#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "platform/property_sheet.h"
#include "tests/gui/screen_test_support.h"

namespace {

class LibraryDialog : public CDialog {
 public:
  LibraryDialog() : CDialog(19003) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_libraries.SubclassDlgItem(1030, this);
    for (const char* name : {"logic", "analog", "power"}) m_libraries.AddString(name);
    return TRUE;
  }
  CComboBox m_libraries;
};

// The PCB pin page lists the terminals on the pin: gate and terminal after a tab.
class PinPage : public CPropertyPage {
 public:
  PinPage() : CPropertyPage(IDD_PCB_PIN_PAGE) {}
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_PIN_NUMBER, "14");
    SetDlgItemText(IDC_PIN_NAME, "VCC");
    m_associations.SubclassDlgItem(IDC_PIN_ASSOCIATIONS, this);
    m_associations.SetTabStops(40);
    m_associations.AddString("A\t14 VCC");
    m_associations.AddString("B\t14 VCC");
    return TRUE;
  }
  CListBox m_associations;
};

// The display dialog's colour combos draw their colours.
class ColoursDialog : public CDialog {
 public:
  ColoursDialog() : CDialog(IDD_DISPLAY) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_outlines.SubclassDlgItem(IDC_COLOUR_OUTLINES, this);
    const std::pair<const char*, COLORREF> colours[] = {
        {"Red", RGB(255, 0, 0)}, {"Green", RGB(0, 160, 0)}, {"Blue", RGB(0, 0, 255)}};
    for (const auto& [name, colour] : colours) m_outlines.SetItemData(m_outlines.AddString(name), colour);
    m_outlines.SetCurSel(0);
    return TRUE;
  }
  CComboBox m_outlines;
};

// The screen point of the notebook tab showing page `page`, found by asking the
// notebook along its tab row.
wxPoint TabPoint(wxNotebook& book, int page) {
  for (int x = 2; x < book.GetSize().x; x += 3) {
    for (int y = 4; y < 40; y += 4) {
      if (book.HitTest(wxPoint(x, y)) == page) return book.ClientToScreen(wxPoint(x + 10, y));
    }
  }
  return book.GetScreenPosition();
}

class DialogScreenTest : public ScreenTest {};

TEST_F(DialogScreenTest, TypingAndChoosingReachThePlatformThenCancelEndsIt) {
  LibraryDialog dialog;
  wxUIActionSimulator sim;
  Script script;
  CComboBox& libraries = dialog.m_libraries;
  CString typed;
  CString chosen;
  int chosenIndex = -2;
  std::string screenshotError;
  bool screenshotSaved = false;

  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(1021))); });
  script.Then([&] { sim.Text("12"); });
  script.Then([&] { typed = dialog.GetDlgItem(1021)->GetWindowText(); });
  // A click gives the drop-down list the focus (and may open it); Escape closes it
  // and the arrow key moves to the first entry, as a keyboard user would.
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(1030))); });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] {
    chosenIndex = libraries.GetCurSel();
    chosen = libraries.GetWindowText();
  });
  script.Then([&] {
    screenshotSaved =
        SaveScreenshot(PeerWindow(dialog.m_hWnd), ArtifactPath("dialog-19003.png"), screenshotError);
  });
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(IDCANCEL))); });
  script.Start();

  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(typed, "12");
  EXPECT_EQ(chosenIndex, 0) << "the first library in sorted order was chosen";
  EXPECT_EQ(chosen, "analog");
  EXPECT_TRUE(screenshotSaved) << screenshotError;
  EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window goes with the modal loop";
}

TEST_F(DialogScreenTest, SheetTabsSwitchPagesAndTheTabbedListShowsColumns) {
  CPropertyPage componentPage(IDD_COMPONENT_PAGE);
  PinPage pinPage;
  CPropertySheet sheet("Pin Properties");
  sheet.AddPage(&componentPage);
  sheet.AddPage(&pinPage);
  wxUIActionSimulator sim;
  Script script;
  int activeAfterClick = -1;
  bool applyShownEnabled = true;
  wxString firstTerminal;
  int checkedAfterSwitch = -1;
  int boxHeightShort = -1;
  CString typedAfterSwitch;
  std::string screenshotError;
  bool screenshotSaved = false;

  script.Then([&] {
    auto* apply =
        dynamic_cast<wxButton*>(PeerWindow(sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW))->m_hWnd));
    applyShownEnabled = apply == nullptr || apply->IsEnabled();
    auto* book = dynamic_cast<wxNotebook*>(PeerWindow(sheet.GetTabControl()->m_hWnd));
    ASSERT_NE(book, nullptr);
    ClickAt(sim, TabPoint(*book, 1));
  });
  script.Then([&] {
    activeAfterClick = sheet.GetActiveIndex();
    if (auto* list = dynamic_cast<wxListCtrl*>(PeerWindow(pinPage.m_associations.m_hWnd))) {
      firstTerminal = list->GetItemText(0, 1);
    }
  });
  script.Then([&] {
    screenshotSaved =
        SaveScreenshot(PeerWindow(sheet.m_hWnd), ArtifactPath("property-sheet.png"), screenshotError);
    ClickAt(sim, TabPoint(*dynamic_cast<wxNotebook*>(PeerWindow(sheet.GetTabControl()->m_hWnd)), 0));
  });
  // Back on the first page, its check box and text field take clicks again.
  script.Then([&] { ClickAt(sim, CentreOf(componentPage.GetDlgItem(IDC_SCM_SHOW_REFERENCE))); });
  script.Then([&] {
    checkedAfterSwitch = static_cast<CButton*>(componentPage.GetDlgItem(IDC_SCM_SHOW_REFERENCE))->GetCheck();
    const wxWindow* box = PeerWindow(componentPage.GetDlgItem(IDC_SCM_SHOW_REFERENCE)->m_hWnd);
    boxHeightShort = box->GetBestSize().y - box->GetSize().y;
    ClickAt(sim, CentreOf(componentPage.GetDlgItem(IDC_DESCRIPTION)));
  });
  script.Then([&] { sim.Text("op"); });
  script.Then([&] {
    typedAfterSwitch = componentPage.GetDlgItem(IDC_DESCRIPTION)->GetWindowText();
    SaveScreenshot(PeerWindow(sheet.m_hWnd), ArtifactPath("property-sheet-after-switch.png"),
                   screenshotError);
    ClickAt(sim, CentreOf(sheet.GetDlgItem(IDOK)));
  });
  script.Start();

  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_FALSE(applyShownEnabled) << "nothing changed yet, so Apply is off on screen too";
  EXPECT_EQ(activeAfterClick, 1) << "a click on the second tab makes its page active";
  EXPECT_EQ(firstTerminal, "14 VCC") << "the text after the tab stands in its own column";
  EXPECT_EQ(checkedAfterSwitch, BST_CHECKED) << "a click after two switches of tabs ticks the box";
  EXPECT_EQ(typedAfterSwitch, "op") << "and a click gives the text field the keyboard";
  EXPECT_LE(boxHeightShort, 0) << "a check box lower than the toolkit's own warns on every layout";
  EXPECT_TRUE(screenshotSaved) << screenshotError;
}

TEST_F(DialogScreenTest, ColourCombosShowTheChosenColourAndTakeAnother) {
  ColoursDialog dialog;
  wxUIActionSimulator sim;
  Script script;
  wxColour shownBefore;
  int chosenIndex = -1;
  std::string screenshotError;
  bool screenshotSaved = false;

  script.Then([&] {
    const wxRect combo = PeerWindow(dialog.m_outlines.m_hWnd)->GetScreenRect();
    shownBefore = ScreenColourAt(wxPoint(combo.x + 14, combo.y + combo.height / 2));
    screenshotSaved =
        SaveScreenshot(PeerWindow(dialog.m_hWnd), ArtifactPath("dialog-19012.png"), screenshotError);
  });
  script.Then([&] { ClickAt(sim, CentreOf(&dialog.m_outlines)); });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] { chosenIndex = dialog.m_outlines.GetCurSel(); });
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(IDCANCEL))); });
  script.Start();

  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_GT(shownBefore.Red(), 200) << "the closed combo shows the red swatch of the chosen entry";
  EXPECT_LT(shownBefore.Green(), 60);
  EXPECT_EQ(chosenIndex, 1) << "the arrow key moved to the next colour";
  EXPECT_TRUE(screenshotSaved) << screenshotError;
}

}  // namespace
