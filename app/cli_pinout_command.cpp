#include "app/cli_pinout_command.h"

#include <string>
#include <vector>

#include "host/pinout/pinout_import.h"

namespace {

constexpr const char* kUsage =
    "usage: component-editor-cli import-pinout LIBRARY TABLE --name NAME [--symbols OUT.scmlib]\n"
    "                                          [--split bank|unit|none] [--layout xilinx|lattice|generic]\n"
    "                                          [--footprint PACKAGE=PRETTY_FOLDER:FOOTPRINT ...]\n"
    "       component-editor-cli import-pinout LIBRARY TABLE --name NAME --add-packages\n"
    "                                          [--layout ...] [--footprint PACKAGE=PRETTY_FOLDER:FOOTPRINT "
    "...]\n";

bool TakeFootprint(const std::string& value, CPinoutImport::Request& request) {
  const std::size_t equals = value.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  request.footprints.emplace_back(CString(value.substr(0, equals)), CString(value.substr(equals + 1)));
  return true;
}

bool TakeOption(std::string_view word, const std::string& value, CPinoutImport::Request& request) {
  if (word == "--name")
    request.name = value;
  else if (word == "--symbols")
    request.symbolLibrary = value;
  else if (word == "--split")
    return ReadPinGateSplit(value, request.split);
  else if (word == "--layout")
    return ReadPinTableLayout(value, request.layout);
  else if (word == "--footprint")
    return TakeFootprint(value, request);
  else
    return false;
  return true;
}

// False when the words do not fit.
bool Parse(int argc, char** argv, CPinoutImport::Request& request, bool& addPackages) {
  std::vector<CString> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--add-packages") {
      addPackages = true;
      continue;
    }
    if (!word.starts_with("--")) {
      positional.push_back(argv[i]);
      continue;
    }
    if (i + 1 >= argc || !TakeOption(word, argv[i + 1], request)) return false;
    ++i;
  }
  if (positional.size() != 2 || request.name.IsEmpty()) return false;
  request.componentLibrary = positional[0];
  request.table = positional[1];
  return true;
}

}  // namespace

bool IsPinoutCommand(std::string_view command) {
  return command == "import-pinout";
}

int RunPinoutCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
  CPinoutImport::Request request;
  bool addPackages = false;
  if (!Parse(argc, argv, request, addPackages)) {
    std::fputs(kUsage, err);
    return 2;
  }
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
