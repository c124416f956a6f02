#include "tests/support/cli_run.h"

namespace {

std::string Drain(std::FILE* file) {
  if (file == nullptr) return {};
  std::rewind(file);
  std::string text;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
  std::fclose(file);
  return text;
}

}  // namespace

CliRun RunCliCommand(CliCommand command, std::vector<std::string> words) {
  std::string program = "component-editor-cli";
  std::vector<char*> argv{program.data()};
  for (std::string& word : words) argv.push_back(word.data());
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  CliRun run;
  run.code = command(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = Drain(out);
  run.err = Drain(err);
  return run;
}
