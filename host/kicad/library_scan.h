// CLibraryScan: reads every library under a folder in full, as the editor would open
// them: symbol libraries, this program's own and the field's, and component libraries,
// and counts what it read.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

class CLibraryScan {
 public:
  struct Result {
    int files = 0;  // library files, and each footprint file of a folder
    int libraries = 0;
    int symbols = 0;
    long long pads = 0;  // pins of schematic symbols, pads of PCB symbols
    int components = 0;  // of the component libraries
    // A located message for each library or part of one that could not be read.
    std::vector<CString> failures;
  };

  // Walks `folder` and its subfolders (a footprint folder is one library, not walked
  // further). False, with the reason, when the folder cannot be read.
  static bool Scan(const CString& folder, Result& result, CString& error);
  // Reads one library into `result`.
  static void ScanLibrary(const CString& path, Result& result);

 private:
  static void ScanComponentLibrary(const CString& path, Result& result);

  // Reads the libraries on every core, adding up in their order.
  static void ScanAll(const std::vector<std::string>& libraries, Result& result);
};
