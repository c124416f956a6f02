#include "tests/support/library_text.h"

namespace {

struct Span {
  std::string::size_type begin = std::string::npos;
  std::string::size_type end = std::string::npos;  // one past the closing brace
};

Span FindElement(const std::string& text, const std::string& name) {
  const std::string opening = "\n    {\n      \"name\": \"" + name + "\",\n";
  const auto start = text.find(opening);
  if (start == std::string::npos) return {};
  const auto close = text.find("\n    }", start + opening.size());
  if (close == std::string::npos) return {};
  return {start + 1, close + 6};
}

}  // namespace

std::string ComponentBytes(const std::string& libraryText, const std::string& name) {
  const Span span = FindElement(libraryText, name);
  if (span.begin == std::string::npos) return {};
  return libraryText.substr(span.begin, span.end - span.begin);
}

std::string TextWithout(const std::string& libraryText, const std::string& name) {
  Span span = FindElement(libraryText, name);
  if (span.begin == std::string::npos) return libraryText;
  // The element with the line break before it; a comma goes with it, before or after.
  span.begin -= 1;
  if (libraryText.compare(span.end, 1, ",") == 0) {
    span.end += 1;
  } else if (span.begin > 0 && libraryText[span.begin - 1] == ',') {
    span.begin -= 1;
  }
  return libraryText.substr(0, span.begin) + libraryText.substr(span.end);
}
