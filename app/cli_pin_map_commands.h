// The command line's pin map commands:
//   component-editor-cli export LIBRARY COMPONENT [--tsv] [--out FILE] [--keep-going]
//   component-editor-cli import LIBRARY COMPONENT FILE [--by-name]
#pragma once

namespace CLI {
class App;
}
class CliCommandSet;

// Adds `export` and `import`.
void AddPinMapCommands(CLI::App& app, CliCommandSet& commands);
