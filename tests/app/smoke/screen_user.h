// A user at the (virtual) X screen, acting through xdotool with the real keyboard and
// mouse of the X server, and looking through ImageMagick's import (the programs the
// build found, CE_XDOTOOL_PROGRAM and CE_IMPORT_PROGRAM). Windows are X window ids;
// points are in a window's own pixels, as its screenshots show them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/app/smoke/screen_image.h"

class ScreenUser {
 public:
  // `scratch` is a folder for the pictures read back.
  explicit ScreenUser(std::string scratch) : m_scratch(std::move(scratch)) {}

  // The id of a shown window of the process whose title matches `titlePattern` (a
  // regular expression), waiting up to `seconds` for it.
  std::optional<std::string> WaitForWindow(int pid, const std::string& titlePattern, int seconds) const;

  // Keyboard input goes to the window's X focus.
  bool Focus(const std::string& window) const;
  bool Type(const std::string& text) const;
  // Key names as X knows them: "Return", "Down", "ctrl+s".
  bool PressKeys(const std::vector<std::string>& keys) const;
  // Moves the mouse to the point of the window and clicks the left button there.
  bool ClickAt(const std::string& window, PixelPoint point) const;
  // Two clicks there, as quickly as a user's double click.
  bool DoubleClickAt(const std::string& window, PixelPoint point) const;
  // True once the window is no longer shown, waiting up to `seconds`.
  bool WaitForWindowGone(const std::string& window, int seconds) const;

  // What the window shows now; false, with the reason, when it cannot be read.
  bool Look(const std::string& window, ScreenImage& image, std::string& error) const;
  bool SaveScreenshot(const std::string& window, const std::string& pngPath, std::string& error) const;

 private:
  bool MoveTo(const std::string& window, PixelPoint point) const;

  std::string m_scratch;
};
