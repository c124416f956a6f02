// CSymbolLibraryFile: the file format of symbol libraries, versioned JSON described in
// docs/symbol-library-format.md. Schematic libraries end in .scmlib, PCB libraries in
// .pcblib; both share the layout and differ in their pads.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/model/symbol_library_contents.h"
#include "platform/cstring.h"

class CSymbolLibraryFile {
 public:
  // The newest version, the one before everything it adds, the version that lets a PCB
  // land share its pin's number with others or have none, and the one that gives
  // schematic pins their shapes. Files are written in the oldest version that holds
  // them.
  static constexpr int kVersion = 3;
  static constexpr int kFirstVersion = 1;
  static constexpr int kLandsVersion = 2;
  static constexpr int kPinShapesVersion = 3;
  static constexpr size_t kMaxNameLength = 64;
  static constexpr size_t kMaxPadNameLength = 32;
  static constexpr size_t kMaxTextLength = 256;
  static constexpr int kMaxPadNumber = 65535;

  // Null, with a message naming source and the place, when the text is not a valid
  // library.
  static std::unique_ptr<CSymbolLibraryContents> Parse(std::string_view text, const CString& source,
                                                       CString& error);
  static std::unique_ptr<CSymbolLibraryContents> Load(const CString& path, CString& error);

  // Reading the result gives the same contents; formatting those gives the same text.
  static std::string Format(const CSymbolLibraryContents& contents);
  // Replaces the file atomically: on failure the old file is left as it was.
  static bool Save(const CString& path, const CSymbolLibraryContents& contents, CString& error);
};
