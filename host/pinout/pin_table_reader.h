// CPinTableReader: reads a pinout table (PinTable) from its text. The layout is found by
// the first line that reads as a header of one (title and comment lines before it are
// passed over), or stated by the caller when a generic header would be mistaken. A line
// "Total Number of Pins ..." ends the table.
//
// Refused, with a message naming the source and the line: a text with no header of the
// layout, a row with a field count other than the header's, an empty name, an empty ball
// (a multi-package table marks a missing pin with "-"), and a ball given twice in one
// package. Nothing is kept of a refused table.
#pragma once

#include <string_view>

#include "host/pinout/pin_table.h"
#include "platform/cstring.h"

class CPinTableReader {
 public:
  // `source` names the table in messages; its file name without the extension names the
  // package of a single-package table that does not name it itself.
  static bool Read(std::string_view text, const CString& source, PinTableLayout layout, PinTable& table,
                   CString& error);
  static bool Load(const CString& path, PinTableLayout layout, PinTable& table, CString& error);
};
