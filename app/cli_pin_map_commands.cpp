#include "app/cli_pin_map_commands.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/cli_command_set.h"
#include "app/pin_map_printer.h"
#include "host/model/gate_names.h"
#include "host/pinmap/pin_map_file.h"
#include "platform/temp_file.h"

namespace {

struct PinMapRequest {
  CString library;
  CString component;
  CString file;
  bool tsv = false;
  bool byName = false;
  bool keepGoing = false;
  CString out;
};

int Refuse(const CString& error, std::FILE* err) {
  std::fprintf(err, "%s\n", error.c_str());
  return 1;
}

int Export(const PinMapRequest& request, std::FILE* out, std::FILE* err) {
  std::string text;
  CString error;
  const PinMapSeparator separator = request.tsv ? PinMapSeparator::Tab : PinMapSeparator::Comma;
  // A footprint that cannot be read would turn its pads' names into bare numbers.
  if (!ReportUnreadFootprints(request.library, request.component, request.keepGoing, "exported", err))
    return 1;
  if (!ExportLibraryPinMap(request.library, request.component, separator, text, error))
    return Refuse(error, err);
  if (request.out.IsEmpty()) {
    std::fwrite(text.data(), 1, text.size(), out);
    return 0;
  }
  return WriteFileAtomically(request.out, text, error) ? 0 : Refuse(error, err);
}

int Import(const PinMapRequest& request, std::FILE* out, std::FILE* err) {
  const CString& file = request.file;
  PinMapPlacement placement;
  CString error;
  const PinMapMatch match = request.byName ? PinMapMatch::TerminalName : PinMapMatch::GateAndTerminal;
  if (!ImportLibraryPinMap(request.library, request.component, file, match, placement, error))
    return Refuse(error, err);
  for (const PinMapUnplaced& unplaced : placement.unplaced)
    std::fprintf(err, "%s:%d: not placed: %s\n", file.c_str(), unplaced.line, unplaced.reason.c_str());
  for (const PinMapRename& rename : placement.renames)
    std::fprintf(err, "%s:%d: gate %s, terminal %d is now named \"%s\"\n", file.c_str(), rename.line,
                 GateString(rename.gate).c_str(), rename.terminal, rename.name.c_str());
  for (const std::vector<PinMapUnplaced>* notes : {&placement.beyondPads, &placement.refusedNames}) {
    for (const PinMapUnplaced& note : *notes)
      std::fprintf(err, "%s:%d: %s\n", file.c_str(), note.line, note.reason.c_str());
  }
  std::fprintf(out, "%d rows placed, %zu not placed.\n", placement.placedRows, placement.unplaced.size());
  return 0;
}

CLI::App* AddComponentCommand(CLI::App& app, const char* name, const char* description,
                              PinMapRequest& request) {
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("LIBRARY", request.library, "the component library (.cmplib)")
      ->type_name("")
      ->required();
  command->add_option("COMPONENT", request.component, "the component")->type_name("")->required();
  return command;
}

}  // namespace

void AddPinMapCommands(CLI::App& app, CliCommandSet& commands) {
  auto exported = std::make_shared<PinMapRequest>();
  CLI::App* command =
      AddComponentCommand(app, "export", "Write a component's pin map as a table.", *exported);
  command->add_flag("--tsv", exported->tsv, "separate the columns by tabs instead of commas");
  command->add_option("--out", exported->out, "write the table to FILE instead of the output")
      ->type_name("FILE");
  command->add_flag("--keep-going", exported->keepGoing,
                    "write pins by number where a footprint that names its pads cannot be read");
  commands.SetRunner(command,
                     [exported, &commands] { return Export(*exported, commands.Out(), commands.Err()); });

  auto imported = std::make_shared<PinMapRequest>();
  command = AddComponentCommand(app, "import", "Place a table's pins into a component's pin map.", *imported);
  command->add_option("FILE", imported->file, "the table (comma or tab separated)")
      ->type_name("")
      ->required();
  command->add_flag("--by-name", imported->byName,
                    "match rows to terminals by name instead of gate and terminal");
  commands.SetRunner(command,
                     [imported, &commands] { return Import(*imported, commands.Out(), commands.Err()); });
}
