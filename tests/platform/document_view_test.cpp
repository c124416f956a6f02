// Documents and their views: joining and leaving, update hints, titles, closing and
// command routing from a view to its document.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kViewCommand = 500;
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
  int viewCommands = 0;

  void OnDraw(CDC*) override {}
  void OnUpdate(CView* sender, LPARAM hint, CObject* object) override {
    lastSender = sender;
    lastObject = object;
    if (log != nullptr) log->push_back(name + ":" + std::to_string(hint));
    if (onUpdate) onUpdate();
  }
  void OnViewCommand() { ++viewCommands; }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(LoggingView, CView)

const MessageMap LoggingView::kMessageMap{&CView::kMessageMap,
                                          {CommandEntry(kViewCommand, &LoggingView::OnViewCommand)}};

class RefusingView : public LoggingView {
  DECLARE_DYNCREATE(RefusingView)

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    LoggingView::OnCreate(cs);
    return -1;
  }
};

IMPLEMENT_DYNCREATE(RefusingView, LoggingView)

class CountingDocument : public CDocument {
 public:
  int contentsDeleted = 0;
  int documentCommands = 0;
  bool documentCommandEnabled = true;

  void DeleteContents() override { ++contentsDeleted; }
  void OnDocumentCommand() { ++documentCommands; }
  void OnUpdateDocumentCommand(CCmdUI* state) { state->Enable(documentCommandEnabled ? TRUE : FALSE); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

const MessageMap CountingDocument::kMessageMap{
    &CDocument::kMessageMap,
    {
        CommandEntry(kDocumentCommand, &CountingDocument::OnDocumentCommand),
        UpdateCommandUIEntry(kDocumentCommand, &CountingDocument::OnUpdateDocumentCommand),
    }};

class DocumentViewTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(frame.Create(nullptr, "Editor"));
  }

  LoggingView* AddView(const std::string& name, const CRuntimeClass* cls = RUNTIME_CLASS(LoggingView)) {
    CCreateContext context;
    context.m_pNewViewClass = cls;
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

TEST_F(DocumentViewTest, UpdatesReachEveryViewButTheSenderWithHintAndObject) {
  LoggingView* grid = AddView("grid");
  LoggingView* schematic = AddView("schematic");
  LoggingView* pcb = AddView("pcb");
  HintObject object;

  document.UpdateAllViews(schematic, 4, &object);

  EXPECT_EQ(log, (std::vector<std::string>{"grid:4", "pcb:4"}));
  EXPECT_EQ(grid->lastSender, schematic);
  EXPECT_EQ(grid->lastObject, &object);
  EXPECT_EQ(pcb->lastObject, &object);
  EXPECT_EQ(schematic->lastObject, nullptr);

  log.clear();
  document.UpdateAllViews(nullptr, 7);
  EXPECT_EQ(log, (std::vector<std::string>{"grid:7", "schematic:7", "pcb:7"}));
  EXPECT_EQ(pcb->lastSender, nullptr);
  EXPECT_EQ(pcb->lastObject, nullptr);
}

TEST_F(DocumentViewTest, ViewsThatComeOrGoDuringAnUpdateAreHandledSafely) {
  LoggingView* first = AddView("first");
  LoggingView* second = AddView("second");
  LoggingView* doomed = AddView("doomed");
  bool acted = false;
  first->onUpdate = [&] {
    if (acted) return;
    acted = true;
    doomed->DestroyWindow();
    AddView("late");
  };

  document.UpdateAllViews(nullptr, 1);

  EXPECT_EQ(log, (std::vector<std::string>{"first:1", "second:1"}));
  EXPECT_EQ(ViewNames(), (std::vector<std::string>{"first", "second", "late"}));
  EXPECT_EQ(second->GetDocument(), &document);
}

TEST_F(DocumentViewTest, ViewsJoinWhenCreatedAndLeaveWhenDestroyed) {
  EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
  LoggingView* left = AddView("left");
  LoggingView* right = AddView("right");
  EXPECT_EQ(ViewNames(), (std::vector<std::string>{"left", "right"}));
  EXPECT_EQ(right->GetDocument(), &document);

  left->DestroyWindow();
  EXPECT_EQ(ViewNames(), (std::vector<std::string>{"right"}));

  EXPECT_EQ(AddView("refused", RUNTIME_CLASS(RefusingView)), nullptr);
  EXPECT_EQ(ViewNames(), (std::vector<std::string>{"right"}));
  EXPECT_EQ(frame.GetChildren().size(), 1u);
}

TEST_F(DocumentViewTest, ViewsForgetADocumentThatGoesFirst) {
  auto shortLived = std::make_unique<CDocument>();
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(LoggingView);
  context.m_pCurrentDoc = shortLived.get();
  CFrameWnd other;
  ASSERT_TRUE(other.Create(nullptr, "Other", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, nullptr, 0,
                           &context));
  other.InitialUpdateFrame(shortLived.get(), FALSE);
  CView* view = other.GetActiveView();
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(other.GetActiveDocument(), shortLived.get());

  shortLived.reset();

  EXPECT_EQ(view->GetDocument(), nullptr);
  EXPECT_EQ(other.GetActiveDocument(), nullptr);
  EXPECT_FALSE(view->OnCmdMsg(kDocumentCommand, CN_COMMAND, 0));
}

TEST_F(DocumentViewTest, TheTitleFollowsThePathAndShowsInTheFramesCaption) {
  AddView("only");
  frame.InitialUpdateFrame(&document, FALSE);
  document.SetTitle("Untitled");
  EXPECT_EQ(frame.GetWindowText(), "Untitled - Editor");

  document.SetPathName("/libraries/logic/U74HC00.clib");
  EXPECT_EQ(document.GetPathName(), "/libraries/logic/U74HC00.clib");
  EXPECT_EQ(document.GetTitle(), "U74HC00.clib");
  EXPECT_EQ(frame.GetWindowText(), "U74HC00.clib - Editor");

  EXPECT_FALSE(document.IsModified());
  document.SetModifiedFlag();
  EXPECT_TRUE(document.IsModified());

  EXPECT_TRUE(document.OnNewDocument());
  EXPECT_FALSE(document.IsModified());
  EXPECT_TRUE(document.GetPathName().IsEmpty());
  EXPECT_EQ(document.contentsDeleted, 1);
}

TEST_F(DocumentViewTest, ClosingTheDocumentDestroysItsFramesButNotItself) {
  AddView("first");
  AddView("second");

  document.OnCloseDocument();

  EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
  EXPECT_EQ(document.GetViewCount(), 0);
  EXPECT_EQ(document.contentsDeleted, 1);
  document.SetTitle("still here");
  EXPECT_EQ(document.GetTitle(), "still here");
}

TEST_F(DocumentViewTest, AViewPassesCommandsItDoesNotHandleToItsDocument) {
  LoggingView* view = AddView("view");

  view->SendMessage(WM_COMMAND, kViewCommand);
  view->SendMessage(WM_COMMAND, kDocumentCommand);
  EXPECT_EQ(view->viewCommands, 1);
  EXPECT_EQ(document.documentCommands, 1);

  document.documentCommandEnabled = false;
  CCmdUI state(kDocumentCommand);
  EXPECT_TRUE(view->OnCmdMsg(kDocumentCommand, CN_UPDATE_COMMAND_UI, reinterpret_cast<LPARAM>(&state)));
  EXPECT_TRUE(state.WasHandled());
  EXPECT_FALSE(state.IsEnabled());
  EXPECT_FALSE(view->OnCmdMsg(999, CN_COMMAND, 0));
}

TEST_F(DocumentViewTest, RunTimeClassesTellTheKindsApart) {
  CObject* view = AddView("view");
  CObject* framed = &frame;

  EXPECT_NE(DynamicDowncast<CView>(view), nullptr);
  EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(DynamicDowncast<CFrameWnd>(view), nullptr);
  EXPECT_EQ(DynamicDowncast<CView>(framed), nullptr);
  EXPECT_TRUE(document.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
  EXPECT_FALSE(document.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(CRuntimeClass::FromName("LoggingView"), RUNTIME_CLASS(LoggingView));
}

}  // namespace
