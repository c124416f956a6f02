// CKicadExport: components out to the field's libraries. Every package record of a
// component becomes one symbol of a .kicad_sym file, named after the component when it
// has one package and COMPONENT_PACKAGE when it has several; footprints of this
// program's own libraries can be written beside it as .kicad_mod files of a NAME.pretty
// folder. Everything is built and checked first: a refusal gives one message and writes
// nothing. See docs/kicad-export.md.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/cstring.h"

class CComponent;
class CDesign;

class CKicadExport {
 public:
  struct Options {
    CString componentLibrary;      // the library whose records name the symbol libraries
    CString output;                // the .kicad_sym file
    CString footprintFolder;       // NAME.pretty for the footprints of this program's libraries; empty: none
    CString footprintLibrary;      // the nickname they are named by; empty: the folder's name
    bool leaveUnnumbered = false;  // write terminals without a pin unnumbered instead of refusing
  };

  // One component and its package records.
  struct Source {
    CString name;
    std::vector<const CComponent*> records;
  };

  struct Summary {
    CString output;
    CString footprintFolder;
    std::vector<std::string> symbols;     // written, in file order
    std::vector<std::string> footprints;  // written, by name
    std::vector<CString> notes;           // left out or said otherwise, with the reason
    // What was written and left out, for the user.
    CString Describe() const;
  };

  // The file texts an export would write; false with the reason, as for Export.
  struct Files {
    std::string symbolLibrary;
    std::vector<std::pair<std::string, std::string>> footprints;  // file name and text
  };
  static bool Build(const Options& options, const std::vector<Source>& sources, Files& files,
                    Summary& summary, CString& error);

  // Writes the components. False, with one message and nothing written, for a missing
  // symbol library or footprint, a name the field's files cannot hold, a terminal
  // without a pin (unless leaveUnnumbered), or an output that cannot be written.
  static bool Export(const Options& options, const std::vector<Source>& sources, Summary& summary,
                     CString& error);

  // The components of options.componentLibrary named in `names` (case ignored; all of
  // them when none is named), exported.
  static bool ExportLibrary(const Options& options, const std::vector<CString>& names, Summary& summary,
                            CString& error);

  // The records of `design` for component `name` as a source.
  static Source SourceOf(const CDesign& design, const CString& name);
};
