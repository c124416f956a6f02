#include "platform/cmd_target.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMap CCmdTarget::kMessageMap{nullptr, {}};

namespace {
bool InRange(const MessageMapEntry& entry, UINT id) {
  return id >= entry.firstId && id <= entry.lastId;
}

bool MatchesCommand(const MessageMapEntry& entry, UINT id, int code) {
  switch (entry.kind) {
    case MessageEntryKind::Command:
      return (code == CN_COMMAND || code == CN_QUERY_HANDLER) && InRange(entry, id);
    case MessageEntryKind::Notify:
      return code >= 0 && static_cast<UINT>(code) == entry.code && InRange(entry, id);
    case MessageEntryKind::UpdateCommandUI:
      return code == CN_UPDATE_COMMAND_UI && InRange(entry, id);
    default:
      return false;
  }
}

bool MatchesMessage(const MessageMapEntry& entry, UINT message) {
  if (entry.kind == MessageEntryKind::Message) return entry.message == message;
  if (entry.kind == MessageEntryKind::Registered)
    return *entry.registered != 0 && *entry.registered == message;
  return false;
}
}  // namespace

void CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler) {
  m_handled = false;
  m_enableChanged = false;
  if (target == nullptr) return;
  target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, reinterpret_cast<LPARAM>(this));
  if (disableIfNoHandler && !m_enableChanged) Enable(target->OnCmdMsg(m_nID, CN_QUERY_HANDLER, 0));
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, LPARAM extra) {
  return DispatchCommand(id, code, extra);
}

bool CCmdTarget::DispatchCommand(UINT id, int code, LPARAM extra) {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const MessageMapEntry& entry : map->entries) {
      if (!MatchesCommand(entry, id, code)) continue;
      if (code == CN_QUERY_HANDLER) return true;
      if (code == CN_UPDATE_COMMAND_UI) reinterpret_cast<CCmdUI*>(extra)->m_handled = true;
      entry.handler(*this, 0, extra, id);
      return true;
    }
  }
  return false;
}

bool CCmdTarget::DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const MessageMapEntry& entry : map->entries) {
      if (!MatchesMessage(entry, message)) continue;
      result = entry.handler(*this, wParam, lParam, 0);
      return true;
    }
  }
  return false;
}
