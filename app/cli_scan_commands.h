// The command line's look at symbol libraries of every kind:
//   component-editor-cli symbols LIBRARY [--json]  one line per symbol with its pin or
//                                                  pad count
//   component-editor-cli scan FOLDER [--json]      reads every library under the folder
//                                                  (component libraries too), one summary
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

// Adds `symbols` and `scan`; --json prints one object instead (docs/cli-json.md).
void AddScanCommands(CLI::App& app, CliCommandSet& commands);
