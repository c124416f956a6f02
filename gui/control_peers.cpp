#include "gui/control_peers.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/odcombo.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/control_classes.h"
#include "platform/cwnd.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_box.h"
#include "platform/resource_registry.h"
#include "platform/user_input.h"

namespace {

wxPoint PositionOf(HWND hwnd) {
  return {hwnd->rect.left, hwnd->rect.top};
}
wxSize SizeOf(HWND hwnd) {
  return {hwnd->rect.Width(), hwnd->rect.Height()};
}
// The height of a closed drop-down is the widget's own.
// A closed drop-down is as high as a dialog line allows: templates leave 16 dialog
// units (26 pixels) from one line to the next, less than the toolkit's own height.
constexpr int kClosedComboHeight = 25;
wxSize ClosedSize(HWND hwnd) {
  return {hwnd->rect.Width(), kClosedComboHeight};
}

// Tabs in list texts are shown as wide gaps; wx lists have no tab stops of their own.
wxString ListText(const CString& text) {
  wxString shown = ToWx(text);
  shown.Replace("\t", "    ");
  return shown;
}

// Shows the entries a list holds now, `shown` being what it showed before. A list is
// filled one entry per change: an entry added (at the end or in its sorted place) is
// handed to the toolkit alone, since setting a list of thousands anew for each of its
// entries keeps a dialog from showing for seconds.
void ShowItems(wxItemContainer& box, wxArrayString& shown, const wxArrayString& items) {
  if (items == shown) return;
  size_t same = 0;
  while (same < shown.size() && same < items.size() && shown[same] == items[same]) ++same;
  if (items.size() == shown.size() + 1 &&
      std::equal(shown.begin() + same, shown.end(), items.begin() + same + 1)) {
    box.Insert(items[same], static_cast<unsigned int>(same));
  } else if (items.size() > shown.size() && same == shown.size()) {
    wxArrayString added;
    for (size_t index = same; index < items.size(); ++index) added.Add(items[index]);
    box.Append(added);
  } else {
    box.Set(items);
  }
  shown = items;
}

// Dialog units assume a face whose average character is 6 pixels wide at 8 points;
// the screen's own face is often wider, so take the largest size that fits.
wxFont DialogFont(wxWindow& window) {
  static const wxString sample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  wxFont font(wxFontInfo(8).Family(wxFONTFAMILY_SWISS));
  wxClientDC dc(&window);
  for (double points = 8.0; points > 6.0; points -= 0.25) {
    font.SetFractionalPointSize(points);
    dc.SetFont(font);
    if (dc.GetTextExtent(sample).x <= 6 * static_cast<int>(sample.length())) break;
  }
  return font;
}

class DialogPeer : public WxPeer {
 public:
  DialogPeer(HWND hwnd, wxWindow* parent)
      // Sized by the base through SetClientSize: giving the same size to the constructor
      // as well leaves a GTK dialog 1x1 when no window manager runs.
      : WxPeer(hwnd, new wxDialog(parent, wxID_ANY, ToWx(hwnd->text), wxDefaultPosition, wxDefaultSize,
                                  wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)) {
    m_window->SetFont(DialogFont(*m_window));
    m_window->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
      Act([this](UserInput& user) { user.RunCommand(Object(), IDCANCEL); });
    });
    // Escape cancels a dialog, as the close box does; the toolkit would look for a
    // button of its own cancel id, which the platform's buttons do not have. A native
    // drop-down list grabs its Escape before the dialog sees it; the drawn colour
    // combo's list does not, and closing the dialog under it would free the list.
    m_window->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
      if (event.GetKeyCode() != WXK_ESCAPE || event.HasAnyModifiers() || DrawnListIsOpen()) {
        event.Skip();
        return;
      }
      Act([this](UserInput& user) { user.RunCommand(Object(), IDCANCEL); });
    });
  }

 private:
  bool DrawnListIsOpen() const { return HasOpenDrawnList(*m_window); }

  static bool HasOpenDrawnList(const wxWindow& window) {
    for (const wxWindow* child : window.GetChildren()) {
      const auto* combo = dynamic_cast<const wxComboCtrl*>(child);
      if (combo != nullptr && combo->IsPopupShown()) return true;
      if (HasOpenDrawnList(*child)) return true;
    }
    return false;
  }
};

class ChildDialogPeer : public WxPeer {
 public:
  ChildDialogPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxPanel(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd))) {}
  void ShowText() override {}
};

class StaticPeer : public WxPeer {
 public:
  StaticPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxStaticText(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), SizeOf(hwnd),
                                      AlignmentOf(hwnd->style) | wxST_NO_AUTORESIZE)) {}

 private:
  static long AlignmentOf(DWORD style) {
    if ((style & 0x3) == SS_CENTER) return wxALIGN_CENTRE_HORIZONTAL;
    if ((style & 0x3) == SS_RIGHT) return wxALIGN_RIGHT;
    return wxALIGN_LEFT;
  }
};

class GroupBoxPeer : public WxPeer {
 public:
  GroupBoxPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxStaticBox(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), SizeOf(hwnd))) {}
};

class ButtonPeer : public WxPeer {
 public:
  ButtonPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxButton(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), SizeOf(hwnd))) {
    m_window->Bind(wxEVT_BUTTON,
                   [this](wxCommandEvent&) { Act([this](UserInput& user) { user.Click(Object()); }); });
  }

 protected:
  // The default button answers Enter; a button may become the default later (DM_SETDEFID).
  void ShowContent() override {
    if ((m_hwnd->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) static_cast<wxButton*>(m_window)->SetDefault();
  }
};

class CheckBoxPeer : public WxPeer {
 public:
  CheckBoxPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxCheckBox(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), wxDefaultSize)) {
    m_window->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
      if (!Updating()) Act([&](UserInput& user) { user.SetCheck(Object(), event.IsChecked()); });
    });
  }

 protected:
  void ShowContent() override {
    const ButtonData* data = GetButtonData(m_hwnd);
    static_cast<wxCheckBox*>(m_window)->SetValue(data != nullptr && data->check == BST_CHECKED);
  }
  // Templates give a box the height of its text line, and at times less width than its
  // text takes, both less than the toolkit's box needs (which then complains on every
  // layout): it gets the size it needs, centred on the line.
  void ShowPosition() override {
    const CRect& r = m_hwnd->rect;
    const wxSize best = m_window->GetBestSize();
    const int height = std::max(r.Height(), best.y);
    m_window->SetSize(r.left, r.top - (height - r.Height()) / 2, std::max(r.Width(), best.x), height);
  }
};

class EditPeer : public WxPeer {
 public:
  EditPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxTextCtrl(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), SizeOf(hwnd),
                                    StyleOf(hwnd->style))) {
    m_window->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
      if (Updating()) return;
      // The platform types the whole text over a full selection; the widget keeps the
      // user's own caret and selection meanwhile, or the next key would replace it all.
      s_typingInto = m_hwnd;
      Act([this](UserInput& user) { user.TypeText(Object(), FromWx(Text()->GetValue())); });
      s_typingInto = nullptr;
    });
    m_window->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
      event.Skip();
      if (!Updating()) Act([this](UserInput& user) { user.Focus(Object()); });
    });
  }

 protected:
  void ShowText() override {
    if (FromWx(Text()->GetValue()) != m_hwnd->text) Text()->ChangeValue(ToWx(m_hwnd->text));
  }
  void ShowContent() override {
    const bool readOnly = (m_hwnd->style & ES_READONLY) != 0;
    Text()->SetEditable(!readOnly);
    // A read-only edit looks like the dialog behind it, so nobody tries to type in it.
    Text()->SetBackgroundColour(readOnly ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE) : wxNullColour);
    if (s_typingInto == m_hwnd) return;
    if (const EditData* data = GetEditData(m_hwnd)) Text()->SetSelection(data->selStart, data->selEnd);
  }

 private:
  static inline HWND s_typingInto = nullptr;  // the edit whose widget the user is typing in

  wxTextCtrl* Text() const { return static_cast<wxTextCtrl*>(m_window); }
  static long StyleOf(DWORD style) {
    long wxStyle = wxBORDER_SUNKEN;
    if ((style & ES_MULTILINE) != 0) wxStyle |= wxTE_MULTILINE;
    if ((style & ES_READONLY) != 0) wxStyle |= wxTE_READONLY;
    return wxStyle;
  }
};

// Drop-down combo boxes: an edit with a list that drops down.
class ComboPeer : public WxPeer {
 public:
  ComboPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxComboBox(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), ClosedSize(hwnd), 0,
                                    nullptr, 0)) {
    m_window->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) {
      if (!Updating()) Act([&](UserInput& user) { user.ChooseComboIndex(Object(), event.GetSelection()); });
    });
    m_window->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnTyped(); });
  }

  wxSize ShownSize() const override { return ClosedSize(m_hwnd); }

 protected:
  void ShowContent() override {
    const ComboBoxData* data = GetComboBoxData(m_hwnd);
    if (data == nullptr) return;
    wxArrayString items;
    for (const ListItem& item : data->items) items.Add(ListText(item.text));
    ShowItems(*Combo(), m_shown, items);
    if (data->curSel >= 0) Combo()->SetSelection(data->curSel);
    ShowText();
  }
  void ShowText() override {
    if (FromWx(Combo()->GetValue()) != m_hwnd->text) Combo()->ChangeValue(ToWx(m_hwnd->text));
  }

 private:
  wxComboBox* Combo() const { return static_cast<wxComboBox*>(m_window); }
  wxArrayString m_shown;
  void OnTyped() {
    if (Updating()) return;
    const CString typed = FromWx(Combo()->GetValue());
    if (typed == m_hwnd->text) return;  // a choice already shown
    Act([&](UserInput& user) { user.TypeComboText(Object(), typed); });
  }
};

// Simple combo boxes: an edit line above a list that is always shown.
class SimpleComboPeer : public WxPeer {
 public:
  SimpleComboPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxPanel(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd))) {
    m_edit = new wxTextCtrl(m_window, wxID_ANY, ToWx(hwnd->text));
    m_list = new wxListBox(m_window, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    m_window->Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayOut(); });
    m_edit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
      if (Updating() || FromWx(m_edit->GetValue()) == m_hwnd->text) return;
      Act([this](UserInput& user) { user.TypeComboText(Object(), FromWx(m_edit->GetValue())); });
    });
    m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) {
      if (!Updating()) Act([&](UserInput& user) { user.ChooseComboIndex(Object(), event.GetSelection()); });
    });
    LayOut();
  }

 protected:
  void ShowText() override {
    if (FromWx(m_edit->GetValue()) != m_hwnd->text) m_edit->ChangeValue(ToWx(m_hwnd->text));
  }
  void ShowContent() override {
    const ComboBoxData* data = GetComboBoxData(m_hwnd);
    if (data == nullptr) return;
    wxArrayString items;
    for (const ListItem& item : data->items) items.Add(ListText(item.text));
    ShowItems(*m_list, m_shown, items);
    if (data->curSel >= 0) {
      m_list->SetSelection(data->curSel);
    } else {
      m_list->SetSelection(wxNOT_FOUND);
    }
    ShowText();
  }

 private:
  // The edit line is as high as a one-line edit of the dialog, not the toolkit's
  // roomier entry, so the list keeps the room the template gives it.
  static constexpr int kEditHeight = 23;
  static constexpr int kGap = 2;

  void LayOut() {
    const wxSize size = m_window->GetClientSize();
    const int editHeight = std::min(kEditHeight, size.y);
    m_edit->SetSize(0, 0, size.x, editHeight);
    m_list->SetSize(0, editHeight + kGap, size.x, std::max(size.y - editHeight - kGap, 0));
  }

  wxTextCtrl* m_edit;
  wxListBox* m_list;
  wxArrayString m_shown;
};

// Drop-down lists: a choice among the entries, no edit line.
class ChoicePeer : public WxPeer {
 public:
  ChoicePeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxChoice(parent, wxID_ANY, PositionOf(hwnd), ClosedSize(hwnd))) {
    m_window->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
      if (!Updating()) Act([&](UserInput& user) { user.ChooseComboIndex(Object(), event.GetSelection()); });
    });
  }

 protected:
  wxSize ShownSize() const override { return ClosedSize(m_hwnd); }
  void ShowText() override { ShowContent(); }
  void ShowContent() override {
    const ComboBoxData* data = GetComboBoxData(m_hwnd);
    if (data == nullptr) return;
    wxArrayString items;
    for (const ListItem& item : data->items) items.Add(ListText(item.text));
    ShowItems(*Choice(), m_shown, items);
    Choice()->SetSelection(data->curSel >= 0 ? data->curSel : wxNOT_FOUND);
  }

 private:
  wxChoice* Choice() const { return static_cast<wxChoice*>(m_window); }
  wxArrayString m_shown;
};

// A drop-down list that draws its entries as colour swatches, with the colour's name
// where there is room. Drawn by wx itself, so it closes to the height of a dialog line
// where the toolkit's combo would be taller than the template allows.
class SwatchCombo : public wxOwnerDrawnComboBox {
 public:
  static constexpr int kClosedHeight = 22;

  SwatchCombo(wxWindow* parent, wxPoint at, int width)
      : wxOwnerDrawnComboBox(parent, wxID_ANY, wxEmptyString, at, wxSize(width, kClosedHeight), 0, nullptr,
                             wxCB_READONLY) {}

  // Each entry: its name (empty to show the swatch alone) and its colour.
  void ShowEntries(const std::vector<std::pair<wxString, COLORREF>>& entries) {
    m_entries = entries;
    wxArrayString names;
    for (const auto& entry : entries) names.Add(entry.first);
    Set(names);
  }

 protected:
  void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int) const override {
    if (item < 0 || static_cast<size_t>(item) >= m_entries.size()) return;
    const auto& [name, colour] = m_entries[static_cast<size_t>(item)];
    wxRect swatch = wxRect(rect).Deflate(3);
    if (!name.empty()) swatch.width = std::min(24, swatch.width);
    dc.SetBrush(wxBrush(ToWxColour(colour)));
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(swatch);
    if (name.empty()) return;
    const wxRect text(swatch.GetRight() + 6, rect.y, rect.GetRight() - swatch.GetRight() - 6, rect.height);
    dc.DrawLabel(name, text, wxALIGN_LEFT | wxALIGN_CENTRE_VERTICAL);
  }
  wxCoord OnMeasureItem(size_t) const override { return kClosedHeight - 2; }

 private:
  std::vector<std::pair<wxString, COLORREF>> m_entries;
};

// Owner-drawn combo boxes hold colours in their item data.
class ColourComboPeer : public WxPeer {
 public:
  ColourComboPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new SwatchCombo(parent, PositionOf(hwnd), hwnd->rect.Width())) {
    m_window->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) {
      if (!Updating()) Act([&](UserInput& user) { user.ChooseComboIndex(Object(), event.GetSelection()); });
    });
  }

 protected:
  wxSize ShownSize() const override { return {m_hwnd->rect.Width(), SwatchCombo::kClosedHeight}; }
  void ShowText() override {}
  void ShowContent() override {
    const ComboBoxData* data = GetComboBoxData(m_hwnd);
    if (data == nullptr) return;
    // Names only where the combo is wide enough to show them beside the swatch.
    const bool named = m_hwnd->rect.Width() >= kNamedWidth;
    std::vector<std::pair<wxString, COLORREF>> entries;
    for (const ListItem& item : data->items)
      entries.emplace_back(named ? ListText(item.text) : wxString(), static_cast<COLORREF>(item.data));
    if (entries != m_entries) {
      Combo()->ShowEntries(entries);
      m_entries = std::move(entries);
    }
    Combo()->SetSelection(data->curSel >= 0 ? data->curSel : wxNOT_FOUND);
  }

 private:
  static constexpr int kNamedWidth = 120;

  SwatchCombo* Combo() const { return static_cast<SwatchCombo*>(m_window); }

  std::vector<std::pair<wxString, COLORREF>> m_entries;
};

class ListBoxPeer : public WxPeer {
 public:
  ListBoxPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd,
               new wxListBox(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd), 0, nullptr, wxLB_SINGLE)) {
    m_window->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) {
      if (!Updating()) Act([&](UserInput& user) { user.SelectListLine(Object(), event.GetSelection()); });
    });
    m_window->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent& event) {
      if (!Updating())
        Act([&](UserInput& user) { user.DoubleClickListLine(Object(), event.GetSelection()); });
    });
  }

 protected:
  void ShowText() override {}
  void ShowContent() override {
    const ListBoxData* data = GetListBoxData(m_hwnd);
    if (data == nullptr) return;
    wxArrayString items;
    for (const ListItem& item : data->items) items.Add(ListText(item.text));
    ShowItems(*List(), m_shown, items);
    List()->SetSelection(data->curSel >= 0 ? data->curSel : wxNOT_FOUND);
  }

 private:
  wxListBox* List() const { return static_cast<wxListBox*>(m_window); }
  wxArrayString m_shown;
};

// A list box with tab stops shows its lines as columns starting at the stops.
class TabbedListPeer : public WxPeer {
 public:
  TabbedListPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxListCtrl(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd),
                                    wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_SUNKEN)) {
    m_window->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
      if (!Updating())
        Act([&](UserInput& user) { user.SelectListLine(Object(), static_cast<int>(event.GetIndex())); });
    });
    // wx activates a line on a double click and on Enter alike.
    m_window->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& event) {
      if (!Updating())
        Act([&](UserInput& user) { user.DoubleClickListLine(Object(), static_cast<int>(event.GetIndex())); });
    });
  }

 protected:
  void ShowText() override {}
  void ShowContent() override {
    const ListBoxData* data = GetListBoxData(m_hwnd);
    if (data == nullptr) return;
    std::vector<std::vector<wxString>> rows;
    size_t columns = 1;
    for (const ListItem& item : data->items) {
      rows.push_back(Columns(ToWx(item.text)));
      columns = std::max(columns, rows.back().size());
    }
    ShowColumns(columns, *data);
    ShowRows(rows);
    const long selected = List()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (selected >= 0 && selected != data->curSel) List()->SetItemState(selected, 0, wxLIST_STATE_SELECTED);
    if (data->curSel >= 0) {
      List()->SetItemState(data->curSel, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
      List()->EnsureVisible(data->curSel);
    }
  }

 private:
  wxListCtrl* List() const { return static_cast<wxListCtrl*>(m_window); }

  static std::vector<wxString> Columns(const wxString& text) {
    std::vector<wxString> columns;
    for (const wxString& part : wxSplit(text, '\t', '\0')) columns.push_back(part);
    if (columns.empty()) columns.emplace_back();
    return columns;
  }

  // Stops in dialog units: none means every 32, one means every that many, more are
  // the places of the columns.
  std::vector<int> StopsInPixels(size_t columns, const ListBoxData& data) const {
    std::vector<int> stops;
    const auto* dialog = dynamic_cast<const CDialog*>(CWnd::FromHandle(m_hwnd->parent));
    const auto toPixels = [dialog](int units) {
      return dialog != nullptr ? dialog->MapDialogRect(CRect(0, 0, units, 0)).right : units * 6 / 4;
    };
    for (size_t i = 1; i < columns; ++i) {
      int units = 32 * static_cast<int>(i);
      if (data.tabStops.size() == 1) units = data.tabStops[0] * static_cast<int>(i);
      if (data.tabStops.size() > 1) {
        units = i <= data.tabStops.size()
                    ? data.tabStops[i - 1]
                    : data.tabStops.back() + 32 * static_cast<int>(i - data.tabStops.size());
      }
      stops.push_back(toPixels(units));
    }
    return stops;
  }

  void ShowColumns(size_t columns, const ListBoxData& data) {
    const std::vector<int> stops = StopsInPixels(columns, data);
    while (static_cast<size_t>(List()->GetColumnCount()) > columns)
      List()->DeleteColumn(List()->GetColumnCount() - 1);
    while (static_cast<size_t>(List()->GetColumnCount()) < columns) List()->AppendColumn(wxEmptyString);
    int left = 0;
    for (size_t i = 0; i < columns; ++i) {
      const int right = i < stops.size() ? stops[i] : std::max(List()->GetClientSize().x, left + 40);
      List()->SetColumnWidth(static_cast<int>(i), right - left);
      left = right;
    }
  }

  void ShowRows(const std::vector<std::vector<wxString>>& rows) {
    if (static_cast<size_t>(List()->GetItemCount()) != rows.size()) {
      List()->DeleteAllItems();
      for (size_t i = 0; i < rows.size(); ++i) List()->InsertItem(static_cast<long>(i), wxEmptyString);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
      for (int col = 0; col < List()->GetColumnCount(); ++col) {
        const size_t c = static_cast<size_t>(col);
        const wxString text = c < rows[i].size() ? rows[i][c] : wxString();
        if (List()->GetItemText(static_cast<long>(i), col) != text)
          List()->SetItem(static_cast<long>(i), col, text);
      }
    }
  }
};

bool IsColourCombo(DWORD style) {
  return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

std::unique_ptr<WxPeer> MakeButtonPeer(HWND hwnd, wxWindow* parent) {
  switch (hwnd->style & BS_TYPEMASK) {
    case BS_GROUPBOX:
      return std::make_unique<GroupBoxPeer>(hwnd, parent);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return std::make_unique<CheckBoxPeer>(hwnd, parent);
    default:
      return std::make_unique<ButtonPeer>(hwnd, parent);
  }
}

std::unique_ptr<WxPeer> MakeComboPeer(HWND hwnd, wxWindow* parent) {
  if (IsColourCombo(hwnd->style)) return std::make_unique<ColourComboPeer>(hwnd, parent);
  if ((hwnd->style & CBS_TYPEMASK) == CBS_DROPDOWNLIST) return std::make_unique<ChoicePeer>(hwnd, parent);
  if ((hwnd->style & CBS_TYPEMASK) == CBS_SIMPLE) return std::make_unique<SimpleComboPeer>(hwnd, parent);
  return std::make_unique<ComboPeer>(hwnd, parent);
}

std::unique_ptr<WxPeer> MakeListPeer(HWND hwnd, wxWindow* parent) {
  if ((hwnd->style & LBS_USETABSTOPS) != 0) return std::make_unique<TabbedListPeer>(hwnd, parent);
  return std::make_unique<ListBoxPeer>(hwnd, parent);
}

}  // namespace

std::unique_ptr<WxPeer> MakeControlPeer(HWND hwnd, wxWindow* parent, wxWindow* owner) {
  if (IsWindowOfClass(hwnd, kClassDialog)) {
    if ((hwnd->style & WS_CHILD) != 0) {
      return parent != nullptr ? std::make_unique<ChildDialogPeer>(hwnd, parent) : nullptr;
    }
    return std::make_unique<DialogPeer>(hwnd, owner);
  }
  if (parent == nullptr) return nullptr;
  if (IsWindowOfClass(hwnd, kClassStatic)) return std::make_unique<StaticPeer>(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassButton)) return MakeButtonPeer(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassEdit)) return std::make_unique<EditPeer>(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassComboBox)) return MakeComboPeer(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassListBox)) return MakeListPeer(hwnd, parent);
  return nullptr;
}
