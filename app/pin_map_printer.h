// Prints a component's pin map as text: what the editor's pin grid shows. And the
// command line's `show`:
//
//   show LIBRARY [COMPONENT] [--keep-going] [--json]
//
// prints every component of LIBRARY (or the one named), package by package.
//
// Where a footprint names its pads (BGA balls A1 ... AB12), its pins are printed by those
// names, which only the footprint knows. A footprint that cannot be read would leave
// bare pin numbers in their place, so `show` and `export` name it on the error stream
// and stop with exit code 1, unless --keep-going lets them print the numbers.
#pragma once

#include <cstdio>

#include "platform/cstring.h"

class CComponent;
class CDesign;
class CPinLabels;
class CliCommandSet;
namespace CLI {
class App;
}

// Pins are written as `labels` writes them: by their lands' names where the footprint
// names them.
void PrintPinMap(std::FILE* out, const CComponent& component, const CPinLabels& labels);

// Writes one line on `err` for each package of the design whose footprint cannot be
// read beside `library` as the editor looks for it; `output` names what the caller
// writes ("shown", "exported"). True when every footprint reads, or when `keepGoing`.
bool ReportUnreadFootprints(const CDesign& design, const CString& library, bool keepGoing, const char* output,
                            std::FILE* err);
// The same for the library's component named `component`; true when it does not load,
// which the caller reports its own way.
bool ReportUnreadFootprints(const CString& library, const CString& component, bool keepGoing,
                            const char* output, std::FILE* err);

// Adds the `show` command; --json prints one object instead (docs/cli-json.md).
void AddShowCommand(CLI::App& app, CliCommandSet& commands);
