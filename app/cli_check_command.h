// The command line's check of a component library, for CI and pre-commit hooks:
//
//   check LIBRARY [COMPONENT...] [--json]
//
// runs the editor's validity check of the design over every component of LIBRARY (or
// those named) and the pin grid's rule for terminal names, and prints one line per
// problem, located by component and package, then a summary line. Exit code 0 when
// nothing is wrong, 1 when a problem is found or the library cannot be read, 2 when the
// words do not fit. --json prints one object instead (docs/cli-json.md).
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

void AddCheckCommand(CLI::App& app, CliCommandSet& commands);
