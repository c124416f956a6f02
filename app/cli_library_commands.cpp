#include "app/cli_library_commands.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/cli_command_set.h"
#include "host/model/component.h"
#include "host/model/component_library_edit.h"
#include "host/model/design.h"
#include "host/model/new_component.h"
#include "host/model/symbol.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "host/model/symbol_library_locator.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "platform/settings_store.h"

namespace {

// A refusal: the message for the error stream.
struct Refused {
  CString message;
};

// What `new` was asked for.
struct NewRequest {
  CString library;
  CString name;
  CString package;
  CString footprint;  // LIB:SYMBOL, or empty
  CString symbol;     // LIB:SYMBOL, or empty
  CString gates = "1";
  CString reference = "U";
  CString pins;  // empty: the footprint's pad count
};

// One symbol of a symbol library, as LIB:SYMBOL names it.
struct ChosenSymbol {
  CString library;
  CString name;
  int pads = 0;
};

void Check(bool valid) {
  if (!valid) throw Refused{CAppError::GetLastError()};
}

// A whole number from `low` to `high`, else a refusal naming the option.
int ReadNumber(const CString& text, const char* option, long long low, long long high) {
  std::string digits = text.str();
  bool allDigits = !digits.empty() && digits.size() <= 10;
  for (const char ch : digits) allDigits = allDigits && ch >= '0' && ch <= '9';
  const long long value = allDigits ? std::stoll(digits) : -1;
  if (value < low || value > high) {
    CString message;
    message.Format("%s must be a whole number from %lld to %lld, not \"%s\".", option, low, high,
                   text.c_str());
    throw Refused{message};
  }
  return static_cast<int>(value);
}

ChosenSymbol FindSymbol(const CString& libraryAndSymbol, SymbolKind kind, const CString& componentLibrary,
                        const char* option) {
  const int colon = libraryAndSymbol.ReverseFind(':');
  if (colon <= 0 || colon + 1 >= libraryAndSymbol.GetLength())
    throw Refused{CString(option) + " takes LIB:SYMBOL, not \"" + libraryAndSymbol + "\"."};
  ChosenSymbol chosen{libraryAndSymbol.Left(colon), libraryAndSymbol.Mid(colon + 1), 0};
  CString path;
  Check(CSymbolLibraryLocator(kind, componentLibrary).Find(chosen.library, path));
  CString error;
  const std::unique_ptr<CSymbolLibraryContents> contents = CSymbolLibraryFile::Load(path, error);
  if (contents == nullptr) throw Refused{error};
  const CSymbol* symbol = contents->Find(chosen.name.str());
  if (symbol == nullptr) throw Refused{"Symbol " + chosen.name + " does not exist in " + path + "."};
  chosen.pads = symbol->CountPins();
  return chosen;
}

// Without a footprint the terminals are numbered 1, 2, ... in gate order, and a pin
// number goes no higher than a pad's; the same bound keeps a mistyped count from writing
// a library of millions of terminals.
void CheckTerminalCount(long long gates, long long pins) {
  const long long terminals = gates * pins;
  if (terminals <= CSymbolLibraryFile::kMaxPadNumber) return;
  CString message;
  message.Format("--gates %lld would make %lld terminals (%lld gates of %lld); a component has at most %d.",
                 gates, terminals, gates, pins, CSymbolLibraryFile::kMaxPadNumber);
  throw Refused{message};
}

// The record as the New Component dialog makes it, every value checked before the
// design sees any.
void BuildComponent(const NewRequest& request, CDesign& design) {
  Check(ValidComponentName(request.name));
  Check(ValidPackageName(request.package));
  ChosenSymbol footprint;
  if (!request.footprint.IsEmpty())
    footprint = FindSymbol(request.footprint, SymbolKind::Pcb, request.library, "--footprint");
  ChosenSymbol symbol;
  if (!request.symbol.IsEmpty())
    symbol = FindSymbol(request.symbol, SymbolKind::Schematic, request.library, "--symbol");
  Check(ValidDefaultReferenceStem(request.reference));
  CNewComponent component;
  component.name = request.name;
  component.package = request.package;
  component.pcbSymbol = footprint.name;
  component.pcbLibrary = footprint.library;
  component.pins = request.pins.IsEmpty() ? footprint.pads : ReadNumber(request.pins, "--pins", 0, INT_MAX);
  component.scmSymbol = symbol.name;
  component.scmLibrary = symbol.library;
  component.scmPins = symbol.pads;
  component.gates = ReadNumber(request.gates, "--gates", 1, CComponent::kMaxGateIndex + 1);
  CheckTerminalCount(component.gates, symbol.pads);
  component.defaultReference = request.reference;
  Check(component.CheckCounts());
  component.AddTo(design);
}

// Fresh settings in memory for as long as it lives: the symbol libraries are looked for
// the same way on every machine, and the user's settings are never written.
class ScopedMemorySettings {
 public:
  ScopedMemorySettings() { InstallMemorySettings(); }
  ~ScopedMemorySettings() { SetCurrentSettings(nullptr); }
  ScopedMemorySettings(const ScopedMemorySettings&) = delete;
  ScopedMemorySettings& operator=(const ScopedMemorySettings&) = delete;
};

bool FileExists(const CString& path) {
  std::error_code code;
  return std::filesystem::exists(path.str(), code) && !code;
}

int RunNew(const NewRequest& request, std::FILE* out) {
  const ScopedMemorySettings settings;
  CDesign design;
  BuildComponent(request, design);
  const bool created = !FileExists(request.library);
  CString error;
  if (!CComponentLibraryEdit::AddComponent(request.library, request.name, design, error))
    throw Refused{error};
  std::fprintf(out, "Added %s to %s%s.\n", request.name.c_str(), request.library.c_str(),
               created ? ", a new library" : "");
  return 0;
}

// What `copy`, `rename` and `delete` were asked for.
struct EditRequest {
  CString library;
  CString name;
  CString newName;
};

int RunEdit(std::string_view command, const EditRequest& request, std::FILE* out) {
  const CString& library = request.library;
  const CString& name = request.name;
  CString error;
  if (command == "delete") {
    if (!CComponentLibraryEdit::DeleteComponent(library, name, error)) throw Refused{error};
    std::fprintf(out, "Deleted %s from %s.\n", name.c_str(), library.c_str());
    return 0;
  }
  const CString& newName = request.newName;
  Check(ValidComponentName(newName));
  const bool done = command == "copy" ? CComponentLibraryEdit::CopyComponent(library, name, newName, error)
                                      : CComponentLibraryEdit::RenameComponent(library, name, newName, error);
  if (!done) throw Refused{error};
  std::fprintf(out, "%s %s to %s in %s.\n", command == "copy" ? "Copied" : "Renamed", name.c_str(),
               newName.c_str(), library.c_str());
  return 0;
}

// A refusal becomes its message on the error stream and exit code 1.
int Refusing(const std::function<int()>& run, std::FILE* err) {
  try {
    return run();
  } catch (const Refused& refusal) {
    std::fprintf(err, "%s\n", refusal.message.c_str());
    return 1;
  }
}

void AddNewCommand(CLI::App& app, CliCommandSet& commands) {
  auto request = std::make_shared<NewRequest>();
  CLI::App* command = app.add_subcommand("new", "Add a new component, as the New Component dialog makes it.");
  command->add_option("LIBRARY", request->library, "the component library; a missing one is made")
      ->type_name("")
      ->required();
  command->add_option("NAME", request->name, "the new component's name")->type_name("")->required();
  command->add_option("--package", request->package, "the package's name")->type_name("P")->required();
  command->add_option("--footprint", request->footprint, "LIB:SYMBOL, the footprint whose pads give the pins")
      ->type_name("LIB:SYMBOL");
  command->add_option("--symbol", request->symbol, "LIB:SYMBOL, the schematic symbol of every gate")
      ->type_name("LIB:SYMBOL");
  command->add_option("--gates", request->gates, "how many gates (default: 1)")->type_name("N");
  command->add_option("--reference", request->reference, "the default reference stem (default: U)")
      ->type_name("STEM");
  command->add_option("--pins", request->pins, "the pin count (default: the footprint's pad count)")
      ->type_name("N");
  commands.SetRunner(command, [request, &commands] {
    return Refusing([&] { return RunNew(*request, commands.Out()); }, commands.Err());
  });
}

void AddEditCommand(CLI::App& app, CliCommandSet& commands, const char* name, const char* description) {
  auto request = std::make_shared<EditRequest>();
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("LIBRARY", request->library, "the component library")->type_name("")->required();
  command->add_option("NAME", request->name, "the component's name")->type_name("")->required();
  if (std::string_view(name) != "delete")
    command->add_option("NEW-NAME", request->newName, "the name it gets")->type_name("")->required();
  commands.SetRunner(command, [name, request, &commands] {
    return Refusing([&] { return RunEdit(name, *request, commands.Out()); }, commands.Err());
  });
}

}  // namespace

void AddLibraryCommands(CLI::App& app, CliCommandSet& commands) {
  AddNewCommand(app, commands);
  AddEditCommand(app, commands, "copy", "Copy a component under a new name.");
  AddEditCommand(app, commands, "rename", "Rename a component.");
  AddEditCommand(app, commands, "delete", "Delete a component.");
}
