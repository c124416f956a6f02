// The marks that show a schematic pin's shape, in design units, built from the placed
// pin.
#pragma once

#include <vector>

#include "host/model/free_pad.h"
#include "host/model/symbol_graphic.h"
#include "host/model/symbol_pin_shape.h"
#include "platform/types.h"

// The marks of a pin of `length` whose root is `root` and that points `direction` out of
// the body, in design units; `size` is the bubble's radius and the wedges' half width
// (smaller on a pin too short for it). `lineRoot` is where the pin's own line stops: short
// of the bubble for an inverted pin, the root otherwise.
struct PinShapeMarks {
  std::vector<SymbolShape> shapes;
  CPoint lineRoot;
};
PinShapeMarks MakePinShapeMarks(PinShape shape, CPoint root, PinDirection direction, int length, int size);
