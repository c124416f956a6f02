// Saves what a window shows on screen as a PNG file.
#pragma once

#include <string>

class wxWindow;

// False, with a reason, when the screen cannot be read or the file not written.
bool SaveScreenshot(wxWindow* window, const std::string& path, std::string& error);
