#include "platform/document.h"

#include <algorithm>

#include "platform/frame_wnd.h"
#include "platform/view.h"

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

namespace {
// The positions of a view walk are the index of the next view plus one, so that the
// end of the walk is null.
POSITION PositionFromIndex(size_t index) {
  return reinterpret_cast<POSITION>(index + 1);
}
size_t IndexFromPosition(POSITION position) {
  return reinterpret_cast<size_t>(position) - 1;
}

CString FileNameOf(const CString& path) {
  const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
  return path.Mid(slash + 1);
}
}  // namespace

CDocument::~CDocument() {
  for (const ViewLink& link : m_views) link.view->m_pDocument = nullptr;
  for (CFrameWnd* frame : m_frames) frame->m_pDocument = nullptr;
}

void CDocument::AddView(CView* view) {
  if (view == nullptr || view->m_pDocument == this) return;
  if (view->m_pDocument != nullptr) view->m_pDocument->RemoveView(view);
  m_views.push_back({view, m_nextSerial++});
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  const auto it =
      std::find_if(m_views.begin(), m_views.end(), [view](const ViewLink& l) { return l.view == view; });
  if (it == m_views.end()) return;
  m_views.erase(it);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const {
  return m_views.empty() ? nullptr : PositionFromIndex(0);
}

CView* CDocument::GetNextView(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const size_t index = IndexFromPosition(position);
  if (index >= m_views.size()) {
    position = nullptr;
    return nullptr;
  }
  position = index + 1 < m_views.size() ? PositionFromIndex(index + 1) : nullptr;
  return m_views[index].view;
}

bool CDocument::IsLinked(const ViewLink& link) const {
  return std::find(m_views.begin(), m_views.end(), link) != m_views.end();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  const std::vector<ViewLink> receivers = m_views;
  for (const ViewLink& link : receivers) {
    if (link.view == sender || !IsLinked(link)) continue;
    link.view->OnUpdate(sender, hint, hintObject);
  }
}

void CDocument::SetTitle(const char* title) {
  m_strTitle = title;
  UpdateFrameTitles();
}

void CDocument::SetPathName(const char* pathName, BOOL) {
  m_strPathName = pathName;
  SetTitle(FileNameOf(m_strPathName));
}

BOOL CDocument::IsModified() {
  return m_modified ? TRUE : FALSE;
}

void CDocument::SetModifiedFlag(BOOL modified) {
  m_modified = modified != FALSE;
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // Destroying one frame may destroy another inside it, and the object with it: hold
  // on to the windows only.
  std::vector<HWND> windows;
  for (CFrameWnd* frame : GetFrames()) windows.push_back(frame->GetSafeHwnd());
  for (HWND hwnd : windows) {
    CWnd* frame = IsWindowHandle(hwnd) ? CWnd::FromHandlePermanent(hwnd) : nullptr;
    if (frame != nullptr) frame->DestroyWindow();
  }
  DeleteContents();
}

void CDocument::DeleteContents() {}

void CDocument::OnChangedViewList() {}

void CDocument::AddFrame(CFrameWnd* frame) {
  if (frame == nullptr || frame->m_pDocument == this) return;
  if (frame->m_pDocument != nullptr) frame->m_pDocument->RemoveFrame(frame);
  m_frames.push_back(frame);
  frame->m_pDocument = this;
}

void CDocument::RemoveFrame(CFrameWnd* frame) {
  const auto it = std::find(m_frames.begin(), m_frames.end(), frame);
  if (it == m_frames.end()) return;
  m_frames.erase(it);
  frame->m_pDocument = nullptr;
}

std::vector<CFrameWnd*> CDocument::GetFrames() const {
  std::vector<CFrameWnd*> frames = m_frames;
  for (const ViewLink& link : m_views) {
    CFrameWnd* frame = link.view->GetParentFrame();
    if (frame != nullptr && std::find(frames.begin(), frames.end(), frame) == frames.end())
      frames.push_back(frame);
  }
  return frames;
}

void CDocument::UpdateFrameTitles() {
  for (CFrameWnd* frame : GetFrames()) frame->OnUpdateFrameTitle(TRUE);
}
