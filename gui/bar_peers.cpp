#include "gui/bar_peers.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/statline.h>
#include <wx/statusbr.h>
#include <wx/tglbtn.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/status_bar.h"
#include "platform/tool_bar.h"

namespace {

wxPoint PositionOf(HWND hwnd) {
  return {hwnd->rect.left, hwnd->rect.top};
}
wxSize SizeOf(HWND hwnd) {
  return {hwnd->rect.Width(), hwnd->rect.Height()};
}

// Stock names the art provider knows by its own ids on every port; on GTK any icon
// theme name works as well.
wxArtID ArtIdOf(const CString& image) {
  static const std::map<std::string, wxArtID> known = {
      {"document-new", wxART_NEW},
      {"document-open", wxART_FILE_OPEN},
      {"document-save", wxART_FILE_SAVE},
      {"document-save-as", wxART_FILE_SAVE_AS},
      {"document-print", wxART_PRINT},
      {"edit-undo", wxART_UNDO},
      {"edit-redo", wxART_REDO},
      {"edit-cut", wxART_CUT},
      {"edit-copy", wxART_COPY},
      {"edit-paste", wxART_PASTE},
      {"edit-delete", wxART_DELETE},
      {"edit-find", wxART_FIND},
      {"list-add", wxART_PLUS},
      {"list-remove", wxART_MINUS},
      {"help-contents", wxART_HELP},
      {"application-exit", wxART_QUIT},
      {"dialog-information", wxART_INFORMATION},
  };
  const auto it = known.find(image.str());
  return it != known.end() ? it->second : wxArtID(ToWx(image));
}

// A row of flat buttons where the platform puts the bar, each as large as the bar's
// buttons say; a button without a known icon shows its label.
class ToolBarPeer : public WxPeer {
 public:
  ToolBarPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, ThemeBackground(
                         new wxPanel(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd), wxBORDER_NONE))) {}

 protected:
  void ShowText() override {}
  void ShowContent() override {
    const ToolBarData* data = GetToolBarData(m_hwnd);
    if (data == nullptr) return;
    const std::string structure = Structure(*data);
    if (structure != m_structure) {
      Rebuild(*data);
      m_structure = structure;
    }
    for (const ToolBarButton& button : data->buttons) {
      wxWindow* shown = button.id != 0 ? m_window->FindWindow(WxCommandId(button.id)) : nullptr;
      if (shown == nullptr) continue;
      if (shown->IsEnabled() != button.enabled) shown->Enable(button.enabled);
      if (auto* choice = dynamic_cast<wxChoice*>(shown)) ShowChoice(*choice, button);
      if (auto* toggle = dynamic_cast<wxToggleButton*>(shown);
          toggle != nullptr && toggle->GetValue() != button.checked)
        toggle->SetValue(button.checked);
      if (auto* toggle = dynamic_cast<wxBitmapToggleButton*>(shown);
          toggle != nullptr && toggle->GetValue() != button.checked)
        toggle->SetValue(button.checked);
    }
  }

 private:
  static constexpr int kLeft = 4;
  static constexpr int kSpacing = 2;

  static std::string Structure(const ToolBarData& data) {
    std::string structure = std::to_string(data.buttonSize.cx) + "x" + std::to_string(data.buttonSize.cy);
    for (const ToolBarButton& button : data.buttons) {
      structure += "|" + std::to_string(button.id) + ":" + std::to_string(button.style) + ":" +
                   button.image.str() + ":" + button.label.str() + ":" + button.toolTip.str();
    }
    return structure;
  }

  static wxBitmap IconOf(const ToolBarButton& button, wxSize size) {
    if (button.image.IsEmpty()) return wxNullBitmap;
    return wxArtProvider::GetBitmap(ArtIdOf(button.image), wxART_TOOLBAR, size);
  }

  // The list's texts are content: they change without the row being built again.
  static void ShowChoice(wxChoice& choice, const ToolBarButton& button) {
    wxArrayString items;
    for (const CString& item : button.items) items.Add(ToWx(item));
    if (choice.GetStrings() != items) choice.Set(items);
    const int selection = choice.FindString(ToWx(button.text), true);
    if (choice.GetSelection() != selection) choice.SetSelection(selection);
  }

  wxWindow* MakeChoice(const ToolBarButton& button, wxPoint at, wxSize size) {
    auto* choice = new wxChoice(m_window, WxCommandId(button.id), at, wxSize(button.width, size.y));
    if (!button.toolTip.IsEmpty()) choice->SetToolTip(ToWx(button.toolTip));
    const UINT command = button.id;
    choice->Bind(wxEVT_CHOICE,
                 [this, command](wxCommandEvent& event) { OnChosen(command, FromWx(event.GetString())); });
    ShowChoice(*choice, button);
    return choice;
  }

  wxWindow* MakeButton(const ToolBarButton& button, wxPoint at, wxSize size) {
    if (button.style == TBBS_COMBOBOX) return MakeChoice(button, at, size);
    const int id = WxCommandId(button.id);
    const bool toggles = (button.style & TBBS_CHECKBOX) != 0;
    // The icon leaves room for the button's own border.
    const wxBitmap icon = IconOf(button, wxSize(std::max(size.x - 10, 8), std::max(size.y - 10, 8)));
    const CString label = button.label.IsEmpty() ? button.image : button.label;
    wxWindow* made = nullptr;
    if (icon.IsOk()) {
      made =
          toggles
              ? static_cast<wxWindow*>(new wxBitmapToggleButton(m_window, id, icon, at, size, wxBORDER_NONE))
              : new wxBitmapButton(m_window, id, icon, at, size, wxBU_EXACTFIT | wxBORDER_NONE);
    } else {
      made = toggles
                 ? static_cast<wxWindow*>(new wxToggleButton(m_window, id, ToWx(label), at, wxDefaultSize,
                                                             wxBU_EXACTFIT | wxBORDER_NONE))
                 : new wxButton(m_window, id, ToWx(label), at, wxDefaultSize, wxBU_EXACTFIT | wxBORDER_NONE);
      made->SetSize(at.x, at.y, std::max(made->GetBestSize().x + 8, size.x), size.y);
    }
    if (!button.toolTip.IsEmpty()) made->SetToolTip(ToWx(button.toolTip));
    const UINT command = button.id;
    const auto clicked = [this, command](wxCommandEvent&) { OnClicked(command); };
    made->Bind(toggles ? wxEVT_TOGGLEBUTTON : wxEVT_BUTTON, clicked);
    return made;
  }

  void Rebuild(const ToolBarData& data) {
    m_window->DestroyChildren();
    const wxSize size(data.buttonSize.cx, data.buttonSize.cy);
    int x = kLeft;
    for (const ToolBarButton& button : data.buttons) {
      if (button.id == 0) {
        new wxStaticLine(m_window, wxID_ANY, wxPoint(x + 3, CToolBar::kBorder + 4), wxSize(1, size.y - 8),
                         wxLI_VERTICAL);
        x += 7 + kSpacing;
        continue;
      }
      x += MakeButton(button, wxPoint(x, CToolBar::kBorder), size)->GetSize().x + kSpacing;
    }
  }

  // A toggle button changes itself; the platform's state is shown again afterwards,
  // whatever the command made of it.
  void OnClicked(UINT command) {
    if (Updating()) return;
    const HWND hwnd = m_hwnd;
    Act([&](UserInput& user) { user.ClickToolBarButton(CWnd::FromHandle(hwnd), command); });
    if (!IsWindowHandle(hwnd)) return;
    if (auto* peer = dynamic_cast<ToolBarPeer*>(PeerOf(hwnd))) {
      UpdateScope scope(*peer);
      peer->ShowContent();
    }
  }

  void OnChosen(UINT command, const CString& item) {
    if (Updating()) return;
    const HWND hwnd = m_hwnd;
    Act([&](UserInput& user) { user.ChooseToolBarItem(CWnd::FromHandle(hwnd), command, item); });
    if (!IsWindowHandle(hwnd)) return;
    if (auto* peer = dynamic_cast<ToolBarPeer*>(PeerOf(hwnd))) {
      UpdateScope scope(*peer);
      peer->ShowContent();
    }
  }

  std::string m_structure;
};

// wx paints a field at once when its text changes, so that a text shown before a long
// operation is seen; here a prompt changes with every click of an assignment, and each
// forced paint waited for the X server. The field repaints with the rest of the frame.
class DeferredStatusBar : public wxStatusBar {
 public:
  explicit DeferredStatusBar(wxWindow* parent)
      : wxStatusBar(parent, wxID_ANY, wxSTB_SHOW_TIPS | wxSTB_ELLIPSIZE_END | wxFULL_REPAINT_ON_RESIZE) {}

 protected:
  void DoUpdateStatusText(int number) override {
    wxRect rect;
    if (GetFieldRect(number, rect)) RefreshRect(rect);
  }
};

class StatusBarPeer : public WxPeer {
 public:
  StatusBarPeer(HWND hwnd, wxWindow* parent) : WxPeer(hwnd, new DeferredStatusBar(parent)) {
    m_window->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) { OnClick(event.GetPosition()); });
  }

 protected:
  void ShowText() override {}
  void ShowContent() override {
    const StatusBarData* data = GetStatusBarData(m_hwnd);
    if (data == nullptr || data->panes.empty()) return;
    std::vector<int> widths;
    for (const StatusBarPane& pane : data->panes) widths.push_back(pane.width < 0 ? -1 : pane.width);
    if (widths != m_widths) {
      Bar()->SetFieldsCount(static_cast<int>(widths.size()), widths.data());
      m_widths = widths;
    }
    for (size_t i = 0; i < data->panes.size(); ++i) {
      const wxString text = ToWx(data->panes[i].text);
      if (Bar()->GetStatusText(static_cast<int>(i)) != text) Bar()->SetStatusText(text, static_cast<int>(i));
    }
  }

 private:
  wxStatusBar* Bar() const { return static_cast<wxStatusBar*>(m_window); }

  void OnClick(const wxPoint& point) {
    for (int field = 0; field < Bar()->GetFieldsCount(); ++field) {
      wxRect rect;
      if (!Bar()->GetFieldRect(field, rect) || !rect.Contains(point)) continue;
      const HWND hwnd = m_hwnd;
      Act([&](UserInput& user) { user.ClickStatusBarPane(CWnd::FromHandle(hwnd), field); });
      return;
    }
  }

  std::vector<int> m_widths;
};

}  // namespace

std::unique_ptr<WxPeer> MakeBarPeer(HWND hwnd, wxWindow* parent) {
  if (parent == nullptr) return nullptr;
  if (hwnd->className == kClassToolBar) return std::make_unique<ToolBarPeer>(hwnd, parent);
  if (hwnd->className == kClassStatusBar) return std::make_unique<StatusBarPeer>(hwnd, parent);
  return nullptr;
}
