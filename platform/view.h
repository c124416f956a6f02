// CView: a window that shows a document. A view joins the document of its creation
// context when its window is created and leaves it when the window is destroyed; the
// frame around it sends the initial update and routes commands to it first.
#pragma once

#include "platform/create_context.h"
#include "platform/cwnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  // Once, after the frame is complete; the base updates the view with no hint.
  virtual void OnInitialUpdate();
  // The document changed (UpdateAllViews); the base redraws the whole view.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnDraw(CDC* dc) = 0;
  // The view became (or stopped being) the active view of its frame.
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

  // Runs OnInitialUpdate unless the view has had it already.
  void SendInitialUpdate();

  // The view's own handlers first, then its document's.
  BOOL OnCmdMsg(UINT id, int code, LPARAM extra) override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  CView() = default;
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  // A view that hosts a pane window (a splitter) keeps it filling the client, as a
  // frame does.
  void OnSize(UINT type, int cx, int cy) override;

  CDocument* m_pDocument = nullptr;  // not owned

 private:
  friend class CDocument;
  void LeaveDocumentAndFrames();

  bool m_initialUpdateDone = false;
};
