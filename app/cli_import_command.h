// The command-line tool's import of a symbol of the field's symbol libraries:
//
//   import-symbol LIBRARY SYMBOL_LIBRARY SYMBOL [--footprint PRETTY_FOLDER FOOTPRINT]
//       [--name NAME] [--package P] [--reference STEM]
//
// makes a new component of LIBRARY as File > Import Symbol does: one gate per unit of
// SYMBOL (a .kicad_sym file's symbol), and with a footprint the pin map its pin numbers
// give. NAME defaults to the symbol's name, P to the footprint's name (else the
// symbol's), STEM to U. Terminals whose number the footprint has no pad for are listed
// on the output. The gates and the package name their libraries by file name when the
// libraries lie beside LIBRARY, else by absolute path.
//
// Everything is checked before the library is rewritten atomically; a refusal prints one
// line naming the problem on the error stream, exits non-zero and writes nothing.
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

void AddImportCommand(CLI::App& app, CliCommandSet& commands);
