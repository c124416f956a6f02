// The standard controls: state kept in the window, manipulated by messages, wrapped by
// thin C++ classes, changed by the user-input API with the system's notifications.
#include <functional>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/control_classes.h"
#include "platform/edit.h"
#include "platform/list_box.h"
#include "platform/resource_registry.h"
#include "platform/static_ctrl.h"
#include "tests/support/control_texts.h"
#include "tests/support/headless_test.h"

namespace {

struct Notification {
  int id;
  UINT code;
  bool operator==(const Notification&) const = default;
};

// A top-level window that records the control notifications it hears.
class RecordingParent : public CWnd {
 public:
  std::vector<Notification> heard;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) heard.push_back({static_cast<short>(LOWORD(wParam)), HIWORD(wParam)});
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<UINT> Codes(int id) const {
    std::vector<UINT> codes;
    for (const Notification& n : heard) {
      if (n.id == id) codes.push_back(n.code);
    }
    return codes;
  }
};

class ControlsTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(CreateParentWindow(parent));
  }
  void TearDown() override {
    parent.DestroyWindow();
    HeadlessTest::TearDown();
  }

  void MakeCombo(CComboBox& combo, DWORD style, UINT id = 100) {
    ASSERT_TRUE(combo.Create(style | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 110, 110), &parent, id));
  }

  RecordingParent parent;
};

// What a combo shows: the selected entry's index and the text.
std::string Shown(const CComboBox& combo) {
  return std::to_string(combo.GetCurSel()) + " " + combo.GetWindowText().str();
}

// --- combo boxes -------------------------------------------------------------------

TEST_F(ControlsTest, EntriesTakeTheirPlacesAndFindAndSelectSearchAfterTheStartAndWrapAroundIgnoringCase) {
  CComboBox sorted;
  MakeCombo(sorted, CBS_DROPDOWN | CBS_SORT);
  EXPECT_EQ(sorted.AddString("beta"), 0);
  EXPECT_EQ(sorted.AddString("Alpha"), 0);
  EXPECT_EQ(sorted.AddString("delta"), 2);
  EXPECT_EQ(sorted.AddString("Charlie"), 2);
  EXPECT_EQ(sorted.AddString("ALPHA"), 1);  // equal ignoring case: after the one already there
  EXPECT_EQ(ComboEntries(sorted), (std::vector<std::string>{"Alpha", "ALPHA", "beta", "Charlie", "delta"}));

  CComboBox unsorted;
  MakeCombo(unsorted, CBS_DROPDOWNLIST, 101);
  EXPECT_EQ(unsorted.FindStringExact(-1, "a"), CB_ERR) << "nothing to find in an empty sorted";
  EXPECT_EQ(unsorted.FindString(-1, ""), CB_ERR);
  EXPECT_EQ(unsorted.AddString("b"), 0);
  EXPECT_EQ(unsorted.AddString("a"), 1);
  EXPECT_EQ(ComboEntries(unsorted), (std::vector<std::string>{"b", "a"}));

  // Find and select search after the start and wrap around, ignoring case.
  CComboBox combo;
  MakeCombo(combo, CBS_DROPDOWN);
  for (const char* text : {"DIP8", "so8", "SOT23", "SO8"}) combo.AddString(text);

  EXPECT_EQ(combo.FindStringExact(-1, "SO8"), 1);  // from the beginning, case ignored
  EXPECT_EQ(combo.FindStringExact(1, "SO8"), 3);   // after entry 1
  EXPECT_EQ(combo.FindStringExact(3, "so8"), 1);   // wraps around
  EXPECT_EQ(combo.FindStringExact(0, "dip8"), 0);  // the start entry is tried last
  EXPECT_EQ(combo.FindStringExact(-1, "SO"), CB_ERR);
  EXPECT_EQ(combo.FindStringExact(-1, "SO8 "), CB_ERR);
  EXPECT_EQ(::SendMessage(combo.m_hWnd, CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("Sot23")), 2);

  // Prefix search, same rules.
  EXPECT_EQ(combo.FindString(-1, "so"), 1);
  EXPECT_EQ(combo.FindString(1, "so"), 2);
  EXPECT_EQ(combo.FindString(3, "S"), 1);
  EXPECT_EQ(combo.FindString(-1, "x"), CB_ERR);

  // Selecting by prefix, or keeping the selection when nothing matches.
  combo.SetCurSel(0);
  EXPECT_EQ(combo.SelectString(-1, "sot"), 2);
  EXPECT_EQ(combo.SelectString(-1, "QFN"), CB_ERR);
  EXPECT_EQ(Shown(combo), "2 SOT23");
}

TEST_F(ControlsTest, SelectingOrChoosingAnEntryShowsItsTextAndTypingClearsTheSelection) {
  CComboBox combo;
  MakeCombo(combo, CBS_DROPDOWN | CBS_SORT);
  for (const char* text : {"SO8", "DIP8", "SOT23"}) combo.AddString(text);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);

  EXPECT_EQ(combo.SetCurSel(1), 1);
  EXPECT_TRUE(parent.Codes(100).empty()) << "selecting from code sends no notification";

  // Text set from code keeps the list selection.
  EXPECT_EQ(Shown(combo), "1 SO8");
  combo.SetWindowText("typed by code");
  EXPECT_EQ(Shown(combo), "1 typed by code");

  // A user's typing replaces the text and clears the selection.
  ASSERT_TRUE(user.TypeComboText(&combo, "QFN"));
  EXPECT_EQ(Shown(combo), "-1 QFN");
  EXPECT_EQ(parent.Codes(100), (std::vector<UINT>{CBN_SETFOCUS, CBN_EDITUPDATE, CBN_EDITCHANGE}));

  // -1 clears the selection and the text, and reports CB_ERR.
  combo.SetCurSel(2);
  EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
  EXPECT_EQ(Shown(combo), "-1 ");
  EXPECT_EQ(combo.SetCurSel(7), CB_ERR);

  // A user's choice selects the entry, then notifies.
  parent.heard.clear();
  ASSERT_TRUE(user.ChooseComboEntry(&combo, "sot23"));
  EXPECT_EQ(Shown(combo), "2 SOT23");
  EXPECT_EQ(parent.Codes(100), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK}));

  EXPECT_FALSE(user.ChooseComboEntry(&combo, "TSSOP"));
  EXPECT_FALSE(user.ChooseComboIndex(&combo, 3));
  EXPECT_EQ(Shown(combo), "2 SOT23");
  ASSERT_TRUE(user.ChooseComboIndex(&combo, 0));
  EXPECT_EQ(Shown(combo), "0 DIP8");

  // Of two entries that differ only in case, the one spelled alike is chosen.
  combo.AddString("dip8");
  ASSERT_TRUE(user.ChooseComboEntry(&combo, "dip8"));
  EXPECT_EQ(combo.GetWindowText(), "dip8");
  ASSERT_TRUE(user.ChooseComboEntry(&combo, "DIP8"));
  EXPECT_EQ(combo.GetWindowText(), "DIP8");

  // A drop-down list's text is always the selected entry.
  CComboBox list;
  MakeCombo(list, CBS_DROPDOWNLIST | CBS_SORT);
  for (const char* text : {"logic", "analog", "power"}) list.AddString(text);

  EXPECT_FALSE(user.TypeComboText(&list, "analog")) << "a drop-down list cannot be typed into";
  EXPECT_EQ(list.GetWindowText(), "");

  // Text from code selects the entry it names, or is refused.
  list.SetWindowText("POWER");
  EXPECT_EQ(Shown(list), "2 power");
  EXPECT_EQ(::SendMessage(list.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("digital")), CB_ERR);
  EXPECT_EQ(Shown(list), "2 power");

  // Deleting the selected entry empties the text.
  EXPECT_EQ(list.DeleteString(2), 2);
  EXPECT_EQ(Shown(list), "-1 ");
}

TEST_F(ControlsTest, ItemDataStaysWithItsEntryAndAnOwnerDrawnComboKeepsColoursInIt) {
  CComboBox combo;
  MakeCombo(combo, CBS_DROPDOWN);
  for (const char* text : {"a", "b", "c"}) combo.AddString(text);
  for (int i = 0; i < 3; ++i) combo.SetItemData(i, 10 + i);
  combo.SetCurSel(2);
  EXPECT_EQ(combo.DeleteString(0), 2);
  EXPECT_EQ(Shown(combo), "1 c");
  EXPECT_EQ(combo.GetItemData(1), 12u);
  EXPECT_EQ(combo.DeleteString(5), CB_ERR);
  EXPECT_EQ(static_cast<LRESULT>(::SendMessage(combo.m_hWnd, CB_GETITEMDATA, 5)), CB_ERR);
  EXPECT_EQ(combo.SetItemData(5, 1), CB_ERR);

  combo.ResetContent();
  EXPECT_EQ(combo.GetCount(), 0);
  EXPECT_EQ(Shown(combo), "-1 ") << "the edit part is cleared too";

  // An owner-drawn colour combo keeps its colours as item data.
  CComboBox colours;
  MakeCombo(colours, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF green = RGB(0, 255, 0);
  EXPECT_EQ(::SendMessage(colours.m_hWnd, CB_ADDSTRING, 0, static_cast<LPARAM>(red)), 0);
  EXPECT_EQ(::SendMessage(colours.m_hWnd, CB_ADDSTRING, 0, static_cast<LPARAM>(green)), 1);
  // Without strings a search compares the item data.
  EXPECT_EQ(
      ::SendMessage(colours.m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), static_cast<LPARAM>(green)),
      1);
  colours.SetCurSel(1);
  // What a screen reads to draw the swatches.
  const ComboBoxData* data = GetComboBoxData(colours.m_hWnd);
  ASSERT_TRUE(data != nullptr && data->items.size() == 2u);
  EXPECT_EQ(std::make_tuple(data->items[0].data, data->items[1].data, data->curSel),
            std::make_tuple(red, green, 1));
}

// --- list boxes -------------------------------------------------------------------

TEST_F(ControlsTest, SortedListBoxWithTabStopsAndItemData) {
  CListBox list;
  ASSERT_TRUE(
      list.Create(WS_VISIBLE | LBS_SORT | LBS_USETABSTOPS | LBS_NOTIFY, CRect(0, 0, 100, 100), &parent, 200));
  EXPECT_EQ(list.AddString("Gate B\tTerminal 2"), 0);
  EXPECT_EQ(list.AddString("Gate A\tTerminal 2"), 0);
  EXPECT_EQ(list.AddString("Gate A\tTerminal 10"), 0);  // sorted as text: "1" before "2"
  CString text;
  list.GetText(2, text);
  EXPECT_EQ(text, "Gate B\tTerminal 2");
  EXPECT_EQ(list.FindStringExact(-1, "gate a\tterminal 2"), 1);
  EXPECT_EQ(list.FindStringExact(-1, "Gate C"), LB_ERR);

  const int stops[] = {40, 80};
  EXPECT_TRUE(list.SetTabStops(2, stops));
  EXPECT_EQ(GetListBoxData(list.m_hWnd)->tabStops, (std::vector<int>{40, 80}));

  list.SetItemData(1, 77);
  EXPECT_EQ((std::tuple{list.GetItemData(1), list.GetCurSel(), list.SetCurSel(2),
                        list.GetCurSel()}),  // braces read in order
            std::make_tuple(77u, LB_ERR, 2, 2));
  EXPECT_TRUE(parent.Codes(200).empty());

  ASSERT_TRUE(user.SelectListLine(&list, 0));
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_EQ(parent.Codes(200), (std::vector<UINT>{LBN_SELCHANGE}));
  EXPECT_FALSE(user.SelectListLine(&list, 3));
  ASSERT_TRUE(user.DoubleClickListLine(&list, 1));
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(parent.Codes(200), (std::vector<UINT>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_DBLCLK}));
  EXPECT_FALSE(user.DoubleClickListLine(&list, 3));

  CListBox plain;
  ASSERT_TRUE(plain.Create(WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 201));
  EXPECT_FALSE(plain.SetTabStops(2, stops)) << "tab stops need LBS_USETABSTOPS";
  EXPECT_EQ(plain.AddString("b"), 0);
  EXPECT_EQ(plain.AddString("a"), 1);
  ASSERT_TRUE(user.SelectListLine(&plain, 1));
  ASSERT_TRUE(user.DoubleClickListLine(&plain, 0));
  EXPECT_TRUE(parent.Codes(201).empty()) << "a list without LBS_NOTIFY tells nothing";
}

// --- edits ------------------------------------------------------------------------

TEST_F(ControlsTest, EditTextFromCodeSendsUpdateThenChange) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), &parent, 300));
  edit.SetWindowText("NAND2");
  EXPECT_EQ(parent.heard, (std::vector<Notification>{{300, EN_UPDATE}, {300, EN_CHANGE}}));

  // A multi-line edit does not tell about text set from code, as the system does.
  CEdit description;
  ASSERT_TRUE(
      description.Create(WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, CRect(0, 0, 100, 60), &parent, 301));
  description.SetWindowText("line 1\r\nline 2");
  EXPECT_TRUE(parent.Codes(301).empty());
  EXPECT_EQ(description.GetLineCount(), 2);
  // but a user's typing does.
  ASSERT_TRUE(user.TypeText(&description, "new"));
  EXPECT_EQ(parent.Codes(301), (std::vector<UINT>{EN_SETFOCUS, EN_UPDATE, EN_CHANGE}));

  // The focus moves with notifications.
  CComboBox combo;
  MakeCombo(combo, CBS_DROPDOWN, 302);
  parent.heard.clear();
  ASSERT_TRUE(user.Focus(&edit));
  ASSERT_TRUE(user.Focus(&combo));
  EXPECT_EQ(CWnd::GetFocus(), &combo);
  EXPECT_EQ(parent.heard,
            (std::vector<Notification>{
                {301, EN_KILLFOCUS}, {300, EN_SETFOCUS}, {300, EN_KILLFOCUS}, {302, CBN_SETFOCUS}}));
}

TEST_F(ControlsTest, EditSelectionIsNormalisedAndClampedAndStylesShapeWhatIsTyped) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 300));
  edit.SetWindowText("74HC00");
  const auto selection = [&] {
    std::pair<int, int> sel{-1, -1};
    edit.GetSel(sel.first, sel.second);
    return sel;
  };
  EXPECT_EQ(selection(), std::make_pair(0, 0));
  edit.SetSel(0, -1);
  EXPECT_EQ(selection(), std::make_pair(0, 6));
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELPARAM(0, 6)));
  edit.SetSel(4, 2);  // normalised
  EXPECT_EQ(selection(), std::make_pair(2, 4));
  edit.SetSel(3, 99);  // clamped
  EXPECT_EQ(selection(), std::make_pair(3, 6));
  edit.SetSel(-1, 0);  // no selection, caret kept
  EXPECT_EQ(selection(), std::make_pair(6, 6));

  // Edit styles shape what is typed, and a read-only edit refuses it.
  edit.SetWindowText("8");
  edit.SetReadOnly(TRUE);
  EXPECT_NE(edit.GetStyle() & ES_READONLY, 0u);
  parent.heard.clear();
  EXPECT_FALSE(user.TypeText(&edit, "14"));
  EXPECT_TRUE(edit.GetWindowText() == "8" && parent.heard.empty());

  edit.SetReadOnly(FALSE);
  EXPECT_EQ(edit.GetStyle() & ES_READONLY, 0u);
  ASSERT_TRUE(user.TypeText(&edit, "14"));
  EXPECT_TRUE(edit.GetWindowText() == "14" && CWnd::GetFocus() == &edit);
  EXPECT_EQ(parent.Codes(300), (std::vector<UINT>{EN_SETFOCUS, EN_UPDATE, EN_CHANGE}));

  CEdit upper;
  ASSERT_TRUE(upper.Create(WS_VISIBLE | ES_UPPERCASE, CRect(0, 0, 100, 20), &parent, 303));
  ASSERT_TRUE(user.TypeText(&upper, "u1a"));
  EXPECT_EQ(upper.GetWindowText(), "U1A");

  CEdit number;
  ASSERT_TRUE(number.Create(WS_VISIBLE | ES_NUMBER, CRect(0, 0, 100, 20), &parent, 301));
  EXPECT_FALSE(user.TypeText(&number, "12a"));
  EXPECT_TRUE(user.TypeText(&number, "12"));

  CEdit limited;
  ASSERT_TRUE(limited.Create(WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 302));
  limited.LimitText(3);
  ASSERT_TRUE(user.TypeText(&limited, "ABCDE"));
  EXPECT_EQ(limited.GetWindowText(), "ABC");
}

// --- buttons and statics ----------------------------------------------------------

TEST_F(ControlsTest, ButtonsCheckBoxesRadioGroupsAndLabels) {
  CButton box;
  ASSERT_TRUE(box.Create("PCB Symbol", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 80, 16), &parent, 400));
  EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
  box.SetCheck(BST_CHECKED);
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  box.SetCheck(BST_INDETERMINATE);  // a two-state box tops out at checked
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  EXPECT_TRUE(parent.heard.empty()) << "setting the check from code sends nothing";

  ASSERT_TRUE(user.Click(&box));
  EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(parent.Codes(400), (std::vector<UINT>{BN_CLICKED}));
  ASSERT_TRUE(user.SetCheck(&box, true));
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  ASSERT_TRUE(user.SetCheck(&box, true));  // already so: nothing to do
  EXPECT_EQ(parent.Codes(400).size(), 2u);

  // A check box that is not automatic only tells; the application decides.
  CButton manual;
  ASSERT_TRUE(manual.Create("Manual", WS_VISIBLE | BS_CHECKBOX, CRect(0, 20, 80, 36), &parent, 401));
  ASSERT_TRUE(user.Click(&manual));
  EXPECT_EQ(manual.GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(parent.Codes(401), (std::vector<UINT>{BN_CLICKED}));
  EXPECT_FALSE(user.SetCheck(&manual, true));

  parent.heard.clear();
  CButton push;
  CButton defaultPush;
  CButton group;
  ASSERT_TRUE(push.Create("Find Symbol...", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 20), &parent, 500));
  ASSERT_TRUE(defaultPush.Create("OK", WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(0, 20, 80, 40), &parent, IDOK));
  ASSERT_TRUE(group.Create("Associations", WS_VISIBLE | BS_GROUPBOX, CRect(0, 40, 80, 90), &parent, 501));
  EXPECT_EQ(push.GetCheck(), BST_UNCHECKED);
  push.SetCheck(BST_CHECKED);
  EXPECT_EQ(push.GetCheck(), BST_UNCHECKED) << "a push button has no check state";
  EXPECT_EQ(defaultPush.GetButtonStyle() & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  ASSERT_TRUE(user.Click(&push));
  ASSERT_TRUE(user.Click(&defaultPush));
  EXPECT_FALSE(user.Click(&group));
  EXPECT_EQ(parent.heard, (std::vector<Notification>{{500, BN_CLICKED}, {IDOK, BN_CLICKED}}));
  EXPECT_FALSE(user.SetCheck(&push, true));

  CButton first;
  CButton second;
  CButton other;
  ASSERT_TRUE(first.Create("1", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(), &parent, 510));
  ASSERT_TRUE(second.Create("2", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(), &parent, 511));
  ASSERT_TRUE(other.Create("3", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(), &parent, 512));
  other.SetCheck(BST_CHECKED);
  ASSERT_TRUE(user.Click(&first));
  ASSERT_TRUE(user.Click(&second));
  EXPECT_EQ(std::make_tuple(first.GetCheck(), second.GetCheck(), other.GetCheck()),
            std::make_tuple(BST_UNCHECKED, BST_CHECKED, BST_CHECKED))
      << "another group is left alone";
  EXPECT_FALSE(user.SetCheck(&second, false)) << "a radio button is not unchecked by a click";

  CStatic label;
  ASSERT_TRUE(label.Create("Pins:", WS_VISIBLE | SS_LEFT, CRect(0, 0, 40, 12), &parent));
  EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
  label.SetWindowText("Gates:");
  EXPECT_EQ(label.GetWindowText(), "Gates:");
  EXPECT_EQ(label.m_hWnd->className, "STATIC");
  EXPECT_FALSE(user.Click(&label)) << "a label is not clicked";
  EXPECT_FALSE(user.TypeText(&label, "x"));
}

// --- what a user cannot do --------------------------------------------------------

TEST_F(ControlsTest, DisabledOrHiddenControlsRefuseEveryAction) {
  CButton box;
  CEdit edit;
  CComboBox combo;
  CListBox list;
  ASSERT_TRUE(box.Create("x", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(), &parent, 1));
  ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(), &parent, 2));
  MakeCombo(combo, CBS_DROPDOWN, 3);
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY, CRect(), &parent, 4));
  combo.AddString("a");
  list.AddString("a");

  for (CWnd* control : std::vector<CWnd*>{&box, &edit, &combo, &list}) control->EnableWindow(FALSE);
  EXPECT_EQ(
      std::vector<bool>({user.Click(&box), user.SetCheck(&box, true), user.TypeText(&edit, "a"),
                         user.ChooseComboEntry(&combo, "a"), user.ChooseComboIndex(&combo, 0),
                         user.TypeComboText(&combo, "a"), user.SelectListLine(&list, 0), user.Focus(&edit)}),
      std::vector<bool>(8, false));

  for (CWnd* control : std::vector<CWnd*>{&box, &edit, &combo, &list}) control->EnableWindow(TRUE);
  parent.ShowWindow(SW_HIDE);  // hidden with its parent
  EXPECT_FALSE(user.SelectListLine(&list, 0));
  parent.ShowWindow(SW_SHOW);

  EXPECT_TRUE(parent.heard.empty());
  EXPECT_EQ(std::make_tuple(box.GetCheck(), edit.GetWindowText(), combo.GetCurSel(), list.GetCurSel()),
            std::make_tuple(BST_UNCHECKED, CString(), CB_ERR, LB_ERR));
  EXPECT_FALSE(user.Click(nullptr));
  EXPECT_FALSE(user.Click(&edit)) << "an edit is not a button";
}

// --- peers follow every change -----------------------------------------------------

class RecordingPeer : public WindowPeer {
 public:
  RecordingPeer(HWND hwnd, std::vector<std::pair<HWND, WindowChange>>& log) : m_hwnd(hwnd), m_log(log) {}
  void OnChanged(WindowChange change) override { m_log.emplace_back(m_hwnd, change); }

 private:
  HWND m_hwnd;
  std::vector<std::pair<HWND, WindowChange>>& m_log;
};

class PeerBackend : public HeadlessBackend {
 public:
  std::vector<std::pair<HWND, WindowChange>> log;
  std::unique_ptr<WindowPeer> CreatePeer(HWND hwnd) override {
    return std::make_unique<RecordingPeer>(hwnd, log);
  }
};

TEST_F(ControlsTest, EveryStateChangeTellsThePeer) {
  auto owned = std::make_unique<PeerBackend>();
  PeerBackend* screen = owned.get();
  std::unique_ptr<Backend> previous = SetCurrentBackend(std::move(owned));
  {
    CComboBox combo;
    CEdit edit;
    CButton box;
    CListBox list;
    MakeCombo(combo, CBS_DROPDOWN | CBS_SORT, 20);
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(), &parent, 21));
    ASSERT_TRUE(box.Create("x", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(), &parent, 22));
    ASSERT_TRUE(list.Create(WS_VISIBLE, CRect(), &parent, 23));
    // What the peer of `control` was told while `change` ran.
    const auto told = [&](const CWnd& control, const std::function<void()>& change) {
      screen->log.clear();
      change();
      std::vector<WindowChange> changes;
      for (const auto& [hwnd, what] : screen->log) {
        if (hwnd == control.m_hWnd) changes.push_back(what);
      }
      return changes;
    };
    using Told = std::vector<WindowChange>;
    const Told content{WindowChange::Content};
    EXPECT_EQ(told(combo, [&] { combo.AddString("a"); }), content);
    EXPECT_EQ(told(combo, [&] { combo.SetCurSel(0); }), (Told{WindowChange::Content, WindowChange::Text}));
    EXPECT_EQ(told(combo, [&] { combo.SetItemData(0, RGB(1, 2, 3)); }), content);
    EXPECT_EQ(told(edit, [&] { edit.SetWindowText("t"); }), Told{WindowChange::Text});
    EXPECT_EQ(told(edit, [&] { edit.SetSel(0, -1); }), content);
    EXPECT_EQ(told(edit, [&] { edit.SetReadOnly(TRUE); }), Told{WindowChange::Style});
    EXPECT_EQ(told(box, [&] { box.SetCheck(BST_CHECKED); }), content);
    EXPECT_EQ(told(list, [&] { list.AddString("line"); }), content);
    EXPECT_EQ(told(list, [&] { list.SetCurSel(0); }), content);
  }
  SetCurrentBackend(std::move(previous));
}

}  // namespace
