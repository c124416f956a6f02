#include "app/cli_export_command.h"

#include <memory>
#include <vector>

#include "app/cli_command_set.h"
#include "host/kicad/kicad_export.h"

namespace {

struct ExportWords {
  CKicadExport::Options options;
  std::vector<CString> components;
};

int Export(const ExportWords& words, std::FILE* out, std::FILE* err) {
  CKicadExport::Summary summary;
  CString error;
  if (!CKicadExport::ExportLibrary(words.options, words.components, summary, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  std::fprintf(out, "%s\n", summary.Describe().c_str());
  return 0;
}

}  // namespace

void AddExportKicadCommand(CLI::App& app, CliCommandSet& commands) {
  auto words = std::make_shared<ExportWords>();
  CKicadExport::Options& options = words->options;
  CLI::App* command = app.add_subcommand(
      "export-kicad", "Write components as a KiCad symbol library, one symbol per package.");
  command->add_option("LIBRARY", options.componentLibrary, "the component library (.cmplib)")
      ->type_name("")
      ->required();
  command->add_option("COMPONENT", words->components, "export only these components")->type_name("");
  command->add_option("--out", options.output, "the symbol library written (FILE.kicad_sym)")
      ->type_name("FILE.kicad_sym")
      ->required();
  command
      ->add_option("--footprints", options.footprintFolder,
                   "also write the footprints into this folder (FOLDER.pretty)")
      ->type_name("FOLDER.pretty");
  command
      ->add_option("--footprint-library", options.footprintLibrary,
                   "the nickname the symbols' footprint fields name")
      ->type_name("NICKNAME");
  command->add_flag("--leave-unnumbered", options.leaveUnnumbered,
                    "write terminals without a pin unnumbered instead of refusing");
  commands.SetRunner(command, [words, &commands] { return Export(*words, commands.Out(), commands.Err()); });
}
