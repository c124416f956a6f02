// CTechnologyFile: the file format of technologies, versioned JSON described in
// docs/technology-format.md (.scmtech for schematic designs, .pcbtech for PCB designs).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/model/technology.h"
#include "platform/cstring.h"

class CTechnologyFile {
 public:
  static constexpr int kVersion = 1;
  static constexpr size_t kMaxNameLength = 64;

  // Null, with a message naming source and the place, when the text is not a valid
  // technology.
  static std::unique_ptr<CTechnology> Parse(std::string_view text, const CString& source, CString& error);
  static std::unique_ptr<CTechnology> Load(const CString& path, CString& error);

  static std::string Format(const CTechnology& technology);
  // Replaces the file atomically: on failure the old file is left as it was.
  static bool Save(const CString& path, const CTechnology& technology, CString& error);

  // "#RRGGBB", upper-case hexadecimal.
  static std::string FormatColour(COLORREF colour);
};
