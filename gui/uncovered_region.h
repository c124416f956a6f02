// The part of a window's update region that its children leave uncovered. A child
// widget on GTK 3 is drawn on its parent's surface: every repaint of a child (a text
// cursor blinking, a key typed into an editor) first asks each window around it to paint
// the same area, which the child then covers. A window that paints only what no child
// covers does nothing for those.
#pragma once

#include <wx/region.h>
#include <wx/window.h>

// The update region of `window` (its whole client area when it has none) less the
// rectangles of its shown children.
wxRegion UncoveredUpdateRegion(const wxWindow& window);
