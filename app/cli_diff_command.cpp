#include "app/cli_diff_command.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/cli_command_set.h"
#include "host/model/component_diff.h"
#include "host/model/component_library_file.h"
#include "host/model/pin_labels.h"

namespace {

struct DiffRequest {
  CString before;
  CString after;
  // Where the footprints of each side are found: beside the library.
  CString beforeLocation;
  CString afterLocation;
  std::vector<CString> components;
  bool json = false;
  bool gitDriver = false;
  CString gitPath;
};

// Git writes "." for the hash and mode of a side that is not there.
bool IsHex(std::string_view word) {
  if (word == ".") return true;
  return !word.empty() && word.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

bool IsMode(std::string_view word) {
  if (word == ".") return true;
  return word.size() == 6 && word.find_first_not_of("01234567") == std::string_view::npos;
}

// Git's seven words: path, then file, hash and mode of each side.
bool IsGitForm(const std::vector<CString>& words) {
  return words.size() == 7 && IsHex(words[2].str()) && IsMode(words[3].str()) && IsHex(words[5].str()) &&
         IsMode(words[6].str());
}

// The words as given: OLD, NEW and the components named, or git's seven words.
struct DiffWords {
  CString before;
  CString after;
  std::vector<CString> more;
  bool json = false;
};

void Fit(const DiffWords& words, DiffRequest& request) {
  request.json = words.json;
  std::vector<CString> positional{words.before, words.after};
  positional.insert(positional.end(), words.more.begin(), words.more.end());
  if (IsGitForm(positional)) {
    request.gitDriver = true;
    request.gitPath = positional[0];
    request.before = positional[1];
    request.after = positional[4];
    request.beforeLocation = request.afterLocation = positional[0];
    return;
  }
  request.before = positional[0];
  request.after = positional[1];
  request.beforeLocation = request.before;
  request.afterLocation = request.after;
  request.components.assign(positional.begin() + 2, positional.end());
}

bool LoadSide(const DiffRequest& request, const CString& path, std::vector<LibraryComponent>& components,
              CString& error) {
  if (request.gitDriver && path == "/dev/null") return true;
  return CComponentLibraryFile::Load(path, components, error);
}

CString LineOf(const ComponentChange& change) {
  if (change.package.IsEmpty()) return change.component + ": " + change.text;
  return change.component + ": package " + change.package + ": " + change.text;
}

nlohmann::json TextOrNull(const CString& text) {
  return text.IsEmpty() ? nlohmann::json() : nlohmann::json(text.str());
}

void PrintJson(std::FILE* out, const DiffRequest& request, const std::vector<ComponentChange>& changes) {
  nlohmann::json list = nlohmann::json::array();
  for (const ComponentChange& change : changes) {
    list.push_back({{"kind", change.kind.str()},
                    {"component", change.component.str()},
                    {"package", TextOrNull(change.package)},
                    {"gate", TextOrNull(change.gate)},
                    {"terminal", change.terminal > 0 ? nlohmann::json(change.terminal) : nlohmann::json()},
                    {"old", TextOrNull(change.before)},
                    {"new", TextOrNull(change.after)},
                    {"text", change.text.str()},
                    {"line", LineOf(change).str()}});
  }
  const nlohmann::json report = {{"old", (request.gitDriver ? request.gitPath : request.before).str()},
                                 {"new", (request.gitDriver ? request.gitPath : request.after).str()},
                                 {"same", changes.empty()},
                                 {"changes", list}};
  std::fprintf(out, "%s\n", report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

void PrintText(std::FILE* out, const DiffRequest& request, const std::vector<ComponentChange>& changes) {
  if (changes.empty()) return;
  if (request.gitDriver) std::fprintf(out, "component library %s\n", request.gitPath.c_str());
  for (const ComponentChange& change : changes) std::fprintf(out, "%s\n", LineOf(change).c_str());
}

}  // namespace

namespace {

int RunDiff(const DiffWords& words, std::FILE* out, std::FILE* err) {
  DiffRequest request;
  Fit(words, request);
  std::vector<LibraryComponent> before;
  std::vector<LibraryComponent> after;
  CString error;
  if (!LoadSide(request, request.before, before, error) || !LoadSide(request, request.after, after, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  const PinLabelSource labels = [&request](const ComponentValue& record, bool newer) {
    return CPinLabels::ForFootprint(record.pcbLibrary, record.pcbSymbol,
                                    newer ? request.afterLocation : request.beforeLocation);
  };
  const std::vector<ComponentChange> changes =
      DiffComponentLibraries(before, after, labels, request.components);
  if (request.json) {
    PrintJson(out, request, changes);
  } else {
    PrintText(out, request, changes);
  }
  if (changes.empty() || request.gitDriver) return 0;
  return 1;
}

}  // namespace

void AddDiffCommand(CLI::App& app, CliCommandSet& commands) {
  auto words = std::make_shared<DiffWords>();
  CLI::App* command = app.add_subcommand(
      "diff", "Say what changed between two component libraries; also git's external diff driver.");
  command->footer(
      "As git's diff driver: diff PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE\n"
      "(a difference then exits 0 after a heading line naming PATH).");
  command->add_option("OLD", words->before, "the library before (.cmplib)")->type_name("")->required();
  command->add_option("NEW", words->after, "the library after (.cmplib)")->type_name("")->required();
  command->add_option("COMPONENT", words->more, "compare only these components, by old or new name")
      ->type_name("");
  command->add_flag("--json", words->json, "print one JSON object instead of lines (docs/cli-json.md)");
  commands.SetRunner(command, [words, &commands] { return RunDiff(*words, commands.Out(), commands.Err()); });
}
