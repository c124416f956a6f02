#include "app/cli_pin_map_commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/pin_map_printer.h"
#include "host/model/gate_names.h"
#include "host/pinmap/pin_map_file.h"
#include "platform/temp_file.h"

namespace {

struct PinMapRequest {
  std::vector<std::string_view> positional;
  bool tsv = false;
  bool byName = false;
  bool keepGoing = false;
  CString out;
};

int PinMapUsage() {
  std::fprintf(stderr,
               "usage: component-editor-cli export LIBRARY COMPONENT [--tsv] [--out FILE] [--keep-going]\n"
               "       component-editor-cli import LIBRARY COMPONENT FILE [--by-name]\n");
  return 2;
}

bool ParseWords(int argc, char** argv, PinMapRequest& request) {
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--tsv") {
      request.tsv = true;
    } else if (word == "--by-name") {
      request.byName = true;
    } else if (word == "--keep-going") {
      request.keepGoing = true;
    } else if (word == "--out" && i + 1 < argc) {
      request.out = argv[++i];
    } else if (word.starts_with("--")) {
      return false;
    } else {
      request.positional.push_back(word);
    }
  }
  return true;
}

int Refuse(const CString& error) {
  std::fprintf(stderr, "%s\n", error.c_str());
  return 1;
}

int Export(const PinMapRequest& request) {
  std::string text;
  CString error;
  const PinMapSeparator separator = request.tsv ? PinMapSeparator::Tab : PinMapSeparator::Comma;
  // A footprint that cannot be read would turn its pads' names into bare numbers.
  if (!ReportUnreadFootprints(CString(request.positional[0]), CString(request.positional[1]),
                              request.keepGoing, "exported", stderr))
    return 1;
  if (!ExportLibraryPinMap(CString(request.positional[0]), CString(request.positional[1]), separator, text,
                           error))
    return Refuse(error);
  if (request.out.IsEmpty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  return WriteFileAtomically(request.out, text, error) ? 0 : Refuse(error);
}

int Import(const PinMapRequest& request) {
  const CString file(request.positional[2]);
  PinMapPlacement placement;
  CString error;
  const PinMapMatch match = request.byName ? PinMapMatch::TerminalName : PinMapMatch::GateAndTerminal;
  if (!ImportLibraryPinMap(CString(request.positional[0]), CString(request.positional[1]), file, match,
                           placement, error))
    return Refuse(error);
  for (const PinMapUnplaced& unplaced : placement.unplaced)
    std::fprintf(stderr, "%s:%d: not placed: %s\n", file.c_str(), unplaced.line, unplaced.reason.c_str());
  for (const PinMapRename& rename : placement.renames)
    std::fprintf(stderr, "%s:%d: gate %s, terminal %d is now named \"%s\"\n", file.c_str(), rename.line,
                 GateString(rename.gate).c_str(), rename.terminal, rename.name.c_str());
  for (const std::vector<PinMapUnplaced>* notes : {&placement.beyondPads, &placement.refusedNames}) {
    for (const PinMapUnplaced& note : *notes)
      std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), note.line, note.reason.c_str());
  }
  std::printf("%d rows placed, %zu not placed.\n", placement.placedRows, placement.unplaced.size());
  return 0;
}

}  // namespace

bool IsPinMapCommand(std::string_view command) {
  return command == "export" || command == "import";
}

int RunPinMapCommand(int argc, char** argv) {
  PinMapRequest request;
  if (argc < 2 || !ParseWords(argc, argv, request)) return PinMapUsage();
  const std::string_view command = argv[1];
  if (command == "export" && request.positional.size() == 2 && !request.byName) return Export(request);
  if (command == "import" && request.positional.size() == 3 && !request.tsv && request.out.IsEmpty() &&
      !request.keepGoing)
    return Import(request);
  return PinMapUsage();
}
