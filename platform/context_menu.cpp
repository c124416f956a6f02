#include "platform/context_menu.h"

#include "platform/cwnd.h"

namespace {
constexpr UINT kNoItem = 0xFFFFFFFF;
}

BOOL CContextMenu::CreatePopupMenu() {
  m_items.clear();
  return TRUE;
}

BOOL CContextMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
  MenuItem item;
  item.separator = (flags & MF_SEPARATOR) != 0;
  item.id = item.separator ? 0 : static_cast<UINT>(id);
  item.text = item.separator ? CString() : CString(text);
  item.enabled = (flags & (MF_GRAYED | MF_DISABLED)) == 0;
  m_items.push_back(item);
  return TRUE;
}

BOOL CContextMenu::AppendMenu(UINT flags, UINT_PTR id, UINT stringId) {
  CString text;
  if (!text.LoadString(stringId)) return FALSE;
  return AppendMenu(flags, id, text.c_str());
}

MenuItem* CContextMenu::Find(UINT item, UINT flags) {
  if ((flags & MF_BYPOSITION) != 0) return item < m_items.size() ? &m_items[item] : nullptr;
  for (MenuItem& entry : m_items) {
    if (!entry.separator && entry.id == item) return &entry;
  }
  return nullptr;
}

BOOL CContextMenu::DeleteMenu(UINT item, UINT flags) {
  MenuItem* found = Find(item, flags);
  if (found == nullptr) return FALSE;
  m_items.erase(m_items.begin() + (found - m_items.data()));
  return TRUE;
}

UINT CContextMenu::EnableMenuItem(UINT item, UINT flags) {
  MenuItem* found = Find(item, flags);
  if (found == nullptr) return kNoItem;
  const UINT previous = found->enabled ? MF_ENABLED : MF_GRAYED;
  found->enabled = (flags & (MF_GRAYED | MF_DISABLED)) == 0;
  return previous;
}

UINT CContextMenu::GetMenuItemID(int position) const {
  if (position < 0 || position >= GetMenuItemCount()) return kNoItem;
  return m_items[static_cast<size_t>(position)].id;
}

UINT CContextMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
  const HWND ownerWindow = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
  const UINT chosen = CurrentBackend().TrackPopupMenu(m_items, CPoint(x, y), ownerWindow);
  if (chosen != 0 && (flags & TPM_RETURNCMD) == 0 && IsWindowHandle(ownerWindow)) {
    ::SendMessage(ownerWindow, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
  }
  return chosen;
}
