// The natural order of pin and pad numbers: runs of digits compare by their value and
// come before letters, so 1, 2, ..., 10, A1, A2, ..., A10, B1, ..., EP.
#pragma once

#include <string_view>

// True when `a` comes before `b`. Letters compare ignoring case first, so that a1 and A1
// stand together; equal texts in that sense fall back to their bytes.
bool NaturalLess(std::string_view a, std::string_view b);

// The number a pad or pin text stands for when it is a plain whole number (no sign, no
// leading zero) up to `limit`; -1 otherwise.
int PlainNumber(std::string_view text, int limit);
