#include "app/editor_menus.h"

#include <filesystem>

#include "app/app_component_frame.h"
#include "app/command_ids.h"
#include "platform/tool_bar.h"

namespace {

constexpr int kPackageListWidth = 140;

// "&Save" with the shortcut of its command from either table.
CString Label(const char* text, UINT command) {
  CString shortcut = MainWindowShortcuts().TextFor(command);
  if (shortcut.IsEmpty()) shortcut = CAppComponentFrame::EditingShortcuts().TextFor(command);
  return shortcut.IsEmpty() ? CString(text) : CString(text) + "\t" + shortcut;
}

void AddItem(CMenu& menu, const char* text, UINT command) {
  menu.AppendMenu(MF_STRING, command, Label(text, command));
}

void AddRecentLibraries(CMenu& file, const std::vector<CString>& recentLibraries) {
  if (recentLibraries.empty()) return;
  file.AppendMenu(MF_SEPARATOR);
  UINT command = ID_APP_RECENT_FIRST;
  for (const CString& path : recentLibraries) {
    if (command > ID_APP_RECENT_LAST) break;
    CString text;
    text.Format("&%u %s", command - ID_APP_RECENT_FIRST + 1,
                std::filesystem::path(path.str()).filename().string().c_str());
    file.AppendMenu(MF_STRING, command++, text);
  }
}

void AddFileMenu(CMenu& bar, const std::vector<CString>& recentLibraries) {
  CMenu& file = bar.AppendPopup("&File");
  AddItem(file, "&New Component...", ID_APP_NEW_COMPONENT);
  AddItem(file, "New &Library...", ID_APP_NEW_LIBRARY);
  AddItem(file, "&Import Symbol...", ID_APP_IMPORT_SYMBOL);
  AddItem(file, "Import &Pin Table...", ID_APP_IMPORT_PIN_TABLE);
  AddItem(file, "&Open Library...", ID_APP_OPEN_LIBRARY);
  AddItem(file, "Open &Component...", ID_APP_OPEN_COMPONENT);
  AddItem(file, "&Export to KiCad...", ID_APP_EXPORT_KICAD);
  file.AppendMenu(MF_SEPARATOR);
  AddItem(file, "&Save", ID_APP_SAVE);
  AddItem(file, "Save &As...", ID_APP_SAVE_AS);
  AddItem(file, "&Close", ID_APP_CLOSE);
  AddRecentLibraries(file, recentLibraries);
  file.AppendMenu(MF_SEPARATOR);
  AddItem(file, "&Quit", ID_APP_QUIT);
}

void AddEditMenu(CMenu& bar) {
  CMenu& edit = bar.AppendPopup("&Edit");
  AddItem(edit, "&Undo", ID_APP_UNDO);
  AddItem(edit, "&Redo", ID_APP_REDO);
  edit.AppendMenu(MF_SEPARATOR);
  AddItem(edit, "&Delete", ID_APP_DELETE);
  edit.AppendMenu(MF_SEPARATOR);
  AddItem(edit, "&Properties...", ID_APP_PROPERTIES);
  AddItem(edit, "&Values...", ID_APP_VALUES);
  edit.AppendMenu(MF_SEPARATOR);
  AddItem(edit, "Edit &Schematic Symbol in Library...", ID_APP_EDIT_SCM_SYMBOL);
  AddItem(edit, "Edit P&CB Symbol in Library...", ID_APP_EDIT_PCB_SYMBOL);
  edit.AppendMenu(MF_SEPARATOR);
  AddItem(edit, "&Copy Cells", ID_APP_COPY_CELLS);
  AddItem(edit, "&Paste Cells", ID_APP_PASTE_CELLS);
  AddItem(edit, "&Fill Series...", ID_APP_FILL_SERIES);
}

void AddComponentMenu(CMenu& bar) {
  CMenu& component = bar.AppendPopup("&Component");
  AddItem(component, "&Select Mode", ID_APP_SELECT_MODE);
  AddItem(component, "&Assign Pins", ID_APP_ASSIGN_PINS);
  AddItem(component, "Assign Pins &1-1", ID_APP_ASSIGN_PINS_121);
  component.AppendMenu(MF_SEPARATOR);
  AddItem(component, "Add &Gate...", ID_APP_ADD_GATE);
  AddItem(component, "Add &Package...", ID_APP_ADD_PACKAGE);
  AddItem(component, "Select Pac&kage...", ID_APP_SELECT_PACKAGE);
  AddItem(component, "D&elete Package...", ID_APP_DELETE_PACKAGE);
  component.AppendMenu(MF_SEPARATOR);
  AddItem(component, "Check &Validity", ID_APP_CHECK_VALIDITY);
  AddItem(component, "Pin Grid &Problems...", ID_APP_SHOW_PROBLEMS);
  component.AppendMenu(MF_SEPARATOR);
  AddItem(component, "&Import Pin Map...", ID_APP_IMPORT_PIN_MAP);
  AddItem(component, "E&xport Pin Map...", ID_APP_EXPORT_PIN_MAP);
  AddItem(component, "Assign by &Name...", ID_APP_ASSIGN_BY_NAME);
}

void AddViewMenu(CMenu& bar) {
  CMenu& view = bar.AppendPopup("&View");
  AddItem(view, "Zoom &In at Cursor", ID_APP_ZOOM_IN);
  AddItem(view, "Zoom &Out at Cursor", ID_APP_ZOOM_OUT);
  AddItem(view, "Zoom &Extents", ID_APP_ZOOM_EXTENTS);
  AddItem(view, "&Pan to Cursor", ID_APP_PAN);
  AddItem(view, "&Refresh", ID_APP_REFRESH);
  view.AppendMenu(MF_SEPARATOR);
  AddItem(view, "Display &Colours...", ID_APP_DISPLAY_COLOURS);
  AddItem(view, "Show &Grid", ID_APP_SHOW_GRID);
}

}  // namespace

CAcceleratorTable MainWindowShortcuts() {
  return {
      {'O', FCONTROL, ID_APP_OPEN_LIBRARY},  {'O', FCONTROL | FSHIFT, ID_APP_OPEN_COMPONENT},
      {'S', FCONTROL, ID_APP_SAVE},          {'S', FCONTROL | FSHIFT, ID_APP_SAVE_AS},
      {'W', FCONTROL, ID_APP_CLOSE},         {'Q', FCONTROL, ID_APP_QUIT},
      {'N', FCONTROL, ID_APP_NEW_COMPONENT},
  };
}

std::unique_ptr<CMenu> BuildMainMenu(const std::vector<CString>& recentLibraries) {
  auto bar = std::make_unique<CMenu>();
  AddFileMenu(*bar, recentLibraries);
  AddEditMenu(*bar);
  AddComponentMenu(*bar);
  AddViewMenu(*bar);
  return bar;
}

// The package list comes right after the file and edit icons, so the package shown is
// where the eye starts; the package and gate commands sit beside it.
bool AddToolBarButtons(CToolBar& toolBar) {
  return toolBar.AddButton(ID_APP_OPEN_LIBRARY, "document-open", "Open", "Open a library") &&
         toolBar.AddButton(ID_APP_SAVE, "document-save", "Save", "Save the component into its library") &&
         toolBar.AddSeparator() &&
         toolBar.AddButton(ID_APP_UNDO, "edit-undo", "Undo", "Undo the last change") &&
         toolBar.AddButton(ID_APP_REDO, "edit-redo", "Redo", "Redo the change undone last") &&
         toolBar.AddButton(ID_APP_DELETE, "edit-delete", "Delete", "Delete the selection") &&
         toolBar.AddSeparator() &&
         toolBar.AddComboBox(ID_APP_PACKAGE_LIST, kPackageListWidth, "The package shown; choose another") &&
         toolBar.AddButton(ID_APP_ADD_PACKAGE, "", "Add Package", "Add a package to the component") &&
         toolBar.AddButton(ID_APP_DELETE_PACKAGE, "", "Delete Package",
                           "Delete a package of the component") &&
         toolBar.AddButton(ID_APP_ADD_GATE, "", "Add Gate", "Add gates to the component") &&
         toolBar.AddSeparator() &&
         toolBar.AddButton(ID_APP_SELECT_MODE, "", "Select", "Select items", TBBS_CHECKBOX) &&
         toolBar.AddButton(ID_APP_ASSIGN_PINS, "", "Assign", "Assign pins by clicking a terminal and a pad",
                           TBBS_CHECKBOX) &&
         toolBar.AddButton(ID_APP_ASSIGN_PINS_121, "", "1-1", "Assign all pins one to one") &&
         toolBar.AddSeparator() &&
         toolBar.AddButton(ID_APP_ZOOM_IN, "zoom-in", "Zoom In", "Zoom in at the cursor") &&
         toolBar.AddButton(ID_APP_ZOOM_OUT, "zoom-out", "Zoom Out", "Zoom out at the cursor") &&
         toolBar.AddButton(ID_APP_ZOOM_EXTENTS, "zoom-fit-best", "Fit", "Show the whole drawing") &&
         toolBar.AddSeparator() &&
         toolBar.AddButton(ID_APP_CHECK_VALIDITY, "dialog-information", "Check", "Check the component");
}
