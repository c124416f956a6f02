#include "app/cli_scan_commands.h"

#include <chrono>
#include <string_view>

#include "host/kicad/library_scan.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"

namespace {

int ListSymbols(const char* path, FILE* out, FILE* err) {
  CSymbolLibrary library{CString(path)};
  if (!library.OpenRead()) {
    std::fprintf(err, "%s\n", CAppError::GetLastError().str().c_str());
    return 1;
  }
  for (const CString& name : library.SymbolNames()) {
    // A damaged symbol of the field's libraries is listed by its index; its problem
    // follows the list.
    if (const CSymbol* symbol = library.Find(name))
      std::fprintf(out, "%s\t%d\n", name.str().c_str(), symbol->CountPads());
  }
  for (const CString& problem : library.Problems()) std::fprintf(err, "%s\n", problem.str().c_str());
  return 0;
}

int ScanFolder(const char* folder, FILE* out, FILE* err) {
  const auto start = std::chrono::steady_clock::now();
  CLibraryScan::Result result;
  CString error;
  if (!CLibraryScan::Scan(folder, result, error)) {
    std::fprintf(err, "%s\n", error.str().c_str());
    return 1;
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  for (const CString& failure : result.failures) std::fprintf(out, "%s\n", failure.str().c_str());
  std::fprintf(out,
               "%d files, %d libraries, %d symbols, %lld pads or pins, %d components, %zu failures, %.3f s\n",
               result.files, result.libraries, result.symbols, result.pads, result.components,
               result.failures.size(), seconds.count());
  return result.failures.empty() ? 0 : 1;
}

}  // namespace

int RunScanCommand(int argc, char** argv, FILE* out, FILE* err) {
  if (argc < 2) return -1;
  const std::string_view command = argv[1];
  if (command != "symbols" && command != "scan") return -1;
  if (argc != 3) {
    std::fprintf(err,
                 "usage: component-editor-cli symbols LIBRARY\n       component-editor-cli scan FOLDER\n");
    return 2;
  }
  return command == "symbols" ? ListSymbols(argv[2], out, err) : ScanFolder(argv[2], out, err);
}
