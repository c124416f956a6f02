// Command-line face of the editor: what can be shown without a display.
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/cli_check_command.h"
#include "app/cli_diff_command.h"
#include "app/cli_export_command.h"
#include "app/cli_import_command.h"
#include "app/cli_library_commands.h"
#include "app/cli_pin_map_commands.h"
#include "app/cli_pinout_command.h"
#include "app/cli_scan_commands.h"
#include "app/component_renderer.h"
#include "app/pin_map_printer.h"
#include "editor/resources/component_editor_resources.h"
#include "platform/resource_registry.h"
#include "platform/temp_file.h"

namespace {
void PrintDialogs() {
  for (const auto& [id, dialog] : ComponentEditorResources().dialogs) {
    std::printf("%u  \"%s\"  %d x %d dialog units, %zu controls\n", id, dialog.caption.c_str(), dialog.cx,
                dialog.cy, dialog.controls.size());
    for (const ControlTemplate& control : dialog.controls) {
      std::printf("      %5d %-9s %4d,%4d %4d x %-4d \"%s\"\n", control.id, control.className.c_str(),
                  control.x, control.y, control.cx, control.cy, control.text.c_str());
    }
  }
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: component-editor-cli dialogs\n"
      "       component-editor-cli show LIBRARY [COMPONENT] [--keep-going]\n"
      "       component-editor-cli render LIBRARY COMPONENT [--package NAME] [--size WxH] --out DIR\n"
      "       component-editor-cli export LIBRARY COMPONENT [--tsv] [--out FILE] [--keep-going]\n"
      "       component-editor-cli import LIBRARY COMPONENT FILE [--by-name]\n"
      "       component-editor-cli import-symbol LIBRARY SYMBOL_LIBRARY SYMBOL\n"
      "                                  [--footprint PRETTY_FOLDER FOOTPRINT] [--name NAME]\n"
      "                                  [--package P] [--reference STEM]\n"
      "       component-editor-cli new LIBRARY NAME --package P [--footprint LIB:SYMBOL]\n"
      "                                  [--symbol LIB:SYMBOL] [--gates N] [--reference STEM] [--pins N]\n"
      "       component-editor-cli copy|rename LIBRARY NAME NEW-NAME\n"
      "       component-editor-cli delete LIBRARY NAME\n"
      "       component-editor-cli symbols LIBRARY\n"
      "       component-editor-cli scan FOLDER\n"
      "       component-editor-cli export-kicad LIBRARY [COMPONENT...] --out FILE.kicad_sym\n"
      "                                  [--footprints FOLDER.pretty] [--footprint-library NICKNAME]\n"
      "                                  [--leave-unnumbered]\n"
      "       component-editor-cli check LIBRARY [COMPONENT...] [--json]\n"
      "       component-editor-cli diff OLD.cmplib NEW.cmplib [COMPONENT...] [--json]\n"
      "       component-editor-cli import-pinout LIBRARY TABLE --name NAME [--symbols OUT.scmlib]\n"
      "                                  [--split bank|unit|none] [--layout xilinx|lattice|generic]\n"
      "                                  [--footprint PACKAGE=PRETTY_FOLDER:FOOTPRINT ...] [--add-packages]\n"
      "A command that writes a file refuses a read-only one unless --overwrite-read-only is given.\n");
  return 2;
}

// render LIBRARY COMPONENT [--package NAME] [--size WxH] --out DIR; false when the words
// do not fit, with a message when a value is wrong.
bool ParseRender(int argc, char** argv, RenderRequest& request) {
  std::vector<std::string_view> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    const bool hasValue = i + 1 < argc;
    if (word == "--package" && hasValue) {
      request.package = argv[++i];
    } else if (word == "--out" && hasValue) {
      request.outputDirectory = argv[++i];
    } else if (word == "--size" && hasValue) {
      CString error;
      if (!ParseRenderSize(argv[++i], request.windowSize, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
      }
    } else if (word.starts_with("--")) {
      return false;
    } else {
      positional.push_back(word);
    }
  }
  if (positional.size() != 2 || request.outputDirectory.IsEmpty()) return false;
  request.library = positional[0];
  request.component = positional[1];
  return !request.component.IsEmpty();
}

// Takes --overwrite-read-only out of the words: every command may then write over a
// read-only library or output file.
int TakeOverwriteReadOnly(int argc, char** argv) {
  int kept = 0;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::string_view(argv[i]) == "--overwrite-read-only") {
      SetReplaceReadOnlyFiles(true);
      continue;
    }
    argv[kept++] = argv[i];
  }
  argv[kept] = nullptr;
  return kept;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("component-editor-cli %s\n", CE_VERSION);
    return 0;
  }
  argc = TakeOverwriteReadOnly(argc, argv);
  SetAtomicWriteNotes([](const CString& note) { std::fprintf(stderr, "%s\n", note.c_str()); });
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (const int scanned = RunScanCommand(argc, argv, stdout, stderr); scanned >= 0) return scanned;
  if (command == "dialogs") {
    PrintDialogs();
    return 0;
  }
  if (command == "show") return RunShowCommand(argc, argv, stdout, stderr);
  if (IsLibraryCommand(command)) return RunLibraryCommand(argc, argv, stdout, stderr);
  if (IsImportCommand(command)) return RunImportCommand(argc, argv, stdout, stderr);
  if (IsPinMapCommand(command)) return RunPinMapCommand(argc, argv);
  if (IsExportKicadCommand(command)) return RunExportKicadCommand(argc, argv, stdout, stderr);
  if (IsPinoutCommand(command)) return RunPinoutCommand(argc, argv, stdout, stderr);
  if (command == "render") {
    RenderRequest request;
    if (!ParseRender(argc, argv, request)) return Usage();
    return RenderComponent(request, stdout);
  }
  if (IsCheckCommand(command)) return RunCheckCommand(argc, argv, stdout, stderr);
  if (IsDiffCommand(command)) return RunDiffCommand(argc, argv, stdout, stderr);
  return Usage();
}
