// The backend with no screen: modal dialogs, message boxes and context menus are
// answered by responders that a test queues, and everything shown is recorded. An
// unexpected dialog, message box or menu is reported to the failure handler at once and
// answered with Cancel/No, so nothing can hang. While a message box is up, posted
// messages are delivered, as the screen's own loop delivers them.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/user_input.h"

class CDialog;

struct ShownMessageBox {
  CString text;
  CString caption;
  UINT type = 0;
  int answer = 0;
};

class HeadlessBackend : public Backend {
 public:
  using DialogResponder = std::function<void(CDialog& dialog, UserInput& user)>;
  using FailureHandler = std::function<void(const std::string& problem)>;
  // What happens elsewhere while a message box waits for its answer, such as a window
  // posting a message; whatever it posts is delivered before the box is answered.
  using WhileShown = std::function<void()>;

  HeadlessBackend();

  // The next modal dialog must come from this template (a property sheet: id 0) and is
  // handed to the responder after OnInitDialog; the responder must end it.
  void ExpectDialog(UINT templateId, DialogResponder responder);
  // The next message box gets this answer; with `text`, it must show exactly that text.
  void ExpectMessageBox(int answer, std::optional<CString> text = std::nullopt);
  void ExpectMessageBox(int answer, std::optional<CString> text, WhileShown whileShown);
  // The next context menu chooses the item with this id (0: dismisses it).
  void ExpectContextMenu(UINT choice);
  void SetFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

  const std::vector<ShownMessageBox>& MessageBoxesShown() const { return m_messages; }
  const std::vector<std::vector<MenuItem>>& ContextMenusShown() const { return m_menus; }
  const std::vector<CString>& TextFilesShown() const { return m_textFiles; }
  const std::vector<CString>& TextFileTitlesShown() const { return m_textFileTitles; }
  int WaitCursorDepth() const { return m_waitDepth; }
  int WaitCursorShownCount() const { return m_waitShown; }
  // Names the expectations that no dialog, box or menu used up.
  std::vector<std::string> PendingExpectations() const;

  std::unique_ptr<WindowPeer> CreatePeer(HWND hwnd) override;
  int RunModalLoop(CDialog& dialog) override;
  int ShowMessageBox(const CString& text, const CString& caption, UINT type) override;
  UINT TrackPopupMenu(const std::vector<MenuItem>& items, CPoint screenPoint, HWND owner) override;
  void SetWaitCursor(bool on) override;
  void ShowTextFile(const CString& path, const CString& title) override;

 private:
  struct DialogExpectation {
    UINT templateId;
    DialogResponder responder;
  };
  struct MessageExpectation {
    int answer;
    std::optional<CString> text;
    WhileShown whileShown;
  };
  void Fail(const std::string& problem);

  std::deque<DialogExpectation> m_dialogs;
  std::deque<MessageExpectation> m_messageAnswers;
  std::deque<UINT> m_menuChoices;
  std::vector<ShownMessageBox> m_messages;
  std::vector<std::vector<MenuItem>> m_menus;
  std::vector<CString> m_textFiles;
  std::vector<CString> m_textFileTitles;
  int m_waitDepth = 0;
  int m_waitShown = 0;
  FailureHandler m_onFailure;
  UserInput m_user;
};
