#include "host/kicad/natural_order.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Names are UTF-8: only ASCII letters have a case to fold byte by byte, whatever the
// locale.
unsigned char UpperAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

size_t DigitRunEnd(std::string_view text, size_t from) {
  while (from < text.size() && IsDigit(text[from])) ++from;
  return from;
}

// Compares two digit runs by value: leading zeros aside, the longer run is larger.
int CompareDigitRuns(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a[0] == '0') a.remove_prefix(1);
  while (b.size() > 1 && b[0] == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int order = a.compare(b);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int CompareFolded(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = IsDigit(a[i]);
    const bool digitB = IsDigit(b[j]);
    if (digitA && digitB) {
      const size_t endA = DigitRunEnd(a, i);
      const size_t endB = DigitRunEnd(b, j);
      if (const int order = CompareDigitRuns(a.substr(i, endA - i), b.substr(j, endB - j))) return order;
      i = endA;
      j = endB;
      continue;
    }
    if (digitA != digitB) return digitA ? -1 : 1;
    const unsigned char ca = UpperAscii(a[i]);
    const unsigned char cb = UpperAscii(b[j]);
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  const int order = CompareFolded(a, b);
  if (order != 0) return order < 0;
  return a < b;
}

int PlainNumber(std::string_view text, int limit) {
  if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0')) return -1;
  int value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return -1;
    value = value * 10 + (c - '0');
  }
  return value <= limit ? value : -1;
}
