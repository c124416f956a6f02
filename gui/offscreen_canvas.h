// OffscreenCanvas: a picture in the program's own memory, the size of a box of a window,
// that a view draws on through a graphics context and that then goes onto the window at
// once. Drawn straight onto a window of the X server, each filled or stroked path is cut
// into trapezoids and sent as a request of its own; in memory the same drawing costs half
// as much and the window never shows it half drawn.
#pragma once

#include <wx/graphics.h>

#include <memory>

#include "platform/types.h"

struct _cairo;
struct _cairo_surface;

class OffscreenCanvas {
 public:
  // `box` in the window's coordinates; the context draws in them too. The picture starts
  // black: the caller paints all of it.
  explicit OffscreenCanvas(const CRect& box);
  ~OffscreenCanvas();
  OffscreenCanvas(const OffscreenCanvas&) = delete;
  OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

  // Null when the picture could not be made (an empty or a huge box).
  wxGraphicsContext* Context() const { return m_context.get(); }
  // Ends the drawing and puts the picture on the window's context at the box.
  void PutOn(wxGraphicsContext& window);

 private:
  CRect m_box;
  _cairo_surface* m_surface = nullptr;
  _cairo* m_cairo = nullptr;
  std::unique_ptr<wxGraphicsContext> m_context;
};
