#include "platform/splitter_wnd.h"

#include <algorithm>

#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

const MessageMap CSplitterWnd::kMessageMap{&CWnd::kMessageMap, {}};

namespace {
// Without a context, a new pane shows what the active pane shows.
CCreateContext ContextFromActivePane(CWnd* activePane) {
  CCreateContext context;
  if (auto* view = DynamicDowncast<CView>(activePane)) {
    context.m_pLastView = view;
    context.m_pCurrentDoc = view->GetDocument();
  }
  return context;
}
}  // namespace

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id) {
  if (m_hWnd != nullptr || parent == nullptr || parent->m_hWnd == nullptr) return FALSE;
  if (rows < 1 || cols < 1 || rows > kMaxRowsOrColumns || cols > kMaxRowsOrColumns) return FALSE;
  m_rows.assign(static_cast<size_t>(rows), TrackInfo{});
  m_cols.assign(static_cast<size_t>(cols), TrackInfo{});
  CRect client;
  parent->GetClientRect(&client);
  if (!CreateEx(0, nullptr, nullptr, style | WS_CHILD, client, parent, id)) {
    m_rows.clear();
    m_cols.clear();
    return FALSE;
  }
  return TRUE;
}

bool CSplitterWnd::IsPlace(int row, int col) const {
  return row >= 0 && col >= 0 && row < GetRowCount() && col < GetColumnCount();
}

int CSplitterWnd::IdFromRowCol(int row, int col) const {
  return static_cast<int>(AFX_IDW_PANE_FIRST) + row * kMaxRowsOrColumns + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  return IsPlace(row, col) ? GetDlgItem(IdFromRowCol(row, col)) : nullptr;
}

bool CSplitterWnd::IsChildPane(const CWnd* wnd, int* row, int* col) const {
  const HWND hwnd = wnd != nullptr ? wnd->m_hWnd : nullptr;
  if (hwnd == nullptr || m_hWnd == nullptr || hwnd->parent != m_hWnd) return false;
  const int offset = wnd->GetDlgCtrlID() - static_cast<int>(AFX_IDW_PANE_FIRST);
  const int paneRow = offset / kMaxRowsOrColumns;
  const int paneCol = offset % kMaxRowsOrColumns;
  if (offset < 0 || !IsPlace(paneRow, paneCol)) return false;
  if (row != nullptr) *row = paneRow;
  if (col != nullptr) *col = paneCol;
  return true;
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* viewClass, CSize initialSize,
                              CCreateContext* context) {
  if (m_hWnd == nullptr || !IsPlace(row, col) || GetPane(row, col) != nullptr) return FALSE;
  CCreateContext derived = ContextFromActivePane(GetActivePane());
  CWnd* pane =
      CreateDynamicWindow(viewClass, this, WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), initialSize),
                          static_cast<UINT>(IdFromRowCol(row, col)), context != nullptr ? context : &derived);
  if (pane == nullptr) return FALSE;
  m_rows[static_cast<size_t>(row)].ideal = initialSize.cy;
  m_cols[static_cast<size_t>(col)].ideal = initialSize.cx;
  RecalcLayout();
  auto* view = DynamicDowncast<CView>(pane);
  if (view != nullptr && context == nullptr) view->SendInitialUpdate();
  return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col) {
  CWnd* pane = GetPane(row, col);
  if (pane == nullptr) return;
  const bool wasActive = GetActivePane() == pane;
  pane->DestroyWindow();
  if (wasActive) ActivateFirstViewPane();
}

void CSplitterWnd::ActivateFirstViewPane() {
  for (int row = 0; row < GetRowCount(); ++row) {
    for (int col = 0; col < GetColumnCount(); ++col) {
      if (DynamicDowncast<CView>(GetPane(row, col)) == nullptr) continue;
      SetActivePane(row, col);
      return;
    }
  }
}

void CSplitterWnd::SetRowInfo(int row, int idealHeight, int minHeight) {
  if (row < 0 || row >= GetRowCount()) return;
  m_rows[static_cast<size_t>(row)].ideal = idealHeight;
  m_rows[static_cast<size_t>(row)].min = minHeight;
}

void CSplitterWnd::GetRowInfo(int row, int& currentHeight, int& minHeight) const {
  const TrackInfo info = row >= 0 && row < GetRowCount() ? m_rows[static_cast<size_t>(row)] : TrackInfo{};
  currentHeight = info.current;
  minHeight = info.min;
}

void CSplitterWnd::SetColumnInfo(int col, int idealWidth, int minWidth) {
  if (col < 0 || col >= GetColumnCount()) return;
  m_cols[static_cast<size_t>(col)].ideal = idealWidth;
  m_cols[static_cast<size_t>(col)].min = minWidth;
}

void CSplitterWnd::GetColumnInfo(int col, int& currentWidth, int& minWidth) const {
  const TrackInfo info = col >= 0 && col < GetColumnCount() ? m_cols[static_cast<size_t>(col)] : TrackInfo{};
  currentWidth = info.current;
  minWidth = info.min;
}

void CSplitterWnd::LayOut(std::vector<TrackInfo>& tracks, int total) {
  int remaining = total;
  for (size_t i = 0; i < tracks.size(); ++i) {
    TrackInfo& track = tracks[i];
    if (i + 1 == tracks.size()) {
      track.current = std::max(remaining, 0);
      return;
    }
    const int size = std::clamp(track.ideal, 0, std::max(remaining - kSplitterGap, 0));
    track.current = size < track.min ? 0 : size;
    remaining -= track.current + kSplitterGap;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  LayOut(m_rows, client.Height());
  LayOut(m_cols, client.Width());
  int y = 0;
  for (int row = 0; row < GetRowCount(); ++row) {
    const int height = m_rows[static_cast<size_t>(row)].current;
    int x = 0;
    for (int col = 0; col < GetColumnCount(); ++col) {
      const int width = m_cols[static_cast<size_t>(col)].current;
      if (CWnd* pane = GetPane(row, col)) pane->MoveWindow(x, y, width, height);
      x += width + kSplitterGap;
    }
    y += height + kSplitterGap;
  }
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  RecalcLayout();
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* col) const {
  CFrameWnd* frame = GetParentFrame();
  CView* view = frame != nullptr ? frame->GetActiveView() : nullptr;
  return IsChildPane(view, row, col) ? view : nullptr;
}

void CSplitterWnd::SetActivePane(int row, int col) {
  CWnd* pane = GetPane(row, col);
  if (pane == nullptr) return;
  CFrameWnd* frame = GetParentFrame();
  auto* view = DynamicDowncast<CView>(pane);
  if (frame != nullptr && view != nullptr) {
    frame->SetActiveView(view);
  } else {
    pane->SetFocus();
  }
}
