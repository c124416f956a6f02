// The command-line tool's words, parsed in one place for every command:
//
//   component-editor-cli [--overwrite-read-only] COMMAND ...
//   component-editor-cli --help | COMMAND --help
//
// Exit codes for every command: 0 done, 1 refused or problems found, 2 words that do not
// fit the command (an unknown option, a missing argument), after its usage on `err`.
#pragma once

#include <cstdio>

int RunCli(int argc, char** argv, std::FILE* out, std::FILE* err);
