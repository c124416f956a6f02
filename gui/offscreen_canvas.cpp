#include "gui/offscreen_canvas.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

namespace {

// a * b / 255, rounded as the compositor rounds it.
std::uint32_t MultiplyChannel(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t t = a * b + 0x80;
  return ((t >> 8) + t) >> 8;
}

// A premultiplied pixel over another: the source plus what its coverage leaves of the
// destination, channel by channel.
std::uint32_t Over(std::uint32_t source, std::uint32_t destination) {
  const std::uint32_t left = 255 - (source >> 24);
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t channel =
        ((source >> shift) & 0xFF) + MultiplyChannel((destination >> shift) & 0xFF, left);
    result |= std::min<std::uint32_t>(channel, 0xFF) << shift;
  }
  return result;
}

CRect Intersection(const CRect& a, const CRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace

StampPicture StampPictureOf(const wxGraphicsBitmap& bitmap) {
  StampPicture picture;
  auto* surface = static_cast<cairo_surface_t*>(bitmap.GetNativeBitmap());
  if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
    return picture;
  cairo_surface_flush(surface);
  picture.width = cairo_image_surface_get_width(surface);
  picture.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(&picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width)],
                data + static_cast<ptrdiff_t>(y) * stride, static_cast<size_t>(picture.width) * 4);
  }
  return picture;
}

StampPicture StampPictureDrawn(int width, int height, const std::function<void(wxGraphicsContext&)>& draw) {
  StampPicture picture;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return picture;
  }
  cairo_t* cairo = cairo_create(surface);
  {
    std::unique_ptr<wxGraphicsContext> context(
        wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cairo));
    if (context != nullptr) draw(*context);
  }
  cairo_destroy(cairo);
  cairo_surface_flush(surface);
  picture.width = width;
  picture.height = height;
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    std::memcpy(&picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(width)],
                data + static_cast<ptrdiff_t>(y) * stride, static_cast<size_t>(width) * 4);
  }
  cairo_surface_destroy(surface);
  return picture;
}

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

void OffscreenCanvas::Stamp(const StampPicture& picture, CPoint at, const CRect& clip) {
  if (m_context == nullptr || picture.pixels.empty()) return;
  const CRect shown =
      Intersection(Intersection(CRect(at, CSize(picture.width, picture.height)), clip), m_box);
  if (shown.IsRectEmpty()) return;
  cairo_surface_flush(m_surface);
  unsigned char* data = cairo_image_surface_get_data(m_surface);
  const int stride = cairo_image_surface_get_stride(m_surface);
  for (int y = shown.top; y < shown.bottom; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<ptrdiff_t>(y - m_box.top) * stride);
    const std::uint32_t* from =
        &picture.pixels[static_cast<size_t>(y - at.y) * static_cast<size_t>(picture.width)];
    for (int x = shown.left; x < shown.right; ++x) {
      std::uint32_t& pixel = row[x - m_box.left];
      pixel = Over(from[x - at.x], pixel);
    }
  }
  cairo_surface_mark_dirty_rectangle(m_surface, shown.left - m_box.left, shown.top - m_box.top, shown.Width(),
                                     shown.Height());
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
