// The command line's account of what changed between two component libraries:
//
//   diff OLD.cmplib NEW.cmplib [COMPONENT...] [--json]
//   diff PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE
//
// prints one line per change (host/model/component_diff.h), located by component and
// package, with every moved pin in the package's pad names. Nothing is printed when
// the two hold the same components, however the files are laid out. Exit code 0 when
// they are the same, 1 when they differ or a file cannot be read, 2 when the words do
// not fit.
//
// The second form is how git runs an external diff driver: PATH names the library in
// the work tree, beside which the footprints are found; a file of "/dev/null" is a
// library that is not there. Git stops at a driver that exits non-zero, so in that
// form a difference exits 0, after a heading line naming PATH.
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

void AddDiffCommand(CLI::App& app, CliCommandSet& commands);
