#include "app/cli_check_command.h"

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/cli_command_set.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/design_findings.h"
#include "host/model/gate_names.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"

namespace {

struct CheckRequest {
  CString library;
  std::vector<CString> components;
  bool json = false;
};

bool SameName(const CString& a, const CString& b) {
  return a.CompareNoCase(b) == 0;
}

// The library's components that were asked for, in the order named, each once; false,
// with a message, for a name the library does not hold.
bool Select(std::vector<LibraryComponent>& components, const CheckRequest& request, CString& error) {
  if (request.components.empty()) return true;
  std::vector<LibraryComponent> chosen;
  for (const CString& name : request.components) {
    const auto named = [&name](const LibraryComponent& component) { return SameName(component.name, name); };
    if (std::any_of(chosen.begin(), chosen.end(), named)) continue;
    const auto found = std::find_if(components.begin(), components.end(), named);
    if (found == components.end()) {
      error.FormatMessage("Cannot check \"%1\": it holds no component named \"%2\".", request.library, name);
      return false;
    }
    chosen.push_back(std::move(*found));
    components.erase(found);
  }
  components = std::move(chosen);
  return true;
}

// The pin grid refuses to keep a terminal name that breaks the name rules; a library
// written by other means may hold one all the same.
void CheckNames(const LibraryComponent& component, std::vector<DesignFinding>& findings) {
  if (component.records.empty()) return;
  for (const GateValue& gate : component.records.front().gates) {
    for (size_t t = 0; t < gate.terminals.size(); ++t) {
      const CString& name = gate.terminals[t].name;
      if (ValidPinName(name)) continue;
      CString text;
      text.FormatMessage("gate %1, terminal %2 (%3): %4", GateString(gate.index), static_cast<int>(t + 1),
                         name, CAppError::GetLastError());
      CAppError::ClearLastError();
      text.Replace("\r", " ");
      text.Replace("\n", " ");
      findings.push_back({component.name, CString(), text});
    }
  }
}

// Component by component, in file order: the design check's findings, then the names'.
std::vector<DesignFinding> CheckComponents(const CString& library,
                                           const std::vector<LibraryComponent>& components) {
  CDesign design;
  design.SetPathName(library, FALSE);
  for (const LibraryComponent& component : components) {
    for (const ComponentValue& value : component.records) {
      design.AddComponent(value.name, value.package)->RestoreValue(value);
    }
  }
  const std::vector<DesignFinding> found = CheckDesignRecords(design);
  std::vector<DesignFinding> findings;
  findings.reserve(found.size());
  size_t next = 0;
  for (const LibraryComponent& component : components) {
    while (next < found.size() && SameName(found[next].component, component.name))
      findings.push_back(found[next++]);
    CheckNames(component, findings);
  }
  findings.insert(findings.end(), found.begin() + static_cast<std::ptrdiff_t>(next), found.end());
  return findings;
}

CString LineOf(const DesignFinding& finding) {
  if (finding.package.IsEmpty()) return finding.component + ": " + finding.text;
  return finding.component + ": package " + finding.package + ": " + finding.text;
}

void PrintText(std::FILE* out, const std::vector<DesignFinding>& findings, size_t checked) {
  for (const DesignFinding& finding : findings) std::fprintf(out, "%s\n", LineOf(finding).c_str());
  const char* components = checked == 1 ? "component" : "components";
  if (findings.empty()) {
    std::fprintf(out, "No problems in %zu %s.\n", checked, components);
  } else {
    std::fprintf(out, "%zu %s in %zu %s.\n", findings.size(), findings.size() == 1 ? "problem" : "problems",
                 checked, components);
  }
}

void PrintJson(std::FILE* out, const CString& library, const std::vector<DesignFinding>& findings,
               size_t checked) {
  nlohmann::json problems = nlohmann::json::array();
  for (const DesignFinding& finding : findings) {
    problems.push_back(
        {{"component", finding.component.str()},
         {"package", finding.package.IsEmpty() ? nlohmann::json() : nlohmann::json(finding.package.str())},
         {"text", finding.text.str()},
         {"line", LineOf(finding).str()}});
  }
  const nlohmann::json report = {
      {"library", library.str()}, {"components", checked}, {"problems", problems}, {"ok", findings.empty()}};
  std::fprintf(out, "%s\n", report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

}  // namespace

namespace {

int RunCheck(const CheckRequest& request, std::FILE* out, std::FILE* err) {
  std::vector<LibraryComponent> components;
  CString error;
  if (!CComponentLibraryFile::Load(request.library, components, error) ||
      !Select(components, request, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  const std::vector<DesignFinding> findings = CheckComponents(request.library, components);
  if (request.json) {
    PrintJson(out, request.library, findings, components.size());
  } else {
    PrintText(out, findings, components.size());
  }
  return findings.empty() ? 0 : 1;
}

}  // namespace

void AddCheckCommand(CLI::App& app, CliCommandSet& commands) {
  auto request = std::make_shared<CheckRequest>();
  CLI::App* command = app.add_subcommand("check", "Check every component of a library, or those named.");
  command->add_option("LIBRARY", request->library, "the component library (.cmplib)")
      ->type_name("")
      ->required();
  command->add_option("COMPONENT", request->components, "check only these components (any case)")
      ->type_name("");
  command->add_flag("--json", request->json, "print one JSON object instead of lines (docs/cli-json.md)");
  commands.SetRunner(command,
                     [request, &commands] { return RunCheck(*request, commands.Out(), commands.Err()); });
}
