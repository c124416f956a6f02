// CKicadFootprintReader: reads footprints (.kicad_mod files, format of 2021 and later and
// the older "module" files) into PCB symbols, and a NAME.pretty folder of them into a
// PCB symbol library. See docs/kicad-libraries.md for how pads become pins.
#pragma once

#include <memory>
#include <string_view>

#include "host/model/symbol.h"
#include "host/model/symbol_library_contents.h"
#include "platform/cstring.h"

class CKicadFootprintReader {
 public:
  // The newest format version read; later files are refused.
  static constexpr int64_t kNewestVersion = 20241229;

  // The footprint named `name`, or null with a located message when the text is no
  // footprint, of a future version, or damaged.
  static std::unique_ptr<CSymbol> Parse(std::string_view text, std::string_view fileName, const CString& name,
                                        CString& error);
  // Every .kicad_mod file of the folder, by name; a file that cannot be read is left
  // out with its message among the contents' problems. Null when the folder cannot be
  // listed.
  static std::unique_ptr<CSymbolLibraryContents> LoadFolder(const CString& folder, CString& error);
};
