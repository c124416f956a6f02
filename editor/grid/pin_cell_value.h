// The value of a pin cell as text: empty for no pin, otherwise a whole number.
#pragma once

#include <string>

// False for text that is neither empty (blanks aside) nor a whole number; pin is -1
// for empty text.
bool ReadPinCellText(const std::string& text, int& pin);
