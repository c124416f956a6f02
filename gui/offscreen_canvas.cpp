#include "gui/offscreen_canvas.h"

#include <cairo.h>

OffscreenCanvas::OffscreenCanvas(const CRect& box) : m_box(box) {
  if (box.IsRectEmpty()) return;
  m_surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, box.Width(), box.Height());
  if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) return;
  m_cairo = cairo_create(m_surface);
  cairo_translate(m_cairo, -box.left, -box.top);
  m_context.reset(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(m_cairo));
}

OffscreenCanvas::~OffscreenCanvas() {
  m_context.reset();
  if (m_cairo != nullptr) cairo_destroy(m_cairo);
  if (m_surface != nullptr) cairo_surface_destroy(m_surface);
}

void OffscreenCanvas::PutOn(wxGraphicsContext& window) {
  if (m_context == nullptr) return;
  m_context.reset();
  cairo_surface_flush(m_surface);
  auto* screen = static_cast<cairo_t*>(window.GetNativeContext());
  if (screen == nullptr) return;
  cairo_save(screen);
  cairo_set_source_surface(screen, m_surface, m_box.left, m_box.top);
  cairo_rectangle(screen, m_box.left, m_box.top, m_box.Width(), m_box.Height());
  cairo_fill(screen);
  cairo_restore(screen);
}
