// Resources as data: string tables and dialog templates, contributed by modules.
// A module adds its resources at load and removes them at unload, so its texts and
// templates join the application's for as long as it is loaded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/types.h"

// Window classes of template controls.
inline constexpr const char* kClassStatic = "STATIC";
inline constexpr const char* kClassButton = "BUTTON";
inline constexpr const char* kClassEdit = "EDIT";
inline constexpr const char* kClassComboBox = "COMBOBOX";
inline constexpr const char* kClassListBox = "LISTBOX";

struct ControlTemplate {
  int id = -1;  // -1 (IDC_STATIC) for controls that are never addressed
  std::string className;
  DWORD style = 0;
  std::string text;
  int x = 0;  // position and size in dialog units
  int y = 0;
  int cx = 0;
  int cy = 0;
  DWORD exStyle = 0;
};

struct DialogTemplate {
  UINT id = 0;
  std::string caption;
  int x = 0;  // dialog units
  int y = 0;
  int cx = 0;
  int cy = 0;
  DWORD style = 0;
  std::string fontName;
  int fontSize = 0;
  std::vector<ControlTemplate> controls;

  const ControlTemplate* FindControl(int controlId) const;
};

struct ResourceModule {
  std::string name;
  std::map<UINT, std::string> strings;
  std::map<UINT, DialogTemplate> dialogs;
};

class Resources {
 public:
  // Later modules are searched first, as extension modules are.
  static void AddModule(const ResourceModule* module);
  static void RemoveModule(const ResourceModule* module);
  static bool HasModule(const ResourceModule* module);
  static const std::string* FindString(UINT id);
  static const DialogTemplate* FindDialog(UINT id);
};
