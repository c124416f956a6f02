#include "platform/status_bar.h"

#include <memory>

#include "platform/backend.h"
#include "platform/frame_wnd.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
// Room for a pane's text when only its length is known: an average character and a
// margin each side.
constexpr int kAverageCharWidth = 7;
constexpr int kPaneMargin = 8;

std::unique_ptr<CWnd> MakeStatusBarWrapper() {
  return std::make_unique<CStatusBar>();
}

void RegisterStatusBarClass() {
  static const bool registered = [] {
    RegisterWindowClass(kClassStatusBar, nullptr, &MakeStatusBarWrapper);
    return true;
  }();
  (void)registered;
}
}  // namespace

StatusBarData* GetStatusBarData(HWND hwnd) {
  if (hwnd == nullptr || hwnd->className != kClassStatusBar) return nullptr;
  if (hwnd->data == nullptr) hwnd->data = std::make_unique<StatusBarData>();
  return hwnd->Data<StatusBarData>();
}

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  RegisterStatusBarClass();
  return CreateBar(kClassStatusBar, parent, style, id);
}

StatusBarData* CStatusBar::Data() const {
  return GetStatusBarData(m_hWnd);
}

StatusBarPane* CStatusBar::Pane(int index) const {
  StatusBarData* data = Data();
  if (data == nullptr || index < 0 || index >= static_cast<int>(data->panes.size())) return nullptr;
  return &data->panes[static_cast<size_t>(index)];
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  StatusBarData* data = Data();
  if (data == nullptr || ids == nullptr || count <= 0) return FALSE;
  data->panes.clear();
  for (int i = 0; i < count; ++i) {
    StatusBarPane pane;
    pane.id = ids[i];
    if (pane.id != ID_SEPARATOR) {
      pane.text.LoadString(pane.id);
      pane.width = pane.text.GetLength() * kAverageCharWidth + 2 * kPaneMargin;
    }
    data->panes.push_back(pane);
  }
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

int CStatusBar::GetCount() const {
  const StatusBarData* data = Data();
  return data != nullptr ? static_cast<int>(data->panes.size()) : 0;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (int index = 0; index < GetCount(); ++index) {
    if (Pane(index)->id == id) return index;
  }
  return -1;
}

UINT CStatusBar::GetItemID(int index) const {
  const StatusBarPane* pane = Pane(index);
  return pane != nullptr ? pane->id : 0;
}

BOOL CStatusBar::SetPaneText(int index, const char* text) {
  StatusBarPane* pane = Pane(index);
  if (pane == nullptr) return FALSE;
  const CString shown = text;
  if (pane->text == shown) return TRUE;
  pane->text = shown;
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

CString CStatusBar::GetPaneText(int index) const {
  const StatusBarPane* pane = Pane(index);
  return pane != nullptr ? pane->text : CString();
}

void CStatusBar::SetPaneInfo(int index, UINT id, int width) {
  StatusBarPane* pane = Pane(index);
  if (pane == nullptr) return;
  pane->id = id;
  pane->width = width < 0 ? -1 : width;
  NotifyPeer(m_hWnd, WindowChange::Content);
}

int CStatusBar::GetPaneWidth(int index) const {
  const StatusBarPane* pane = Pane(index);
  return pane != nullptr ? pane->width : 0;
}

int CStatusBar::CalcFixedHeight() const {
  return kHeight;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL) {
  if (target == nullptr) return;
  for (int index = 0; index < GetCount(); ++index) {
    const UINT id = GetItemID(index);
    if (id == ID_SEPARATOR) continue;
    CCmdUI state(id);
    state.DoUpdate(target, false);
    if (!IsWindowHandle(m_hWnd)) return;
    // An empty text clears the pane: what it said is no longer so.
    if (state.WasHandled() && state.WasTextSet()) SetPaneText(index, state.GetText());
  }
}
