// The window core: run-time classes, the window tree, messages, message maps and command
// routing.
#include <gtest/gtest.h>

#include <vector>

#include "platform/cwnd.h"
#include "platform/headless_backend.h"
#include "platform/object.h"
#include "platform/win_thread.h"
#include "tests/support/headless_test.h"

namespace {

const UINT kPingMessage = RegisterWindowMessage("WindowTest.Ping");

class RecordingWnd : public CWnd {
 public:
  std::vector<std::string> log;
  int destroyed = 0;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

  LRESULT OnPing(WPARAM w, LPARAM l) {
    log.push_back("ping " + std::to_string(w) + " " + std::to_string(l));
    return 77;
  }
  LRESULT OnChar(WPARAM w, LPARAM) {
    log.push_back(std::string("char ") + static_cast<char>(w));
    return 0;
  }
  void OnSave() { log.push_back("save"); }
  void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
  void OnEditChanged() { log.push_back("edit changed"); }
  void OnUpdateSave(CCmdUI* ui) { ui->Enable(FALSE); }

 protected:
  void OnDestroy() override { ++destroyed; }
};

const MessageMap RecordingWnd::kMessageMap{&CWnd::kMessageMap,
                                           {
                                               RegisteredMessageEntry(kPingMessage, &RecordingWnd::OnPing),
                                               MessageEntry(WM_CHAR, &RecordingWnd::OnChar),
                                               CommandEntry(100, &RecordingWnd::OnSave),
                                               CommandRangeEntry(200, 210, &RecordingWnd::OnRange),
                                               NotifyEntry(0x300, 1026, &RecordingWnd::OnEditChanged),
                                               UpdateCommandUIEntry(100, &RecordingWnd::OnUpdateSave),
                                           }};

// A window whose handler destroys the window and deletes its own object.
class SelfClosingWnd : public CWnd {
 public:
  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
  LRESULT OnClose(WPARAM, LPARAM) {
    DestroyWindow();
    return 5;
  }

 protected:
  void PostNcDestroy() override { delete this; }
};
const MessageMap SelfClosingWnd::kMessageMap{&CWnd::kMessageMap,
                                             {MessageEntry(WM_CLOSE, &SelfClosingWnd::OnClose)}};

class WindowTest : public HeadlessTest {};

TEST_F(WindowTest, ChildrenFormATreeAndMessageMapsDispatchMessagesCommandsAndNotifications) {
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, "", "Top", WS_OVERLAPPED, CRect(0, 0, 200, 100), nullptr, 0));
  RecordingWnd child;
  ASSERT_TRUE(child.Create("", "child", WS_VISIBLE, CRect(10, 20, 60, 40), &top, 1025));
  CWnd grandChild;
  ASSERT_TRUE(grandChild.Create("", "", WS_VISIBLE, CRect(0, 0, 5, 5), &child, 1));

  EXPECT_EQ(top.GetDlgItem(1025), &child);
  EXPECT_EQ(top.GetDlgItem(9999), nullptr);
  EXPECT_EQ(child.GetParent(), &top);
  EXPECT_TRUE(top.IsChild(&grandChild));
  EXPECT_EQ(grandChild.GetTopLevelParent(), &top);
  EXPECT_EQ(child.GetDlgCtrlID(), 1025);

  CRect client;
  child.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 50, 20));
  CPoint point(1, 2);
  grandChild.ClientToScreen(&point);
  EXPECT_EQ(point, CPoint(11, 22));

  // Visibility and enabling follow the style bits, the parent's included.
  EXPECT_FALSE(grandChild.IsWindowVisible()) << "a visible child of a hidden parent is not visible";
  top.ShowWindow(SW_SHOW);
  EXPECT_TRUE(grandChild.IsWindowVisible());
  EXPECT_FALSE(grandChild.EnableWindow(FALSE));
  EXPECT_FALSE(grandChild.IsWindowEnabled());
  EXPECT_NE(grandChild.GetStyle() & WS_DISABLED, 0u);
  EXPECT_TRUE(grandChild.EnableWindow(TRUE)) << "reports that it was disabled";
  grandChild.SetFocus();
  EXPECT_EQ(CWnd::GetFocus(), &grandChild);

  top.DestroyWindow();
  EXPECT_EQ(child.m_hWnd, nullptr);
  EXPECT_EQ(grandChild.m_hWnd, nullptr);
  EXPECT_EQ(child.destroyed, 1);
  EXPECT_EQ(CWnd::GetFocus(), nullptr);

  // Message maps dispatch messages, commands and notifications.
  RecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "", "", WS_OVERLAPPED, CRect(0, 0, 10, 10), nullptr, 0));
  EXPECT_EQ(wnd.SendMessage(kPingMessage, 3, 4), 77);
  wnd.SendMessage(WM_CHAR, 'x');
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(211, 0));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1026, 0x300));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1026, 0x400));
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"ping 3 4", "char x", "save", "range 205", "edit changed"}));

  CCmdUI save(100);
  EXPECT_TRUE(wnd.OnCmdMsg(100, CN_UPDATE_COMMAND_UI, reinterpret_cast<LPARAM>(&save)));
  EXPECT_FALSE(save.IsEnabled());
  CCmdUI other(101);
  EXPECT_FALSE(wnd.OnCmdMsg(101, CN_UPDATE_COMMAND_UI, reinterpret_cast<LPARAM>(&other)));
  EXPECT_FALSE(other.WasHandled());

  // Registered messages are one per name.
  const UINT a = RegisterWindowMessage("WindowTest.A");
  EXPECT_EQ(a, RegisterWindowMessage("WindowTest.A"));
  EXPECT_NE(a, RegisterWindowMessage("WindowTest.B"));
  EXPECT_GE(a, 0xC000u);

  // A handler may destroy its own window and object.
  auto* selfClosing = new SelfClosingWnd;
  ASSERT_TRUE(selfClosing->CreateEx(0, "", "", WS_OVERLAPPED, CRect(), nullptr, 0));
  HWND hwnd = selfClosing->m_hWnd;
  EXPECT_EQ(::SendMessage(hwnd, WM_CLOSE), 5);
  EXPECT_FALSE(IsWindowHandle(hwnd));
}

TEST_F(WindowTest, PostedMessagesWaitForThePumpAndSkipDeadWindowsAndPlainWindowsGetWrappers) {
  RecordingWnd alive;
  RecordingWnd doomed;
  ASSERT_TRUE(alive.CreateEx(0, "", "", WS_OVERLAPPED, CRect(), nullptr, 0));
  ASSERT_TRUE(doomed.CreateEx(0, "", "", WS_OVERLAPPED, CRect(), nullptr, 0));
  EXPECT_TRUE(alive.PostMessage(kPingMessage, 1, 0));
  EXPECT_TRUE(doomed.PostMessage(kPingMessage, 2, 0));
  EXPECT_TRUE(alive.log.empty()) << "posting does not deliver";
  doomed.DestroyWindow();
  EXPECT_EQ(AfxGetThread()->PumpMessages(), 1);
  EXPECT_EQ(alive.log, std::vector<std::string>{"ping 1 0"});
  EXPECT_TRUE(doomed.log.empty());
  EXPECT_FALSE(doomed.PostMessage(kPingMessage, 3, 0));

  // A window made without an object gets a wrapper until subclassed.
  CREATESTRUCT cs;
  cs.className = "plain";
  cs.style = WS_CHILD;
  cs.parent = alive.m_hWnd;
  cs.id = 7;
  ASSERT_NE(CreateWindowHandle(cs, nullptr), nullptr);
  CWnd* wrapper = alive.GetDlgItem(7);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(alive.GetDlgItem(7), wrapper) << "the same wrapper every time";
  RecordingWnd member;
  EXPECT_TRUE(member.SubclassDlgItem(7, &alive));
  EXPECT_EQ(alive.GetDlgItem(7), &member);
  EXPECT_FALSE(doomed.SubclassDlgItem(7, &alive)) << "a window has one object";
  member.SendMessage(WM_CHAR, 'q');
  EXPECT_EQ(member.log, std::vector<std::string>{"char q"});
}

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
 public:
  int radius = 3;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape {
  DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

TEST(RuntimeClassTest, KindsFollowTheClassTreeObjectsAreMadeByClassOrNameAndWindowsNeedNoBackend) {
  CCircle circle;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_TRUE(RUNTIME_CLASS(CSquare)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
  EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");

  std::unique_ptr<CObject> made = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(DynamicDowncast<CCircle>(made.get())->radius, 3);
  EXPECT_EQ(DynamicDowncast<CSquare>(made.get()), nullptr);

  const CRuntimeClass* byName = CRuntimeClass::FromName("CSquare");
  ASSERT_EQ(byName, RUNTIME_CLASS(CSquare));
  EXPECT_TRUE(byName->CreateObject()->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);

  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsCreatable());
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);

  // Without an installed backend, windows live on the built-in headless one.
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, "", "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
  EXPECT_NE(dynamic_cast<HeadlessBackend*>(&CurrentBackend()), nullptr);
  top.DestroyWindow();
}

}  // namespace
