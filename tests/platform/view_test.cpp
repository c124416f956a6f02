// Views: the input a user sends them (mouse, keys, context menus, commands) and their
// life with a document (joining and leaving, update hints, titles, closing, commands).
#include "platform/view.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/context_menu.h"
#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/wait_cursor.h"
#include "tests/support/headless_test.h"
#include "tests/support/view_frame.h"

namespace {

constexpr UINT kAssignPin = 16016;
constexpr UINT kDeletePin = 16045;

std::string Point(LPARAM lParam) {
  return std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam));
}

// Logs every input message it gets; its context menu offers two pin commands.
class InputView : public CView {
  DECLARE_DYNCREATE(InputView)

 public:
  std::vector<std::string> log;
  bool deletePinEnabled = true;

  void OnDraw(CDC*) override {}

  // Buttons and moves: the client point and the keys held.
  LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override {
    static const std::map<UINT, std::string> kNames{{WM_LBUTTONDOWN, "ldown"},     {WM_LBUTTONUP, "lup"},
                                                    {WM_LBUTTONDBLCLK, "ldouble"}, {WM_MBUTTONDOWN, "mdown"},
                                                    {WM_MBUTTONUP, "mup"},         {WM_MOUSEMOVE, "move"}};
    if (const auto it = kNames.find(message); it != kNames.end()) {
      log.push_back(it->second + " " + Point(l) + " keys " + std::to_string(w));
    }
    return CView::WindowProc(message, w, l);
  }
  LRESULT OnWheel(WPARAM w, LPARAM l) {
    log.push_back("wheel " + std::to_string(static_cast<short>(HIWORD(w))) + " at " + Point(l));
    return 0;
  }
  LRESULT OnChar(WPARAM w, LPARAM) {
    log.push_back(std::string("char ") + static_cast<char>(w));
    return 0;
  }
  LRESULT OnContextMenu(WPARAM w, LPARAM l) {
    log.push_back("menu " + Point(l) + (reinterpret_cast<HWND>(w) == m_hWnd ? " here" : " elsewhere"));
    CContextMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kAssignPin, "Assign pin");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(deletePinEnabled ? MF_STRING : MF_GRAYED, kDeletePin, "Delete pin");
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, GET_X_LPARAM(l), GET_Y_LPARAM(l), this);
    return 0;
  }
  void OnPinCommand(UINT id) { log.push_back("command " + std::to_string(id)); }
  void OnUpdateDeletePin(CCmdUI* state) { state->Enable(deletePinEnabled ? TRUE : FALSE); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(InputView, CView)

const MessageMap InputView::kMessageMap{
    &CView::kMessageMap,
    {
        MessageEntry(WM_MOUSEWHEEL, &InputView::OnWheel),
        MessageEntry(WM_CHAR, &InputView::OnChar),
        MessageEntry(WM_CONTEXTMENU, &InputView::OnContextMenu),
        CommandRangeEntry(kAssignPin, kDeletePin, &InputView::OnPinCommand),
        UpdateCommandUIEntry(kDeletePin, &InputView::OnUpdateDeletePin),
    }};

// A frame at (100, 50) on the screen whose single view fills its 400 x 300 client area.
class ViewInputTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    view = OpenViewFrame<InputView>(frame, document);
    ASSERT_NE(view, nullptr);
  }

  CDocument document;
  CFrameWnd frame;
  InputView* view = nullptr;
};

TEST_F(ViewInputTest, WheelKeysAndButtonsReachTheViewsHandlersUnlessItIsHiddenOrDisabled) {
  ASSERT_TRUE(user.Wheel(view, CPoint(10, 20), -120));
  ASSERT_TRUE(user.TypeChar(view, 'x'));
  EXPECT_EQ(view->log, (std::vector<std::string>{"wheel -120 at 110,70", "char x"})) << "at the screen point";
  EXPECT_EQ(CWnd::GetFocus(), view);

  view->log.clear();
  ASSERT_TRUE(user.LeftClick(view, CPoint(10, 20), MK_SHIFT));
  ASSERT_TRUE(user.LeftDoubleClick(view, CPoint(30, 40)));
  ASSERT_TRUE(user.MiddleDown(view, CPoint(5, 6)));
  ASSERT_TRUE(user.MoveMouse(view, CPoint(-5, 7), MK_MBUTTON));
  ASSERT_TRUE(user.MiddleUp(view, CPoint(-5, 7)));
  ASSERT_TRUE(user.LeftDown(view, CPoint(1, 2), MK_CONTROL));
  ASSERT_TRUE(user.LeftUp(view, CPoint(3, 4)));
  const std::vector<std::string> expected{
      "ldown 10,20 keys 5",   "lup 10,20 keys 4", "ldown 30,40 keys 1", "lup 30,40 keys 0",
      "ldouble 30,40 keys 1", "lup 30,40 keys 0", "mdown 5,6 keys 16",  "move -5,7 keys 16",
      "mup -5,7 keys 0",      "ldown 1,2 keys 9", "lup 3,4 keys 0",
  };
  EXPECT_EQ(view->log, expected) << "buttons at the client point";

  // Hidden, disabled or destroyed windows and disabled commands refuse input.
  view->log.clear();
  view->ShowWindow(SW_HIDE);
  EXPECT_FALSE(user.LeftClick(view, CPoint(1, 1)) || user.TypeChar(view, 'a'));
  view->ShowWindow(SW_SHOW);

  frame.EnableWindow(FALSE);
  EXPECT_FALSE(user.MoveMouse(view, CPoint(1, 1)) || user.RunCommand(&frame, kAssignPin));
  frame.EnableWindow(TRUE);
  EXPECT_TRUE(view->log.empty());

  view->deletePinEnabled = false;
  EXPECT_FALSE(user.RunCommand(&frame, kDeletePin)) << "its update handler disables it";
  view->deletePinEnabled = true;
  EXPECT_TRUE(user.RunCommand(&frame, kDeletePin));
  EXPECT_EQ(view->log, (std::vector<std::string>{"command 16045"}));

  InputView gone;
  ASSERT_TRUE(gone.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 7));
  gone.DestroyWindow();
  EXPECT_FALSE(user.LeftClick(&gone, CPoint(1, 1)) || user.OpenContextMenu(&gone, CPoint(1, 1)) ||
               user.Wheel(nullptr, CPoint(1, 1), 120));
  EXPECT_TRUE(gone.log.empty());

  // A wait cursor shows for the life of the object.
  {
    CWaitCursor outer;
    {
      CWaitCursor inner;
      EXPECT_EQ(Screen().WaitCursorDepth(), 2);
    }
    EXPECT_EQ(Screen().WaitCursorDepth(), 1);
    outer.Restore();
    EXPECT_EQ(Screen().WaitCursorDepth(), 1);
  }
  EXPECT_EQ(std::make_pair(Screen().WaitCursorDepth(), Screen().WaitCursorShownCount()),
            std::make_pair(0, 3));

  // A context menu's choice comes back as a command; a dismissed one sends nothing.
  view->log.clear();
  view->deletePinEnabled = false;
  Screen().ExpectContextMenu(kAssignPin);
  ASSERT_TRUE(user.OpenContextMenu(view, CPoint(10, 20)));
  Screen().ExpectContextMenu(0);
  ASSERT_TRUE(user.OpenContextMenu(view, CPoint(1, 1)));

  EXPECT_EQ(view->log, (std::vector<std::string>{"menu 110,70 here", "command 16016", "menu 101,51 here"}));
  ASSERT_EQ(Screen().ContextMenusShown().size(), 2u);
  const std::vector<MenuItem>& items = Screen().ContextMenusShown().front();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[0].text == "Assign pin" && items[0].enabled && items[1].separator &&
              items[2].id == kDeletePin);
  EXPECT_FALSE(items[2].enabled) << "a greyed item is shown disabled";

  // TPM_RETURNCMD leaves the choice to the caller.
  view->log.clear();
  CContextMenu menu;
  menu.AppendMenu(MF_STRING, kAssignPin, "Assign pin");
  menu.AppendMenu(MF_STRING, kDeletePin, "Delete pin");
  EXPECT_EQ((std::vector<UINT>{menu.EnableMenuItem(kDeletePin, MF_GRAYED),
                               menu.EnableMenuItem(1, MF_BYPOSITION | MF_ENABLED)}),
            (std::vector<UINT>{MF_ENABLED, MF_GRAYED}));
  EXPECT_TRUE(menu.DeleteMenu(kAssignPin, MF_BYCOMMAND) && menu.GetMenuItemID(0) == kDeletePin);

  Screen().ExpectContextMenu(kDeletePin);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, view), kDeletePin);
  EXPECT_TRUE(view->log.empty());
}

// Takes the double clicks of the windows inside it and lets everything else through.
class DoubleClickFrame : public CFrameWnd {
 public:
  std::vector<std::string> taken;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_LBUTTONDBLCLK) return FALSE;
    const CWnd* target = CWnd::FromHandlePermanent(msg->hwnd);
    taken.push_back("ldouble " + Point(msg->lParam) + (target != this && IsChild(target) ? " inside" : ""));
    return TRUE;
  }
};

class PreTranslateTest : public HeadlessTest {};

TEST_F(PreTranslateTest, AFrameMayTakeTheMouseInputOfItsViewsFirst) {
  CDocument document;
  DoubleClickFrame frame;
  InputView* view = OpenViewFrame<InputView>(frame, document);
  ASSERT_NE(view, nullptr);

  ASSERT_TRUE(user.LeftDoubleClick(view, CPoint(30, 40)));
  ASSERT_TRUE(user.LeftDoubleDown(view, CPoint(5, 6)));

  EXPECT_EQ(view->log,
            (std::vector<std::string>{"ldown 30,40 keys 1", "lup 30,40 keys 0", "lup 30,40 keys 0"}));
  EXPECT_EQ(frame.taken, (std::vector<std::string>{"ldouble 30,40 inside", "ldouble 5,6 inside"}));

  // A walk that stops at the view leaves the frame out.
  MSG msg{view->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 2)};
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(view->m_hWnd, &msg));
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
  EXPECT_EQ(frame.taken.size(), 3u);
}

constexpr UINT kDocumentCommand = 501;

class HintObject : public CObject {};

// Writes "name:hint" to a shared log for every update; may act on it.
class LoggingView : public CView {
  DECLARE_DYNCREATE(LoggingView)

 public:
  std::string name;
  std::vector<std::string>* log = nullptr;
  CView* lastSender = nullptr;
  CObject* lastObject = nullptr;
  std::function<void()> onUpdate;

  void OnDraw(CDC*) override {}
  void OnUpdate(CView* sender, LPARAM hint, CObject* object) override {
    lastSender = sender;
    lastObject = object;
    if (log != nullptr) log->push_back(name + ":" + std::to_string(hint));
    if (onUpdate) onUpdate();
  }
};

IMPLEMENT_DYNCREATE(LoggingView, CView)

class CountingDocument : public CDocument {
 public:
  int contentsDeleted = 0;
  bool documentCommandEnabled = true;

  void DeleteContents() override { ++contentsDeleted; }
  void OnUpdateDocumentCommand(CCmdUI* state) { state->Enable(documentCommandEnabled ? TRUE : FALSE); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

const MessageMap CountingDocument::kMessageMap{
    &CDocument::kMessageMap,
    {
        UpdateCommandUIEntry(kDocumentCommand, &CountingDocument::OnUpdateDocumentCommand),
    }};

class DocumentViewTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(frame.Create(nullptr, "Editor"));
  }

  LoggingView* AddView(const std::string& name) {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(LoggingView);
    context.m_pCurrentDoc = &document;
    auto* view = DynamicDowncast<LoggingView>(frame.CreateView(&context, AFX_IDW_PANE_FIRST + nextId++));
    if (view == nullptr) return nullptr;
    view->name = name;
    view->log = &log;
    return view;
  }

  std::vector<std::string> ViewNames() const {
    std::vector<std::string> names;
    for (POSITION position = document.GetFirstViewPosition(); position != nullptr;) {
      names.push_back(static_cast<LoggingView*>(document.GetNextView(position))->name);
    }
    return names;
  }

  CountingDocument document;
  CFrameWnd frame;
  std::vector<std::string> log;
  UINT nextId = 0;
};

TEST_F(DocumentViewTest, UpdatesReachEveryViewButTheSenderWithHintAndObjectAndViewsMayComeAndGo) {
  LoggingView* grid = AddView("grid");
  LoggingView* schematic = AddView("schematic");
  LoggingView* pcb = AddView("pcb");
  HintObject object;

  document.UpdateAllViews(schematic, 4, &object);

  EXPECT_EQ(log, (std::vector<std::string>{"grid:4", "pcb:4"}));
  EXPECT_EQ(
      (std::vector<CObject*>{grid->lastSender, grid->lastObject, pcb->lastObject, schematic->lastObject}),
      (std::vector<CObject*>{schematic, &object, &object, nullptr}));

  log.clear();
  document.UpdateAllViews(nullptr, 7);
  EXPECT_EQ(log, (std::vector<std::string>{"grid:7", "schematic:7", "pcb:7"}));
  EXPECT_TRUE(pcb->lastSender == nullptr && pcb->lastObject == nullptr);

  // Views that come or go during an update are handled safely.
  bool acted = false;
  grid->onUpdate = [&] {
    if (acted) return;
    acted = true;
    schematic->DestroyWindow();
    AddView("late");
  };
  log.clear();
  document.UpdateAllViews(nullptr, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"grid:1", "pcb:1"}));
  EXPECT_EQ(ViewNames(), (std::vector<std::string>{"grid", "pcb", "late"}));
  EXPECT_EQ(pcb->GetDocument(), &document);

  // Views forget a document that goes first.
  auto shortLived = std::make_unique<CDocument>();
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(LoggingView);
  context.m_pCurrentDoc = shortLived.get();
  CFrameWnd other;
  ASSERT_TRUE(other.Create(nullptr, "Other", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, nullptr, 0,
                           &context));
  other.InitialUpdateFrame(shortLived.get(), FALSE);
  CView* orphan = other.GetActiveView();
  ASSERT_NE(orphan, nullptr);
  ASSERT_EQ(other.GetActiveDocument(), shortLived.get());

  shortLived.reset();

  EXPECT_TRUE(orphan->GetDocument() == nullptr && other.GetActiveDocument() == nullptr);
  EXPECT_FALSE(orphan->OnCmdMsg(kDocumentCommand, CN_COMMAND, 0));
}

TEST_F(DocumentViewTest, TheTitleFollowsThePathCommandsAskTheDocumentAndClosingDestroysTheFrames) {
  LoggingView* view = AddView("only");
  frame.InitialUpdateFrame(&document, FALSE);
  document.SetTitle("Untitled");
  EXPECT_EQ(frame.GetWindowText(), "Untitled - Editor");

  document.SetPathName("/libraries/logic/U74HC00.clib");
  EXPECT_EQ((std::vector<CString>{document.GetPathName(), document.GetTitle(), frame.GetWindowText()}),
            (std::vector<CString>{"/libraries/logic/U74HC00.clib", "U74HC00.clib", "U74HC00.clib - Editor"}));

  EXPECT_FALSE(document.IsModified());
  document.SetModifiedFlag();
  EXPECT_TRUE(document.IsModified());

  EXPECT_TRUE(document.OnNewDocument());
  EXPECT_TRUE(!document.IsModified() && document.GetPathName().IsEmpty() && document.contentsDeleted == 1);

  // A view asks its document for the state of the commands it does not handle itself.
  document.documentCommandEnabled = false;
  CCmdUI state(kDocumentCommand);
  EXPECT_TRUE(view->OnCmdMsg(kDocumentCommand, CN_UPDATE_COMMAND_UI, reinterpret_cast<LPARAM>(&state)));
  EXPECT_TRUE(state.WasHandled() && !state.IsEnabled());
  EXPECT_FALSE(view->OnCmdMsg(999, CN_COMMAND, 0));

  // Closing the document destroys its frames but not itself.
  AddView("second");
  document.OnCloseDocument();
  EXPECT_TRUE(frame.GetSafeHwnd() == nullptr && document.GetViewCount() == 0 &&
              document.contentsDeleted == 2);
  document.SetTitle("still here");
  EXPECT_EQ(document.GetTitle(), "still here");
}

}  // namespace
