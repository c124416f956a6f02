// Where a user clicks to assign one pin: the PCB pad of a pin and a gate's terminal
// in the schematic drawing, as points in the client area of the view that shows them.
// The scripted run of the application clicks there with the real mouse; headless tests
// click the same points through the user-input API.
#pragma once

#include <string_view>

#include "platform/types.h"

class CComponentFrame;
class CWnd;

struct ClickTarget {
  CWnd* view = nullptr;  // not owned; null when the drawing shows no such item
  CPoint point;          // in the view's client coordinates
};

// A pin assignment asked for on the command line as GATE:TERMINAL=PIN ("0:1=14"): the
// gate index from 0, the terminal from 1 and the pin number.
struct PinAssignment {
  int gate = 0;
  int terminal = 1;
  int pin = 1;
};

// False when the text is not of that form or a number is out of range.
bool ParsePinAssignment(std::string_view text, PinAssignment& assignment);

ClickTarget PcbPadTarget(const CComponentFrame& frame, int pin);
ClickTarget ScmTerminalTarget(const CComponentFrame& frame, int gate, int terminal);
