#include "app/cli_import_command.h"

#include <memory>
#include <string>
#include <vector>

#include "app/cli_command_set.h"
#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_symbol_import.h"
#include "host/model/component_library_edit.h"
#include "host/model/design.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"

namespace {

struct ImportWords {
  CString library;
  CKicadSymbolImport::Request request;
  std::vector<CString> footprint;  // PRETTY_FOLDER FOOTPRINT, or empty
};

bool Refuse(CString& error, const CString& hint = "") {
  error = CAppError::GetLastError() + hint;
  return false;
}

// False, with the message, for names the library cannot take; the defaults are filled in
// first.
bool CheckNames(CKicadSymbolImport::Request& request, CString& error) {
  const bool nameGiven = !request.name.IsEmpty();
  if (!nameGiven) request.name = CKicadSymbolImport::SymbolOfUnit(request.symbol);
  const bool packageGiven = !request.package.IsEmpty();
  if (!packageGiven) request.package = request.footprint.IsEmpty() ? request.name : request.footprint;
  if (request.defaultReference.IsEmpty()) request.defaultReference = "U";
  if (!ValidComponentName(request.name)) return Refuse(error, nameGiven ? "" : " Name it with --name.");
  if (!ValidPackageName(request.package))
    return Refuse(error, packageGiven ? "" : " Name it with --package.");
  if (!request.footprint.IsEmpty() && !ValidSymbolName(request.footprint)) return Refuse(error);
  if (!ValidDefaultReferenceStem(request.defaultReference)) return Refuse(error);
  return true;
}

bool CheckKinds(const CKicadSymbolImport::Request& request, CString& error) {
  if (KicadLibrary::KindOfPath(request.symbolLibraryPath.str()) != SymbolKind::Schematic) {
    error.FormatMessage("\"%1\" is no .kicad_sym symbol library.", request.symbolLibraryPath);
    return false;
  }
  if (!request.footprint.IsEmpty() &&
      KicadLibrary::KindOfPath(request.footprintFolderPath.str()) != SymbolKind::Pcb) {
    error.FormatMessage("\"%1\" is no .pretty footprint folder.", request.footprintFolderPath);
    return false;
  }
  return true;
}

int Run(ImportWords& words, std::FILE* out, std::FILE* err) {
  const CString& library = words.library;
  CKicadSymbolImport::Request& request = words.request;
  if (words.footprint.size() == 2) {
    request.footprintFolderPath = words.footprint[0];
    request.footprint = words.footprint[1];
  }
  CString error;
  if (!CheckKinds(request, error) || !CheckNames(request, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  request.componentLibrary = library;
  CDesign design;
  std::vector<CKicadSymbolImport::Unassigned> unassigned;
  if (!CKicadSymbolImport::Build(request, design, unassigned, error) ||
      !CComponentLibraryEdit::AddComponent(library, request.name, design, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  const CComponent* record = design.FirstComponent();
  std::fprintf(out, "Added %s to %s: %d gate%s, package %s.\n", request.name.c_str(), library.c_str(),
               record->CountGates(), record->CountGates() == 1 ? "" : "s", request.package.c_str());
  if (!unassigned.empty())
    std::fprintf(out, "%s\n", CKicadSymbolImport::DescribeUnassigned(unassigned, request.footprint).c_str());
  return 0;
}

}  // namespace

void AddImportCommand(CLI::App& app, CliCommandSet& commands) {
  auto words = std::make_shared<ImportWords>();
  CKicadSymbolImport::Request& request = words->request;
  CLI::App* command = app.add_subcommand(
      "import-symbol",
      "Make a component of a KiCad symbol, one gate per unit, as File > Import Symbol does.");
  command->add_option("LIBRARY", words->library, "the component library the component is added to")
      ->type_name("")
      ->required();
  command->add_option("SYMBOL_LIBRARY", request.symbolLibraryPath, "the symbol library (.kicad_sym)")
      ->type_name("")
      ->required();
  command->add_option("SYMBOL", request.symbol, "the symbol to import")->type_name("")->required();
  command
      ->add_option("--footprint", words->footprint,
                   "the package's footprint: a .pretty folder and a footprint in it")
      ->type_name("PRETTY_FOLDER FOOTPRINT")
      ->expected(2);
  command->add_option("--name", request.name, "the component's name (default: the symbol's)")
      ->type_name("NAME");
  command
      ->add_option("--package", request.package,
                   "the package's name (default: the footprint's, else the name)")
      ->type_name("P");
  command->add_option("--reference", request.defaultReference, "the default reference stem (default: U)")
      ->type_name("STEM");
  commands.SetRunner(command, [words, &commands] { return Run(*words, commands.Out(), commands.Err()); });
}
