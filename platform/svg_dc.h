// A device context that records the drawing as a standalone SVG picture: the headless
// way to render a view, for the command line and for golden pictures in tests.
#pragma once

#include <string>
#include <vector>

#include "platform/device_context.h"

class CSvgDC : public CDC {
 public:
  // A picture of size pixels.
  explicit CSvgDC(CSize size);

  std::string ToSvg() const;
  // Replaces the file atomically; false with the reason in error.
  bool WriteFile(const CString& path, CString& error) const;

 protected:
  void DrawLine(CPoint from, CPoint to) override;
  void DrawRectangle(const CRect& rect) override;
  void DrawEllipse(const CRect& bounds) override;
  void DrawPolygon(std::span<const CPoint> points, bool closed) override;
  void DrawArc(const CRect& bounds, CPoint start, CPoint end) override;
  void DrawFilledRect(const CRect& rect, COLORREF colour) override;
  void DrawText(CPoint point, const std::string& text) override;

 private:
  struct Element {
    size_t clip;  // 1-based index into m_clips; 0 when not clipped
    std::string markup;
  };

  void Add(std::string markup);
  std::string StrokeAttributes() const;
  std::string FillAttributes() const;

  CSize m_size;
  std::vector<Element> m_elements;
  std::vector<CRect> m_clips;
};
