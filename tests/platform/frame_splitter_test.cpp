// Frames made by dynamic creation, MDI children, static splitters (also inside a view)
// and the route a command takes through a frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/document.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/splitter_wnd.h"
#include "platform/view.h"
#include "platform/win_thread.h"
#include "tests/support/headless_test.h"

namespace {

constexpr int kGap = CSplitterWnd::kSplitterGap;

class PaneView : public CView {
  DECLARE_DYNCREATE(PaneView)

 public:
  int initialUpdates = 0;
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
};

IMPLEMENT_DYNCREATE(PaneView, CView)

class RefusingPaneView : public PaneView {
  DECLARE_DYNCREATE(RefusingPaneView)

 protected:
  int OnCreate(LPCREATESTRUCT) override { return -1; }
};

IMPLEMENT_DYNCREATE(RefusingPaneView, PaneView)

// A view holding a hidden splitter of two views side by side, a third and the rest of
// its width.
class SidesView : public CView {
  DECLARE_DYNCREATE(SidesView)

 public:
  CSplitterWnd splitter;
  void OnDraw(CDC*) override {}

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    if (CView::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->createParams);
    const CSize size = cs->rect.Size();
    if (!splitter.CreateStatic(this, 1, 2, WS_CHILD)) return -1;
    if (!splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(size.cx / 3, size.cy), context)) return -1;
    return splitter.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(2 * size.cx / 3, size.cy), context) ? 0
                                                                                                        : -1;
  }
};

IMPLEMENT_DYNCREATE(SidesView, CView)

// The same two views side by side, in a frame that is itself a pane.
class SidesFrame : public CFrameWnd {
  DECLARE_DYNCREATE(SidesFrame)

 public:
  CSplitterWnd splitter;

  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    CRect client;
    GetClientRect(&client);
    return splitter.CreateStatic(this, 1, 2) &&
           splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(client.Width() / 3, client.Height()),
                               context) &&
           splitter.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(client.Width(), client.Height()),
                               context);
  }
};

IMPLEMENT_DYNCREATE(SidesFrame, CFrameWnd)

// A document frame split into a top pane and, below it, the sides view.
class SplitFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(SplitFrame)

 public:
  CSplitterWnd splitter;
  const CRuntimeClass* topClass = RUNTIME_CLASS(PaneView);
  const CRuntimeClass* bottomClass = RUNTIME_CLASS(SidesView);

  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    if (!splitter.CreateStatic(this, 2, 1, WS_CHILD)) return FALSE;
    CRect client;
    GetClientRect(&client);
    if (!splitter.CreateView(0, 0, topClass, CSize(client.Width(), client.Height() / 3), context))
      return FALSE;
    return splitter.CreateView(1, 0, bottomClass, CSize(client.Width(), 2 * client.Height() / 3), context);
  }
};

IMPLEMENT_DYNCREATE(SplitFrame, CMDIChildWnd)

class BrokenFrame : public SplitFrame {
  DECLARE_DYNCREATE(BrokenFrame)

 public:
  BrokenFrame() { topClass = RUNTIME_CLASS(RefusingPaneView); }
};

IMPLEMENT_DYNCREATE(BrokenFrame, SplitFrame)

class FramedSidesFrame : public SplitFrame {
  DECLARE_DYNCREATE(FramedSidesFrame)

 public:
  FramedSidesFrame() { bottomClass = RUNTIME_CLASS(SidesFrame); }
};

IMPLEMENT_DYNCREATE(FramedSidesFrame, SplitFrame)

class FrameSplitterTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(mainFrame.LoadFrame(0));
    mainFrame.SetTitle("Designer");
    mainFrame.MoveWindow(0, 0, 900, 600);
    mainFrame.ShowWindow(SW_SHOW);
    document.SetTitle("U1.clib");
  }

  SplitFrame* OpenFrame(const CRuntimeClass* cls = RUNTIME_CLASS(SplitFrame)) {
    CCreateContext context;
    context.m_pCurrentDoc = &document;
    return static_cast<SplitFrame*>(CreateMDIChild(cls, &mainFrame, context));
  }

  static CRect RectOf(const CWnd* wnd) {
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
  }

  static SidesView* Sides(SplitFrame* frame) {
    return DynamicDowncast<SidesView>(frame->splitter.GetPane(1, 0));
  }

  CDocument document;
  CMDIFrameWnd mainFrame;
};

TEST_F(FrameSplitterTest, AFrameMadeByDynamicCreationJoinsItsViewsToTheDocument) {
  SplitFrame* frame = OpenFrame();
  ASSERT_NE(frame, nullptr);
  auto* top = DynamicDowncast<PaneView>(frame->splitter.GetPane(0, 0));
  SidesView* sides = Sides(frame);
  ASSERT_NE(top, nullptr);
  ASSERT_NE(sides, nullptr);
  auto* left = DynamicDowncast<PaneView>(sides->splitter.GetPane(0, 0));
  auto* right = DynamicDowncast<PaneView>(sides->splitter.GetPane(0, 1));
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);

  EXPECT_EQ(document.GetViewCount(), 4);
  for (CView* view : {static_cast<CView*>(top), static_cast<CView*>(sides), static_cast<CView*>(left)}) {
    EXPECT_EQ(view->GetDocument(), &document);
  }
  EXPECT_EQ(top->initialUpdates, 1);
  EXPECT_EQ(right->initialUpdates, 1);
  EXPECT_EQ(frame->GetActiveView(), top);
  EXPECT_EQ(frame->GetActiveDocument(), &document);
  EXPECT_EQ(left->GetParentFrame(), frame);
  EXPECT_EQ(mainFrame.MDIGetActive(), frame);
  EXPECT_EQ(frame->GetWindowText(), "U1.clib");
  EXPECT_EQ(mainFrame.GetWindowText(), "Designer - U1.clib");

  frame->InitialUpdateFrame(&document, TRUE);
  EXPECT_EQ(top->initialUpdates, 1);

  document.SetTitle("U2.clib");
  EXPECT_EQ(frame->GetWindowText(), "U2.clib");
  EXPECT_EQ(mainFrame.GetWindowText(), "Designer - U2.clib");

  // The splitters stay hidden, and their panes out of a user's reach, until shown.
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_FALSE(top->IsWindowVisible());
  EXPECT_FALSE(user.LeftClick(top, CPoint(5, 5)));
  frame->splitter.ShowWindow(SW_SHOW);
  EXPECT_TRUE(top->IsWindowVisible());
  EXPECT_FALSE(left->IsWindowVisible());
  sides->splitter.ShowWindow(SW_SHOW);
  EXPECT_TRUE(left->IsWindowVisible());
  EXPECT_TRUE(user.LeftClick(left, CPoint(5, 5)));
  EXPECT_EQ(frame->GetActiveView(), left);

  frame->DestroyWindow();
  EXPECT_EQ(document.GetViewCount(), 0);
  EXPECT_EQ(mainFrame.MDIGetActive(), nullptr);
  EXPECT_EQ(mainFrame.GetWindowText(), "Designer");
}

TEST_F(FrameSplitterTest, AFrameThatFailsToBuildItsPanesLeavesNothingBehind) {
  EXPECT_EQ(OpenFrame(RUNTIME_CLASS(BrokenFrame)), nullptr);
  EXPECT_EQ(OpenFrame(RUNTIME_CLASS(PaneView)), nullptr);

  EXPECT_EQ(document.GetViewCount(), 0);
  EXPECT_TRUE(mainFrame.GetMDIChildren().empty());
  EXPECT_TRUE(mainFrame.m_hWndMDIClient->children.empty());
  EXPECT_EQ(mainFrame.MDIGetActive(), nullptr);
  EXPECT_NE(OpenFrame(), nullptr);
}

TEST_F(FrameSplitterTest, PanesAreStackedByTheirSizesAndFollowTheFrame) {
  SplitFrame* frame = OpenFrame();
  ASSERT_NE(frame, nullptr);
  SidesView* sides = Sides(frame);

  EXPECT_EQ(RectOf(frame), CRect(0, 0, 900, 600));
  EXPECT_EQ(RectOf(frame->splitter.GetPane(0, 0)), CRect(0, 0, 900, 200));
  EXPECT_EQ(RectOf(sides), CRect(0, 200 + kGap, 900, 600));
  EXPECT_EQ(RectOf(sides->splitter.GetPane(0, 0)), CRect(0, 0, 300, 400 - kGap));
  EXPECT_EQ(RectOf(sides->splitter.GetPane(0, 1)), CRect(300 + kGap, 0, 900, 400 - kGap));

  mainFrame.MoveWindow(0, 0, 1200, 800);

  EXPECT_EQ(RectOf(frame->splitter.GetPane(0, 0)), CRect(0, 0, 1200, 200));
  EXPECT_EQ(RectOf(sides), CRect(0, 200 + kGap, 1200, 800));
  EXPECT_EQ(RectOf(sides->splitter.GetPane(0, 1)), CRect(300 + kGap, 0, 1200, 600 - kGap));
  int height = 0;
  int minimum = -1;
  frame->splitter.GetRowInfo(1, height, minimum);
  EXPECT_EQ(height, 600 - kGap);
  EXPECT_EQ(minimum, 0);

  frame->splitter.SetRowInfo(0, 50, 80);
  frame->splitter.RecalcLayout();
  frame->splitter.GetRowInfo(0, height, minimum);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(RectOf(sides), CRect(0, kGap, 1200, 800));
}

TEST_F(FrameSplitterTest, AFrameCanBeAPaneWithItsOwnSplitter) {
  SplitFrame* frame = OpenFrame(RUNTIME_CLASS(FramedSidesFrame));
  ASSERT_NE(frame, nullptr);
  auto* sides = DynamicDowncast<SidesFrame>(frame->splitter.GetPane(1, 0));
  ASSERT_NE(sides, nullptr);
  auto* right = DynamicDowncast<PaneView>(sides->splitter.GetPane(0, 1));
  ASSERT_NE(right, nullptr);

  EXPECT_EQ(document.GetViewCount(), 3);
  EXPECT_EQ(right->initialUpdates, 1);
  EXPECT_EQ(right->GetParentFrame(), sides);
  EXPECT_EQ(sides->GetParentFrame(), frame);
  EXPECT_EQ(sides->GetActiveDocument(), &document);
  EXPECT_EQ(RectOf(right), CRect(300 + kGap, 0, 900, 400 - kGap));

  frame->splitter.ShowWindow(SW_SHOW);
  ASSERT_TRUE(user.LeftClick(right, CPoint(1, 1)));
  EXPECT_EQ(sides->GetActiveView(), right);
  EXPECT_EQ(frame->GetWindowText(), "U1.clib");
  EXPECT_EQ(sides->GetWindowText(), "");
}

TEST_F(FrameSplitterTest, ADeletedPaneIsEmptyUntilAViewIsCreatedInIt) {
  SplitFrame* frame = OpenFrame();
  ASSERT_NE(frame, nullptr);
  CSplitterWnd& splitter = frame->splitter;
  ASSERT_EQ(frame->GetActiveView(), splitter.GetPane(0, 0));

  splitter.DeleteView(0, 0);
  EXPECT_EQ(splitter.GetPane(0, 0), nullptr);
  EXPECT_EQ(document.GetViewCount(), 3);
  EXPECT_EQ(frame->GetActiveView(), splitter.GetPane(1, 0));

  EXPECT_FALSE(splitter.CreateView(0, 0, RUNTIME_CLASS(RefusingPaneView), CSize(900, 100), nullptr));
  EXPECT_FALSE(splitter.CreateView(0, 0, RUNTIME_CLASS(CSplitterWnd), CSize(900, 100), nullptr));
  EXPECT_FALSE(splitter.CreateView(0, 0, RUNTIME_CLASS(CDocument), CSize(900, 100), nullptr));
  EXPECT_EQ(splitter.GetPane(0, 0), nullptr);
  EXPECT_EQ(document.GetViewCount(), 3);

  EXPECT_FALSE(splitter.CreateView(1, 0, RUNTIME_CLASS(PaneView), CSize(900, 100), nullptr));
  EXPECT_FALSE(splitter.CreateView(2, 0, RUNTIME_CLASS(PaneView), CSize(900, 100), nullptr));

  ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(900, 100), nullptr));
  auto* fresh = DynamicDowncast<PaneView>(splitter.GetPane(0, 0));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->GetDocument(), &document);
  EXPECT_EQ(fresh->initialUpdates, 1);
  EXPECT_EQ(RectOf(fresh), CRect(0, 0, 900, 100));
  EXPECT_EQ(splitter.IdFromRowCol(1, 0), static_cast<int>(AFX_IDW_PANE_FIRST) + 16);
  EXPECT_EQ(splitter.GetPane(1, 0)->GetDlgCtrlID(), splitter.IdFromRowCol(1, 0));
}

// Command routing: the active view, its document, the frame, then the application.
constexpr UINT kViewOnly = 700;
constexpr UINT kFrameOnly = 701;
constexpr UINT kBoth = 702;
constexpr UINT kDocumentOnly = 703;
constexpr UINT kApplicationOnly = 704;

std::vector<std::string> g_route;

class RouteView : public PaneView {
  DECLARE_DYNCREATE(RouteView)

 public:
  void OnViewOnly() { g_route.push_back("view"); }
  void OnBoth() { g_route.push_back("view"); }
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(RouteView, PaneView)

const MessageMap RouteView::kMessageMap{
    &PaneView::kMessageMap,
    {CommandEntry(kViewOnly, &RouteView::OnViewOnly), CommandEntry(kBoth, &RouteView::OnBoth)}};

class RouteFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(RouteFrame)

 public:
  void OnFrameOnly() { g_route.push_back("frame"); }
  void OnBoth() { g_route.push_back("frame"); }
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(RouteFrame, CMDIChildWnd)

const MessageMap RouteFrame::kMessageMap{
    &CMDIChildWnd::kMessageMap,
    {CommandEntry(kFrameOnly, &RouteFrame::OnFrameOnly), CommandEntry(kBoth, &RouteFrame::OnBoth)}};

class RouteDocument : public CDocument {
 public:
  void OnDocumentOnly() { g_route.push_back("document"); }
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

const MessageMap RouteDocument::kMessageMap{&CDocument::kMessageMap,
                                            {CommandEntry(kDocumentOnly, &RouteDocument::OnDocumentOnly)}};

class RouteApp : public CWinApp {
 public:
  RouteApp() : CWinApp("Designer") {}
  void OnApplicationOnly() { g_route.push_back("application"); }
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

const MessageMap RouteApp::kMessageMap{&CWinApp::kMessageMap,
                                       {CommandEntry(kApplicationOnly, &RouteApp::OnApplicationOnly)}};

class CommandRouteTest : public FrameSplitterTest {
 protected:
  CMDIChildWnd* OpenRouteFrame() {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(RouteView);
    context.m_pCurrentDoc = &routeDocument;
    return CreateMDIChild(RUNTIME_CLASS(RouteFrame), &mainFrame, context);
  }
  std::vector<std::string> Route(CWnd* target, UINT id) {
    g_route.clear();
    user.RunCommand(target, id);
    return g_route;
  }

  RouteApp app;
  RouteDocument routeDocument;
};

using Path = std::vector<std::string>;

TEST_F(CommandRouteTest, AFrameTriesItsActiveViewThenItselfThenTheApplication) {
  CMDIChildWnd* frame = OpenRouteFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->GetActiveView(), nullptr);

  EXPECT_EQ(Route(frame, kViewOnly), Path{"view"});
  EXPECT_EQ(Route(frame, kBoth), Path{"view"});
  EXPECT_EQ(Route(frame, kDocumentOnly), Path{"document"});
  EXPECT_EQ(Route(frame, kFrameOnly), Path{"frame"});
  EXPECT_EQ(Route(frame, kApplicationOnly), Path{"application"});

  frame->SetActiveView(nullptr);
  EXPECT_EQ(Route(frame, kBoth), Path{"frame"});
  EXPECT_EQ(Route(frame, kDocumentOnly), Path{});
}

TEST_F(CommandRouteTest, TheMainWindowPassesCommandsToTheActiveChild) {
  CMDIChildWnd* first = OpenRouteFrame();
  CMDIChildWnd* second = OpenRouteFrame();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(mainFrame.MDIGetActive(), second);
  EXPECT_EQ(Route(&mainFrame, kViewOnly), Path{"view"});
  EXPECT_EQ(mainFrame.GetActiveDocument(), &routeDocument);

  second->DestroyWindow();
  EXPECT_EQ(mainFrame.MDIGetActive(), first);
  EXPECT_EQ(Route(&mainFrame, kFrameOnly), Path{"frame"});

  first->DestroyWindow();
  EXPECT_EQ(Route(&mainFrame, kFrameOnly), Path{});
  EXPECT_EQ(Route(&mainFrame, kApplicationOnly), Path{"application"});
}

}  // namespace
