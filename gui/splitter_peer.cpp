#include "gui/splitter_peer.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <optional>

#include "gui/uncovered_region.h"
#include "platform/splitter_wnd.h"

namespace {

constexpr int kGap = CSplitterWnd::kSplitterGap;

// A bar between two rows (below `index`) or two columns (right of `index`), and where
// in the bar the mouse took hold of it.
struct Bar {
  bool row = true;
  int index = 0;
  int grip = 0;
};

class SplitterPeer : public WxPeer {
 public:
  SplitterPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxWindow(parent, wxID_ANY, wxPoint(hwnd->rect.left, hwnd->rect.top),
                                  wxSize(hwnd->rect.Width(), hwnd->rect.Height()), wxBORDER_NONE)) {
    m_window->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_window->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { Paint(); });
    m_window->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) { OnMotion(event.GetPosition()); });
    m_window->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) { OnPress(event.GetPosition()); });
    m_window->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { EndDrag(); });
    m_window->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_drag.reset(); });
  }

 protected:
  void ShowText() override {}

 private:
  CSplitterWnd* Splitter() const { return DynamicDowncast<CSplitterWnd>(CWnd::FromHandlePermanent(m_hwnd)); }

  // Where row (or column) `index` starts.
  int TrackStart(const CSplitterWnd& splitter, bool row, int index) const {
    int start = 0;
    for (int i = 0; i < index; ++i) {
      int current = 0;
      int min = 0;
      row ? splitter.GetRowInfo(i, current, min) : splitter.GetColumnInfo(i, current, min);
      start += current + kGap;
    }
    return start;
  }

  std::optional<Bar> BarAt(wxPoint point) const {
    const CSplitterWnd* splitter = Splitter();
    if (splitter == nullptr) return std::nullopt;
    for (const bool row : {true, false}) {
      const int count = row ? splitter->GetRowCount() : splitter->GetColumnCount();
      const int at = row ? point.y : point.x;
      for (int index = 0; index + 1 < count; ++index) {
        const int barStart = TrackStart(*splitter, row, index + 1) - kGap;
        if (at >= barStart && at < barStart + kGap) return Bar{row, index, at - barStart};
      }
    }
    return std::nullopt;
  }

  void OnMotion(wxPoint point) {
    if (!m_drag) {
      const std::optional<Bar> bar = BarAt(point);
      m_window->SetCursor(!bar ? wxNullCursor : wxCursor(bar->row ? wxCURSOR_SIZENS : wxCURSOR_SIZEWE));
      return;
    }
    const CSplitterWnd* splitter = Splitter();
    if (splitter == nullptr) return;
    const Bar bar = *m_drag;
    const int at = bar.row ? point.y : point.x;
    const int size = std::max(at - bar.grip - TrackStart(*splitter, bar.row, bar.index), 0);
    Act([&](UserInput& user) {
      bar.row ? user.DragSplitterRow(Object(), bar.index, size)
              : user.DragSplitterColumn(Object(), bar.index, size);
    });
  }

  void OnPress(wxPoint point) {
    m_drag = BarAt(point);
    if (m_drag && !m_window->HasCapture()) m_window->CaptureMouse();
  }

  void EndDrag() {
    m_drag.reset();
    if (m_window->HasCapture()) m_window->ReleaseMouse();
  }

  // The bars are the splitter's own face, showing between the panes that cover the rest:
  // a repaint inside a pane paints nothing here.
  void Paint() {
    if (UncoveredUpdateRegion(*m_window).IsEmpty()) return;
    wxAutoBufferedPaintDC dc(m_window);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
  }

  std::optional<Bar> m_drag;
};

}  // namespace

std::unique_ptr<WxPeer> MakeSplitterPeer(HWND hwnd, wxWindow* parent) {
  if (parent == nullptr || DynamicDowncast<CSplitterWnd>(CWnd::FromHandlePermanent(hwnd)) == nullptr)
    return nullptr;
  return std::make_unique<SplitterPeer>(hwnd, parent);
}
