#include "gui/tab_peers.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include <algorithm>
#include <vector>

#include "platform/control_classes.h"
#include "platform/mdi_tab_bar.h"
#include "platform/tab_control.h"

namespace {

wxPoint PositionOf(HWND hwnd) {
  return {hwnd->rect.left, hwnd->rect.top};
}
wxSize SizeOf(HWND hwnd) {
  return {hwnd->rect.Width(), hwnd->rect.Height()};
}

const std::vector<CString>* TabsOf(HWND hwnd) {
  const TabControlData* data = GetTabControlData(hwnd);
  return data != nullptr ? &data->tabs : nullptr;
}

int CurrentTabOf(HWND hwnd) {
  const TabControlData* data = GetTabControlData(hwnd);
  return data != nullptr ? data->current : -1;
}

// A property sheet's tabs. The notebook's own pages stay empty; the sheet's page
// windows lie over them and must stay above them for the mouse too.
class SheetTabsPeer : public WxPeer {
 public:
  SheetTabsPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxNotebook(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd))) {
    m_window->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, [this](wxBookCtrlEvent& event) { OnChanging(event); });
  }

 protected:
  void ShowText() override {}
  void ShowContent() override {
    const std::vector<CString>* tabs = TabsOf(m_hwnd);
    if (tabs == nullptr) return;
    if (!SameTabs(*tabs)) {
      Book()->DeleteAllPages();
      for (const CString& tab : *tabs) Book()->AddPage(new wxPanel(Book()), ToWx(tab));
    }
    const int current = CurrentTabOf(m_hwnd);
    if (current >= 0 && Book()->GetSelection() != current)
      Book()->ChangeSelection(static_cast<size_t>(current));
    LowerPages();
  }

 private:
  wxNotebook* Book() const { return static_cast<wxNotebook*>(m_window); }

  // A notebook page shown again comes up on top of its siblings, the sheet's page
  // windows among them, and would take their clicks; it goes back under them.
  void LowerPages() {
    for (size_t i = 0; i < Book()->GetPageCount(); ++i) Book()->GetPage(i)->Lower();
  }

  bool SameTabs(const std::vector<CString>& tabs) const {
    if (Book()->GetPageCount() != tabs.size()) return false;
    for (size_t i = 0; i < tabs.size(); ++i) {
      if (Book()->GetPageText(i) != ToWx(tabs[i])) return false;
    }
    return true;
  }

  // The platform switches pages (the page left may refuse); the notebook follows it
  // once the switch it was about to make is off the stack.
  void OnChanging(wxBookCtrlEvent& event) {
    if (Updating()) return;
    event.Veto();
    const HWND hwnd = m_hwnd;
    const int index = event.GetSelection();
    wxTheApp->CallAfter([hwnd, index] {
      if (IsWindowHandle(hwnd)) Act([&](UserInput& user) { user.ChooseTab(CWnd::FromHandle(hwnd), index); });
    });
  }
};

// The MDI tab bar: a tab per child, the active child's tab joined to the area below.
class MDITabBarPeer : public WxPeer {
 public:
  MDITabBarPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd,
               new wxWindow(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd), wxFULL_REPAINT_ON_RESIZE)) {
    m_window->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_window->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { Paint(); });
    m_window->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) { OnClick(event.GetPosition()); });
  }

 protected:
  void ShowText() override {}
  void ShowContent() override { m_window->Refresh(); }

 private:
  static constexpr int kPadding = 14;
  static constexpr int kTop = 4;
  static constexpr int kMinWidth = 80;
  static constexpr int kMaxWidth = 260;

  std::vector<wxRect> TabRects(wxDC& dc) const {
    std::vector<wxRect> rects;
    const std::vector<CString>* tabs = TabsOf(m_hwnd);
    if (tabs == nullptr) return rects;
    int x = 4;
    const int height = m_window->GetClientSize().y - kTop;
    for (const CString& tab : *tabs) {
      const int width = std::clamp(dc.GetTextExtent(ToWx(tab)).x + 2 * kPadding, kMinWidth, kMaxWidth);
      rects.emplace_back(x, kTop, width, height);
      x += width + 2;
    }
    return rects;
  }

  void Paint() {
    wxAutoBufferedPaintDC dc(m_window);
    dc.SetFont(m_window->GetFont());
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    const wxColour active = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxSize size = m_window->GetClientSize();
    dc.SetBackground(wxBrush(face));
    dc.Clear();
    dc.SetPen(wxPen(shadow));
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    const std::vector<CString>* tabs = TabsOf(m_hwnd);
    const std::vector<wxRect> rects = TabRects(dc);
    const int current = CurrentTabOf(m_hwnd);
    for (size_t i = 0; tabs != nullptr && i < rects.size(); ++i) {
      const bool isCurrent = static_cast<int>(i) == current;
      const wxRect& r = rects[i];
      dc.SetBrush(wxBrush(isCurrent ? active : face.ChangeLightness(95)));
      dc.SetPen(wxPen(shadow));
      dc.DrawRoundedRectangle(r.x, r.y, r.width, r.height + 4, 3);
      if (isCurrent) {
        dc.SetPen(wxPen(active));
        dc.DrawLine(r.x + 1, size.y - 1, r.GetRight(), size.y - 1);
      }
      dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
      const wxRect text(r.x + kPadding / 2, r.y, r.width - kPadding, r.height);
      const wxString label =
          wxControl::Ellipsize(ToWx((*tabs)[i]), dc, wxELLIPSIZE_END, text.width, wxELLIPSIZE_FLAGS_NONE);
      dc.DrawLabel(label, text, wxALIGN_CENTER);
    }
  }

  void OnClick(wxPoint point) {
    wxClientDC dc(m_window);
    dc.SetFont(m_window->GetFont());
    const std::vector<wxRect> rects = TabRects(dc);
    for (size_t i = 0; i < rects.size(); ++i) {
      if (!rects[i].Contains(point)) continue;
      Act([&](UserInput& user) { user.ChooseTab(Object(), static_cast<int>(i)); });
      return;
    }
  }
};

}  // namespace

std::unique_ptr<WxPeer> MakeTabPeer(HWND hwnd, wxWindow* parent) {
  if (parent == nullptr || !IsWindowOfClass(hwnd, kClassTabControl)) return nullptr;
  if (DynamicDowncast<CMDITabBar>(CWnd::FromHandlePermanent(hwnd)) != nullptr)
    return std::make_unique<MDITabBarPeer>(hwnd, parent);
  return std::make_unique<SheetTabsPeer>(hwnd, parent);
}
