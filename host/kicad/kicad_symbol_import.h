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
    CString componentLibrary;     // the .cmplib the component is made for
    CString symbolLibraryPath;    // the .kicad_sym file read
    CString symbol;               // the symbol, or the name of one of its units
    CString footprintFolderPath;  // the NAME.pretty folder read; empty for no footprint
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

  // Adds the component's record to `design`; its gates and package name their libraries
  // as LibraryReference gives. The names are the caller's to check. False, with the
  // reason and nothing added, when the symbol or the footprint cannot be read.
  static bool Build(const Request& request, CDesign& design, std::vector<Unassigned>& unassigned,
                    CString& error);

  // How a component of `componentLibrary` names the symbol library at `libraryPath`: by
  // file name when the library lies beside the component library (where the editor
  // looks first, so the pair can move together), else by its absolute path, which opens
  // on any machine whatever library was used last.
  static CString LibraryReference(const CString& libraryPath, const CString& componentLibrary);

  // The symbol a unit's name stands for: "7400:B" -> "7400"; other names stay.
  static CString SymbolOfUnit(const CString& name);

  // One message listing the terminals left without a pin (the first few of them).
  static CString DescribeUnassigned(const std::vector<Unassigned>& unassigned, const CString& footprint);
};
