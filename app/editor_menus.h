// The main window's furniture: the menu bar, the tool bar buttons and the shortcuts
// that work wherever the focus is. A menu item shows its shortcut after a tab, taken
// from the same tables the frames use, so the two never disagree.
#pragma once

#include <memory>
#include <vector>

#include "platform/accelerator_table.h"
#include "platform/menu.h"

class CToolBar;

// File shortcuts, on the main window.
CAcceleratorTable MainWindowShortcuts();
// The menu bar; `recentLibraries` (most recent first) are listed at the end of File.
std::unique_ptr<CMenu> BuildMainMenu(const std::vector<CString>& recentLibraries);
// False when a button could not be added.
bool AddToolBarButtons(CToolBar& toolBar);
