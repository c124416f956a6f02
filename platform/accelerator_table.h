// CAcceleratorTable: keyboard shortcuts of a frame, each a key with modifiers that
// gives a command id. The frame turns a pressed shortcut into WM_COMMAND, as a menu
// choice does (UserInput::PressAccelerator).
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// Modifier flags and virtual-key codes, numbered as the framework's users expect.
// Letters and digits are their upper-case ASCII codes; 0x60 to 0x7F are keypad and
// function keys, so a lower-case letter is no letter here.
inline constexpr UINT FSHIFT = 0x04;
inline constexpr UINT FCONTROL = 0x08;
inline constexpr UINT FALT = 0x10;
inline constexpr UINT kAcceleratorModifiers = FSHIFT | FCONTROL | FALT;

inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;
inline constexpr UINT VK_NEXT = 0x22;
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_ADD = 0x6B;
inline constexpr UINT VK_SUBTRACT = 0x6D;
inline constexpr UINT VK_F1 = 0x70;
inline constexpr UINT VK_F5 = 0x74;
inline constexpr UINT VK_F8 = 0x77;
inline constexpr UINT VK_F12 = 0x7B;
// The main keyboard's "=" (with "+" above it) and "-" keys.
inline constexpr UINT VK_OEM_PLUS = 0xBB;
inline constexpr UINT VK_OEM_MINUS = 0xBD;

struct Accelerator {
  UINT key = 0;
  UINT modifiers = 0;  // FSHIFT, FCONTROL, FALT
  UINT command = 0;
};

class CAcceleratorTable {
 public:
  CAcceleratorTable() = default;
  CAcceleratorTable(std::initializer_list<Accelerator> accelerators);

  // A later entry for the same key and modifiers replaces the earlier one. FALSE for
  // a key or command of 0.
  BOOL Add(UINT key, UINT modifiers, UINT command);
  // The command of the key with exactly these modifiers; 0 when none.
  UINT Find(UINT key, UINT modifiers) const;
  bool IsEmpty() const { return m_entries.empty(); }
  const std::vector<Accelerator>& GetEntries() const { return m_entries; }

  // How a menu shows a shortcut, in the toolkit's words: "Ctrl+Shift+S", "Del", "F5",
  // "Ctrl+=", "KP_Add" for the keypad's +.
  static CString KeyText(UINT key, UINT modifiers);
  // The text of the first shortcut of the command, empty when it has none.
  CString TextFor(UINT command) const;

 private:
  std::vector<Accelerator> m_entries;
};
