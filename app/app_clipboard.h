// The clipboard the application copies pin grid cells to and pastes them from. The
// desktop program installs the screen's clipboard; without one (tests, no screen) a
// clipboard of the program's own holds the text.
#pragma once

#include <memory>

#include "platform/cstring.h"

class AppClipboard {
 public:
  virtual ~AppClipboard() = default;
  // Empty when the clipboard holds no text.
  virtual CString GetText() = 0;
  virtual void SetText(const CString& text) = 0;
};

AppClipboard& CurrentClipboard();
// Null goes back to the program's own clipboard.
void SetCurrentClipboard(std::unique_ptr<AppClipboard> clipboard);
