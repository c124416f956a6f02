#include "platform/headless_backend.h"

#include <iostream>

#include "platform/constants.h"
#include "platform/dialog.h"
#include "platform/win_thread.h"

HeadlessBackend::HeadlessBackend()
    : m_onFailure([](const std::string& problem) { std::cerr << "headless: " << problem << '\n'; }) {}

void HeadlessBackend::ExpectDialog(UINT templateId, DialogResponder responder) {
  m_dialogs.push_back({templateId, std::move(responder)});
}

void HeadlessBackend::ExpectMessageBox(int answer, std::optional<CString> text) {
  m_messageAnswers.push_back({answer, std::move(text), nullptr});
}

void HeadlessBackend::ExpectMessageBox(int answer, std::optional<CString> text, WhileShown whileShown) {
  m_messageAnswers.push_back({answer, std::move(text), std::move(whileShown)});
}

void HeadlessBackend::ExpectContextMenu(UINT choice) {
  m_menuChoices.push_back(choice);
}

std::vector<std::string> HeadlessBackend::PendingExpectations() const {
  std::vector<std::string> pending;
  for (const auto& dialog : m_dialogs) pending.push_back("dialog " + std::to_string(dialog.templateId));
  for (const auto& box : m_messageAnswers) {
    pending.push_back("message box" + (box.text ? " \"" + box.text->str() + "\"" : std::string()));
  }
  for (UINT choice : m_menuChoices) pending.push_back("context menu choosing " + std::to_string(choice));
  return pending;
}

std::unique_ptr<WindowPeer> HeadlessBackend::CreatePeer(HWND) {
  return nullptr;
}

int HeadlessBackend::RunModalLoop(CDialog& dialog) {
  const UINT id = dialog.GetTemplateId();
  if (m_dialogs.empty() || m_dialogs.front().templateId != id) {
    Fail("unexpected dialog " + std::to_string(id) + " \"" + dialog.GetWindowText().str() + "\"");
    dialog.EndDialog(IDCANCEL);
    return dialog.GetModalResult();
  }
  DialogExpectation expectation = std::move(m_dialogs.front());
  m_dialogs.pop_front();
  expectation.responder(dialog, m_user);
  if (dialog.IsModalActive()) {
    Fail("dialog " + std::to_string(id) + " was left open by its responder");
    dialog.EndDialog(IDCANCEL);
  }
  return dialog.GetModalResult();
}

int HeadlessBackend::ShowMessageBox(const CString& text, const CString& caption, UINT type) {
  const int refusal =
      (type & MB_TYPEMASK) == MB_OK ? IDOK : ((type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDCANCEL);
  if (m_messageAnswers.empty()) {
    Fail("unexpected message box \"" + text.str() + "\"");
    m_messages.push_back({text, caption, type, refusal});
    AfxGetThread()->PumpMessages();
    return refusal;
  }
  MessageExpectation expectation = std::move(m_messageAnswers.front());
  m_messageAnswers.pop_front();
  if (expectation.text && *expectation.text != text) {
    Fail("message box \"" + text.str() + "\" where \"" + expectation.text->str() + "\" was expected");
  }
  m_messages.push_back({text, caption, type, expectation.answer});
  if (expectation.whileShown) expectation.whileShown();
  AfxGetThread()->PumpMessages();
  return expectation.answer;
}

UINT HeadlessBackend::TrackPopupMenu(const std::vector<MenuItem>& items, CPoint, HWND) {
  m_menus.push_back(items);
  if (m_menuChoices.empty()) {
    Fail("unexpected context menu with " + std::to_string(items.size()) + " items");
    return 0;
  }
  const UINT choice = m_menuChoices.front();
  m_menuChoices.pop_front();
  if (choice == 0) return 0;
  for (const MenuItem& item : items) {
    if (item.id == choice && item.enabled && !item.separator) return choice;
  }
  Fail("context menu has no enabled item " + std::to_string(choice));
  return 0;
}

void HeadlessBackend::SetWaitCursor(bool on) {
  m_waitDepth += on ? 1 : -1;
  if (on) ++m_waitShown;
}

void HeadlessBackend::ShowTextFile(const CString& path, const CString& title) {
  m_textFiles.push_back(path);
  m_textFileTitles.push_back(title);
}

void HeadlessBackend::Fail(const std::string& problem) {
  m_onFailure(problem);
}
