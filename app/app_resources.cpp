#include "app/app_resources.h"

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

DialogTemplate PickerTemplate() {
  DialogTemplate dialog;
  dialog.id = IDD_COMPONENT_PICKER;
  dialog.caption = "Open Component";
  dialog.cx = 260;
  dialog.cy = 214;
  dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
  dialog.fontName = "MS Sans Serif";
  dialog.fontSize = 8;
  const DWORD list = LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
  dialog.controls = {
      Control(IDC_STATIC, kClassStatic, SS_LEFT, "&Filter:", 7, 9, 30, 8),
      Control(IDC_PICKER_FILTER, kClassEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 40, 7, 150, 14),
      Control(IDC_PICKER_COUNT, kClassStatic, SS_LEFT, "", 7, 27, 183, 8),
      Control(IDC_PICKER_LIST, kClassListBox, list, "", 7, 38, 183, 142),
      Control(IDC_PICKER_PACKAGES, kClassStatic, SS_LEFT, "", 7, 186, 246, 20),
      Control(IDOK, kClassButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "&Open", 203, 7, 50, 14),
      Control(IDCANCEL, kClassButton, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 203, 24, 50, 14),
  };
  return dialog;
}

ResourceModule BuildAppResources() {
  ResourceModule module;
  module.name = "ComponentEditorApp";
  module.dialogs[IDD_COMPONENT_PICKER] = PickerTemplate();
  return module;
}

}  // namespace

const ResourceModule& AppResources() {
  static const ResourceModule module = BuildAppResources();
  return module;
}
