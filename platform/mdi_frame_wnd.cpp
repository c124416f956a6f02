#include "platform/mdi_frame_wnd.h"

#include "platform/backend.h"
#include "platform/document.h"
#include "platform/mdi_tab_bar.h"
#include "platform/view.h"
#include "platform/win_thread.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {
bool HasTitle(const CDocument* document) {
  return document != nullptr && !document->GetTitle().IsEmpty();
}
}  // namespace

CMDIFrameWnd::~CMDIFrameWnd() {
  if (IsWindowHandle(m_hWnd)) DestroyWindow();
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
  CREATESTRUCT cs;
  cs.className = kClassMDIClient;
  cs.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  GetClientRect(&cs.rect);
  cs.parent = m_hWnd;
  cs.id = static_cast<int>(AFX_IDW_PANE_FIRST);
  m_hWndMDIClient = CreateWindowHandle(cs, nullptr);
  return m_hWndMDIClient != nullptr ? TRUE : FALSE;
}

void CMDIFrameWnd::OnDestroy() {
  m_pActiveChild = nullptr;
  m_tabBar.reset();
  m_hWndMDIClient = nullptr;
  CFrameWnd::OnDestroy();
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetMDIChildren() const {
  std::vector<CMDIChildWnd*> children;
  if (!IsWindowHandle(m_hWndMDIClient)) return children;
  for (const auto& child : m_hWndMDIClient->children) {
    auto* frame = DynamicDowncast<CMDIChildWnd>(FromHandlePermanent(child.get()));
    if (frame != nullptr && IsWindowHandle(child.get())) children.push_back(frame);
  }
  return children;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  if (maximized != nullptr) *maximized = m_pActiveChild != nullptr ? TRUE : FALSE;
  return m_pActiveChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* wnd) {
  auto* child = DynamicDowncast<CMDIChildWnd>(wnd);
  if (child == m_pActiveChild || (child != nullptr && child->GetMDIFrame() != this)) return;
  CMDIChildWnd* old = m_pActiveChild;
  m_pActiveChild = child;
  if (old != nullptr) old->OnMDIActivate(FALSE, child, old);
  if (child != nullptr) child->OnMDIActivate(TRUE, child, old);
  OnUpdateFrameTitle(TRUE);
  OnChildrenChanged();
}

void CMDIFrameWnd::OnChildrenChanged(const CMDIChildWnd* leaving) {
  if (m_tabBar != nullptr && IsWindowHandle(m_tabBar->m_hWnd)) m_tabBar->ShowChildren(*this, leaving);
  NotifyPeer(m_hWndMDIClient, WindowChange::Content);
}

BOOL CMDIFrameWnd::EnableMDITabs(BOOL enable) {
  if (!enable) {
    m_tabBar.reset();
    RecalcLayout();
    return TRUE;
  }
  if (m_tabBar != nullptr) return TRUE;
  auto bar = std::make_unique<CMDITabBar>();
  if (m_hWnd == nullptr || !bar->Create(this)) return FALSE;
  m_tabBar = std::move(bar);
  m_tabBar->ShowChildren(*this);
  return TRUE;
}

CMDITabBar* CMDIFrameWnd::GetMDITabBar() const {
  return m_tabBar != nullptr && IsWindowHandle(m_tabBar->m_hWnd) ? m_tabBar.get() : nullptr;
}

UINT CMDIFrameWnd::FindAcceleratorCommand(UINT key, UINT modifiers) const {
  const UINT command = m_pActiveChild != nullptr ? m_pActiveChild->FindAcceleratorCommand(key, modifiers) : 0;
  return command != 0 ? command : CFrameWnd::FindAcceleratorCommand(key, modifiers);
}

void CMDIFrameWnd::OnIdleUpdateCmdUI() {
  CFrameWnd::OnIdleUpdateCmdUI();
  if (m_pActiveChild != nullptr) m_pActiveChild->OnIdleUpdateCmdUI();
}

void CMDIFrameWnd::OnChildDestroyed(const CMDIChildWnd* child) {
  if (m_pActiveChild != child) {
    if (IsWindowHandle(m_hWnd)) OnChildrenChanged(child);
    return;
  }
  m_pActiveChild = nullptr;
  // While the main window itself goes, no other child is worth activating.
  if (!IsWindowHandle(m_hWnd)) return;
  CMDIChildWnd* next = nullptr;
  for (CMDIChildWnd* other : GetMDIChildren()) {
    if (other != child) next = other;
  }
  if (next != nullptr) {
    MDIActivate(next);
  } else {
    OnUpdateFrameTitle(TRUE);
  }
  OnChildrenChanged(child);
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  return m_pActiveChild != nullptr ? m_pActiveChild->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

void CMDIFrameWnd::RecalcLayout(BOOL notify) {
  CFrameWnd::RecalcLayout(notify);
  if (!IsWindowHandle(m_hWndMDIClient)) return;
  CRect client;
  CWnd::FromHandle(m_hWndMDIClient)->GetClientRect(&client);
  for (CMDIChildWnd* child : GetMDIChildren()) child->MoveWindow(client);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
  const CDocument* document = addToTitle ? GetActiveDocument() : nullptr;
  CString caption = m_strTitle;
  if (HasTitle(document))
    caption = m_strTitle.IsEmpty() ? document->GetTitle() : m_strTitle + " - " + document->GetTitle();
  if (caption != GetWindowText()) SetWindowText(caption);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, LPARAM extra) {
  if (m_pActiveChild != nullptr && m_pActiveChild->OnCmdMsg(id, code, extra)) return TRUE;
  return CFrameWnd::OnCmdMsg(id, code, extra);
}

CMDIChildWnd::~CMDIChildWnd() {
  if (IsWindowHandle(m_hWnd)) DestroyWindow();
}

BOOL CMDIChildWnd::Create(const char* className, const char* title, DWORD style, const CRect& rect,
                          CMDIFrameWnd* parent, CCreateContext* context) {
  if (parent == nullptr) parent = DynamicDowncast<CMDIFrameWnd>(AfxGetThread()->GetMainWnd());
  if (parent == nullptr || !IsWindowHandle(parent->m_hWndMDIClient)) return FALSE;
  CWnd* client = CWnd::FromHandle(parent->m_hWndMDIClient);
  CRect place = rect;
  if (rect == rectDefault) client->GetClientRect(&place);
  const UINT id = AFX_IDM_FIRST_MDICHILD + static_cast<UINT>(parent->GetMDIChildren().size());
  m_strTitle = title;
  return CreateEx(0, className, title, style | WS_CHILD, place, client, id, context);
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  auto* mdiFrame = DynamicDowncast<CMDIFrameWnd>(parent);
  if (parent != nullptr && mdiFrame == nullptr) return FALSE;
  return Create(nullptr, LoadFrameTitle(resourceId), style, rectDefault, mdiFrame, context);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  if (CMDIFrameWnd* mdiFrame = GetMDIFrame()) mdiFrame->OnChildrenChanged();
  return 0;
}

void CMDIChildWnd::OnDestroy() {
  CMDIFrameWnd* mdiFrame = GetMDIFrame();
  CFrameWnd::OnDestroy();
  if (mdiFrame != nullptr) mdiFrame->OnChildDestroyed(this);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  for (CFrameWnd* frame = GetParentFrame(); frame != nullptr; frame = frame->GetParentFrame()) {
    if (auto* mdiFrame = DynamicDowncast<CMDIFrameWnd>(frame)) return mdiFrame;
  }
  return nullptr;
}

void CMDIChildWnd::MDIActivate() {
  if (CMDIFrameWnd* mdiFrame = GetMDIFrame()) mdiFrame->MDIActivate(this);
}

void CMDIChildWnd::ActivateFrame(int cmdShow) {
  CFrameWnd::ActivateFrame(cmdShow);
  MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) != 0) {
    const CDocument* document = addToTitle ? GetActiveDocument() : nullptr;
    const CString caption = HasTitle(document) ? document->GetTitle() : m_strTitle;
    if (caption != GetWindowText()) SetWindowText(caption);
  }
  CMDIFrameWnd* mdiFrame = GetMDIFrame();
  if (mdiFrame == nullptr) return;
  if (mdiFrame->MDIGetActive() == this) mdiFrame->OnUpdateFrameTitle(TRUE);
  mdiFrame->OnChildrenChanged();
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*) {
  if (CView* view = GetActiveView()) view->OnActivateView(activate, view, view);
}

CMDIChildWnd* CreateMDIChild(const CRuntimeClass* frameClass, CMDIFrameWnd* mainFrame,
                             CCreateContext& context, UINT resourceId) {
  if (mainFrame == nullptr) return nullptr;
  std::unique_ptr<CMDIChildWnd> object = CreateObjectAs<CMDIChildWnd>(frameClass);
  if (object == nullptr) return nullptr;
  CMDIChildWnd* child = object.get();
  if (!child->LoadFrame(resourceId, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, mainFrame, &context))
    return nullptr;
  AdoptWindowObject(child->m_hWnd, std::move(object));
  child->InitialUpdateFrame(context.m_pCurrentDoc, TRUE);
  return child;
}
