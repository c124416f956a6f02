#include "platform/accelerator_table.h"

#include <cctype>

namespace {
UINT NormalisedKey(UINT key) {
  return key < 0x80 ? static_cast<UINT>(std::toupper(static_cast<int>(key))) : key;
}

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
      return "+";
    case VK_SUBTRACT:
      return "-";
    default:
      break;
  }
  if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
  if (key > 0x20 && key < 0x7F) return CString(std::string(1, static_cast<char>(key)));
  return "Key" + std::to_string(key);
}
}  // namespace

CAcceleratorTable::CAcceleratorTable(std::initializer_list<Accelerator> accelerators) {
  for (const Accelerator& accelerator : accelerators)
    Add(accelerator.key, accelerator.modifiers, accelerator.command);
}

BOOL CAcceleratorTable::Add(UINT key, UINT modifiers, UINT command) {
  if (key == 0 || command == 0) return FALSE;
  const Accelerator added{NormalisedKey(key), modifiers & kAcceleratorModifiers, command};
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
  const UINT wanted = NormalisedKey(key);
  for (const Accelerator& entry : m_entries) {
    if (entry.key == wanted && entry.modifiers == (modifiers & kAcceleratorModifiers)) return entry.command;
  }
  return 0;
}

CString CAcceleratorTable::KeyText(UINT key, UINT modifiers) {
  CString text;
  if ((modifiers & FCONTROL) != 0) text += "Ctrl+";
  if ((modifiers & FALT) != 0) text += "Alt+";
  if ((modifiers & FSHIFT) != 0) text += "Shift+";
  return text + NameOfKey(NormalisedKey(key));
}

CString CAcceleratorTable::TextFor(UINT command) const {
  for (const Accelerator& entry : m_entries) {
    if (entry.command == command) return KeyText(entry.key, entry.modifiers);
  }
  return CString();
}
