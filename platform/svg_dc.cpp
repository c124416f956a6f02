#include "platform/svg_dc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/temp_file.h"

namespace {

constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";
// Share of the font height above the baseline; the rest lies below it.
constexpr double kAscent = 0.8;

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::string Hex(COLORREF colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return buffer;
}

// Length of the well-formed UTF-8 sequence that text starts with, 0 when there is none
// or it encodes a character XML cannot hold.
size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  }
  if (length == 0 || text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto ch = static_cast<unsigned char>(text[i]);
    if (ch < (i == 1 ? low : 0x80) || ch > (i == 1 ? high : 0xBF)) return 0;
  }
  const std::string_view head = text.substr(0, 3);
  if (head == "\xEF\xBF\xBE" || head == "\xEF\xBF\xBF") return 0;
  return length;
}

void AppendEscaped(std::string& out, char ch) {
  switch (ch) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&apos;";
      return;
    case '\t':
    case '\n':
    case '\r':
      out += ch;
      return;
    default:
      out += static_cast<unsigned char>(ch) < 0x20 ? kReplacementCharacter : std::string(1, ch);
  }
}

// Text and attribute values as XML holds them: markup characters become references, and
// what XML cannot hold (control characters, bytes that are not UTF-8) becomes U+FFFD.
std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      AppendEscaped(out, text[i++]);
      continue;
    }
    const size_t length = Utf8Length(text.substr(i));
    out += length == 0 ? std::string_view(kReplacementCharacter) : text.substr(i, length);
    i += std::max<size_t>(length, 1);
  }
  return out;
}

class Tag {
 public:
  explicit Tag(const char* name) : m_name(name), m_text("<" + m_name) {}
  Tag& Attr(const char* name, std::string_view value) {
    m_text.append(" ").append(name).append("=\"").append(XmlEscape(value)).append("\"");
    return *this;
  }
  Tag& Attr(const char* name, double value) { return Attr(name, Number(value)); }
  // Attributes already escaped, each with its leading space.
  Tag& Raw(const std::string& attributes) {
    m_text += attributes;
    return *this;
  }
  std::string Open() const { return m_text + ">"; }
  std::string Close() const { return m_text + "/>"; }
  std::string Close(std::string_view content) const {
    return m_text + ">" + XmlEscape(content) + "</" + m_name + ">";
  }

 private:
  std::string m_name;
  std::string m_text;
};

Tag RectTag(double left, double top, double width, double height) {
  Tag tag("rect");
  tag.Attr("x", left).Attr("y", top).Attr("width", width).Attr("height", height);
  return tag;
}

Tag EllipseTag(const CRect& bounds) {
  Tag tag("ellipse");
  tag.Attr("cx", (bounds.left + bounds.right) / 2.0).Attr("cy", (bounds.top + bounds.bottom) / 2.0);
  tag.Attr("rx", bounds.Width() / 2.0).Attr("ry", bounds.Height() / 2.0);
  return tag;
}

std::string Points(std::span<const CPoint> points) {
  std::string text;
  for (const CPoint& point : points) {
    if (!text.empty()) text += ' ';
    text += std::to_string(point.x) + "," + std::to_string(point.y);
  }
  return text;
}

std::string Rotation(const CDC::State& state, CPoint about) {
  if (state.font.rotation % 3600 == 0) return {};
  // Counter-clockwise on a screen whose y grows downwards is a negative SVG angle.
  return " transform=\"rotate(" + Number(-state.font.rotation / 10.0) + " " + std::to_string(about.x) + " " +
         std::to_string(about.y) + ")\"";
}

const char* TextAnchor(UINT align) {
  switch (align & TA_HORIZONTAL_MASK) {
    case TA_CENTER:
      return "middle";
    case TA_RIGHT:
      return "end";
    default:
      return "start";
  }
}

// How far the baseline lies below the reference point.
double BaselineOffset(UINT align, int height) {
  switch (align & TA_VERTICAL_MASK) {
    case TA_BASELINE:
      return 0;
    case TA_BOTTOM:
      return -(1 - kAscent) * height;
    default:
      return kAscent * height;
  }
}

double LeftOffset(UINT align, int width) {
  switch (align & TA_HORIZONTAL_MASK) {
    case TA_CENTER:
      return -width / 2.0;
    case TA_RIGHT:
      return -width;
    default:
      return 0;
  }
}

}  // namespace

CSvgDC::CSvgDC(CSize size) : m_size(size) {}

void CSvgDC::Add(std::string markup) {
  const std::optional<CRect>& clip = GetState().clip;
  if (!clip) {
    m_elements.push_back({0, std::move(markup)});
    return;
  }
  auto found = std::find(m_clips.begin(), m_clips.end(), *clip);
  if (found == m_clips.end()) found = m_clips.insert(found, *clip);
  m_elements.push_back({static_cast<size_t>(found - m_clips.begin()) + 1, std::move(markup)});
}

std::string CSvgDC::StrokeAttributes() const {
  const DCPen& pen = GetState().pen;
  if (pen.style == PS_NULL) return " stroke=\"none\"";
  const int width = std::max(pen.width, 1);
  std::string text = " stroke=\"" + Hex(pen.colour) + "\" stroke-width=\"" + std::to_string(width) + "\"";
  if (pen.style == PS_DASH) {
    text += " stroke-dasharray=\"" + std::to_string(4 * width) + " " + std::to_string(2 * width) + "\"";
  } else if (pen.style == PS_DOT) {
    text += " stroke-dasharray=\"" + std::to_string(width) + " " + std::to_string(width) + "\"";
  }
  return text;
}

std::string CSvgDC::FillAttributes() const {
  const DCBrush& brush = GetState().brush;
  return brush.hollow ? " fill=\"none\"" : " fill=\"" + Hex(brush.colour) + "\"";
}

void CSvgDC::DrawLine(CPoint from, CPoint to) {
  Add(Tag("line")
          .Attr("x1", from.x)
          .Attr("y1", from.y)
          .Attr("x2", to.x)
          .Attr("y2", to.y)
          .Raw(StrokeAttributes())
          .Close());
}

void CSvgDC::DrawRectangle(const CRect& rect) {
  Add(RectTag(rect.left, rect.top, rect.Width(), rect.Height())
          .Raw(FillAttributes())
          .Raw(StrokeAttributes())
          .Close());
}

void CSvgDC::DrawEllipse(const CRect& bounds) {
  Add(EllipseTag(bounds).Raw(FillAttributes()).Raw(StrokeAttributes()).Close());
}

void CSvgDC::DrawPolygon(std::span<const CPoint> points, bool closed) {
  Tag tag(closed ? "polygon" : "polyline");
  tag.Attr("points", Points(points))
      .Raw(closed ? FillAttributes() : " fill=\"none\"")
      .Raw(StrokeAttributes());
  Add(tag.Close());
}

void CSvgDC::DrawArc(const CRect& bounds, CPoint start, CPoint end) {
  const double cx = (bounds.left + bounds.right) / 2.0;
  const double cy = (bounds.top + bounds.bottom) / 2.0;
  const double rx = bounds.Width() / 2.0;
  const double ry = bounds.Height() / 2.0;
  if (rx <= 0 || ry <= 0) return;
  // Angles of the ellipse's parametric form, counter-clockwise on the screen.
  const auto angle = [&](CPoint p) { return std::atan2((cy - p.y) / ry, (p.x - cx) / rx); };
  const double from = angle(start);
  double sweep = angle(end) - from;
  while (sweep <= 1e-9) sweep += 2 * std::numbers::pi;
  if (sweep >= 2 * std::numbers::pi - 1e-9) {
    Add(EllipseTag(bounds).Raw(" fill=\"none\"").Raw(StrokeAttributes()).Close());
    return;
  }
  const double to = from + sweep;
  // Sweep flag 0: decreasing SVG angles, which is counter-clockwise when y grows downwards.
  const std::string path = "M " + Number(cx + rx * std::cos(from)) + " " + Number(cy - ry * std::sin(from)) +
                           " A " + Number(rx) + " " + Number(ry) + " 0 " +
                           (sweep > std::numbers::pi ? "1" : "0") + " 0 " + Number(cx + rx * std::cos(to)) +
                           " " + Number(cy - ry * std::sin(to));
  Add(Tag("path").Attr("d", path).Raw(" fill=\"none\"").Raw(StrokeAttributes()).Close());
}

void CSvgDC::DrawFilledRect(const CRect& rect, COLORREF colour) {
  Add(RectTag(rect.left, rect.top, rect.Width(), rect.Height())
          .Attr("fill", Hex(colour))
          .Attr("stroke", "none")
          .Close());
}

void CSvgDC::DrawText(CPoint point, const std::string& text) {
  const State& state = GetState();
  const int height = std::abs(state.font.height);
  const double baseline = point.y + BaselineOffset(state.textAlign, height);
  const std::string rotation = Rotation(state, point);
  if (state.bkMode == OPAQUE) {
    const CSize extent = GetTextExtent(text);
    Add(RectTag(point.x + LeftOffset(state.textAlign, extent.cx), baseline - kAscent * height, extent.cx,
                height)
            .Attr("fill", Hex(state.bkColour))
            .Attr("stroke", "none")
            .Raw(rotation)
            .Close());
  }
  Tag tag("text");
  tag.Attr("x", point.x).Attr("y", baseline).Attr("font-family", state.font.face).Attr("font-size", height);
  if (state.font.bold) tag.Attr("font-weight", "bold");
  tag.Attr("fill", Hex(state.textColour)).Attr("text-anchor", TextAnchor(state.textAlign));
  Add(tag.Attr("xml:space", "preserve").Raw(rotation).Close(text));
}

std::string CSvgDC::ToSvg() const {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += Tag("svg")
             .Attr("xmlns", "http://www.w3.org/2000/svg")
             .Attr("version", "1.1")
             .Attr("width", m_size.cx)
             .Attr("height", m_size.cy)
             .Attr("viewBox", "0 0 " + std::to_string(m_size.cx) + " " + std::to_string(m_size.cy))
             .Attr("stroke-linecap", "round")
             .Attr("stroke-linejoin", "round")
             .Open() +
         "\n";
  if (!m_clips.empty()) {
    svg += "<defs>\n";
    for (size_t i = 0; i < m_clips.size(); ++i) {
      const CRect& clip = m_clips[i];
      svg += "<clipPath id=\"clip" + std::to_string(i + 1) + "\">" +
             RectTag(clip.left, clip.top, clip.Width(), clip.Height()).Close() + "</clipPath>\n";
    }
    svg += "</defs>\n";
  }
  size_t group = 0;
  for (const Element& element : m_elements) {
    if (element.clip != group && group != 0) svg += "</g>\n";
    if (element.clip != group && element.clip != 0)
      svg += "<g clip-path=\"url(#clip" + std::to_string(element.clip) + ")\">\n";
    group = element.clip;
    svg += element.markup + "\n";
  }
  if (group != 0) svg += "</g>\n";
  return svg + "</svg>\n";
}

bool CSvgDC::WriteFile(const CString& path, CString& error) const {
  return WriteFileAtomically(path, ToSvg(), error);
}
