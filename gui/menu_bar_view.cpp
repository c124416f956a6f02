#include "gui/menu_bar_view.h"

#include "gui/wx_peer.h"
#include "platform/menu.h"

namespace {
wxItemKind KindOf(const MenuEntry& entry) {
  return entry.checked ? wxITEM_CHECK : wxITEM_NORMAL;
}
}  // namespace

std::string MenuBarView::Structure(const CMenu& menu) {
  std::string structure;
  for (int position = 0; position < menu.GetMenuItemCount(); ++position) {
    const MenuEntry& entry = *menu.GetEntry(position);
    if (entry.separator) {
      structure += 'S';
    } else if (entry.popup != nullptr) {
      structure += "P(" + entry.text.str() + ":" + Structure(*entry.popup) + ")";
    } else {
      structure += "C" + std::to_string(entry.id) + ";";
    }
  }
  return structure;
}

void MenuBarView::AppendEntry(wxMenu& wxmenu, const MenuEntry& entry) {
  if (entry.separator) {
    wxmenu.AppendSeparator();
    return;
  }
  if (entry.popup != nullptr) {
    wxmenu.AppendSubMenu(BuildPopup(*entry.popup), ToWx(entry.text));
    return;
  }
  wxMenuItem* item = wxmenu.Append(WxCommandId(entry.id), ToWx(entry.text), wxEmptyString, KindOf(entry));
  item->Enable(entry.enabled);
  if (entry.checked) item->Check(true);
}

wxMenu* MenuBarView::BuildPopup(const CMenu& menu) {
  auto* wxmenu = new wxMenu;
  for (int position = 0; position < menu.GetMenuItemCount(); ++position)
    AppendEntry(*wxmenu, *menu.GetEntry(position));
  return wxmenu;
}

void MenuBarView::Refresh(wxMenu& wxmenu, const CMenu& menu) {
  for (int position = 0; position < menu.GetMenuItemCount(); ++position) {
    const MenuEntry& entry = *menu.GetEntry(position);
    wxMenuItem* item = wxmenu.FindItemByPosition(static_cast<size_t>(position));
    if (item == nullptr || entry.separator) continue;
    if (entry.popup != nullptr) {
      if (item->GetSubMenu() != nullptr) Refresh(*item->GetSubMenu(), *entry.popup);
      continue;
    }
    if (item->GetKind() != KindOf(entry)) {
      wxmenu.Destroy(item);
      wxMenuItem* replaced = wxmenu.Insert(static_cast<size_t>(position), WxCommandId(entry.id),
                                           ToWx(entry.text), wxEmptyString, KindOf(entry));
      replaced->Enable(entry.enabled);
      if (entry.checked) replaced->Check(true);
      continue;
    }
    if (item->GetItemLabel() != ToWx(entry.text)) item->SetItemLabel(ToWx(entry.text));
    if (item->IsEnabled() != entry.enabled) item->Enable(entry.enabled);
    if (item->IsCheckable() && item->IsChecked() != entry.checked) item->Check(entry.checked);
  }
}

void MenuBarView::Show(wxFrame& frame, const CMenu* menu) {
  wxMenuBar* bar = frame.GetMenuBar();
  const std::string structure = menu != nullptr ? Structure(*menu) : std::string();
  if (bar == nullptr || structure != m_structure || m_rebuildPending) {
    if (IsMenuOpen() && bar != nullptr) {
      m_rebuildPending = true;
      return;
    }
    m_rebuildPending = false;
    m_structure = structure;
    wxMenuBar* rebuilt = nullptr;
    if (menu != nullptr) {
      rebuilt = new wxMenuBar;
      for (int position = 0; position < menu->GetMenuItemCount(); ++position) {
        const MenuEntry& entry = *menu->GetEntry(position);
        if (entry.popup != nullptr) rebuilt->Append(BuildPopup(*entry.popup), ToWx(entry.text));
      }
    }
    frame.SetMenuBar(rebuilt);
    delete bar;
    return;
  }
  if (menu == nullptr) return;
  size_t shown = 0;
  for (int position = 0; position < menu->GetMenuItemCount(); ++position) {
    const MenuEntry& entry = *menu->GetEntry(position);
    if (entry.popup == nullptr) continue;
    if (wxMenu* popup = bar->GetMenu(shown++)) Refresh(*popup, *entry.popup);
  }
}

int MenuBarView::TopLevelPosition(const wxFrame& frame, wxMenu* menu) {
  const wxMenuBar* bar = frame.GetMenuBar();
  if (bar == nullptr || menu == nullptr) return -1;
  while (menu->GetParent() != nullptr) menu = menu->GetParent();
  for (size_t index = 0; index < bar->GetMenuCount(); ++index) {
    if (bar->GetMenu(index) == menu) return static_cast<int>(index);
  }
  return -1;
}
