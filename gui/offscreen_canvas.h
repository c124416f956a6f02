// OffscreenCanvas: a picture in the program's own memory, the size of a box of a window,
// that a view draws on through a graphics context and that then goes onto the window at
// once. Drawn straight onto a window of the X server, each filled or stroked path is cut
// into trapezoids and sent as a request of its own; in memory the same drawing costs half
// as much and the window never shows it half drawn.
#pragma once

#include <wx/graphics.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/types.h"

struct _cairo;
struct _cairo_surface;

// A small picture of premultiplied ARGB pixels, row after row, to stamp on a canvas.
struct StampPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The pixels of a picture made by the cairo renderer, exactly as cairo would lay them on.
StampPicture StampPictureOf(const wxGraphicsBitmap& bitmap);
// A picture of `width` by `height` pixels, clear, on which `draw` paints through a
// context of the same renderer as a canvas's, so that a shape drawn on it at a whole
// pixel offset has the very pixels it has on the canvas.
StampPicture StampPictureDrawn(int width, int height, const std::function<void(wxGraphicsContext&)>& draw);

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
  // Lays `picture` over the canvas, its top left at `at` in the window's coordinates,
  // inside `clip` only, pixel for pixel as the context would lay it on. A land of a ball
  // grid drawn as a path, a pattern and a fill costs more than its few dozen pixels.
  void Stamp(const StampPicture& picture, CPoint at, const CRect& clip);
  // Ends the drawing and puts the picture on the window's context at the box.
  void PutOn(wxGraphicsContext& window);

 private:
  CRect m_box;
  _cairo_surface* m_surface = nullptr;
  _cairo* m_cairo = nullptr;
  std::unique_ptr<wxGraphicsContext> m_context;
};
