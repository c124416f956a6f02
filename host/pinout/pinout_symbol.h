// CPinoutSymbol: the schematic symbol drawn for one gate of a component made from a
// pinout table: a box with its pins on the 0.1 inch grid, inputs and I/O on the left,
// outputs, passive and unconnected pins on the right, supplies above and grounds below,
// each side in the natural order of the names. The box grows to keep the names clear.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/model/symbol.h"
#include "host/pinout/pin_kind.h"

class CPinoutSymbol {
 public:
  struct Pin {
    std::string name;
    PinKind kind = PinKind::Passive;
  };

  // Terminal n of the symbol is pins[n - 1].
  static std::unique_ptr<CSymbol> Make(const CString& name, const std::string& label,
                                       const std::vector<Pin>& pins);
};
