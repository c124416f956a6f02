#include "platform/menu.h"

#include "platform/cmd_target.h"

namespace {
constexpr UINT kNoItem = 0xFFFFFFFF;

bool IsCommand(const MenuEntry& entry) {
  return !entry.separator && entry.popup == nullptr;
}
}  // namespace

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
  if ((flags & MF_POPUP) != 0) return FALSE;
  MenuEntry entry;
  if ((flags & MF_SEPARATOR) != 0) {
    entry.separator = true;
    m_entries.push_back(std::move(entry));
    return TRUE;
  }
  if (id == 0 || text == nullptr || *text == '\0') return FALSE;
  entry.id = static_cast<UINT>(id);
  entry.text = text;
  entry.enabled = (flags & (MF_GRAYED | MF_DISABLED)) == 0;
  entry.checked = (flags & MF_CHECKED) != 0;
  m_entries.push_back(std::move(entry));
  return TRUE;
}

CMenu& CMenu::AppendPopup(const char* text) {
  MenuEntry entry;
  entry.text = text;
  entry.popup = std::make_unique<CMenu>();
  m_entries.push_back(std::move(entry));
  return *m_entries.back().popup;
}

const MenuEntry* CMenu::GetEntry(int position) const {
  return position >= 0 && position < GetMenuItemCount() ? &m_entries[static_cast<size_t>(position)] : nullptr;
}

UINT CMenu::GetMenuItemID(int position) const {
  const MenuEntry* entry = GetEntry(position);
  if (entry == nullptr || entry->popup != nullptr) return kNoItem;
  return entry->id;
}

CMenu* CMenu::GetSubMenu(int position) const {
  const MenuEntry* entry = GetEntry(position);
  return entry != nullptr ? entry->popup.get() : nullptr;
}

const MenuEntry* CMenu::FindCommand(UINT id) const {
  for (const MenuEntry& entry : m_entries) {
    if (IsCommand(entry) && entry.id == id) return &entry;
    if (entry.popup == nullptr) continue;
    if (const MenuEntry* found = entry.popup->FindCommand(id)) return found;
  }
  return nullptr;
}

MenuEntry* CMenu::FindCommand(UINT id) {
  return const_cast<MenuEntry*>(static_cast<const CMenu*>(this)->FindCommand(id));
}

int CMenu::FindPopupHolding(UINT id) const {
  for (int position = 0; position < GetMenuItemCount(); ++position) {
    const CMenu* popup = GetSubMenu(position);
    if (popup != nullptr && popup->FindCommand(id) != nullptr) return position;
  }
  return -1;
}

const MenuEntry* CMenu::Find(UINT item, UINT flags) const {
  if ((flags & MF_BYPOSITION) != 0) return GetEntry(static_cast<int>(item));
  return FindCommand(item);
}

MenuEntry* CMenu::Find(UINT item, UINT flags) {
  return const_cast<MenuEntry*>(static_cast<const CMenu*>(this)->Find(item, flags));
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags) {
  MenuEntry* entry = Find(item, flags);
  if (entry == nullptr) return kNoItem;
  const UINT previous = entry->enabled ? MF_ENABLED : MF_GRAYED;
  entry->enabled = (flags & (MF_GRAYED | MF_DISABLED)) == 0;
  return previous;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
  const MenuEntry* entry = Find(item, flags);
  if (entry == nullptr) return kNoItem;
  UINT state = 0;
  if (!entry->enabled) state |= MF_GRAYED;
  if (entry->checked) state |= MF_CHECKED;
  if (entry->separator) state |= MF_SEPARATOR;
  if (entry->popup != nullptr) state |= MF_POPUP;
  return state;
}

bool CMenu::UpdateCommandUI(CCmdTarget& target, bool disableIfNoHandler) {
  bool changed = false;
  for (MenuEntry& entry : m_entries) {
    if (entry.popup != nullptr) {
      changed = entry.popup->UpdateCommandUI(target, disableIfNoHandler) || changed;
      continue;
    }
    if (entry.separator) continue;
    CCmdUI state(entry.id);
    state.DoUpdate(&target, disableIfNoHandler);
    const bool enabled = state.WasEnableSet() ? state.IsEnabled() : entry.enabled;
    const bool checked = state.WasHandled() ? state.GetCheck() != 0 : entry.checked;
    const CString text = state.GetText().IsEmpty() ? entry.text : state.GetText();
    changed = changed || entry.enabled != enabled || entry.checked != checked || entry.text != text;
    entry.enabled = enabled;
    entry.checked = checked;
    entry.text = text;
  }
  return changed;
}
