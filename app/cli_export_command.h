// The command-line tool's export of components to the field's libraries:
//
//   export-kicad LIBRARY [COMPONENT...] --out FILE.kicad_sym [--footprints FOLDER.pretty]
//       [--footprint-library NICKNAME] [--leave-unnumbered]
//
// writes one symbol per component and package, as File > Export to KiCad does, and
// prints the summary. A refusal prints one line naming the problem on the error stream,
// exits non-zero and writes nothing.
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

void AddExportKicadCommand(CLI::App& app, CliCommandSet& commands);
