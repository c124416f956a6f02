// Letter names of gates. Gate index 0 is "a", 25 is "z", 26 is "aa", 27 "ab", ... 701
// "zz", 702 "aaa": the letters count in bijective base 26, as spreadsheet columns do,
// in lower case. Every index from 0 has exactly one name and every name one index.
#pragma once

#include "platform/cstring.h"

// The letter name of a gate index; empty for a negative index.
CString GateString(int index);

// The gate index a letter name stands for, ignoring case; -1 for null or empty text,
// any character that is not a letter, or a name beyond the range of int.
int GateId(const char* text);
