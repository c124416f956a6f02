#include "gui/uncovered_region.h"

wxRegion UncoveredUpdateRegion(const wxWindow& window) {
  wxRegion region = window.GetUpdateRegion();
  if (region.IsEmpty()) region = wxRegion(wxRect(window.GetClientSize()));
  for (const wxWindow* child : window.GetChildren()) {
    if (child->IsShown() && !child->IsTopLevel()) region.Subtract(child->GetRect());
  }
  return region;
}
