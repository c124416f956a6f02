#include "platform/view.h"

#include "platform/document.h"
#include "platform/frame_wnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

const MessageMap CView::kMessageMap{&CWnd::kMessageMap, {}};

CView::~CView() {
  // Destroy the window while this is still a view, so that it leaves its document.
  if (IsWindowHandle(m_hWnd)) DestroyWindow();
  LeaveDocumentAndFrames();
}

void CView::OnInitialUpdate() {
  OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
  Invalidate();
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
  if (activate && activateView == this) SetFocus();
}

void CView::SendInitialUpdate() {
  if (m_initialUpdateDone) return;
  m_initialUpdateDone = true;
  OnInitialUpdate();
}

BOOL CView::OnCmdMsg(UINT id, int code, LPARAM extra) {
  if (CWnd::OnCmdMsg(id, code, extra)) return TRUE;
  return m_pDocument != nullptr ? m_pDocument->OnCmdMsg(id, code, extra) : FALSE;
}

int CView::OnCreate(LPCREATESTRUCT cs) {
  const auto* context = static_cast<const CCreateContext*>(cs->createParams);
  if (context != nullptr && context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddView(this);
  return CWnd::OnCreate(cs);
}

void CView::OnDestroy() {
  LeaveDocumentAndFrames();
  CWnd::OnDestroy();
}

void CView::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST))) pane->MoveWindow(0, 0, cx, cy);
}

void CView::LeaveDocumentAndFrames() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
  for (HWND hwnd = m_hWnd != nullptr ? m_hWnd->parent : nullptr; hwnd != nullptr; hwnd = hwnd->parent) {
    if (auto* frame = DynamicDowncast<CFrameWnd>(CWnd::FromHandlePermanent(hwnd))) frame->ForgetView(this);
  }
}
