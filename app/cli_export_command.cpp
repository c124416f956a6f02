#include "app/cli_export_command.h"

#include <vector>

#include "host/kicad/kicad_export.h"

namespace {

constexpr const char* kUsage =
    "usage: component-editor-cli export-kicad LIBRARY [COMPONENT...] --out FILE.kicad_sym\n"
    "                                         [--footprints FOLDER.pretty] [--footprint-library NICKNAME]\n"
    "                                         [--leave-unnumbered]\n";

// False when the words do not fit.
bool Parse(int argc, char** argv, CKicadExport::Options& options, std::vector<CString>& components) {
  std::vector<CString> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string_view word = argv[i];
    const bool hasValue = i + 1 < argc;
    if (word == "--out" && hasValue) {
      options.output = argv[++i];
    } else if (word == "--footprints" && hasValue) {
      options.footprintFolder = argv[++i];
    } else if (word == "--footprint-library" && hasValue) {
      options.footprintLibrary = argv[++i];
    } else if (word == "--leave-unnumbered") {
      options.leaveUnnumbered = true;
    } else if (word.starts_with("--")) {
      return false;
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.empty() || options.output.IsEmpty()) return false;
  options.componentLibrary = positional.front();
  components.assign(positional.begin() + 1, positional.end());
  return true;
}

}  // namespace

bool IsExportKicadCommand(std::string_view command) {
  return command == "export-kicad";
}

int RunExportKicadCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
  CKicadExport::Options options;
  std::vector<CString> components;
  if (!Parse(argc, argv, options, components)) {
    std::fputs(kUsage, err);
    return 2;
  }
  CKicadExport::Summary summary;
  CString error;
  if (!CKicadExport::ExportLibrary(options, components, summary, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  std::fprintf(out, "%s\n", summary.Describe().c_str());
  return 0;
}
