// The command-line tool's export of components to the field's libraries:
//
//   export-kicad LIBRARY [COMPONENT...] --out FILE.kicad_sym [--footprints FOLDER.pretty]
//       [--footprint-library NICKNAME] [--leave-unnumbered]
//
// writes one symbol per component and package, as File > Export to KiCad does, and
// prints the summary. A refusal prints one line naming the problem on the error stream,
// exits non-zero and writes nothing.
#pragma once

#include <cstdio>
#include <string_view>

bool IsExportKicadCommand(std::string_view command);
// 0 when done, 1 when refused, 2 when the words do not fit (after printing the usage).
int RunExportKicadCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
