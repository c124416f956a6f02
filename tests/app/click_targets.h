// Where a user clicks to assign one pin: the PCB pad of a pin and a gate's terminal in
// the schematic drawing, as points in the client area of the view that shows them. The
// headless application tests click there through the user-input API.
#pragma once

#include "platform/types.h"

class CComponentFrame;
class CWnd;

struct ClickTarget {
  CWnd* view = nullptr;  // not owned; null when the drawing shows no such item
  CPoint point;          // in the view's client coordinates
};

ClickTarget PcbPadTarget(const CComponentFrame& frame, int pin);
ClickTarget ScmTerminalTarget(const CComponentFrame& frame, int gate, int terminal);
