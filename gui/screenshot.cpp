#include "gui/screenshot.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/window.h>

bool SaveScreenshot(wxWindow* window, const std::string& path, std::string& error) {
  if (window == nullptr) {
    error = "no window to take a screenshot of";
    return false;
  }
  window->Update();
  const wxRect area = window->GetScreenRect();
  wxBitmap bitmap(area.width, area.height);
  {
    wxScreenDC screen;
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
  }
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  if (!bitmap.SaveFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
