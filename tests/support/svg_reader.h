// SVG pictures read back for the tests: the elements in document order, and what a
// picture shows at a point. The reader takes the subset of XML the SVG writer produces
// and fails the test on what a real parser would refuse: crossed or unclosed tags,
// unquoted or repeated attributes, bare markup characters, content outside the root.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

struct SvgElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;  // the characters directly inside, references resolved
  int parent = -1;   // index of the enclosing element; -1 for the root

  // The attribute as a number; 0 when it is missing.
  double Number(const std::string& attribute) const;
};

std::vector<SvgElement> ReadSvg(std::string_view document);

// The elements of one name, in document order.
std::vector<SvgElement> ElementsNamed(const std::vector<SvgElement>& picture, std::string_view name);
// The fill of the topmost filled rectangle or ellipse under a point; empty when none.
std::string FillAt(const std::vector<SvgElement>& picture, CPoint point);
// The stroke of the topmost line through a point (within a pixel); empty when none.
std::string LineStrokeAt(const std::vector<SvgElement>& picture, CPoint point);
// The texts that read exactly `text`.
std::vector<SvgElement> TextsReading(const std::vector<SvgElement>& picture, const std::string& text);
