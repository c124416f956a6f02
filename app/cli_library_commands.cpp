#include "app/cli_library_commands.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

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

constexpr const char* kUsage =
    "usage: component-editor-cli new LIBRARY NAME --package P [--footprint LIB:SYMBOL] [--symbol "
    "LIB:SYMBOL]\n"
    "                                [--gates N] [--reference STEM] [--pins N]\n"
    "       component-editor-cli copy LIBRARY NAME NEW-NAME\n"
    "       component-editor-cli rename LIBRARY NAME NEW-NAME\n"
    "       component-editor-cli delete LIBRARY NAME\n";

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

bool TakeOption(const std::string_view word, const char* value, NewRequest& request) {
  if (word == "--package")
    request.package = value;
  else if (word == "--footprint")
    request.footprint = value;
  else if (word == "--symbol")
    request.symbol = value;
  else if (word == "--gates")
    request.gates = value;
  else if (word == "--reference")
    request.reference = value;
  else if (word == "--pins")
    request.pins = value;
  else
    return false;
  return true;
}

// False when the words do not fit `new`.
bool ParseNew(int argc, char** argv, NewRequest& request) {
  std::vector<CString> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (!word.starts_with("--")) {
      positional.push_back(argv[i]);
      continue;
    }
    if (i + 1 >= argc || !TakeOption(word, argv[i + 1], request)) return false;
    ++i;
  }
  if (positional.size() != 2 || request.package.IsEmpty()) return false;
  request.library = positional[0];
  request.name = positional[1];
  return true;
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

int RunNew(int argc, char** argv, std::FILE* out) {
  NewRequest request;
  if (!ParseNew(argc, argv, request)) return -1;
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

int RunEdit(std::string_view command, int argc, char** argv, std::FILE* out) {
  const bool takesNewName = command != "delete";
  if (argc != (takesNewName ? 5 : 4)) return -1;
  const CString library = argv[2];
  const CString name = argv[3];
  CString error;
  if (!takesNewName) {
    if (!CComponentLibraryEdit::DeleteComponent(library, name, error)) throw Refused{error};
    std::fprintf(out, "Deleted %s from %s.\n", name.c_str(), library.c_str());
    return 0;
  }
  CString newName = argv[4];
  Check(ValidComponentName(newName));
  const bool done = command == "copy" ? CComponentLibraryEdit::CopyComponent(library, name, newName, error)
                                      : CComponentLibraryEdit::RenameComponent(library, name, newName, error);
  if (!done) throw Refused{error};
  std::fprintf(out, "%s %s to %s in %s.\n", command == "copy" ? "Copied" : "Renamed", name.c_str(),
               newName.c_str(), library.c_str());
  return 0;
}

}  // namespace

bool IsLibraryCommand(std::string_view command) {
  return command == "new" || command == "copy" || command == "rename" || command == "delete";
}

int RunLibraryCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
  if (argc < 2 || !IsLibraryCommand(argv[1])) return 2;
  const std::string_view command = argv[1];
  try {
    const int result = command == "new" ? RunNew(argc, argv, out) : RunEdit(command, argc, argv, out);
    if (result >= 0) return result;
    std::fputs(kUsage, err);
    return 2;
  } catch (const Refused& refusal) {
    std::fprintf(err, "%s\n", refusal.message.c_str());
    return 1;
  }
}
