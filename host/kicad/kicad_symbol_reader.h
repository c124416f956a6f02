// CKicadSymbolReader: reads a .kicad_sym symbol library (format of 2021 and later) into
// schematic symbols, one per unit of each symbol. See docs/kicad-libraries.md.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_pin_shape.h"
#include "platform/cstring.h"

class CKicadSymbolReader {
 public:
  // The newest format version read; later files are refused.
  static constexpr int64_t kNewestVersion = 20241209;
  // Symbol texts of files up to this version give their angles in tenths of a degree.
  static constexpr int64_t kLastTenthsVersion = 20211014;
  // The pins' graphic styles as the files name them, in the order of PinShape.
  static constexpr std::array<std::string_view, 9> kPinStyles = {
      "line",      "inverted",   "clock",           "inverted_clock", "input_low",
      "clock_low", "output_low", "edge_clock_high", "non_logic"};

  // Null, with a located message, when the text is no symbol library or of a future
  // version. Otherwise the symbols that could be read; each one that could not is left
  // out with a located message among the contents' problems.
  static std::unique_ptr<CSymbolLibraryContents> Parse(std::string_view text, std::string_view fileName,
                                                       CString& error);
  static std::unique_ptr<CSymbolLibraryContents> Load(const CString& path, CString& error);

  // One top-level (symbol ...) list of a library's text, and the line it begins on.
  struct Entry {
    std::string_view text;
    int line = 1;
  };
  // The units of the first entry's symbol alone, read from its own list and the lists of
  // the symbols it extends (the entries after it), as Parse would read them from the
  // whole file of format `version`. What cannot be read is among the problems.
  static std::unique_ptr<CSymbolLibraryContents> ParseEntries(const std::vector<Entry>& entries,
                                                              int64_t version, std::string_view fileName);
  // As ParseEntries, also giving the pin numbers of each unit read.
  struct Unit;
  static std::unique_ptr<CSymbolLibraryContents> ParseEntries(const std::vector<Entry>& entries,
                                                              int64_t version, std::string_view fileName,
                                                              std::vector<Unit>& units);
  // The unit of a symbol's part named "NAME_UNIT_STYLE"; -1 when the name does not end so.
  static int UnitOfPart(std::string_view name);

  // One unit of a symbol as the library lists it, with the pin number (7, A1, EP) of
  // each of its terminals, in terminal order.
  struct Unit {
    CString name;
    std::vector<std::string> pinNumbers;
  };
  // The units of the symbol `symbol` (case ignored; a unit's name stands for its symbol),
  // in unit order. False, with the reason, when the library cannot be read or has no
  // such symbol.
  static bool ReadUnits(const CString& path, const CString& symbol, std::vector<Unit>& units, CString& error);

  // The name of unit `unit` (from 1) of a symbol with `units` units: the symbol's own
  // name for a single unit, else the name, a colon and the unit's letters (A ... Z, AA ...).
  static CString UnitName(std::string_view symbol, int unit, int units);
};
