// The main window's furniture, headless: menus and tool bar buttons that follow the
// update-command-UI route, shortcuts, the status bar, the MDI tab bar, the layout of
// the bars, and the user dragging splitter bars, resizing and closing windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/document.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/splitter_wnd.h"
#include "platform/status_bar.h"
#include "platform/tab_control.h"
#include "platform/tool_bar.h"
#include "platform/view.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kNew = 57600;
constexpr UINT kSave = 57603;
constexpr UINT kPaste = 57637;
constexpr UINT kDelete = 57632;
constexpr UINT kAssignPins = 32800;
constexpr UINT kZoomPane = 32900;
constexpr UINT kPackage = 32901;

// The view of a document frame: it handles Delete, which it allows only with a selection.
class PinView : public CView {
  DECLARE_DYNCREATE(PinView)

 public:
  bool selected = false;
  int deletes = 0;
  void OnDraw(CDC*) override {}
  void OnDelete() { ++deletes; }
  void OnUpdateDelete(CCmdUI* state) { state->Enable(selected ? TRUE : FALSE); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(PinView, CView)

const MessageMap PinView::kMessageMap{&CView::kMessageMap,
                                      {
                                          CommandEntry(kDelete, &PinView::OnDelete),
                                          UpdateCommandUIEntry(kDelete, &PinView::OnUpdateDelete),
                                      }};

// Two views one above the other.
class PinFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(PinFrame)

 public:
  CSplitterWnd splitter;
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    CRect client;
    GetClientRect(&client);
    return splitter.CreateStatic(this, 3, 1) &&
           splitter.CreateView(0, 0, RUNTIME_CLASS(PinView), CSize(client.Width(), 100), context) &&
           splitter.CreateView(1, 0, RUNTIME_CLASS(PinView), CSize(client.Width(), 150), context) &&
           splitter.CreateView(2, 0, RUNTIME_CLASS(PinView), CSize(client.Width(), 100), context);
  }
  PinView* View() const { return DynamicDowncast<PinView>(splitter.GetPane(0, 0)); }
};

IMPLEMENT_DYNCREATE(PinFrame, CMDIChildWnd)

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

class MainWindowTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(frame.Create(nullptr, "Editor", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CRect(0, 0, 800, 600)));
    frame.ShowWindow(SW_SHOW);
    frame.SetMenu(MainMenu());
    frame.SetAccelerators({{'S', FCONTROL, kSave}, {VK_DELETE, 0, kDelete}, {'N', FCONTROL, kNew}});
  }
  void TearDown() override {
    frame.DestroyWindow();
    HeadlessTest::TearDown();
  }

  PinFrame* Open(CDocument& document) {
    CCreateContext context;
    context.m_pCurrentDoc = &document;
    return static_cast<PinFrame*>(CreateMDIChild(RUNTIME_CLASS(PinFrame), &frame, context));
  }
  UINT State(UINT id) const { return frame.GetMenu()->GetMenuState(id, MF_BYCOMMAND); }
  static CRect RectOf(const CWnd* wnd) {
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
  }

  MainFrame frame;
};

TEST_F(MainWindowTest, AnOpeningMenuTakesTheStateTheCommandRouteGivesAndRunsOnlyWhatItShowsEnabled) {
  CDocument document;
  PinFrame* child = Open(document);
  ASSERT_NE(child, nullptr);
  frame.assigning = true;

  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(State(kPaste), MF_GRAYED) << "nobody handles Paste";
  EXPECT_EQ(State(kDelete), MF_GRAYED) << "the active view's update handler turns Delete off";
  EXPECT_EQ(State(kAssignPins), MF_CHECKED) << "handled by the frame, which checks it";
  EXPECT_EQ(State(kNew), 0u) << "only the opened popup is refreshed";
  ASSERT_TRUE(user.OpenMenu(&frame, 0));
  EXPECT_EQ(State(kNew), MF_GRAYED);
  EXPECT_EQ(State(kSave), 0u);

  child->View()->selected = true;
  frame.assigning = false;
  EXPECT_FALSE(user.OpenMenu(&frame, 2)) << "there is no third popup";
  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(State(kDelete), 0u);
  EXPECT_EQ(State(kAssignPins), 0u);

  frame.m_bAutoMenuEnable = FALSE;
  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(State(kPaste), MF_GRAYED) << "without auto enabling an item keeps the state it had";
  frame.GetMenu()->EnableMenuItem(kPaste, MF_ENABLED);
  ASSERT_TRUE(user.OpenMenu(&frame, 1));
  EXPECT_EQ(State(kPaste), 0u);
  frame.m_bAutoMenuEnable = TRUE;

  // An item runs only when its popup shows it enabled.
  PinView* view = child->View();
  view->selected = false;
  EXPECT_FALSE(user.ChooseMenuItem(&frame, kDelete)) << "no selection: Delete is off";
  EXPECT_EQ(view->deletes, 0);
  view->selected = true;
  EXPECT_TRUE(user.ChooseMenuItem(&frame, kDelete));
  EXPECT_EQ(view->deletes, 1) << "the command went to the active child's view";
  EXPECT_TRUE(user.ChooseMenuItem(&frame, kSave));
  EXPECT_EQ(frame.saves, 1);
  EXPECT_FALSE(user.ChooseMenuItem(&frame, kPaste));
  EXPECT_FALSE(user.ChooseMenuItem(&frame, 4711)) << "not on the menu";

  frame.ShowWindow(SW_HIDE);
  EXPECT_FALSE(user.ChooseMenuItem(&frame, kSave)) << "a hidden window's menu cannot be reached";
  EXPECT_EQ(frame.saves, 1);
}

TEST_F(MainWindowTest, ShortcutsSendTheirEnabledCommandsActiveChildFirst) {
  CDocument document;
  PinFrame* child = Open(document);
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
}

TEST_F(MainWindowTest, ToolBarButtonsAndListsFollowTheRouteAtIdleTimeAndRunWhenEnabled) {
  ASSERT_TRUE(frame.toolBar.Create(&frame));
  ASSERT_TRUE(frame.toolBar.AddButton(kNew, "document-new", "New", "New component"));
  ASSERT_TRUE(frame.toolBar.AddButton(kSave, "document-save", "Save", "Save"));
  ASSERT_TRUE(frame.toolBar.AddSeparator());
  ASSERT_TRUE(frame.toolBar.AddButton(kAssignPins, "", "Pins", "Assign pins", TBBS_CHECKBOX));
  EXPECT_FALSE(frame.toolBar.AddButton(kPaste, "", "", "nothing to show"))
      << "a button needs an icon or a label";
  const auto button = [&](UINT id) { return *frame.toolBar.GetButton(frame.toolBar.CommandToIndex(id)); };

  frame.OnIdleUpdateCmdUI();
  EXPECT_FALSE(button(kNew).enabled) << "nobody handles New";
  EXPECT_TRUE(button(kSave).enabled);
  EXPECT_FALSE(button(kAssignPins).checked);

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
}

TEST_F(MainWindowTest, BarsLieAlongTheEdgesAndThePaneFillsWhatTheyLeave) {
  CDocument document;
  document.SetTitle("first");
  PinFrame* child = Open(document);
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(frame.toolBar.Create(&frame));
  ASSERT_TRUE(frame.EnableMDITabs());
  ASSERT_TRUE(frame.statusBar.Create(&frame));
  const int toolHeight = frame.toolBar.CalcFixedHeight();

  EXPECT_EQ(RectOf(&frame.toolBar), CRect(0, 0, 800, toolHeight));
  EXPECT_EQ(RectOf(frame.GetMDITabBar()), CRect(0, toolHeight, 800, toolHeight + CMDITabBar::kHeight));
  EXPECT_EQ(RectOf(&frame.statusBar), CRect(0, 600 - CStatusBar::kHeight, 800, 600));
  const CRect client(0, toolHeight + CMDITabBar::kHeight, 800, 600 - CStatusBar::kHeight);
  EXPECT_EQ(RectOf(CWnd::FromHandle(frame.m_hWndMDIClient)), client);
  EXPECT_EQ(RectOf(child).Size(), client.Size()) << "the child fills the MDI client";

  frame.ShowControlBar(&frame.toolBar, FALSE);
  EXPECT_EQ(RectOf(CWnd::FromHandle(frame.m_hWndMDIClient)).top, CMDITabBar::kHeight);
  ASSERT_TRUE(user.ResizeWindow(&frame, 1000, 700));
  EXPECT_EQ(RectOf(&frame.statusBar), CRect(0, 700 - CStatusBar::kHeight, 1000, 700));
  EXPECT_EQ(RectOf(child).Size(), CSize(1000, 700 - CStatusBar::kHeight - CMDITabBar::kHeight));
  EXPECT_FALSE(user.ResizeWindow(child, 10, 10)) << "only top-level windows are resized so";
}

TEST_F(MainWindowTest, TheStatusBarShowsMessagesIndicatorsAndUpdateTexts) {
  EXPECT_EQ(frame.GetMessageBar(), nullptr);
  frame.SetMessageText("nowhere to go");
  ASSERT_TRUE(frame.statusBar.Create(&frame));
  EXPECT_EQ(frame.GetMessageBar(), &frame.statusBar);

  frame.SetMessageText("Pick a pad");
  EXPECT_EQ(frame.statusBar.GetPaneText(0), "Pick a pad");
  const UINT panes[] = {ID_SEPARATOR, kZoomPane};
  ASSERT_TRUE(frame.statusBar.SetIndicators(panes, 2));
  EXPECT_EQ(frame.statusBar.GetCount(), 2);
  EXPECT_EQ(frame.statusBar.GetPaneWidth(0), -1) << "the message pane stretches";
  EXPECT_EQ(frame.statusBar.CommandToIndex(kZoomPane), 1);
  frame.OnIdleUpdateCmdUI();
  EXPECT_EQ(frame.statusBar.GetPaneText(1), "Zoom 100%");
  frame.zoomText = "Zoom 200%";
  frame.OnIdleUpdateCmdUI();
  EXPECT_EQ(frame.statusBar.GetPaneText(1), "Zoom 200%");
  frame.zoomText.clear();
  frame.OnIdleUpdateCmdUI();
  EXPECT_EQ(frame.statusBar.GetPaneText(1), "") << "an empty update text clears the pane";
}

TEST_F(MainWindowTest, TheTabBarFollowsTheChildrenAndActivatesTheOneChosen) {
  ASSERT_TRUE(frame.EnableMDITabs());
  CMDITabBar* tabs = frame.GetMDITabBar();
  CDocument first;
  CDocument second;
  first.SetTitle("74HC00.cmp");
  second.SetTitle("LM358.cmp");
  PinFrame* firstChild = Open(first);
  PinFrame* secondChild = Open(second);
  ASSERT_NE(secondChild, nullptr);

  ASSERT_EQ(tabs->GetTabCount(), 2);
  EXPECT_EQ(tabs->GetTabText(0), "74HC00.cmp");
  EXPECT_EQ(tabs->GetTabText(1), "LM358.cmp");
  EXPECT_EQ(tabs->GetCurrentTab(), 1);

  ASSERT_TRUE(user.ChooseTab(tabs, 0));
  EXPECT_EQ(frame.MDIGetActive(), firstChild);
  EXPECT_EQ(tabs->GetCurrentTab(), 0);
  EXPECT_EQ(frame.GetWindowText(), "Editor - 74HC00.cmp");
  EXPECT_FALSE(user.ChooseTab(tabs, 2));

  first.SetTitle("74HC02.cmp");
  EXPECT_EQ(tabs->GetTabText(0), "74HC02.cmp") << "a new caption shows on the tab";
  ASSERT_TRUE(user.CloseWindow(firstChild));
  ASSERT_EQ(tabs->GetTabCount(), 1);
  EXPECT_EQ(tabs->GetTabText(0), "LM358.cmp");
  EXPECT_EQ(tabs->GetCurrentTab(), 0);
  EXPECT_EQ(frame.MDIGetActive(), secondChild);

  ASSERT_TRUE(frame.EnableMDITabs(FALSE));
  EXPECT_EQ(frame.GetMDITabBar(), nullptr);
  EXPECT_EQ(RectOf(CWnd::FromHandle(frame.m_hWndMDIClient)).top, 0)
      << "the bar's room goes back to the children";
}

TEST_F(MainWindowTest, DraggingASplitterBarResizesItsRowAndTheNext) {
  CDocument document;
  PinFrame* child = Open(document);
  ASSERT_NE(child, nullptr);
  CSplitterWnd& splitter = child->splitter;
  const auto height = [&](int row) {
    int current = 0;
    int min = 0;
    splitter.GetRowInfo(row, current, min);
    return current;
  };
  const int total = height(0) + height(1) + height(2);
  ASSERT_EQ(height(0), 100);
  ASSERT_EQ(height(1), 150);

  ASSERT_TRUE(user.DragSplitterRow(&splitter, 0, 160));
  EXPECT_EQ(height(0), 160);
  EXPECT_EQ(height(1), 90) << "the row below gives what the first one takes";
  EXPECT_EQ(height(0) + height(1) + height(2), total);
  EXPECT_EQ(RectOf(splitter.GetPane(1, 0)).top, 160 + CSplitterWnd::kSplitterGap);

  ASSERT_TRUE(user.DragSplitterRow(&splitter, 1, 500));
  EXPECT_EQ(height(2), 0) << "dragged past the end, the last row is squeezed out";
  EXPECT_FALSE(user.DragSplitterRow(&splitter, 2, 50)) << "no bar below the last row";
  EXPECT_FALSE(user.DragSplitterColumn(&splitter, 0, 50)) << "one column: no bar to drag";
  EXPECT_FALSE(user.DragSplitterRow(&splitter, 0, -5));
}

}  // namespace
