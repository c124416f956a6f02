// The main window and its frames, headless: frames made by dynamic creation, MDI
// children, static splitters (also inside a view), the route a command takes; menus and
// tool bar buttons that follow the update-command-UI route, shortcuts, the status bar,
// the MDI tab bar, the layout of the bars, and the user dragging splitter bars,
// resizing and closing windows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/document.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/splitter_wnd.h"
#include "platform/status_bar.h"
#include "platform/tab_control.h"
#include "platform/tool_bar.h"
#include "platform/view.h"
#include "platform/win_thread.h"
#include "tests/support/headless_test.h"

namespace {

constexpr int kGap = CSplitterWnd::kSplitterGap;
constexpr UINT kNew = 57600;
constexpr UINT kSave = 57603;
constexpr UINT kPaste = 57637;
constexpr UINT kDelete = 57632;
constexpr UINT kAssignPins = 32800;
constexpr UINT kZoomPane = 32900;
constexpr UINT kPackage = 32901;
// Command routing: the active view, its document, the frame, then the application.
constexpr UINT kViewOnly = 700;
constexpr UINT kFrameOnly = 701;
constexpr UINT kBoth = 702;
constexpr UINT kDocumentOnly = 703;
constexpr UINT kApplicationOnly = 704;

std::vector<std::string> g_route;

// A pane that handles Delete, which it allows only with a selection, and logs the route
// of two commands.
class PaneView : public CView {
  DECLARE_DYNCREATE(PaneView)

 public:
  int initialUpdates = 0;
  bool selected = false;
  int deletes = 0;
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  void OnDelete() { ++deletes; }
  void OnUpdateDelete(CCmdUI* state) { state->Enable(selected ? TRUE : FALSE); }
  void OnRouted() { g_route.push_back("view"); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(PaneView, CView)

const MessageMap PaneView::kMessageMap{&CView::kMessageMap,
                                       {
                                           CommandEntry(kDelete, &PaneView::OnDelete),
                                           UpdateCommandUIEntry(kDelete, &PaneView::OnUpdateDelete),
                                           CommandEntry(kViewOnly, &PaneView::OnRouted),
                                           CommandEntry(kBoth, &PaneView::OnRouted),
                                       }};

class RefusingPaneView : public PaneView {
  DECLARE_DYNCREATE(RefusingPaneView)

 protected:
  int OnCreate(LPCREATESTRUCT) override { return -1; }
};

IMPLEMENT_DYNCREATE(RefusingPaneView, PaneView)

// Two views side by side in the splitter: a third and the rest of the width.
bool SideBySide(CSplitterWnd& splitter, CWnd* parent, CSize size, CCreateContext* context, DWORD style) {
  return splitter.CreateStatic(parent, 1, 2, style) &&
         splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(size.cx / 3, size.cy), context) &&
         splitter.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(2 * size.cx / 3, size.cy), context);
}

// A view holding a hidden splitter of two views side by side.
class SidesView : public CView {
  DECLARE_DYNCREATE(SidesView)

 public:
  CSplitterWnd splitter;
  void OnDraw(CDC*) override {}

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    if (CView::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->createParams);
    return SideBySide(splitter, this, cs->rect.Size(), context, WS_CHILD) ? 0 : -1;
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
    return SideBySide(splitter, this, client.Size(), context, WS_CHILD | WS_VISIBLE);
  }
};

IMPLEMENT_DYNCREATE(SidesFrame, CFrameWnd)

// A document frame split into a top pane and, below it, the sides view.
class SplitFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(SplitFrame)

 public:
  CSplitterWnd splitter;
  // What the next frames put in their rows; each test starts with these.
  inline static const CRuntimeClass* topClass = RUNTIME_CLASS(PaneView);
  inline static const CRuntimeClass* bottomClass = RUNTIME_CLASS(SidesView);

  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    if (!splitter.CreateStatic(this, 2, 1, WS_CHILD)) return FALSE;
    CRect client;
    GetClientRect(&client);
    if (!splitter.CreateView(0, 0, topClass, CSize(client.Width(), client.Height() / 3), context))
      return FALSE;
    return splitter.CreateView(1, 0, bottomClass, CSize(client.Width(), 2 * client.Height() / 3), context);
  }
  PaneView* View() const { return DynamicDowncast<PaneView>(splitter.GetPane(0, 0)); }
  void OnRouted() { g_route.push_back("frame"); }
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(SplitFrame, CMDIChildWnd)

const MessageMap SplitFrame::kMessageMap{
    &CMDIChildWnd::kMessageMap,
    {CommandEntry(kFrameOnly, &SplitFrame::OnRouted), CommandEntry(kBoth, &SplitFrame::OnRouted)}};

// Three panes one above the other.
class ThreeRowFrame : public SplitFrame {
  DECLARE_DYNCREATE(ThreeRowFrame)

 public:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    CRect client;
    GetClientRect(&client);
    return splitter.CreateStatic(this, 3, 1) &&
           splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(client.Width(), 100), context) &&
           splitter.CreateView(1, 0, RUNTIME_CLASS(PaneView), CSize(client.Width(), 150), context) &&
           splitter.CreateView(2, 0, RUNTIME_CLASS(PaneView), CSize(client.Width(), 100), context);
  }
};

IMPLEMENT_DYNCREATE(ThreeRowFrame, SplitFrame)

// The main window: Save and Assign Pins are handled here; New and Paste by nobody.
class MainFrame : public CMDIFrameWnd {
 public:
  CToolBar toolBar;
  CStatusBar statusBar;
  int saves = 0;
  bool assigning = false;
  std::string zoomText = "Zoom 100%";
  std::vector<CString> packagesChosen;
  bool packagesOn = true;

  void OnSave() { ++saves; }
  void OnPackage() { packagesChosen.push_back(toolBar.GetComboText(kPackage)); }
  void OnUpdatePackage(CCmdUI* state) { state->Enable(packagesOn ? TRUE : FALSE); }
  void OnAssignPins() { assigning = !assigning; }
  void OnUpdateAssignPins(CCmdUI* state) { state->SetCheck(assigning ? 1 : 0); }
  void OnUpdateZoomPane(CCmdUI* state) { state->SetText(zoomText.c_str()); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

const MessageMap MainFrame::kMessageMap{&CMDIFrameWnd::kMessageMap,
                                        {
                                            CommandEntry(kSave, &MainFrame::OnSave),
                                            CommandEntry(kAssignPins, &MainFrame::OnAssignPins),
                                            UpdateCommandUIEntry(kAssignPins, &MainFrame::OnUpdateAssignPins),
                                            UpdateCommandUIEntry(kZoomPane, &MainFrame::OnUpdateZoomPane),
                                            CommandEntry(kPackage, &MainFrame::OnPackage),
                                            UpdateCommandUIEntry(kPackage, &MainFrame::OnUpdatePackage),
                                        }};

std::unique_ptr<CMenu> MainMenu() {
  auto menu = std::make_unique<CMenu>();
  CMenu& file = menu->AppendPopup("&File");
  file.AppendMenu(MF_STRING, kNew, "&New\tCtrl+N");
  file.AppendMenu(MF_STRING, kSave, "&Save\tCtrl+S");
  CMenu& edit = menu->AppendPopup("&Edit");
  edit.AppendMenu(MF_STRING, kPaste, "&Paste\tCtrl+V");
  edit.AppendMenu(MF_STRING, kDelete, "&Delete\tDel");
  edit.AppendMenu(MF_SEPARATOR);
  edit.AppendMenu(MF_STRING, kAssignPins, "&Assign Pins");
  return menu;
}

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
  RouteApp() : CWinApp("Editor") {}
  void OnApplicationOnly() { g_route.push_back("application"); }
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

const MessageMap RouteApp::kMessageMap{&CWinApp::kMessageMap,
                                       {CommandEntry(kApplicationOnly, &RouteApp::OnApplicationOnly)}};

using Path = std::vector<std::string>;

class MainWindowTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SplitFrame::topClass = RUNTIME_CLASS(PaneView);
    SplitFrame::bottomClass = RUNTIME_CLASS(SidesView);
    ASSERT_TRUE(frame.LoadFrame(0));
    frame.SetTitle("Editor");
    frame.MoveWindow(0, 0, 900, 600);
    frame.ShowWindow(SW_SHOW);
    frame.SetMenu(MainMenu());
    frame.SetAccelerators({{'S', FCONTROL, kSave}, {VK_DELETE, 0, kDelete}, {'N', FCONTROL, kNew}});
    document.SetTitle("U1.clib");
  }
  void TearDown() override {
    frame.DestroyWindow();
    HeadlessTest::TearDown();
  }

  SplitFrame* Open(const CRuntimeClass* cls = RUNTIME_CLASS(SplitFrame), CDocument* doc = nullptr) {
    CCreateContext context;
    context.m_pCurrentDoc = doc != nullptr ? doc : &document;
    return static_cast<SplitFrame*>(CreateMDIChild(cls, &frame, context));
  }
  UINT State(UINT id) const { return frame.GetMenu()->GetMenuState(id, MF_BYCOMMAND); }
  std::vector<UINT> States(std::initializer_list<UINT> ids) const {
    std::vector<UINT> states;
    for (UINT id : ids) states.push_back(State(id));
    return states;
  }
  // The tabs' texts, the current one starred.
  std::string Tabs() {
    std::string shown;
    CMDITabBar* tabs = frame.GetMDITabBar();
    for (int i = 0; i < tabs->GetTabCount(); ++i) {
      shown += (i == tabs->GetCurrentTab() ? "*" : "") + tabs->GetTabText(i).str() + " ";
    }
    return shown;
  }
  static CRect RectOf(const CWnd* wnd) {
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
  }
  static std::vector<CRect> RectsOf(std::initializer_list<const CWnd*> wnds) {
    std::vector<CRect> rects;
    for (const CWnd* wnd : wnds) rects.push_back(RectOf(wnd));
    return rects;
  }
  Path Route(CWnd* target, UINT id) {
    g_route.clear();
    user.RunCommand(target, id);
    return g_route;
  }

  RouteApp app;
  MainFrame frame;
  RouteDocument document;
};

TEST_F(MainWindowTest, AFrameMadeByDynamicCreationJoinsItsViewsToTheDocumentAndStacksThemBySize) {
  SplitFrame* child = Open();
  ASSERT_NE(child, nullptr);
  auto* top = DynamicDowncast<PaneView>(child->splitter.GetPane(0, 0));
  auto* sides = DynamicDowncast<SidesView>(child->splitter.GetPane(1, 0));
  ASSERT_TRUE(top != nullptr && sides != nullptr);
  auto* left = DynamicDowncast<PaneView>(sides->splitter.GetPane(0, 0));
  auto* right = DynamicDowncast<PaneView>(sides->splitter.GetPane(0, 1));
  ASSERT_TRUE(left != nullptr && right != nullptr);

  EXPECT_EQ(document.GetViewCount(), 4);
  for (CView* view : {static_cast<CView*>(top), static_cast<CView*>(sides), static_cast<CView*>(left)}) {
    EXPECT_EQ(view->GetDocument(), &document);
  }
  EXPECT_EQ(std::make_tuple(right->initialUpdates, child->GetActiveView(), child->GetActiveDocument(),
                            left->GetParentFrame(), frame.MDIGetActive()),
            std::make_tuple(1, static_cast<CView*>(top), static_cast<CDocument*>(&document),
                            static_cast<CFrameWnd*>(child), static_cast<CWnd*>(child)));
  EXPECT_EQ(child->GetWindowText() + "|" + frame.GetWindowText(), "U1.clib|Editor - U1.clib");
  child->InitialUpdateFrame(&document, TRUE);
  EXPECT_EQ(top->initialUpdates, 1);
  document.SetTitle("U2.clib");
  EXPECT_EQ(child->GetWindowText() + "|" + frame.GetWindowText(), "U2.clib|Editor - U2.clib");

  // Panes are stacked by their sizes and follow the frame.
  EXPECT_EQ(RectsOf({child, top, sides, left, right}),
            (std::vector<CRect>{{0, 0, 900, 600},
                                {0, 0, 900, 200},
                                {0, 200 + kGap, 900, 600},
                                {0, 0, 300, 400 - kGap},
                                {300 + kGap, 0, 900, 400 - kGap}}));
  frame.MoveWindow(0, 0, 1200, 800);
  EXPECT_EQ(
      RectsOf({top, sides, right}),
      (std::vector<CRect>{{0, 0, 1200, 200}, {0, 200 + kGap, 1200, 800}, {300 + kGap, 0, 1200, 600 - kGap}}));
  int height = 0;
  int minimum = -1;
  child->splitter.GetRowInfo(1, height, minimum);
  EXPECT_EQ(std::make_pair(height, minimum), std::make_pair(600 - kGap, 0));
  child->splitter.SetRowInfo(0, 50, 80);
  child->splitter.RecalcLayout();
  child->splitter.GetRowInfo(0, height, minimum);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(RectOf(sides), CRect(0, kGap, 1200, 800));

  // The splitters stay hidden, and their panes out of a user's reach, until shown.
  EXPECT_TRUE(child->IsWindowVisible());
  EXPECT_FALSE(top->IsWindowVisible());
  EXPECT_FALSE(user.LeftClick(sides, CPoint(5, 5)));
  child->splitter.ShowWindow(SW_SHOW);
  EXPECT_TRUE(sides->IsWindowVisible());
  EXPECT_FALSE(left->IsWindowVisible());
  sides->splitter.ShowWindow(SW_SHOW);
  EXPECT_TRUE(left->IsWindowVisible());
  EXPECT_TRUE(user.LeftClick(left, CPoint(5, 5)));
  EXPECT_EQ(child->GetActiveView(), left);

  child->DestroyWindow();
  EXPECT_EQ(document.GetViewCount(), 0);
  EXPECT_EQ(frame.MDIGetActive(), nullptr);
  EXPECT_EQ(frame.GetWindowText(), "Editor");
}

// A frame that fails to build its panes leaves nothing behind; a frame can be a pane
// with its own splitter.
TEST_F(MainWindowTest, AFrameThatFailsLeavesNothingAndAFrameCanBeAPane) {
  SplitFrame::topClass = RUNTIME_CLASS(RefusingPaneView);
  EXPECT_EQ(Open(), nullptr);
  EXPECT_EQ(Open(RUNTIME_CLASS(PaneView)), nullptr);
  EXPECT_TRUE(document.GetViewCount() == 0 && frame.GetMDIChildren().empty() &&
              frame.m_hWndMDIClient->children.empty() && frame.MDIGetActive() == nullptr);

  SplitFrame::topClass = RUNTIME_CLASS(PaneView);
  SplitFrame::bottomClass = RUNTIME_CLASS(SidesFrame);
  SplitFrame* child = Open();
  ASSERT_NE(child, nullptr);
  auto* sides = DynamicDowncast<SidesFrame>(child->splitter.GetPane(1, 0));
  ASSERT_NE(sides, nullptr);
  auto* right = DynamicDowncast<PaneView>(sides->splitter.GetPane(0, 1));
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(std::make_tuple(document.GetViewCount(), right->initialUpdates, right->GetParentFrame(),
                            sides->GetParentFrame(), sides->GetActiveDocument()),
            std::make_tuple(3, 1, static_cast<CFrameWnd*>(sides), static_cast<CFrameWnd*>(child),
                            static_cast<CDocument*>(&document)));
  EXPECT_EQ(RectOf(right), CRect(300 + kGap, 0, 900, 400 - kGap));
  child->splitter.ShowWindow(SW_SHOW);
  ASSERT_TRUE(user.LeftClick(right, CPoint(1, 1)));
  EXPECT_EQ(sides->GetActiveView(), right);
  EXPECT_EQ(child->GetWindowText(), "U1.clib");
  EXPECT_EQ(sides->GetWindowText(), "");
}

TEST_F(MainWindowTest, ADeletedPaneIsEmptyUntilAViewIsCreatedAndDraggingABarResizesItsRowAndTheNext) {
  SplitFrame* child = Open();
  ASSERT_NE(child, nullptr);
  CSplitterWnd& splitter = child->splitter;
  ASSERT_EQ(child->GetActiveView(), splitter.GetPane(0, 0));

  splitter.DeleteView(0, 0);
  EXPECT_EQ(splitter.GetPane(0, 0), nullptr);
  EXPECT_EQ(document.GetViewCount(), 3);
  EXPECT_EQ(child->GetActiveView(), splitter.GetPane(1, 0));

  for (const CRuntimeClass* refused :
       {RUNTIME_CLASS(RefusingPaneView), RUNTIME_CLASS(CSplitterWnd), RUNTIME_CLASS(CDocument)}) {
    EXPECT_FALSE(splitter.CreateView(0, 0, refused, CSize(900, 100), nullptr)) << refused->m_lpszClassName;
  }
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

  // Dragging a splitter bar resizes its row and the next.
  SplitFrame* threeRows = Open(RUNTIME_CLASS(ThreeRowFrame));
  ASSERT_NE(threeRows, nullptr);
  CSplitterWnd& rows = threeRows->splitter;
  const auto height = [&](int row) {
    int current = 0;
    int min = 0;
    rows.GetRowInfo(row, current, min);
    return current;
  };
  const int total = height(0) + height(1) + height(2);
  ASSERT_EQ(height(0), 100);
  ASSERT_EQ(height(1), 150);

  ASSERT_TRUE(user.DragSplitterRow(&rows, 0, 160));
  EXPECT_EQ(height(0), 160);
  EXPECT_EQ(height(1), 90) << "the row below gives what the first one takes";
  EXPECT_EQ(height(0) + height(1) + height(2), total);
  EXPECT_EQ(RectOf(rows.GetPane(1, 0)).top, 160 + kGap);

  ASSERT_TRUE(user.DragSplitterRow(&rows, 1, 500));
  EXPECT_EQ(height(2), 0) << "dragged past the end, the last row is squeezed out";
  EXPECT_FALSE(user.DragSplitterRow(&rows, 2, 50)) << "no bar below the last row";
  EXPECT_FALSE(user.DragSplitterColumn(&rows, 0, 50)) << "one column: no bar to drag";
  EXPECT_FALSE(user.DragSplitterRow(&rows, 0, -5));
}

// A frame tries its active view, the view's document, itself, then the application; the
// main window passes commands to its active child.
TEST_F(MainWindowTest, ACommandTakesTheRouteFromTheActiveViewToTheApplication) {
  SplitFrame* first = Open();
  SplitFrame* second = Open();
  ASSERT_TRUE(first != nullptr && second != nullptr);
  EXPECT_TRUE(frame.MDIGetActive() == second && frame.GetActiveDocument() == &document);
  for (CWnd* target : {static_cast<CWnd*>(second), static_cast<CWnd*>(&frame)}) {
    EXPECT_EQ((std::vector<Path>{Route(target, kViewOnly), Route(target, kBoth), Route(target, kDocumentOnly),
                                 Route(target, kFrameOnly), Route(target, kApplicationOnly)}),
              (std::vector<Path>{{"view"}, {"view"}, {"document"}, {"frame"}, {"application"}}));
  }
  second->SetActiveView(nullptr);
  EXPECT_EQ((std::vector<Path>{Route(second, kBoth), Route(second, kDocumentOnly)}),
            (std::vector<Path>{{"frame"}, {}}));

  second->DestroyWindow();
  EXPECT_EQ(frame.MDIGetActive(), first);
  EXPECT_EQ(Route(&frame, kViewOnly), Path{"view"});
  first->DestroyWindow();
  EXPECT_EQ((std::vector<Path>{Route(&frame, kFrameOnly), Route(&frame, kApplicationOnly)}),
            (std::vector<Path>{{}, {"application"}}));
}

TEST_F(MainWindowTest, ShortcutsAndMenusSendTheirEnabledCommandsActiveChildFirst) {
  SplitFrame* child = Open();
  ASSERT_NE(child, nullptr);

  EXPECT_TRUE(user.PressAccelerator(&frame, 'S', FCONTROL));
  EXPECT_EQ(frame.saves, 1);
  EXPECT_FALSE(user.PressAccelerator(&frame, 'S', FCONTROL | FSHIFT)) << "modifiers must match exactly";
  EXPECT_FALSE(user.PressAccelerator(&frame, 'S', 0));
  EXPECT_FALSE(user.PressAccelerator(&frame, VK_DELETE, 0)) << "Delete is off without a selection";
  EXPECT_EQ(child->View()->deletes, 0);

  // The child's own table comes first: there Ctrl+S assigns pins.
  child->SetAccelerators({{'S', FCONTROL, kAssignPins}});
  EXPECT_TRUE(user.PressAccelerator(&frame, 'S', FCONTROL));
  EXPECT_TRUE(frame.assigning);
  EXPECT_EQ(frame.saves, 1);
  // An edit in progress may take the shortcuts away; the frame's own still work.
  child->SetAccelerators({});
  EXPECT_TRUE(user.PressAccelerator(&frame, 'S', FCONTROL));
  EXPECT_EQ(frame.saves, 2);

  EXPECT_EQ(CAcceleratorTable::KeyText('S', FCONTROL | FSHIFT), "Ctrl+Shift+S");
  // Keypad and function keys share their codes with lower-case letters, never a letter's.
  const CAcceleratorTable keys{{VK_ADD, 0, 1}, {VK_F8, 0, 2}};
  EXPECT_EQ(keys.TextFor(1), "KP_Add");
  EXPECT_EQ(keys.TextFor(2), "F8");
  for (UINT letter : {'K', 'W'}) EXPECT_EQ(keys.Find(letter, 0), 0u) << static_cast<char>(letter);
  EXPECT_EQ(frame.GetAccelerators().TextFor(kDelete), "Del");
  EXPECT_EQ(frame.GetAccelerators().TextFor(kPaste), "");

  // An opening menu takes the state the command route gives, and runs only what it shows enabled.
  frame.assigning = true;

  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  // Nobody handles Paste, the active view turns Delete off, the frame checks Assign Pins, and only the opened
  // popup is refreshed.
  EXPECT_EQ(States({kPaste, kDelete, kAssignPins, kNew}),
            (std::vector<UINT>{MF_GRAYED, MF_GRAYED, MF_CHECKED, 0}));
  ASSERT_TRUE(user.OpenMenu(&frame, 0));
  EXPECT_EQ(States({kNew, kSave}), (std::vector<UINT>{MF_GRAYED, 0}));

  child->View()->selected = true;
  frame.assigning = false;
  EXPECT_FALSE(user.OpenMenu(&frame, 2)) << "there is no third popup";
  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(States({kDelete, kAssignPins}), (std::vector<UINT>{0, 0}));

  frame.m_bAutoMenuEnable = FALSE;
  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(State(kPaste), MF_GRAYED) << "without auto enabling an item keeps the state it had";
  frame.GetMenu()->EnableMenuItem(kPaste, MF_ENABLED);
  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(State(kPaste), 0u);
  frame.m_bAutoMenuEnable = TRUE;

  // An item runs only when its popup shows it enabled.
  PaneView* view = child->View();
  view->selected = false;
  EXPECT_FALSE(user.ChooseMenuItem(&frame, kDelete)) << "no selection: Delete is off";
  view->selected = true;
  EXPECT_TRUE(user.ChooseMenuItem(&frame, kDelete) && user.ChooseMenuItem(&frame, kSave));
  EXPECT_EQ(std::make_pair(view->deletes, frame.saves), std::make_pair(1, 3))
      << "Delete went to the active view";
  EXPECT_FALSE(user.ChooseMenuItem(&frame, kPaste));
  EXPECT_FALSE(user.ChooseMenuItem(&frame, 4711)) << "not on the menu";

  frame.ShowWindow(SW_HIDE);
  EXPECT_FALSE(user.ChooseMenuItem(&frame, kSave)) << "a hidden window's menu cannot be reached";
  EXPECT_EQ(frame.saves, 3);
}

TEST_F(MainWindowTest, ToolBarsFollowTheRouteAndBarsLieAlongTheEdgesShowTextsAndTabsAndThePaneFillsTheRest) {
  ASSERT_TRUE(frame.toolBar.Create(&frame));
  ASSERT_TRUE(frame.toolBar.AddButton(kNew, "document-new", "New", "New component"));
  ASSERT_TRUE(frame.toolBar.AddButton(kSave, "document-save", "Save", "Save"));
  ASSERT_TRUE(frame.toolBar.AddSeparator());
  ASSERT_TRUE(frame.toolBar.AddButton(kAssignPins, "", "Pins", "Assign pins", TBBS_CHECKBOX));
  EXPECT_FALSE(frame.toolBar.AddButton(kPaste, "", "", "nothing to show"))
      << "a button needs an icon or a label";
  const auto button = [&](UINT id) { return *frame.toolBar.GetButton(frame.toolBar.CommandToIndex(id)); };

  frame.OnIdleUpdateCmdUI();
  EXPECT_EQ(std::make_tuple(button(kNew).enabled, button(kSave).enabled, button(kAssignPins).checked),
            std::make_tuple(false, true, false))
      << "nobody handles New";

  EXPECT_FALSE(user.ClickToolBarButton(&frame.toolBar, kNew));
  EXPECT_TRUE(user.ClickToolBarButton(&frame.toolBar, kAssignPins));
  EXPECT_TRUE(frame.assigning);
  frame.OnIdleUpdateCmdUI();
  EXPECT_TRUE(button(kAssignPins).checked) << "the frame's update handler checks it";
  EXPECT_TRUE(user.ClickToolBarButton(&frame.toolBar, kSave));
  EXPECT_EQ(frame.saves, 1);

  // A drop-down list sends its command with the chosen item shown.
  ASSERT_TRUE(frame.toolBar.AddComboBox(kPackage, 120, "Package"));
  EXPECT_FALSE(frame.toolBar.SetComboItems(kSave, {"DIP14"})) << "a button has no list";
  ASSERT_TRUE(frame.toolBar.SetComboItems(kPackage, {"DIP14", "SO14"}));
  ASSERT_TRUE(frame.toolBar.SetComboText(kPackage, "DIP14"));

  EXPECT_FALSE(user.ChooseToolBarItem(&frame.toolBar, kPackage, "TSSOP14")) << "not offered";
  EXPECT_FALSE(user.ChooseToolBarItem(&frame.toolBar, kSave, "DIP14")) << "a button is no list";
  EXPECT_FALSE(user.ClickToolBarButton(&frame.toolBar, kPackage)) << "a list is not clicked";
  EXPECT_TRUE(frame.packagesChosen.empty());
  EXPECT_TRUE(user.ChooseToolBarItem(&frame.toolBar, kPackage, "SO14"));
  EXPECT_EQ(frame.packagesChosen, std::vector<CString>{"SO14"}) << "the handler reads the choice";
  EXPECT_EQ(frame.toolBar.GetComboText(kPackage), "SO14");

  frame.packagesOn = false;
  EXPECT_FALSE(user.ChooseToolBarItem(&frame.toolBar, kPackage, "DIP14")) << "the route disabled it";
  EXPECT_EQ(frame.packagesChosen.size(), 1u);
  EXPECT_EQ(frame.toolBar.GetComboItems(kPackage), (std::vector<CString>{"DIP14", "SO14"}));

  frame.ShowControlBar(&frame.toolBar, FALSE);
  EXPECT_FALSE(user.ClickToolBarButton(&frame.toolBar, kSave)) << "a hidden bar cannot be clicked";
  EXPECT_EQ(frame.saves, 1);

  // Bars lie along the edges, show texts and tabs, and the pane fills what they leave.
  EXPECT_EQ(frame.GetMessageBar(), nullptr);
  frame.SetMessageText("nowhere to go");
  SplitFrame* child = Open();
  ASSERT_NE(child, nullptr);
  frame.ShowControlBar(&frame.toolBar, TRUE);
  ASSERT_TRUE(frame.EnableMDITabs());
  ASSERT_TRUE(frame.statusBar.Create(&frame));
  CDocument second;
  second.SetTitle("LM358.cmp");
  SplitFrame* secondChild = Open(RUNTIME_CLASS(SplitFrame), &second);
  ASSERT_NE(secondChild, nullptr);
  const int toolHeight = frame.toolBar.CalcFixedHeight();

  EXPECT_EQ(RectOf(&frame.toolBar), CRect(0, 0, 900, toolHeight));
  EXPECT_EQ(RectOf(frame.GetMDITabBar()), CRect(0, toolHeight, 900, toolHeight + CMDITabBar::kHeight));
  EXPECT_EQ(RectOf(&frame.statusBar), CRect(0, 600 - CStatusBar::kHeight, 900, 600));
  const CRect client(0, toolHeight + CMDITabBar::kHeight, 900, 600 - CStatusBar::kHeight);
  EXPECT_EQ(RectOf(CWnd::FromHandle(frame.m_hWndMDIClient)), client);
  EXPECT_EQ(RectOf(child).Size(), client.Size()) << "the child fills the MDI client";

  // The status bar shows messages, and the texts of its indicators' update handlers.
  EXPECT_EQ(frame.GetMessageBar(), &frame.statusBar);
  frame.SetMessageText("Pick a pad");
  EXPECT_EQ(frame.statusBar.GetPaneText(0), "Pick a pad");
  const UINT panes[] = {ID_SEPARATOR, kZoomPane};
  ASSERT_TRUE(frame.statusBar.SetIndicators(panes, 2));
  EXPECT_EQ(std::make_tuple(frame.statusBar.GetCount(), frame.statusBar.GetPaneWidth(0),
                            frame.statusBar.CommandToIndex(kZoomPane)),
            std::make_tuple(2, -1, 1))
      << "the message pane stretches";
  for (const char* zoom : {"Zoom 100%", "Zoom 200%", ""}) {
    frame.zoomText = zoom;
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(frame.statusBar.GetPaneText(1), zoom) << "an empty update text clears the pane";
  }

  // The tab bar follows the children and activates the one chosen.
  CMDITabBar* tabs = frame.GetMDITabBar();
  EXPECT_EQ(Tabs(), "U1.clib *LM358.cmp ");
  ASSERT_TRUE(user.ChooseTab(tabs, 0));
  EXPECT_TRUE(frame.MDIGetActive() == child && frame.GetWindowText() == "Editor - U1.clib");
  EXPECT_FALSE(user.ChooseTab(tabs, 2));
  document.SetTitle("U2.clib");
  EXPECT_EQ(Tabs(), "*U2.clib LM358.cmp ") << "a new caption shows on the tab";
  ASSERT_TRUE(user.CloseWindow(child));
  EXPECT_EQ(Tabs(), "*LM358.cmp ");
  EXPECT_EQ(frame.MDIGetActive(), secondChild);

  frame.ShowControlBar(&frame.toolBar, FALSE);
  EXPECT_EQ(RectOf(CWnd::FromHandle(frame.m_hWndMDIClient)).top, CMDITabBar::kHeight);
  ASSERT_TRUE(user.ResizeWindow(&frame, 1000, 700));
  EXPECT_EQ(RectOf(&frame.statusBar), CRect(0, 700 - CStatusBar::kHeight, 1000, 700));
  EXPECT_EQ(RectOf(secondChild).Size(), CSize(1000, 700 - CStatusBar::kHeight - CMDITabBar::kHeight));
  EXPECT_FALSE(user.ResizeWindow(secondChild, 10, 10)) << "only top-level windows are resized so";
  ASSERT_TRUE(frame.EnableMDITabs(FALSE));
  EXPECT_EQ(frame.GetMDITabBar(), nullptr);
  EXPECT_EQ(RectOf(CWnd::FromHandle(frame.m_hWndMDIClient)).top, 0)
      << "the bar's room goes back to the children";
}

}  // namespace
