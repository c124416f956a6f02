#include "platform/dialog_template_builder.h"

namespace dialog_templates {
namespace {

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;

ControlTemplate Make(int id, const char* className, DWORD style, const std::string& text, DlgRect rect) {
  ControlTemplate control;
  control.id = id;
  control.className = className;
  control.style = kVisibleChild | style;
  control.text = text;
  control.x = rect.x;
  control.y = rect.y;
  control.cx = rect.cx;
  control.cy = rect.cy;
  return control;
}

// A disabled control cannot take the focus, so tabbing would only skip it.
DWORD WithTabStop(DWORD style) {
  return (style & WS_DISABLED) ? style : style | WS_TABSTOP;
}

DialogTemplate MakeDialog(UINT id, const std::string& caption, DlgRect rect, DWORD style,
                          std::initializer_list<ControlTemplate> controls) {
  DialogTemplate dialog;
  dialog.id = id;
  dialog.caption = caption;
  dialog.x = rect.x;
  dialog.y = rect.y;
  dialog.cx = rect.cx;
  dialog.cy = rect.cy;
  dialog.style = style;
  dialog.fontName = kDialogFont;
  dialog.fontSize = kDialogFontSize;
  dialog.controls = controls;
  return dialog;
}

}  // namespace

ControlTemplate Label(const std::string& text, DlgRect rect) {
  return Label(IDC_STATIC, text, rect);
}

ControlTemplate Label(int id, const std::string& text, DlgRect rect) {
  return Make(id, kClassStatic, SS_LEFT, text, rect);
}

ControlTemplate GroupBox(const std::string& text, DlgRect rect) {
  return Make(IDC_STATIC, kClassButton, BS_GROUPBOX, text, rect);
}

ControlTemplate PushButton(int id, const std::string& text, DlgRect rect, DWORD extraStyle) {
  return Make(id, kClassButton, BS_PUSHBUTTON | WS_TABSTOP | extraStyle, text, rect);
}

ControlTemplate DefPushButton(int id, const std::string& text, DlgRect rect) {
  return Make(id, kClassButton, BS_DEFPUSHBUTTON | WS_TABSTOP, text, rect);
}

ControlTemplate CheckBox(int id, const std::string& text, DlgRect rect) {
  return Make(id, kClassButton, BS_AUTOCHECKBOX | WS_TABSTOP, text, rect);
}

ControlTemplate Edit(int id, DWORD style, DlgRect rect) {
  return Make(id, kClassEdit, WithTabStop(style), "", rect);
}

ControlTemplate ComboBox(int id, DWORD style, DlgRect rect) {
  return Make(id, kClassComboBox, WithTabStop(style), "", rect);
}

ControlTemplate ListBox(int id, DWORD style, DlgRect rect) {
  return Make(id, kClassListBox, WithTabStop(style), "", rect);
}

DialogTemplate ModalDialog(UINT id, const std::string& caption, DlgRect rect,
                           std::initializer_list<ControlTemplate> controls) {
  return MakeDialog(id, caption, rect, kModalDialogStyle, controls);
}

DialogTemplate PropertyPage(UINT id, const std::string& caption, int cx, int cy,
                            std::initializer_list<ControlTemplate> controls) {
  return MakeDialog(id, caption, {0, 0, cx, cy}, kPropertyPageStyle, controls);
}

}  // namespace dialog_templates
