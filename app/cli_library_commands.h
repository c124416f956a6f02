// The command-line tool's changes to a component library, for scripts:
//
//   new LIBRARY NAME --package P [--footprint LIB:SYMBOL] [--symbol LIB:SYMBOL]
//       [--gates N] [--reference STEM] [--pins N]
//   copy LIBRARY NAME NEW-NAME
//   rename LIBRARY NAME NEW-NAME
//   delete LIBRARY NAME
//
// `new` makes the component as the New Component dialog does: the footprint's pads
// give the pin count (or --pins), the symbol's terminals each of the N gates (default
// 1; at most 65535 terminals in all), and without a footprint the terminals are numbered 1, 2, ... in
// gate order. The symbol libraries are looked for as the editor looks for them, first
// beside LIBRARY. A missing LIBRARY becomes a new one.
//
// Each command checks everything first and then rewrites the library atomically, so a
// refusal (a library that does not read, a name already used or not there, a symbol
// that is missing, words that do not fit) prints one line naming the problem on the
// error stream, exits non-zero and leaves every file as it was.
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

// Adds `new`, `copy`, `rename` and `delete`.
void AddLibraryCommands(CLI::App& app, CliCommandSet& commands);
