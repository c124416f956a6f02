#include "host/libtools/libtools_resources.h"

#include <string>

#include "platform/constants.h"

namespace {

ControlTemplate Control(int id, const char* className, DWORD style, const std::string& text, int x, int y,
                        int cx, int cy) {
  ControlTemplate control;
  control.id = id;
  control.className = className;
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.text = text;
  control.x = x;
  control.y = y;
  control.cx = cx;
  control.cy = cy;
  return control;
}

DialogTemplate FindLibraryItemTemplate() {
  DialogTemplate dialog;
  dialog.id = IDD_FIND_LIBRARY_ITEM;
  dialog.caption = "Find Symbol";
  dialog.cx = 244;
  dialog.cy = 172;
  dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
  dialog.fontName = "MS Sans Serif";
  dialog.fontSize = 8;
  const DWORD list =
      LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
  dialog.controls = {
      Control(IDC_STATIC, kClassStatic, SS_LEFT, "&Name:", 7, 9, 30, 8),
      Control(IDC_FIND_PATTERN, kClassEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 40, 7, 140, 14),
      Control(IDC_FIND_SEARCH, kClassButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "&Search", 187, 7, 50, 14),
      Control(IDC_STATIC, kClassStatic, SS_LEFT, "&Found:", 7, 27, 60, 8),
      Control(IDC_FIND_RESULTS, kClassListBox, list, "", 7, 38, 173, 112),
      Control(IDC_FIND_USE, kClassButton, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, "&Use", 187, 38, 50, 14),
      Control(IDCANCEL, kClassButton, BS_PUSHBUTTON | WS_TABSTOP, "Close", 187, 136, 50, 14),
      Control(IDC_FIND_STATUS, kClassStatic, SS_LEFT, "", 7, 156, 230, 8),
  };
  return dialog;
}

ResourceModule BuildLibraryToolsResources() {
  ResourceModule module;
  module.name = "LibraryTools";
  module.dialogs[IDD_FIND_LIBRARY_ITEM] = FindLibraryItemTemplate();
  return module;
}

}  // namespace

const ResourceModule& LibraryToolsResources() {
  static const ResourceModule module = BuildLibraryToolsResources();
  return module;
}
