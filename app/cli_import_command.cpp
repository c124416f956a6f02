#include "app/cli_import_command.h"

#include <string>
#include <vector>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_symbol_import.h"
#include "host/model/component_library_edit.h"
#include "host/model/design.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"

namespace {

constexpr const char* kUsage =
    "usage: component-editor-cli import-symbol LIBRARY SYMBOL_LIBRARY SYMBOL [--footprint PRETTY_FOLDER "
    "FOOTPRINT]\n"
    "                                          [--name NAME] [--package P] [--reference STEM]\n";

// False when the words do not fit.
bool Parse(int argc, char** argv, CString& library, CKicadSymbolImport::Request& request) {
  std::vector<CString> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    const bool hasValue = i + 1 < argc;
    if (word == "--footprint" && i + 2 < argc) {
      request.footprintFolderPath = argv[++i];
      request.footprint = argv[++i];
    } else if (word == "--name" && hasValue) {
      request.name = argv[++i];
    } else if (word == "--package" && hasValue) {
      request.package = argv[++i];
    } else if (word == "--reference" && hasValue) {
      request.defaultReference = argv[++i];
    } else if (word.starts_with("--")) {
      return false;
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.size() != 3) return false;
  library = positional[0];
  request.symbolLibraryPath = positional[1];
  request.symbol = positional[2];
  return true;
}

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

int Run(const CString& library, CKicadSymbolImport::Request& request, std::FILE* out, std::FILE* err) {
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

bool IsImportCommand(std::string_view command) {
  return command == "import-symbol";
}

int RunImportCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
  CString library;
  CKicadSymbolImport::Request request;
  if (!Parse(argc, argv, library, request)) {
    std::fputs(kUsage, err);
    return 2;
  }
  return Run(library, request, out, err);
}
