#include "app/cli_scan_commands.h"

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/cli_command_set.h"
#include "host/kicad/library_scan.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"

namespace {

struct ScanRequest {
  CString path;
  bool json = false;
};

void PrintJson(std::FILE* out, const nlohmann::json& report) {
  std::fprintf(out, "%s\n", report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

nlohmann::json Texts(const std::vector<CString>& texts) {
  nlohmann::json list = nlohmann::json::array();
  for (const CString& text : texts) list.push_back(text.str());
  return list;
}

int ListSymbols(const ScanRequest& request, FILE* out, FILE* err) {
  CSymbolLibrary library{request.path};
  if (!library.OpenRead()) {
    std::fprintf(err, "%s\n", CAppError::GetLastError().str().c_str());
    return 1;
  }
  nlohmann::json symbols = nlohmann::json::array();
  for (const CString& name : library.SymbolNames()) {
    // A damaged symbol of the field's libraries is listed by its index; its problem
    // follows the list.
    const CSymbol* symbol = library.Find(name);
    if (symbol == nullptr) continue;
    if (request.json)
      symbols.push_back({{"name", name.str()}, {"pins", symbol->CountPads()}});
    else
      std::fprintf(out, "%s\t%d\n", name.str().c_str(), symbol->CountPads());
  }
  const std::vector<CString> problems = library.Problems();
  if (request.json) {
    PrintJson(out, {{"library", request.path.str()}, {"symbols", symbols}, {"problems", Texts(problems)}});
    return 0;
  }
  for (const CString& problem : problems) std::fprintf(err, "%s\n", problem.str().c_str());
  return 0;
}

void PrintScan(const ScanRequest& request, const CLibraryScan::Result& result, double seconds, FILE* out) {
  if (request.json) {
    PrintJson(out, {{"folder", request.path.str()},
                    {"files", result.files},
                    {"libraries", result.libraries},
                    {"symbols", result.symbols},
                    {"pads", result.pads},
                    {"components", result.components},
                    {"failures", Texts(result.failures)},
                    {"seconds", seconds}});
    return;
  }
  for (const CString& failure : result.failures) std::fprintf(out, "%s\n", failure.str().c_str());
  std::fprintf(out,
               "%d files, %d libraries, %d symbols, %lld pads or pins, %d components, %zu failures, %.3f s\n",
               result.files, result.libraries, result.symbols, result.pads, result.components,
               result.failures.size(), seconds);
}

int ScanFolder(const ScanRequest& request, FILE* out, FILE* err) {
  const auto start = std::chrono::steady_clock::now();
  CLibraryScan::Result result;
  CString error;
  if (!CLibraryScan::Scan(request.path, result, error)) {
    std::fprintf(err, "%s\n", error.str().c_str());
    return 1;
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  PrintScan(request, result, seconds.count(), out);
  return result.failures.empty() ? 0 : 1;
}

void AddCommand(CLI::App& app, CliCommandSet& commands, const char* name, const char* description,
                const char* path, const char* pathMeaning, int (*run)(const ScanRequest&, FILE*, FILE*)) {
  auto request = std::make_shared<ScanRequest>();
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option(path, request->path, pathMeaning)->type_name("")->required();
  command->add_flag("--json", request->json, "print one JSON object instead of lines (docs/cli-json.md)");
  commands.SetRunner(command,
                     [request, run, &commands] { return run(*request, commands.Out(), commands.Err()); });
}

}  // namespace

void AddScanCommands(CLI::App& app, CliCommandSet& commands) {
  AddCommand(app, commands, "symbols", "List a symbol library's symbols with their pin or pad counts.",
             "LIBRARY", "a symbol library of any kind (.scmlib, .pcblib, .kicad_sym, .pretty)", ListSymbols);
  AddCommand(app, commands, "scan", "Read every library under a folder and sum up what they hold.", "FOLDER",
             "the folder searched, with its subfolders", ScanFolder);
}
