// Shows a frame's menu bar (CMenu) as a wxMenuBar. The wx items take the platform's
// command ids; a structure that changed while a menu is open is rebuilt once it has
// closed, since GTK does not like losing an open menu.
#pragma once

#include <wx/frame.h>
#include <wx/menu.h>

#include <string>

class CMenu;
struct MenuEntry;

class MenuBarView {
 public:
  // Brings the frame's wx menu bar in line with `menu` (null: no menu bar).
  void Show(wxFrame& frame, const CMenu* menu);
  // Popups and their submenus open and close one inside the other.
  void OnMenuOpened() { ++m_openMenus; }
  void OnMenuClosed() { m_openMenus = m_openMenus > 0 ? m_openMenus - 1 : 0; }
  bool IsMenuOpen() const { return m_openMenus > 0; }
  bool IsRebuildPending() const { return m_rebuildPending; }
  // The position in the menu bar of the popup that holds `menu` (itself or a submenu of
  // it); -1 when it is none of the bar's.
  static int TopLevelPosition(const wxFrame& frame, wxMenu* menu);

 private:
  static std::string Structure(const CMenu& menu);
  static wxMenu* BuildPopup(const CMenu& menu);
  static void AppendEntry(wxMenu& wxmenu, const MenuEntry& entry);
  // Updates labels, enabling and checks of a popup whose structure is unchanged; an
  // item that gains or loses its check mark is replaced by one of the other kind.
  static void Refresh(wxMenu& wxmenu, const CMenu& menu);

  std::string m_structure;
  int m_openMenus = 0;
  bool m_rebuildPending = false;
};
