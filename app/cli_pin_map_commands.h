// The command line's pin map commands:
//   component-editor-cli export LIBRARY COMPONENT [--tsv] [--out FILE] [--keep-going]
//   component-editor-cli import LIBRARY COMPONENT FILE [--by-name]
#pragma once

#include <string_view>

bool IsPinMapCommand(std::string_view command);
// The exit status: 0 done, 1 refused (nothing written), 2 the words do not fit.
int RunPinMapCommand(int argc, char** argv);
