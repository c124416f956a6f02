#include "host/model/gate_names.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>

namespace {
constexpr int kLetters = 26;
}  // namespace

CString GateString(int index) {
  if (index < 0) return CString();
  std::string name;
  // Bijective base 26: shift by one before each digit so that "a" stands for both 0 and
  // the leading digit 1.
  long long rest = static_cast<long long>(index) + 1;
  while (rest > 0) {
    --rest;
    name += static_cast<char>('a' + rest % kLetters);
    rest /= kLetters;
  }
  std::reverse(name.begin(), name.end());
  return CString(std::move(name));
}

int GateId(const char* text) {
  if (text == nullptr || *text == '\0') return -1;
  long long value = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    const unsigned char ch = static_cast<unsigned char>(*p);
    if (ch >= 0x80 || !std::isalpha(ch)) return -1;
    value = value * kLetters + (std::tolower(ch) - 'a' + 1);
    if (value - 1 > INT_MAX) return -1;
  }
  return static_cast<int>(value - 1);
}
