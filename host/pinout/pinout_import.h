// CPinoutImport: a new component of a library made from a pinout table in one step. The
// table's gates (CPinoutPlan) are drawn by symbols generated into a schematic symbol
// library; each package of the table becomes a package record whose pin map gives each
// pin the footprint's pad of its ball's name. A ball the footprint lacks, a pad no pin
// uses, and, without a footprint, balls that are no plain pin number, are reported as
// notes; such pins stay unassigned, as do pins absent from a package.
//
// Everything is read and checked first; then the symbol library and the component
// library are each replaced atomically while both are locked. A refusal leaves both as
// they were.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/pinout/pin_table.h"
#include "host/pinout/pinout_plan.h"
#include "platform/cstring.h"

class CDesign;
class CSymbolLibraryContents;

class CPinoutImport {
 public:
  struct Request {
    CString componentLibrary;
    CString table;
    PinTableLayout layout = PinTableLayout::Detect;
    CString name;
    CString symbolLibrary;  // empty: LIBRARY.scmlib beside the component library
    PinGateSplit split = PinGateSplit::Bank;
    std::vector<std::pair<CString, CString>> footprints;  // package, FOLDER:FOOTPRINT
    CString defaultReference = "U";
    std::map<std::size_t, PinKind> kinds;  // by table row: the kinds the user chose
  };

  // What a run made, for its report.
  struct Summary {
    PinTableLayout layout = PinTableLayout::Detect;
    std::size_t pins = 0;
    std::size_t gates = 0;
    std::vector<std::string> packages;
    std::vector<CString> notes;
  };

  // Reads the table and plans its gates: what a preview shows.
  static bool Prepare(const Request& request, PinTable& table, CPinoutPlan& plan, CString& error);
  // The component's records and their symbols, nothing written.
  static bool Build(const Request& request, const PinTable& table, const CPinoutPlan& plan, CDesign& design,
                    CSymbolLibraryContents& symbols, std::vector<CString>& notes, CString& error);
  // Build, with the symbols added to the symbol library and the library replaced (locked
  // meanwhile); the records are left to the caller to save. On failure the design may
  // hold records: the caller's design is a new one, dropped then.
  static bool BuildAndSaveSymbols(const Request& request, const PinTable& table, const CPinoutPlan& plan,
                                  CDesign& design, std::vector<CString>& notes, CString& error);
  // Prepare, Build, and the writing of both libraries.
  static bool Run(const Request& request, Summary& summary, CString& error);

  // Another table of the same die (another package's file): its packages join the
  // existing component `request.name` as new package records, each terminal taking the
  // ball of the table's pin of its name (the n-th GND terminal the n-th GND pin).
  // Terminals the table has no pin for, and pins no terminal takes, are reported. Refused
  // for a component the library lacks or a package it has.
  static bool AddPackages(const Request& request, Summary& summary, CString& error);

  static CString SymbolLibraryPath(const Request& request);
};
