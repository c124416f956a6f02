// The command-line tool's import of a chip maker's pinout table:
//
//   import-pinout LIBRARY TABLE --name NAME [--symbols OUT.scmlib] [--split bank|unit|none]
//       [--layout xilinx|lattice|generic] [--footprint PACKAGE=PRETTY_FOLDER:FOOTPRINT ...]
//   import-pinout LIBRARY TABLE --name NAME --add-packages [--layout ...] [--footprint ...]
//
// makes a new component of LIBRARY from TABLE: a gate per bank (or per unit, or one),
// each drawn by a symbol generated into OUT.scmlib (LIBRARY's name with .scmlib by
// default), and a package per ball column with its pin map by ball name on the footprint
// given for it. Balls a footprint lacks, its pads no pin uses and balls left without a
// pin are listed on the output. With --add-packages the table's packages join the
// existing component NAME instead, its terminals matched to the table's pins by name.
//
// A refusal (a table that does not read, with its line; a name taken; a footprint that is
// missing) prints one line naming the problem on the error stream, exits non-zero and
// leaves both libraries as they were.
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

void AddPinoutCommand(CLI::App& app, CliCommandSet& commands);
