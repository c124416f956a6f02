// CContextMenu: a popup menu built item by item and shown at a point through the
// backend, which answers with the item the user chose.
#pragma once

#include <vector>

#include "platform/backend.h"
#include "platform/types.h"

class CWnd;

// Item flags and popup flags, numbered as the framework's users expect.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

class CContextMenu {
 public:
  // Starts an empty menu.
  BOOL CreatePopupMenu();
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
  // An item whose text is entry `stringId` of the string table; FALSE, adding nothing,
  // when the table has no such entry.
  BOOL AppendMenu(UINT flags, UINT_PTR id, UINT stringId);
  BOOL DeleteMenu(UINT item, UINT flags);
  // Returns the item's previous state (MF_ENABLED or MF_GRAYED), or 0xFFFFFFFF when
  // there is no such item.
  UINT EnableMenuItem(UINT item, UINT flags);
  int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
  // The command of the item at `position`: 0 for a separator, 0xFFFFFFFF past the end.
  UINT GetMenuItemID(int position) const;

  // Shows the menu at a screen point for `owner` and returns the chosen command, 0 when
  // the user chose nothing. Unless TPM_RETURNCMD is given, the choice is also sent to the
  // owner as WM_COMMAND.
  UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT excluded = nullptr);

 private:
  // The item that `item` names by command or by position; null when none does.
  MenuItem* Find(UINT item, UINT flags);

  std::vector<MenuItem> m_items;
};
