// CKicadPinKinds: what the field's symbol libraries say of a pin beyond its place and
// name, which this program's symbols do not keep: its electrical type, its drawn shape
// (inverted, clock, ...) and whether it is hidden. Read again from the library when a
// component whose gates are drawn by such a symbol goes back out to the field's format.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

class CKicadPinKinds {
 public:
  struct Kind {
    std::string type = "passive";
    std::string shape = "line";
    bool hidden = false;
  };

  // The kind of each terminal (in terminal order) of the unit `unitName` (NAME, or
  // NAME:A for a unit of a symbol of several) of the .kicad_sym library at `path`.
  // False, with the reason, when the library or the unit cannot be read.
  static bool Read(const CString& path, const CString& unitName, std::vector<Kind>& kinds, CString& error);
};
