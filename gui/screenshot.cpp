#include "gui/screenshot.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/window.h>

#include <algorithm>
#include <memory>

// Last: the X11 headers define macros that wx headers would trip over.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroyer {
  void operator()(XImage* image) const { XDestroyImage(image); }
};

// A colour channel of a pixel by its mask, scaled to 8 bits.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long top = mask >> shift;
  return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / top);
}

// The server refuses areas that leave the screen, so the area is cut to the screen;
// what lies outside stays black.
bool CaptureFromX11(const wxRect& area, wxImage& image) {
  const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (display == nullptr) return false;
  const Window root = DefaultRootWindow(display.get());
  XWindowAttributes screen;
  if (XGetWindowAttributes(display.get(), root, &screen) == 0) return false;
  const wxRect shown = area.Intersect(wxRect(0, 0, screen.width, screen.height));
  image.Create(area.width, area.height);
  if (shown.IsEmpty()) return true;
  const std::unique_ptr<XImage, ImageDestroyer> shot(
      XGetImage(display.get(), root, shown.x, shown.y, static_cast<unsigned>(shown.width),
                static_cast<unsigned>(shown.height), AllPlanes, ZPixmap));
  if (shot == nullptr) return false;
  const int left = shown.x - area.x;
  const int top = shown.y - area.y;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      const unsigned long pixel = XGetPixel(shot.get(), x, y);
      image.SetRGB(left + x, top + y, Channel(pixel, shot->red_mask), Channel(pixel, shot->green_mask),
                   Channel(pixel, shot->blue_mask));
    }
  }
  return true;
}

void CaptureFromToolkit(const wxRect& area, wxImage& image) {
  wxBitmap bitmap(area.width, area.height);
  {
    wxScreenDC screen;
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
  }
  image = bitmap.ConvertToImage();
}

}  // namespace

bool CaptureScreen(const wxRect& area, wxImage& image, std::string& error) {
  if (area.width <= 0 || area.height <= 0) {
    error = "nothing on screen to read";
    return false;
  }
  if (!CaptureFromX11(area, image)) CaptureFromToolkit(area, image);
  if (!image.IsOk()) {
    error = "the screen cannot be read";
    return false;
  }
  return true;
}

bool SaveScreenshot(wxWindow* window, const std::string& path, std::string& error) {
  if (window == nullptr) {
    error = "no window to take a screenshot of";
    return false;
  }
  window->Update();
  wxImage image;
  if (!CaptureScreen(window->GetScreenRect(), image, error)) return false;
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  if (!image.SaveFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
