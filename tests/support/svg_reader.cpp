#include "tests/support/svg_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

namespace {

// Resolves the predefined references; nullopt for a bare '<' or '&', which XML forbids.
std::optional<std::string> Unescape(std::string_view raw) {
  static const std::map<std::string_view, char> kEntities{
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '<') return std::nullopt;
    if (raw[i] != '&') {
      out += raw[i];
      continue;
    }
    const size_t end = raw.find(';', i);
    const auto entity =
        end == std::string_view::npos ? kEntities.end() : kEntities.find(raw.substr(i + 1, end - i - 1));
    if (entity == kEntities.end()) return std::nullopt;
    out += entity->second;
    i = end;
  }
  return out;
}

// Reads the document's elements one tag at a time. (No std::regex: GCC 12 warns
// falsely inside it in sanitised builds.)
class SvgParser {
 public:
  explicit SvgParser(std::string_view document) : m_doc(document) {}

  std::vector<SvgElement> Read() {
    size_t pos = m_doc.starts_with("<?xml") ? m_doc.find("?>") + 2 : 0;
    while (pos < m_doc.size()) {
      const size_t lt = m_doc.find('<', pos);
      AddText(m_doc.substr(pos, lt - pos));
      if (lt == std::string_view::npos) break;
      const size_t gt = m_doc.find('>', lt);
      if (gt == std::string_view::npos) {
        ADD_FAILURE() << "unterminated tag";
        return m_elements;
      }
      ReadTag(m_doc.substr(lt + 1, gt - lt - 1));
      pos = gt + 1;
    }
    if (!m_open.empty() || !m_rootDone) ADD_FAILURE() << "the root is not closed";
    return m_elements;
  }

 private:
  void AddText(std::string_view between) {
    const std::optional<std::string> text = Unescape(between);
    if (m_open.empty() && between.find_first_not_of(" \n") != std::string_view::npos)
      ADD_FAILURE() << "text outside the root";
    if (!text) ADD_FAILURE() << "bare markup character in: " << between;
    if (!m_open.empty() && text) m_elements[static_cast<size_t>(m_open.back())].text += *text;
  }

  void ReadTag(std::string_view tag) {
    if (tag.starts_with('/')) {
      Close(tag.substr(1));
      return;
    }
    if (m_rootDone) ADD_FAILURE() << "a second root <" << tag;
    const bool empty = tag.ends_with('/');
    if (empty) tag.remove_suffix(1);
    SvgElement element{
        std::string(tag.substr(0, tag.find(' '))), {}, {}, m_open.empty() ? -1 : m_open.back()};
    ReadAttributes(tag.substr(element.name.size()), element);
    m_elements.push_back(std::move(element));
    if (!empty) m_open.push_back(static_cast<int>(m_elements.size()) - 1);
  }

  void Close(std::string_view name) {
    if (m_open.empty() || m_elements[static_cast<size_t>(m_open.back())].name != name)
      ADD_FAILURE() << "unbalanced </" << name;
    if (!m_open.empty()) m_open.pop_back();
    m_rootDone = m_open.empty();
  }

  static void ReadAttributes(std::string_view attributes, SvgElement& element) {
    std::istringstream rest{std::string(attributes)};
    std::string name, value;
    while (std::getline(rest >> std::ws, name, '=') && std::getline(rest.ignore(1), value, '"')) {
      const std::optional<std::string> resolved = Unescape(value);
      if (rest.fail() || !resolved || element.attributes.count(name) != 0)
        ADD_FAILURE() << "bad attribute " << name;
      element.attributes[name] = resolved.value_or("");
    }
  }

  std::string_view m_doc;
  std::vector<SvgElement> m_elements;
  std::vector<int> m_open;
  bool m_rootDone = false;
};

bool Covers(const SvgElement& element, CPoint p) {
  if (element.name == "rect") {
    const double x = element.Number("x");
    const double y = element.Number("y");
    return p.x >= x && p.x <= x + element.Number("width") && p.y >= y && p.y <= y + element.Number("height");
  }
  if (element.name != "ellipse") return false;
  const double dx = (p.x - element.Number("cx")) / element.Number("rx");
  const double dy = (p.y - element.Number("cy")) / element.Number("ry");
  return dx * dx + dy * dy <= 1;
}

double DistanceToSegment(const SvgElement& line, CPoint p) {
  const double x1 = line.Number("x1"), y1 = line.Number("y1"), x2 = line.Number("x2"), y2 = line.Number("y2");
  const double length2 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
  const double t =
      length2 == 0 ? 0 : std::clamp(((p.x - x1) * (x2 - x1) + (p.y - y1) * (y2 - y1)) / length2, 0.0, 1.0);
  return std::hypot(p.x - (x1 + t * (x2 - x1)), p.y - (y1 + t * (y2 - y1)));
}

}  // namespace

double SvgElement::Number(const std::string& attribute) const {
  const auto found = attributes.find(attribute);
  return found != attributes.end() ? std::stod(found->second) : 0.0;
}

std::vector<SvgElement> ReadSvg(std::string_view document) {
  return SvgParser(document).Read();
}

std::vector<SvgElement> ElementsNamed(const std::vector<SvgElement>& picture, std::string_view name) {
  std::vector<SvgElement> found;
  std::copy_if(picture.begin(), picture.end(), std::back_inserter(found),
               [name](const SvgElement& element) { return element.name == name; });
  return found;
}

std::string FillAt(const std::vector<SvgElement>& picture, CPoint point) {
  for (auto it = picture.rbegin(); it != picture.rend(); ++it) {
    const auto fill = it->attributes.find("fill");
    if (fill != it->attributes.end() && fill->second != "none" && Covers(*it, point)) return fill->second;
  }
  return {};
}

std::string LineStrokeAt(const std::vector<SvgElement>& picture, CPoint point) {
  for (auto it = picture.rbegin(); it != picture.rend(); ++it) {
    if (it->name == "line" && DistanceToSegment(*it, point) <= 1.0) return it->attributes.at("stroke");
  }
  return {};
}

std::vector<SvgElement> TextsReading(const std::vector<SvgElement>& picture, const std::string& text) {
  std::vector<SvgElement> found;
  std::copy_if(picture.begin(), picture.end(), std::back_inserter(found),
               [&text](const SvgElement& element) { return element.name == "text" && element.text == text; });
  return found;
}
