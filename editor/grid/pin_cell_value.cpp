#include "editor/grid/pin_cell_value.h"

#include <charconv>

bool ReadPinCellText(const std::string& text, int& pin) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) {
    pin = -1;
    return true;
  }
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  const auto [stop, code] = std::from_chars(begin, end, pin);
  return code == std::errc() && stop == end;
}
