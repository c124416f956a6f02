// Saves what a window shows on screen as a PNG file, and reads what the screen shows
// in an area.
#pragma once

#include <string>

class wxImage;
class wxRect;
class wxWindow;

// False, with a reason, when the screen cannot be read or the file not written.
bool SaveScreenshot(wxWindow* window, const std::string& path, std::string& error);
// What the screen shows in `area` (screen coordinates) now. On X11 the pixels come from
// the server, as the toolkit's own screen reads go stale on GTK 3; elsewhere from the
// toolkit. False, with a reason, when the screen cannot be read.
bool CaptureScreen(const wxRect& area, wxImage& image, std::string& error);
