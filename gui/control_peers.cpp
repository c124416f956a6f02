#include "gui/control_peers.h"

#include <wx/bmpcbox.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/control_classes.h"
#include "platform/cwnd.h"
#include "platform/dialog.h"
#include "platform/user_input.h"

namespace {

wxPoint PositionOf(HWND hwnd) {
  return {hwnd->rect.left, hwnd->rect.top};
}
wxSize SizeOf(HWND hwnd) {
  return {hwnd->rect.Width(), hwnd->rect.Height()};
}
// The height of a closed drop-down is the widget's own.
wxSize ClosedSize(HWND hwnd) {
  return {hwnd->rect.Width(), -1};
}

// Tabs in list texts are shown as wide gaps; wx lists have no tab stops of their own.
wxString ListText(const CString& text) {
  wxString shown = ToWx(text);
  shown.Replace("\t", "    ");
  return shown;
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
    m_window->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { UserInput().RunCommand(Object(), IDCANCEL); });
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
    if ((hwnd->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) static_cast<wxButton*>(m_window)->SetDefault();
    m_window->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { UserInput().Click(Object()); });
  }
};

class CheckBoxPeer : public WxPeer {
 public:
  CheckBoxPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxCheckBox(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), SizeOf(hwnd))) {
    m_window->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
      if (!Updating()) UserInput().SetCheck(Object(), event.IsChecked());
    });
  }

 protected:
  void ShowContent() override {
    const ButtonData* data = GetButtonData(m_hwnd);
    static_cast<wxCheckBox*>(m_window)->SetValue(data != nullptr && data->check == BST_CHECKED);
  }
};

class EditPeer : public WxPeer {
 public:
  EditPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxTextCtrl(parent, wxID_ANY, ToWx(hwnd->text), PositionOf(hwnd), SizeOf(hwnd),
                                    StyleOf(hwnd->style))) {
    Text()->SetEditable((hwnd->style & ES_READONLY) == 0);
    m_window->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
      if (!Updating()) UserInput().TypeText(Object(), FromWx(Text()->GetValue()));
    });
    m_window->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
      if (!Updating()) UserInput().Focus(Object());
      event.Skip();
    });
  }

 protected:
  void ShowText() override {
    if (FromWx(Text()->GetValue()) != m_hwnd->text) Text()->ChangeValue(ToWx(m_hwnd->text));
  }
  void ShowContent() override {
    Text()->SetEditable((m_hwnd->style & ES_READONLY) == 0);
    if (const EditData* data = GetEditData(m_hwnd)) Text()->SetSelection(data->selStart, data->selEnd);
  }

 private:
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
      if (!Updating()) UserInput().ChooseComboIndex(Object(), event.GetSelection());
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
    if (Combo()->GetStrings() != items) Combo()->Set(items);
    if (data->curSel >= 0) Combo()->SetSelection(data->curSel);
    ShowText();
  }
  void ShowText() override {
    if (FromWx(Combo()->GetValue()) != m_hwnd->text) Combo()->ChangeValue(ToWx(m_hwnd->text));
  }

 private:
  wxComboBox* Combo() const { return static_cast<wxComboBox*>(m_window); }
  void OnTyped() {
    if (Updating()) return;
    const CString typed = FromWx(Combo()->GetValue());
    if (typed == m_hwnd->text) return;  // a choice already shown
    UserInput().TypeComboText(Object(), typed);
  }
};

// Simple combo boxes: an edit line above a list that is always shown.
class SimpleComboPeer : public WxPeer {
 public:
  SimpleComboPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxPanel(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd))) {
    m_edit = new wxTextCtrl(m_window, wxID_ANY, ToWx(hwnd->text));
    m_list = new wxListBox(m_window, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_edit, 0, wxEXPAND);
    sizer->Add(m_list, 1, wxEXPAND);
    m_window->SetSizer(sizer);
    m_edit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
      if (!Updating() && FromWx(m_edit->GetValue()) != m_hwnd->text) {
        UserInput().TypeComboText(Object(), FromWx(m_edit->GetValue()));
      }
    });
    m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) {
      if (!Updating()) UserInput().ChooseComboIndex(Object(), event.GetSelection());
    });
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
    if (m_list->GetStrings() != items) m_list->Set(items);
    if (data->curSel >= 0) {
      m_list->SetSelection(data->curSel);
    } else {
      m_list->SetSelection(wxNOT_FOUND);
    }
    ShowText();
    m_window->Layout();
  }

 private:
  wxTextCtrl* m_edit;
  wxListBox* m_list;
};

// Drop-down lists: a choice among the entries, no edit line.
class ChoicePeer : public WxPeer {
 public:
  ChoicePeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxChoice(parent, wxID_ANY, PositionOf(hwnd), ClosedSize(hwnd))) {
    m_window->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
      if (!Updating()) UserInput().ChooseComboIndex(Object(), event.GetSelection());
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
    if (Choice()->GetStrings() != items) Choice()->Set(items);
    Choice()->SetSelection(data->curSel >= 0 ? data->curSel : wxNOT_FOUND);
  }

 private:
  wxChoice* Choice() const { return static_cast<wxChoice*>(m_window); }
};

// Owner-drawn combo boxes without strings hold colours: shown as swatches.
class ColourComboPeer : public WxPeer {
 public:
  ColourComboPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxBitmapComboBox(parent, wxID_ANY, wxEmptyString, PositionOf(hwnd), ClosedSize(hwnd),
                                          0, nullptr, wxCB_READONLY)) {
    m_window->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) {
      if (!Updating()) UserInput().ChooseComboIndex(Object(), event.GetSelection());
    });
  }

 protected:
  wxSize ShownSize() const override { return ClosedSize(m_hwnd); }
  void ShowText() override {}
  void ShowContent() override {
    const ComboBoxData* data = GetComboBoxData(m_hwnd);
    if (data == nullptr) return;
    Combo()->Clear();
    for (const ListItem& item : data->items) Combo()->Append(ListText(item.text), Swatch(item.data));
    if (data->curSel >= 0) Combo()->SetSelection(data->curSel);
  }

 private:
  wxBitmapComboBox* Combo() const { return static_cast<wxBitmapComboBox*>(m_window); }
  static wxBitmap Swatch(DWORD_PTR colour) {
    wxBitmap bitmap(32, 12);
    wxMemoryDC dc(bitmap);
    const auto c = static_cast<COLORREF>(colour);
    dc.SetBrush(wxBrush(wxColour(GetRValue(c), GetGValue(c), GetBValue(c))));
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(0, 0, 32, 12);
    return bitmap;
  }
};

class ListBoxPeer : public WxPeer {
 public:
  ListBoxPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd,
               new wxListBox(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd), 0, nullptr, wxLB_SINGLE)) {
    m_window->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) {
      if (!Updating()) UserInput().SelectListLine(Object(), event.GetSelection());
    });
  }

 protected:
  void ShowText() override {}
  void ShowContent() override {
    const ListBoxData* data = GetListBoxData(m_hwnd);
    if (data == nullptr) return;
    wxArrayString items;
    for (const ListItem& item : data->items) items.Add(ListText(item.text));
    if (List()->GetStrings() != items) List()->Set(items);
    if (data->curSel >= 0) List()->SetSelection(data->curSel);
  }

 private:
  wxListBox* List() const { return static_cast<wxListBox*>(m_window); }
};

bool IsColourCombo(DWORD style) {
  return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0 && (style & CBS_HASSTRINGS) == 0;
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

}  // namespace

namespace {
std::unique_ptr<WxPeer> MakePeerFor(HWND hwnd) {
  wxWindow* parent = PeerWindow(hwnd->parent);
  if (IsWindowOfClass(hwnd, kClassDialog)) {
    if ((hwnd->style & WS_CHILD) != 0) {
      return parent != nullptr ? std::make_unique<ChildDialogPeer>(hwnd, parent) : nullptr;
    }
    return std::make_unique<DialogPeer>(hwnd, PeerWindow(hwnd->owner));
  }
  if (parent == nullptr) return nullptr;
  if (IsWindowOfClass(hwnd, kClassStatic)) return std::make_unique<StaticPeer>(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassButton)) return MakeButtonPeer(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassEdit)) return std::make_unique<EditPeer>(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassComboBox)) return MakeComboPeer(hwnd, parent);
  if (IsWindowOfClass(hwnd, kClassListBox)) return std::make_unique<ListBoxPeer>(hwnd, parent);
  return nullptr;
}
}  // namespace

std::unique_ptr<WindowPeer> MakeControlPeer(HWND hwnd) {
  std::unique_ptr<WxPeer> peer = MakePeerFor(hwnd);
  if (peer != nullptr) peer->ShowWholeState();
  return peer;
}
