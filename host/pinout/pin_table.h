// PinTable: a chip maker's pinout table as read, before it becomes a component: one row
// per pin with its name, its bank or unit and its electrical type where the table gives
// them, and its ball in each package the table lists (empty where the package lacks the
// pin). A name may stand on many rows (hundreds of GND balls): each row is a pin.
#pragma once

#include <string>
#include <vector>

// The layouts read: the package files of one maker (a title, then "Pin, Pin Name, ...,
// Bank, ..."; comma-separated or aligned text), the multi-package tables of another
// ("PAD, Pin/Ball Function, Bank, ..." then a ball column per package), and a generic
// table whose columns are found by their names in any order.
enum class PinTableLayout { Detect, Xilinx, Lattice, Generic };

struct PinTableRow {
  int line = 0;
  std::string name;
  std::string bank;  // empty: none (NA, -)
  std::string unit;
  std::string type;                // as the table gives it; empty: none
  std::vector<std::string> balls;  // one per package; empty: not in that package
};

struct PinTable {
  PinTableLayout layout = PinTableLayout::Detect;
  int headerLine = 0;
  std::vector<std::string> columns;  // the header as read
  std::vector<std::string> packages;
  bool hasBanks = false;
  bool hasUnits = false;
  bool hasTypes = false;
  std::vector<PinTableRow> rows;
};

// "xilinx", "lattice", "generic" (and "detect" for Detect).
const char* PinTableLayoutName(PinTableLayout layout);
bool ReadPinTableLayout(const std::string& word, PinTableLayout& layout);
