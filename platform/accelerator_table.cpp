#include "platform/accelerator_table.h"

namespace {
CString NameOfKey(UINT key) {
  switch (key) {
    case VK_BACK:
      return "Backspace";
    case VK_TAB:
      return "Tab";
    case VK_RETURN:
      return "Enter";
    case VK_ESCAPE:
      return "Esc";
    case VK_SPACE:
      return "Space";
    case VK_PRIOR:
      return "PgUp";
    case VK_NEXT:
      return "PgDn";
    case VK_END:
      return "End";
    case VK_HOME:
      return "Home";
    case VK_LEFT:
      return "Left";
    case VK_UP:
      return "Up";
    case VK_RIGHT:
      return "Right";
    case VK_DOWN:
      return "Down";
    case VK_INSERT:
      return "Ins";
    case VK_DELETE:
      return "Del";
    case VK_ADD:
      return "KP_Add";
    case VK_SUBTRACT:
      return "KP_Subtract";
    case VK_OEM_PLUS:
      return "=";
    case VK_OEM_MINUS:
      return "-";
    default:
      break;
  }
  if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return CString(std::string(1, static_cast<char>(key)));
  return "Key" + std::to_string(key);
}
}  // namespace

CAcceleratorTable::CAcceleratorTable(std::initializer_list<Accelerator> accelerators) {
  for (const Accelerator& accelerator : accelerators)
    Add(accelerator.key, accelerator.modifiers, accelerator.command);
}

BOOL CAcceleratorTable::Add(UINT key, UINT modifiers, UINT command) {
  if (key == 0 || command == 0) return FALSE;
  const Accelerator added{key, modifiers & kAcceleratorModifiers, command};
  for (Accelerator& entry : m_entries) {
    if (entry.key == added.key && entry.modifiers == added.modifiers) {
      entry.command = command;
      return TRUE;
    }
  }
  m_entries.push_back(added);
  return TRUE;
}

UINT CAcceleratorTable::Find(UINT key, UINT modifiers) const {
  for (const Accelerator& entry : m_entries) {
    if (entry.key == key && entry.modifiers == (modifiers & kAcceleratorModifiers)) return entry.command;
  }
  return 0;
}

CString CAcceleratorTable::KeyText(UINT key, UINT modifiers) {
  CString text;
  if ((modifiers & FCONTROL) != 0) text += "Ctrl+";
  if ((modifiers & FALT) != 0) text += "Alt+";
  if ((modifiers & FSHIFT) != 0) text += "Shift+";
  return text + NameOfKey(key);
}

CString CAcceleratorTable::TextFor(UINT command) const {
  for (const Accelerator& entry : m_entries) {
    if (entry.command == command) return KeyText(entry.key, entry.modifiers);
  }
  return CString();
}
