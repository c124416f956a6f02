// Dialogs shown on a real (virtual) screen: simulated mouse and keyboard input must
// reach the platform's state through the peers, exactly as a user's would.
#include <wx/bmpcbox.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>

#include <functional>

#include "editor/resources/resource_ids.h"
#include "gui/wx_peer.h"
#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "platform/property_sheet.h"
#include "tests/gui/screen_test_support.h"

namespace {

// A dialog or page of the product's templates, set up by the test when it opens.
template <class Base>
class Scene : public Base {
 public:
  Scene(UINT id, std::function<void(Base&)> setUp) : Base(id), m_setUp(std::move(setUp)) {}
  BOOL OnInitDialog() override {
    Base::OnInitDialog();
    m_setUp(*this);
    return TRUE;
  }

 private:
  std::function<void(Base&)> m_setUp;
};

// The screen point of the sheet's tab showing page `page`, found by asking the notebook
// along its tab row.
wxPoint TabPoint(CPropertySheet& sheet, int page) {
  wxNotebook& book = *dynamic_cast<wxNotebook*>(PeerWindow(sheet.GetTabControl()->m_hWnd));
  for (int x = 2; x < book.GetSize().x; x += 3) {
    for (int y = 4; y < 40; y += 4) {
      if (book.HitTest(wxPoint(x, y)) == page) return book.ClientToScreen(wxPoint(x + 10, y));
    }
  }
  return book.GetScreenPosition();
}

class DialogScreenTest : public ScreenTest {};

TEST_F(DialogScreenTest, TypingAndChoosingReachThePlatformThenCancelEndsIt) {
  CComboBox libraries;
  Scene<CDialog> dialog(19003, [&](CDialog& self) {
    libraries.SubclassDlgItem(1030, &self);
    for (const char* name : {"logic", "analog", "power"}) libraries.AddString(name);
  });
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(1021))); });
  script.Then([&] { sim.Text("12"); });
  script.Then([&] { Saw("typed ", dialog.GetDlgItem(1021)->GetWindowText().str()); });
  // A click gives the drop-down list the focus (and may open it); Escape closes it
  // and the arrow key moves to the first entry, as a keyboard user would.
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(1030))); });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] {
    Saw("chosen ", libraries.GetCurSel(), " ", libraries.GetWindowText().str());
    Screenshot(&dialog, "dialog-19003.png");
  });
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(IDCANCEL))); });
  script.Start();

  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(seen, "typed 12\nchosen 0 analog\n");  // the first library in sorted order
  EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window goes with the modal loop";
}

TEST_F(DialogScreenTest, SheetTabsSwitchPagesAndTheTabbedListShowsColumns) {
  CPropertyPage componentPage(IDD_COMPONENT_PAGE);
  // The PCB pin page lists the terminals on the pin: gate and terminal after a tab.
  CListBox associations;
  Scene<CPropertyPage> pinPage(IDD_PCB_PIN_PAGE, [&](CPropertyPage& self) {
    self.SetDlgItemText(IDC_PIN_NUMBER, "14");
    self.SetDlgItemText(IDC_PIN_NAME, "VCC");
    associations.SubclassDlgItem(IDC_PIN_ASSOCIATIONS, &self);
    associations.SetTabStops(40);
    for (const char* line : {"A\t14 VCC", "B\t14 VCC"}) associations.AddString(line);
  });
  CPropertySheet sheet("Pin Properties");
  sheet.AddPage(&componentPage);
  sheet.AddPage(&pinPage);
  script.Then([&] {
    auto* apply =
        dynamic_cast<wxButton*>(PeerWindow(sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW))->m_hWnd));
    Saw("Apply shown on ", apply == nullptr || apply->IsEnabled());
    ClickAt(sim, TabPoint(sheet, 1));
  });
  script.Then([&] {
    auto* list = dynamic_cast<wxListCtrl*>(PeerWindow(associations.m_hWnd));
    Saw("page ", sheet.GetActiveIndex(), ", column 2: ", list ? list->GetItemText(0, 1) : wxString());
    Screenshot(&sheet, "property-sheet.png");
    ClickAt(sim, TabPoint(sheet, 0));
  });
  // Back on the first page, its check box and text field take clicks again.
  script.Then([&] { ClickAt(sim, CentreOf(componentPage.GetDlgItem(IDC_SCM_SHOW_REFERENCE))); });
  script.Then([&] {
    auto* box = static_cast<CButton*>(componentPage.GetDlgItem(IDC_SCM_SHOW_REFERENCE));
    const wxWindow* shown = PeerWindow(box->m_hWnd);
    Saw("ticked ", box->GetCheck() == BST_CHECKED, ", lower than the toolkit's ",
        shown->GetBestSize().y > shown->GetSize().y);
    ClickAt(sim, CentreOf(componentPage.GetDlgItem(IDC_DESCRIPTION)));
  });
  script.Then([&] { sim.Text("op"); });
  script.Then([&] {
    Saw("typed ", componentPage.GetDlgItem(IDC_DESCRIPTION)->GetWindowText().str());
    Screenshot(&sheet, "property-sheet-after-switch.png");
    ClickAt(sim, CentreOf(sheet.GetDlgItem(IDOK)));
  });
  script.Start();

  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(seen,
            "Apply shown on 0\n"                      // nothing changed yet
            "page 1, column 2: 14 VCC\n"              // the text after the tab stands in its own column
            "ticked 1, lower than the toolkit's 0\n"  // a lower box warns on every layout
            "typed op\n");                            // after two switches of tabs
}

// The display dialog's colour combos draw their colours.
TEST_F(DialogScreenTest, ColourCombosShowTheChosenColourAndTakeAnother) {
  CComboBox outlines;
  Scene<CDialog> dialog(IDD_DISPLAY, [&](CDialog& self) {
    outlines.SubclassDlgItem(IDC_COLOUR_OUTLINES, &self);
    const std::pair<const char*, COLORREF> colours[] = {
        {"Red", RGB(255, 0, 0)}, {"Green", RGB(0, 160, 0)}, {"Blue", RGB(0, 0, 255)}};
    for (const auto& [name, colour] : colours) outlines.SetItemData(outlines.AddString(name), colour);
    outlines.SetCurSel(0);
  });
  script.Then([&] {
    const wxRect combo = PeerWindow(outlines.m_hWnd)->GetScreenRect();
    Saw("swatch ", RedOrColourAt(wxPoint(combo.x + 14, combo.y + combo.height / 2)));
    Screenshot(&dialog, "dialog-19012.png");
  });
  script.Then([&] { ClickAt(sim, CentreOf(&outlines)); });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] {
    Saw("chosen ", outlines.GetCurSel());
    ClickAt(sim, CentreOf(dialog.GetDlgItem(IDCANCEL)));
  });
  script.Start();

  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  // The closed combo shows the swatch of the chosen entry; the arrow key moves to the next.
  EXPECT_EQ(seen, "swatch red\nchosen 1\n");
}

}  // namespace
