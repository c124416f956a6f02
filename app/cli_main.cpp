// Command-line face of the editor: what can be shown without a display.
#include <cstdio>
#include <string_view>

#include "app/cli_commands.h"
#include "platform/temp_file.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("component-editor-cli %s\n", CE_VERSION);
    return 0;
  }
  SetAtomicWriteNotes([](const CString& note) { std::fprintf(stderr, "%s\n", note.c_str()); });
  return RunCli(argc, argv, stdout, stderr);
}
