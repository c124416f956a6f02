#include "platform/frame_wnd.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/control_bar.h"
#include "platform/document.h"
#include "platform/status_bar.h"
#include "platform/view.h"
#include "platform/win_thread.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const MessageMap CFrameWnd::kMessageMap{&CWnd::kMessageMap, {}};

const CRect CFrameWnd::rectDefault{0, 0, 800, 600};

namespace {
void CollectDescendants(HWND hwnd, std::vector<HWND>& found) {
  for (const auto& child : hwnd->children) {
    found.push_back(child.get());
    CollectDescendants(child.get(), found);
  }
}
}  // namespace

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND hwnd = m_hWnd != nullptr ? m_hWnd->parent : nullptr; hwnd != nullptr; hwnd = hwnd->parent) {
    if (auto* frame = DynamicDowncast<CFrameWnd>(FromHandlePermanent(hwnd))) return frame;
  }
  return nullptr;
}

CWnd* CreateDynamicWindow(const CRuntimeClass* cls, CWnd* parent, DWORD style, const CRect& rect, UINT id,
                          CCreateContext* context) {
  std::unique_ptr<CWnd> object = CreateObjectAs<CWnd>(cls);
  if (object == nullptr) return nullptr;
  CWnd* wnd = object.get();
  if (!wnd->Create(nullptr, nullptr, style, rect, parent, id, context)) return nullptr;
  AdoptWindowObject(wnd->m_hWnd, std::move(object));
  return wnd;
}

CFrameWnd::~CFrameWnd() {
  // Destroy the window while this is still a frame, so that it leaves its document.
  if (IsWindowHandle(m_hWnd)) DestroyWindow();
  if (m_pDocument != nullptr) m_pDocument->RemoveFrame(this);
}

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const CRect& rect, CWnd* parent,
                       const char*, DWORD exStyle, CCreateContext* context) {
  m_strTitle = title;
  return CreateEx(exStyle, className, title, style, rect, parent, 0, context);
}

CString CFrameWnd::LoadFrameTitle(UINT resourceId) {
  CString text;
  if (resourceId == 0 || !text.LoadString(resourceId)) return CString();
  const int end = text.Find('\n');
  return end < 0 ? text : text.Left(end);
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  return Create(nullptr, LoadFrameTitle(resourceId), style, rectDefault, parent, nullptr, 0, context);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  if (m_strTitle.IsEmpty()) m_strTitle = cs->name;
  auto* context = static_cast<CCreateContext*>(cs->createParams);
  if (context != nullptr && context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddFrame(this);
  if (!OnCreateClient(cs, context)) return -1;
  RecalcLayout();
  return 0;
}

void CFrameWnd::OnDestroy() {
  if (m_pDocument != nullptr) m_pDocument->RemoveFrame(this);
  m_pViewActive = nullptr;
  CWinThread* thread = AfxGetThread();
  if (thread->m_pMainWnd == this) thread->m_pMainWnd = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  RecalcLayout();
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (context == nullptr || context->m_pNewViewClass == nullptr) return TRUE;
  return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr ? TRUE : FALSE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  if (context == nullptr) return nullptr;
  return CreateDynamicWindow(context->m_pNewViewClass, this, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(), id,
                             context);
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (view == old) return;
  if (view != nullptr && !IsChild(view)) return;
  m_pViewActive = nullptr;
  if (old != nullptr) old->OnActivateView(FALSE, view, old);
  // The old view may have chosen another view meanwhile; that choice stands.
  if (m_pViewActive != nullptr) return;
  m_pViewActive = view;
  if (view != nullptr && notify) view->OnActivateView(TRUE, view, old);
}

void CFrameWnd::ForgetView(const CView* view) {
  if (m_pViewActive == view) m_pViewActive = nullptr;
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveView();
  if (view != nullptr && view->GetDocument() != nullptr) return view->GetDocument();
  return m_pDocument;
}

void CFrameWnd::RecalcLayout(BOOL) {
  const CRect area = RepositionBars();
  if (CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST))) pane->MoveWindow(area);
}

CRect CFrameWnd::RepositionBars() {
  CRect area;
  GetClientRect(&area);
  if (m_hWnd == nullptr) return area;
  std::vector<HWND> bars;
  for (const auto& child : m_hWnd->children) {
    const auto id = static_cast<UINT>(child->id);
    if (id >= AFX_IDW_CONTROLBAR_FIRST && id <= AFX_IDW_CONTROLBAR_LAST && !child->destroying)
      bars.push_back(child.get());
  }
  for (HWND hwnd : bars) {
    auto* bar = DynamicDowncast<CControlBar>(FromHandlePermanent(hwnd));
    if (bar == nullptr || !IsWindowHandle(hwnd) || (hwnd->style & WS_VISIBLE) == 0) continue;
    const int height = std::min(bar->CalcFixedHeight(), std::max(area.Height(), 0));
    if (bar->IsBottomBar()) {
      bar->MoveWindow(area.left, area.bottom - height, area.Width(), height);
      area.bottom -= height;
    } else {
      bar->MoveWindow(area.left, area.top, area.Width(), height);
      area.top += height;
    }
  }
  return area;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show) {
  if (bar == nullptr || bar->GetParent() != this) return;
  bar->ShowWindow(show ? SW_SHOW : SW_HIDE);
  RecalcLayout();
}

void CFrameWnd::SetMenu(std::unique_ptr<CMenu> menu) {
  m_menu = std::move(menu);
  NotifyPeer(m_hWnd, WindowChange::Content);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup) {
  if (popup == nullptr) return;
  const HWND self = m_hWnd;
  const bool changed = popup->UpdateCommandUI(*this, m_bAutoMenuEnable != FALSE);
  if (changed && IsWindowHandle(self)) NotifyPeer(self, WindowChange::Content);
}

UINT CFrameWnd::FindAcceleratorCommand(UINT key, UINT modifiers) const {
  return m_accelerators.Find(key, modifiers);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
  if (m_hWnd == nullptr) return;
  std::vector<HWND> children;
  for (const auto& child : m_hWnd->children) children.push_back(child.get());
  for (HWND hwnd : children) {
    if (!IsWindowHandle(hwnd)) continue;
    if (auto* bar = DynamicDowncast<CControlBar>(FromHandlePermanent(hwnd))) bar->OnUpdateCmdUI(this, TRUE);
  }
}

CStatusBar* CFrameWnd::GetMessageBar() const {
  return DynamicDowncast<CStatusBar>(GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR)));
}

void CFrameWnd::SetMessageText(const char* text) {
  if (CStatusBar* bar = GetMessageBar()) bar->SetPaneText(0, text);
}

CView* CFrameWnd::FindFirstPaneView() const {
  // A pane inside a pane of the same id (the first pane of a splitter) wins.
  CView* found = nullptr;
  for (CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)); pane != nullptr;
       pane = pane->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST))) {
    if (auto* view = DynamicDowncast<CView>(pane)) found = view;
  }
  return found;
}

void CFrameWnd::SendInitialUpdates() {
  // Initial updates may create or destroy windows: walk a list of handles made first.
  std::vector<HWND> windows;
  CollectDescendants(m_hWnd, windows);
  for (HWND hwnd : windows) {
    if (!IsWindowHandle(hwnd)) continue;
    if (auto* view = DynamicDowncast<CView>(FromHandlePermanent(hwnd))) view->SendInitialUpdate();
  }
}

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible) {
  if (m_hWnd == nullptr) return;
  if (document != nullptr && m_pDocument == nullptr) document->AddFrame(this);
  if (GetActiveView() == nullptr) SetActiveView(FindFirstPaneView(), FALSE);
  SendInitialUpdates();
  if (makeVisible) {
    ActivateFrame();
    if (CView* view = GetActiveView()) view->OnActivateView(TRUE, view, view);
  }
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow) {
  ShowWindow(cmdShow == -1 ? SW_SHOW : cmdShow);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
  CDocument* document = addToTitle ? GetActiveDocument() : nullptr;
  UpdateFrameTitleForDocument(document != nullptr ? document->GetTitle().c_str() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* documentName) {
  const CString name = documentName;
  CString caption = m_strTitle;
  if (!name.IsEmpty()) caption = m_strTitle.IsEmpty() ? name : name + " - " + m_strTitle;
  if (caption != GetWindowText()) SetWindowText(caption);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, LPARAM extra) {
  CView* view = GetActiveView();
  if (view != nullptr && view->OnCmdMsg(id, code, extra)) return TRUE;
  if (CWnd::OnCmdMsg(id, code, extra)) return TRUE;
  return AfxGetThread()->OnCmdMsg(id, code, extra);
}
