#include "host/designops/designops_resources.h"

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

ControlTemplate Button(int id, const char* text, int x, int y, DWORD style = BS_PUSHBUTTON) {
  return Control(id, kClassButton, style | WS_TABSTOP, text, x, y, 50, 14);
}

DialogTemplate ValuesTemplate() {
  DialogTemplate dialog;
  dialog.id = IDD_VALUES;
  dialog.caption = "Values";
  dialog.cx = 244;
  dialog.cy = 180;
  dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
  dialog.fontName = "MS Sans Serif";
  dialog.fontSize = 8;
  const DWORD list =
      LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
  const DWORD edit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
  dialog.controls = {
      Control(IDC_VALUES_LIST, kClassListBox, list, "", 7, 7, 173, 110),
      Control(IDC_STATIC, kClassStatic, SS_LEFT, "&Name:", 7, 126, 30, 8),
      Control(IDC_VALUES_NAME, kClassEdit, edit, "", 40, 124, 140, 14),
      Control(IDC_STATIC, kClassStatic, SS_LEFT, "&Value:", 7, 144, 30, 8),
      Control(IDC_VALUES_VALUE, kClassEdit, edit, "", 40, 142, 140, 14),
      Button(IDC_VALUES_ADD, "&Add", 187, 124),
      Button(IDC_VALUES_CHANGE, "&Change", 187, 142, BS_PUSHBUTTON | WS_DISABLED),
      Button(IDC_VALUES_DELETE, "&Delete", 187, 160, BS_PUSHBUTTON | WS_DISABLED),
      Button(IDOK, "OK", 187, 7, BS_DEFPUSHBUTTON),
      Button(IDCANCEL, "Cancel", 187, 24),
  };
  return dialog;
}

ResourceModule BuildDesignOpsResources() {
  ResourceModule module;
  module.name = "DesignOps";
  module.dialogs[IDD_VALUES] = ValuesTemplate();
  return module;
}

}  // namespace

const ResourceModule& DesignOpsResources() {
  static const ResourceModule module = BuildDesignOpsResources();
  return module;
}
