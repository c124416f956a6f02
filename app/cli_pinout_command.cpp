#include "app/cli_pinout_command.h"

#include <memory>
#include <string>
#include <vector>

#include "app/cli_command_set.h"
#include "host/pinout/pinout_import.h"

namespace {

// The words as given; --split, --layout and --footprint are read once parsed.
struct PinoutWords {
  CPinoutImport::Request request;
  std::string split;
  std::string layout;
  std::vector<std::string> footprints;
  bool addPackages = false;
};

bool TakeFootprint(const std::string& value, CPinoutImport::Request& request) {
  const std::size_t equals = value.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  request.footprints.emplace_back(CString(value.substr(0, equals)), CString(value.substr(equals + 1)));
  return true;
}

// False, with the message on `err`, when a value does not fit.
bool ReadValues(PinoutWords& words, std::FILE* err) {
  CPinoutImport::Request& request = words.request;
  const char* wrong = nullptr;
  std::string value;
  if (!words.split.empty() && !ReadPinGateSplit(words.split, request.split)) {
    wrong = "--split takes bank, unit or none";
    value = words.split;
  } else if (!words.layout.empty() && !ReadPinTableLayout(words.layout, request.layout)) {
    wrong = "--layout takes xilinx, lattice or generic";
    value = words.layout;
  }
  for (const std::string& footprint : words.footprints) {
    if (wrong == nullptr && !TakeFootprint(footprint, request)) {
      wrong = "--footprint takes PACKAGE=PRETTY_FOLDER:FOOTPRINT";
      value = footprint;
    }
  }
  if (wrong != nullptr) std::fprintf(err, "%s, not \"%s\".\n", wrong, value.c_str());
  return wrong == nullptr;
}

int RunPinout(PinoutWords& words, std::FILE* out, std::FILE* err) {
  if (!ReadValues(words, err)) return CliCommandSet::kWrongUsage;
  CPinoutImport::Request& request = words.request;
  const bool addPackages = words.addPackages;
  CPinoutImport::Summary summary;
  CString error;
  if (!(addPackages ? CPinoutImport::AddPackages(request, summary, error)
                    : CPinoutImport::Run(request, summary, error))) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  if (addPackages)
    std::fprintf(out, "Added %zu package%s to %s in %s from a %s table of %zu pins.\n",
                 summary.packages.size(), summary.packages.size() == 1 ? "" : "s", request.name.c_str(),
                 request.componentLibrary.c_str(), PinTableLayoutName(summary.layout), summary.pins);
  else
    std::fprintf(out,
                 "Added %s to %s from a %s table of %zu pins: %zu gate%s, %zu package%s; symbols in %s.\n",
                 request.name.c_str(), request.componentLibrary.c_str(), PinTableLayoutName(summary.layout),
                 summary.pins, summary.gates, summary.gates == 1 ? "" : "s", summary.packages.size(),
                 summary.packages.size() == 1 ? "" : "s", CPinoutImport::SymbolLibraryPath(request).c_str());
  for (const std::string& package : summary.packages) std::fprintf(out, "  package %s\n", package.c_str());
  for (const CString& note : summary.notes) std::fprintf(out, "%s\n", note.c_str());
  return 0;
}

}  // namespace

void AddPinoutCommand(CLI::App& app, CliCommandSet& commands) {
  auto words = std::make_shared<PinoutWords>();
  CLI::App* command = app.add_subcommand(
      "import-pinout", "Make a component of a chip maker's pinout table, with its symbols.");
  command->add_option("LIBRARY", words->request.componentLibrary, "the component library")
      ->type_name("")
      ->required();
  command->add_option("TABLE", words->request.table, "the pinout table")->type_name("")->required();
  command->add_option("--name", words->request.name, "the component's name")->type_name("NAME")->required();
  command
      ->add_option(
          "--symbols", words->request.symbolLibrary,
          "the symbol library the gates' symbols are written to (default: LIBRARY's name with .scmlib)")
      ->type_name("OUT.scmlib");
  command->add_option("--split", words->split, "one gate per bank (default), per unit, or one gate for all")
      ->type_name("bank|unit|none");
  command->add_option("--layout", words->layout, "the table's layout (default: told by its header)")
      ->type_name("xilinx|lattice|generic");
  command
      ->add_option("--footprint", words->footprints, "a package's footprint; may be given once per package")
      ->type_name("PACKAGE=PRETTY_FOLDER:FOOTPRINT");
  command->add_flag("--add-packages", words->addPackages,
                    "add the table's packages to the existing component NAME instead");
  commands.SetRunner(command,
                     [words, &commands] { return RunPinout(*words, commands.Out(), commands.Err()); });
}
