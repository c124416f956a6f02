// Runs one command of the command-line tool inside the test's process, with its output
// and error streams caught, as a user at a shell would see them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct CliRun {
  int code = -1;
  std::string out;
  std::string err;
};

using CliCommand = int (*)(int argc, char** argv, std::FILE* out, std::FILE* err);

// `words` are what follows the program's name.
CliRun RunCliCommand(CliCommand command, std::vector<std::string> words);
