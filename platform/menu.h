// CMenu: a frame's menu bar, or one of its popup menus. An item is a command (id and a
// text with an '&' mnemonic and, after a tab, the text of its accelerator, as in
// "&Save\tCtrl+S"), a separator or a popup menu. The enabled and checked state of the
// commands is refreshed through the update-command-UI route when their popup opens
// (CFrameWnd::OnInitMenuPopup); a screen shows what the items hold.
#pragma once

#include <memory>
#include <vector>

#include "platform/context_menu.h"
#include "platform/cstring.h"

class CCmdTarget;
class CMenu;

inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;

struct MenuEntry {
  UINT id = 0;  // 0 for separators and popups
  CString text;
  bool separator = false;
  bool enabled = true;
  bool checked = false;
  std::unique_ptr<CMenu> popup;  // set for a popup item
};

class CMenu {
 public:
  CMenu() = default;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  // A command (MF_STRING with MF_GRAYED or MF_CHECKED as wanted) or a separator
  // (MF_SEPARATOR). FALSE for a command without id or text, and for MF_POPUP: popups
  // are made with AppendPopup.
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
  // Appends an empty popup menu with this text and returns it to be filled.
  CMenu& AppendPopup(const char* text);

  int GetMenuItemCount() const { return static_cast<int>(m_entries.size()); }
  // The command at `position`: 0 for a separator, 0xFFFFFFFF for a popup or past the end.
  UINT GetMenuItemID(int position) const;
  // The popup at `position`, null when that item is none.
  CMenu* GetSubMenu(int position) const;
  const MenuEntry* GetEntry(int position) const;

  // The command with this id, in this menu or any popup below it; null when none.
  const MenuEntry* FindCommand(UINT id) const;
  MenuEntry* FindCommand(UINT id);
  // The popup of this menu (by position) that holds the command at any depth; -1 when
  // none does.
  int FindPopupHolding(UINT id) const;

  // By command (MF_BYCOMMAND, searching popups) or position (MF_BYPOSITION). Returns
  // the previous MF_ENABLED or MF_GRAYED; 0xFFFFFFFF when there is no such item.
  UINT EnableMenuItem(UINT item, UINT flags);
  // MF_GRAYED and MF_CHECKED as they apply, MF_SEPARATOR, MF_POPUP; 0xFFFFFFFF when
  // there is no such item.
  UINT GetMenuState(UINT item, UINT flags) const;

  // Asks the target for the state of every command here and in the popups below it.
  // True when any item changed.
  bool UpdateCommandUI(CCmdTarget& target, bool disableIfNoHandler);

 private:
  const MenuEntry* Find(UINT item, UINT flags) const;
  MenuEntry* Find(UINT item, UINT flags);

  std::vector<MenuEntry> m_entries;
};
