#include "platform/control_bar.h"

#include "platform/frame_wnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

const MessageMap CControlBar::kMessageMap{&CWnd::kMessageMap,
                                          {
                                              MessageEntry(WM_SHOWWINDOW, &CControlBar::OnShowWindowMessage),
                                          }};

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

BOOL CControlBar::CreateBar(const char* className, CWnd* parent, DWORD style, UINT id) {
  if (parent == nullptr || parent->m_hWnd == nullptr) return FALSE;
  m_dwStyle = style & CBRS_ALL;
  if ((m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) == 0) m_dwStyle |= CBRS_ALIGN_TOP;
  const DWORD windowStyle = (style & ~CBRS_ALL) | WS_CHILD;
  if (!CreateEx(0, className, "", windowStyle, CRect(), parent, id)) return FALSE;
  RelayoutFrame();
  return TRUE;
}

CFrameWnd* CControlBar::GetBarFrame() const {
  return DynamicDowncast<CFrameWnd>(GetParent());
}

void CControlBar::RelayoutFrame() const {
  if (CFrameWnd* frame = GetBarFrame()) frame->RecalcLayout();
}

LRESULT CControlBar::OnShowWindowMessage(WPARAM, LPARAM) {
  RelayoutFrame();
  return 0;
}
