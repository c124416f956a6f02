// CCmdTarget: an object with a message map that commands can be routed to.
#pragma once

#include "platform/cstring.h"
#include "platform/message_map.h"
#include "platform/object.h"

class CCmdTarget;

// The enabling state of one command, asked of whoever handles it.
class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : m_nID(id) {}
  virtual ~CCmdUI() = default;
  virtual void Enable(BOOL on = TRUE) {
    m_enabled = on != FALSE;
    m_enableChanged = true;
  }
  virtual void SetCheck(int check = 1) { m_check = check; }
  virtual void SetText(const char* text) {
    m_text = text;
    m_textSet = true;
  }

  // Asks the target's route for the command's state. With `disableIfNoHandler` a
  // command that no handler on the route would run is disabled, as menus and tool bars
  // show it, unless an update handler enabled it explicitly.
  void DoUpdate(CCmdTarget* target, bool disableIfNoHandler);

  bool IsEnabled() const { return m_enabled; }
  bool WasHandled() const { return m_handled; }
  // Whether anyone set the enabled state; otherwise it stays as it was shown.
  bool WasEnableSet() const { return m_enableChanged; }
  int GetCheck() const { return m_check; }
  const CString& GetText() const { return m_text; }
  // Whether anyone set the text, an empty one included.
  bool WasTextSet() const { return m_textSet; }

  UINT m_nID;

 private:
  friend class CCmdTarget;
  bool m_enabled = true;
  bool m_enableChanged = false;
  bool m_handled = false;
  int m_check = 0;
  CString m_text;
  bool m_textSet = false;
};

// Code values of OnCmdMsg besides control notification codes.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;
// Asks whether a command handler is on the route, without running it.
inline constexpr int CN_QUERY_HANDLER = -2;

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  static const MessageMap kMessageMap;
  virtual const MessageMap* GetMessageMap() const { return &kMessageMap; }

  // Routes a command (code CN_COMMAND or a notification code) or an enabling query
  // (code CN_UPDATE_COMMAND_UI, extra is the CCmdUI*) through the message maps.
  // Frames and views override it to pass the command along their route.
  virtual BOOL OnCmdMsg(UINT id, int code, LPARAM extra);

 protected:
  CCmdTarget() = default;
  // Runs the first entry of this object's maps that matches; false when none does.
  bool DispatchCommand(UINT id, int code, LPARAM extra);
  // Runs a window-message entry; false when none matches.
  bool DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};
