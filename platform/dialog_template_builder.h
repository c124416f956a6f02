// Small helpers that keep dialog templates readable: one call per control, with its
// kind, identifier, text and rectangle, in the order the template lists them (which is
// also the tab order). Every module that brings dialogs of its own builds them so.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/constants.h"
#include "platform/resource_registry.h"

namespace dialog_templates {

// Position and size in dialog units.
struct DlgRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

inline constexpr const char* kDialogFont = "MS Sans Serif";
inline constexpr int kDialogFontSize = 8;

inline constexpr DWORD kModalDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
// A property page starts disabled and hidden; the sheet shows and enables the
// page that is active.
inline constexpr DWORD kPropertyPageStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;

// Styles that recur across the templates.
inline constexpr DWORD kSingleLineEdit = ES_AUTOHSCROLL | WS_BORDER;
inline constexpr DWORD kReadOnlyEdit = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;
inline constexpr DWORD kSortedDropDownList = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL;
inline constexpr DWORD kSortedDropDown = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL;
inline constexpr DWORD kSortedSimpleCombo = CBS_SIMPLE | CBS_SORT | WS_VSCROLL;
inline constexpr DWORD kTabbedList =
    LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;

// Text that is never addressed, left aligned.
ControlTemplate Label(const std::string& text, DlgRect rect);
// A label the dialog addresses (to enable or disable it with its section).
ControlTemplate Label(int id, const std::string& text, DlgRect rect);
ControlTemplate GroupBox(const std::string& text, DlgRect rect);
// `extraStyle` adds to the button's own style, e.g. WS_DISABLED.
ControlTemplate PushButton(int id, const std::string& text, DlgRect rect, DWORD extraStyle = 0);
ControlTemplate DefPushButton(int id, const std::string& text, DlgRect rect);
ControlTemplate CheckBox(int id, const std::string& text, DlgRect rect);
// Edits, combo boxes and list boxes are tab stops unless created disabled.
ControlTemplate Edit(int id, DWORD style, DlgRect rect);
ControlTemplate ComboBox(int id, DWORD style, DlgRect rect);
ControlTemplate ListBox(int id, DWORD style, DlgRect rect);

DialogTemplate ModalDialog(UINT id, const std::string& caption, DlgRect rect,
                           std::initializer_list<ControlTemplate> controls);
DialogTemplate PropertyPage(UINT id, const std::string& caption, int cx, int cy,
                            std::initializer_list<ControlTemplate> controls);

}  // namespace dialog_templates
