// The command line's look at symbol libraries of every kind:
//   component-editor-cli symbols LIBRARY   one line per symbol with its pin or pad count
//   component-editor-cli scan FOLDER       reads every library under the folder (component
//                                          libraries too), one summary
#pragma once

#include <cstdio>

// The exit code of a symbols or scan command, or -1 when argv names neither.
int RunScanCommand(int argc, char** argv, FILE* out, FILE* err);
