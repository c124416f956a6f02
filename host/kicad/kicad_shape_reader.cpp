#include "host/kicad/kicad_shape_reader.h"

#include <cmath>
#include <numbers>

namespace {

bool ReadPoint(CSexprReader& reader, bool flipY, CPoint& point) {
  int x = 0;
  int y = 0;
  if (!reader.ReadLength(x) || !reader.ReadLength(y)) return false;
  point = CPoint(x, flipY ? -y : y);
  return true;
}

// (start x y) and its kin: the point, then the list's end.
bool ReadPointList(CSexprReader& reader, bool flipY, std::optional<CPoint>& point) {
  CPoint value;
  if (!ReadPoint(reader, flipY, value)) return false;
  point = value;
  return reader.ExpectClose();
}

// (at x y [angle] [unlocked]).
bool ReadAt(CSexprReader& reader, bool flipY, KicadShapeProps& props) {
  CPoint value;
  if (!ReadPoint(reader, flipY, value)) return false;
  props.at = value;
  const int depth = reader.Depth();
  int64_t angle = 0;
  // Whatever follows the angle, or stands in its place, is skipped with the list's end.
  SexprToken token;
  if (reader.TakeWord(token)) {
    if (token.kind == SexprTokenKind::Atom && CSexprReader::ParseWhole(token.text, angle))
      props.atAngle = static_cast<int>(angle % 3600);
    if (reader.TakeClose()) return true;
  }
  reader.SkipToDepth(depth);
  return !reader.Failed();
}

// (pts (xy x y) ...): other entries (arcs of outlines) are skipped.
bool ReadPoints(CSexprReader& reader, bool flipY, std::vector<CPoint>& points) {
  const int depth = reader.Depth();
  while (!reader.Failed()) {
    std::string_view keyword;
    if (reader.NextList(keyword) == SexprTokenKind::Close) return reader.ExpectClose();
    if (keyword.empty() && !reader.OpenList(keyword)) return false;
    if (keyword != "xy") {
      reader.SkipToDepth(depth + 1);
      continue;
    }
    CPoint point;
    if (!ReadPoint(reader, flipY, point) || !reader.ExpectClose()) return false;
    points.push_back(point);
  }
  return false;
}

// Reads the lists inside (effects ...), (stroke ...), (font ...) and the like into the
// same bag, skipping what does not matter here.
bool ReadNested(CSexprReader& reader, bool flipY, KicadShapeProps& props);

// Each atom or string of the rest of a list, up to its end; lists inside are skipped.
template <class Take>
bool ReadWords(CSexprReader& reader, Take&& take) {
  const int depth = reader.Depth();
  while (!reader.Failed()) {
    const SexprToken token = reader.Take();
    if (token.kind == SexprTokenKind::Close) return true;
    if (token.kind == SexprTokenKind::Open) {
      reader.SkipToDepth(depth + 1);
      continue;
    }
    if (token.kind == SexprTokenKind::End) return reader.ExpectClose();
    take(token);
  }
  return false;
}

bool ReadJustify(CSexprReader& reader, KicadShapeProps& props) {
  return ReadWords(reader, [&props](const SexprToken& token) {
    const std::string_view word = props.Keep(token);
    if (word == "left" || word == "right") props.horizontal = word;
    if (word == "top" || word == "bottom") props.vertical = word;
  });
}

// The first length among the words, the hole's diameter or an oval hole's width.
bool ReadDrill(CSexprReader& reader, KicadShapeProps& props) {
  bool found = false;
  return ReadWords(reader, [&](const SexprToken& token) {
    int units = 0;
    if (found || !CSexprReader::ParseLength(props.Keep(token), units)) return;
    props.drill = units;
    found = true;
  });
}

// (size w h) of a pad, (size h w) of a font: the first number is the pad's width and
// the font's height.
bool ReadSize(CSexprReader& reader, KicadShapeProps& props) {
  int first = 0;
  int second = 0;
  if (!reader.ReadLength(first) || !reader.ReadLength(second)) return false;
  props.size = CSize(first, second);
  return reader.ExpectClose();
}

bool ReadLengthList(CSexprReader& reader, int& value) {
  return reader.ReadLength(value) && reader.ExpectClose();
}

// The first atom or string of the rest of a list, read as ReadWords reads it, without
// keeping the others: most such lists hold one word. Empty when there is none.
bool ReadFirstWord(CSexprReader& reader, KicadShapeProps& props, std::string_view& value, bool& found) {
  SexprToken token;
  found = reader.TakeWord(token);
  value = found ? props.Keep(token) : std::string_view();
  if (found && reader.TakeClose()) return true;
  return ReadWords(reader, [&](const SexprToken& token) {
    if (found) return;
    found = true;
    value = props.Keep(token);
  });
}

bool ReadTextList(CSexprReader& reader, KicadShapeProps& props, std::string_view& value) {
  bool found = false;
  return ReadFirstWord(reader, props, value, found);
}

bool ReadHideList(CSexprReader& reader, KicadShapeProps& props) {
  std::string_view word;
  bool found = false;
  if (!ReadFirstWord(reader, props, word, found)) return false;
  props.hidden = !found || word == "yes";
  return true;
}

// (radius r) of a symbol's circle, or (radius (at x y) (length r) ...) of an old arc.
bool ReadRadius(CSexprReader& reader, bool flipY, KicadShapeProps& props) {
  if (reader.PeekKind() == SexprTokenKind::Atom) {
    int radius = 0;
    if (!reader.ReadLength(radius)) return false;
    props.radius = radius;
    return reader.ExpectClose();
  }
  KicadShapeProps inner;
  if (!ReadNested(reader, flipY, inner)) return false;
  if (inner.at) props.centre = inner.at;
  if (inner.length > 0) props.radius = inner.length;
  return true;
}

bool ReadShapePropsAt(CSexprReader& reader, bool flipY, KicadShapeProps& props);

// The first length of the list `keyword` inside the rest of a list, such as a stroke's
// (width w) or a font's (size h w); the rest is skipped. The last such list counts.
// The keyword is a literal, so that it is compared in place.
template <size_t N>
bool ReadOnly(CSexprReader& reader, const char (&literal)[N], int& value) {
  const std::string_view keyword(literal, N - 1);
  const int depth = reader.Depth();
  while (!reader.Failed()) {
    std::string_view inner;
    const SexprTokenKind kind = reader.NextList(inner);
    if (kind == SexprTokenKind::Close) return reader.ExpectClose();
    // A text that ends here fails: taking the end again and again would go on forever.
    if (kind == SexprTokenKind::End) return reader.ExpectClose();
    if (kind != SexprTokenKind::Open) {
      reader.Take();
      continue;
    }
    if (inner.empty() && !reader.OpenList(inner)) return false;
    if (inner == keyword && !reader.ReadLength(value)) return false;
    reader.SkipToDepth(depth + 1);
  }
  return false;
}

// (fill (type outline)) of a symbol, (fill solid) or (fill yes) of a footprint.
bool ReadFill(CSexprReader& reader, bool flipY, KicadShapeProps& props) {
  KicadShapeProps fill;
  if (!ReadShapePropsAt(reader, flipY, fill)) return false;
  props.fill = !fill.fill.empty() ? fill.fill : fill.words.empty() ? std::string_view() : fill.words.front();
  if (props.fill == "yes") props.fill = "solid";
  // Texts the inner bag resolved stay where they are, in this bag.
  props.unescaped.splice(props.unescaped.end(), fill.unescaped);
  return true;
}

bool SkipList(CSexprReader& reader) {
  reader.SkipToDepth(reader.Depth());
  return !reader.Failed();
}

bool ReadAngle(CSexprReader& reader, KicadShapeProps& props) {
  int64_t angle = 0;
  if (!reader.ReadInteger(angle)) return false;
  props.arcAngle = static_cast<int>(angle % 3600);
  return reader.ExpectClose();
}

// A pin's (name "...") or (number "..."); what follows the text is skipped.
bool ReadPinText(CSexprReader& reader, bool number, KicadShapeProps& props) {
  const int depth = reader.Depth();
  SexprToken token;
  if (!reader.TakeWord(token) && !reader.ReadText(token)) return false;
  (number ? props.number : props.name) = props.Keep(token);
  if (!reader.TakeClose()) reader.SkipToDepth(depth);
  props.hasNumber = props.hasNumber || number;
  return !reader.Failed();
}

bool ReadStroke(CSexprReader& reader, KicadShapeProps& props) {
  // A stroke without a width draws the thinnest line.
  props.strokeWidth = 0;
  return ReadOnly(reader, "width", props.strokeWidth);
}

// Which copper layers a pad is on is not shown here; lists not named are skipped. The
// first letter picks the few names to compare: every item's lists pass through here.
bool ReadSubList(CSexprReader& reader, std::string_view keyword, bool flipY, KicadShapeProps& props) {
  switch (keyword.empty() ? '\0' : keyword.front()) {
    case 'a':
      if (keyword == "at") return ReadAt(reader, flipY, props);
      if (keyword == "angle") return ReadAngle(reader, props);
      break;
    case 'c':
      if (keyword == "center") return ReadPointList(reader, flipY, props.centre);
      break;
    case 'd':
      if (keyword == "drill") return ReadDrill(reader, props);
      break;
    case 'e':
      if (keyword == "end") return ReadPointList(reader, flipY, props.end);
      if (keyword == "effects") return ReadNested(reader, flipY, props);
      break;
    case 'f':
      if (keyword == "fill") return ReadFill(reader, flipY, props);
      if (keyword == "font") return ReadOnly(reader, "size", props.textSize);
      break;
    case 'h':
      if (keyword == "hide") return ReadHideList(reader, props);
      break;
    case 'j':
      if (keyword == "justify") return ReadJustify(reader, props);
      break;
    case 'l':
      if (keyword == "length") return ReadLengthList(reader, props.length);
      if (keyword == "layer") return ReadTextList(reader, props, props.layer);
      break;
    case 'm':
      if (keyword == "mid") return ReadPointList(reader, flipY, props.mid);
      break;
    case 'n':
      if (keyword == "name" || keyword == "number") return ReadPinText(reader, keyword == "number", props);
      break;
    case 'p':
      if (keyword == "pts") return ReadPoints(reader, flipY, props.points);
      break;
    case 'r':
      if (keyword == "radius") return ReadRadius(reader, flipY, props);
      break;
    case 's':
      if (keyword == "start") return ReadPointList(reader, flipY, props.start);
      if (keyword == "size") return ReadSize(reader, props);
      if (keyword == "stroke") return ReadStroke(reader, props);
      break;
    case 't':
      if (keyword == "type") return ReadTextList(reader, props, props.fill);
      break;
    case 'w':
      if (keyword == "width") return ReadLengthList(reader, props.strokeWidth);
      break;
    default:
      break;
  }
  return SkipList(reader);
}

bool ReadNested(CSexprReader& reader, bool flipY, KicadShapeProps& props) {
  while (!reader.Failed()) {
    std::string_view keyword;
    const SexprTokenKind kind = reader.NextList(keyword);
    if (kind == SexprTokenKind::Close) return reader.ExpectClose();
    if (kind == SexprTokenKind::Atom || kind == SexprTokenKind::String) {
      if (reader.Take().text == "hide") props.hidden = true;
      continue;
    }
    if (keyword.empty() && !reader.OpenList(keyword)) return false;
    if (!ReadSubList(reader, keyword, flipY, props)) return false;
  }
  return false;
}

double AngleOf(CPoint centre, CPoint point) {
  const double degrees = std::atan2(point.y - centre.y, point.x - centre.x) * 180.0 / std::numbers::pi;
  return degrees < 0 ? degrees + 360.0 : degrees;
}

double Distance(CPoint a, CPoint b) {
  return std::hypot(static_cast<double>(a.x - b.x), static_cast<double>(a.y - b.y));
}

int Round(double value) {
  return static_cast<int>(std::lround(value));
}

// The circle through three points; false when they lie on a line.
bool CircleThrough(CPoint a, CPoint b, CPoint c, CPoint& centre) {
  const double ax = a.x, ay = a.y, bx = b.x, by = b.y, cx = c.x, cy = c.y;
  const double d = 2.0 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  if (std::abs(d) < 1e-9) return false;
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  centre = CPoint(Round((a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d),
                  Round((a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d));
  return true;
}

CSymbolArc ArcFrom(CPoint centre, CPoint from, double sweep) {
  CSymbolArc arc;
  arc.centre = centre;
  arc.radius = std::max(1, Round(Distance(centre, from)));
  arc.startAngle = Round(AngleOf(centre, from)) % 360;
  arc.sweepAngle = std::clamp(Round(sweep), -360, 360);
  if (arc.sweepAngle == 0) arc.sweepAngle = sweep < 0 ? -1 : 1;
  return arc;
}

using Graphics = std::vector<CSymbolGraphic>;

void MakeArc(const KicadShapeProps& props, const CString& layer, int width, Graphics& out) {
  if (!props.start || !props.end) return;
  if (props.mid) {
    CPoint centre;
    if (!CircleThrough(*props.start, *props.mid, *props.end, centre)) {
      out.emplace_back(layer, width, CSymbolLine{*props.start, *props.end});
      return;
    }
    const double from = AngleOf(centre, *props.start);
    const double counter = std::fmod(AngleOf(centre, *props.end) - from + 720.0, 360.0);
    const double toMid = std::fmod(AngleOf(centre, *props.mid) - from + 720.0, 360.0);
    out.emplace_back(layer, width,
                     ArcFrom(centre, *props.start, toMid < counter ? counter : counter - 360.0));
    return;
  }
  if (props.arcAngle) {
    // Centre, start point and sweep in tenths of a degree, clockwise on a y-down board.
    out.emplace_back(layer, width, ArcFrom(*props.start, *props.end, -*props.arcAngle / 10.0));
    return;
  }
  if (props.centre) {
    const double from = AngleOf(*props.centre, *props.start);
    const double counter = std::fmod(AngleOf(*props.centre, *props.end) - from + 720.0, 360.0);
    out.emplace_back(layer, width, ArcFrom(*props.centre, *props.start, counter));
  }
}

void MakeLines(const std::vector<CPoint>& points, bool closed, const CString& layer, int width,
               Graphics& out) {
  for (size_t i = 1; i < points.size(); ++i)
    out.emplace_back(layer, width, CSymbolLine{points[i - 1], points[i]});
  if (closed && points.size() > 2 && points.front() != points.back())
    out.emplace_back(layer, width, CSymbolLine{points.back(), points.front()});
}

void MakeCircle(const KicadShapeProps& props, const CString& layer, int width, Graphics& out) {
  if (!props.centre) return;
  int radius = props.radius.value_or(0);
  if (!props.radius && props.end) radius = Round(Distance(*props.centre, *props.end));
  if (radius < 1) return;
  out.emplace_back(layer, width,
                   CSymbolCircle{*props.centre, radius, props.fill == "outline" || props.fill == "solid"});
}

void MakeText(const KicadShapeProps& props, const CString& layer, int width, Graphics& out) {
  if (props.hidden || props.words.empty() || !props.at) return;
  const std::string_view text = props.words.back();
  // A text made of a variable ("${REFERENCE}") stands for a value of the board.
  if (text.empty() || text == "hide" || text.starts_with("${")) return;
  CSymbolText shape;
  shape.text = CString(text);
  shape.position = *props.at;
  shape.size = std::max(1, props.textSize);
  shape.alignment = AlignmentOf(props.horizontal, props.vertical);
  shape.rotation = ((props.atAngle % 360) + 360) % 360;
  out.emplace_back(layer, width, std::move(shape));
}

bool ReadShapePropsAt(CSexprReader& reader, bool flipY, KicadShapeProps& props) {
  std::string_view keyword;
  for (SexprTokenKind kind = reader.NextList(keyword);
       kind == SexprTokenKind::Atom || kind == SexprTokenKind::String; kind = reader.NextList(keyword)) {
    const SexprToken token = reader.Take();
    // Pads lead with three words, pins with two, texts with one or two.
    if (props.words.empty()) props.words.reserve(4);
    props.words.push_back(props.Keep(token));
  }
  // The first list after the words is open already.
  if (!keyword.empty() && !ReadSubList(reader, keyword, flipY, props)) return false;
  return ReadNested(reader, flipY, props);
}

}  // namespace

void KicadShapeProps::Clear() {
  // Texts and lists are emptied, keeping their room; the plain values are set anew.
  words.clear();
  points.clear();
  for (std::string_view* view : {&fill, &layer, &name, &number, &horizontal, &vertical}) *view = {};
  // Copied from an empty bag, field by field in wide moves: made anew, the values were
  // cleared by a slow string instruction.
  static constexpr KicadShapeValues kEmpty{};
  static_cast<KicadShapeValues&>(*this) = kEmpty;
}

std::string_view KicadShapeProps::KeepUnescaped(const SexprToken& token) {
  return unescaped.emplace_back(CSexprReader::Unescape(token.text));
}

bool ReadShapeProps(CSexprReader& reader, bool flipY, KicadShapeProps& props) {
  return ReadShapePropsAt(reader, flipY, props);
}

void MakeGraphics(std::string_view keyword, const KicadShapeProps& props, const CString& layer,
                  std::vector<CSymbolGraphic>& graphics) {
  if (keyword.starts_with("fp_")) keyword.remove_prefix(3);
  const int width = std::max(0, props.strokeWidth);
  if (keyword == "line") {
    if (props.start && props.end) graphics.emplace_back(layer, width, CSymbolLine{*props.start, *props.end});
  } else if (keyword == "rectangle" || keyword == "rect") {
    const bool filled = props.fill == "outline" || props.fill == "solid";
    if (props.start && props.end)
      graphics.emplace_back(layer, width, CSymbolRectangle{*props.start, *props.end, filled});
  } else if (keyword == "polyline" || keyword == "bezier" || keyword == "curve") {
    MakeLines(props.points, false, layer, width, graphics);
  } else if (keyword == "poly") {
    MakeLines(props.points, true, layer, width, graphics);
  } else if (keyword == "circle") {
    MakeCircle(props, layer, width, graphics);
  } else if (keyword == "arc") {
    MakeArc(props, layer, width, graphics);
  } else if (keyword == "text") {
    MakeText(props, layer, width, graphics);
  }
}

TextAlignment AlignmentOf(std::string_view horizontal, std::string_view vertical) {
  const int column = horizontal == "left" ? 0 : horizontal == "right" ? 2 : 1;
  const int row = vertical == "bottom" ? 0 : vertical == "top" ? 2 : 1;
  static constexpr TextAlignment kTable[3][3] = {
      {TextAlignment::BottomLeft, TextAlignment::Bottom, TextAlignment::BottomRight},
      {TextAlignment::Left, TextAlignment::Centre, TextAlignment::Right},
      {TextAlignment::TopLeft, TextAlignment::Top, TextAlignment::TopRight}};
  return kTable[row][column];
}
