// Matching terminals to footprint pads by name: the pin a terminal would get from the
// pad that carries its name.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CComponent;

struct FootprintPad {
  int number = 0;
  CString name;
};

struct PinNameMatch {
  int gate = 0;
  int terminal = 0;
  CString name;
  int oldPin = -1;
  int newPin = -1;
};

// Every terminal of the component whose name (not empty) is the name of exactly one
// pad, ignoring case, and whose pin would change. Names that several pads carry match
// no terminal.
std::vector<PinNameMatch> MatchTerminalsToPads(const CComponent& component,
                                               const std::vector<FootprintPad>& pads);
