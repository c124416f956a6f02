// CNewComponent: what a new component is made of, and the making of it: its first
// package record, with the package's PCB symbol and pin count and the default
// reference, and `gates` gates drawn by one schematic symbol. Without a PCB symbol there
// are no pads to choose from, so the terminals get the pins 1, 2, 3, ... in gate order
// (gate a 1 to n, gate b n+1 to 2n, ...), ready for a footprint of that many pads.
//
// The New Component dialog and the command line's `new` both make components through
// it; each checks the names in its own way first, and the counts here, so that a refusal
// never leaves a record half made.
#pragma once

#include "platform/cstring.h"

class CComponent;
class CDesign;

class CNewComponent {
 public:
  CString name;
  CString package;
  CString pcbSymbol;  // empty: none yet
  CString pcbLibrary;
  int pins = 0;       // the package's pin count
  CString scmSymbol;  // empty: no gates
  CString scmLibrary;
  int scmPins = 0;  // the terminals of each gate
  int gates = 1;
  CString defaultReference;

  // Each false, with the message as the last error, for a count the model cannot take:
  // the pin count, the gates' terminals (only when there are gates), how many gates.
  bool CheckPinCount() const;
  bool CheckGatePins() const;
  bool CheckGateCount() const;
  bool CheckCounts() const { return CheckPinCount() && CheckGatePins() && CheckGateCount(); }

  // Adds the record to `design`; the counts must have passed their checks.
  CComponent* AddTo(CDesign& design) const;
};
