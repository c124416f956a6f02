// CKicadSymbolImport: makes a new component of one symbol of the field's symbol
// libraries in one step. Each unit becomes a gate drawn by that unit, read in place from
// its library. With a footprint, the symbol's pin numbers give the pin map: a terminal
// gets the pin of the footprint's pad of the same number (7, A1, EP); a terminal whose
// number no pad has keeps no pin and is reported. Without a footprint, terminals
// numbered by a plain whole number get that pin, ready for a footprint numbered so.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

class CDesign;

class CKicadSymbolImport {
 public:
  struct Request {
    CString symbolLibraryPath;    // the .kicad_sym file read
    CString symbolLibrary;        // as the gates name it
    CString symbol;               // the symbol, or the name of one of its units
    CString footprintFolderPath;  // the NAME.pretty folder read; empty for no footprint
    CString footprintLibrary;     // as the package names it
    CString footprint;
    CString name;     // the component's name
    CString package;  // the package's name
    CString defaultReference;
  };

  // A terminal the footprint has no pad for.
  struct Unassigned {
    int gate = 0;
    int terminal = 0;
    std::string pinNumber;
  };

  // Adds the component's record to `design`. The names are the caller's to check. False,
  // with the reason and nothing added, when the symbol or the footprint cannot be read.
  static bool Build(const Request& request, CDesign& design, std::vector<Unassigned>& unassigned,
                    CString& error);

  // The symbol a unit's name stands for: "7400:B" -> "7400"; other names stay.
  static CString SymbolOfUnit(const CString& name);

  // One message listing the terminals left without a pin (the first few of them).
  static CString DescribeUnassigned(const std::vector<Unassigned>& unassigned, const CString& footprint);
};
