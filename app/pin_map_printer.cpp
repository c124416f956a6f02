#include "app/pin_map_printer.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "app/cli_command_set.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/gate_names.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/app_error.h"

namespace {

void PrintGate(std::FILE* out, const CComponent& component, int index, const CGate& gate,
               const CPinLabels& labels) {
  std::fprintf(out, "  gate %s  %s (%s)\n", GateString(index).c_str(), gate.GetSymbol().c_str(),
               gate.GetLibrary().c_str());
  for (int terminal = 1; terminal <= gate.CountPins(); ++terminal) {
    const int pin = component.GetPinNumber(index, terminal);
    const CString shown = pin == -1 ? CString("-") : labels.Text(pin);
    std::fprintf(out, "    %4d  %-12s pin %s\n", terminal, component.GetPinName(index, terminal).c_str(),
                 shown.c_str());
  }
}

// Why the record's footprint cannot be read; empty when it can, or when the package
// has none.
CString FootprintProblem(const CComponent& record, const CString& library) {
  const CString& footprint = record.GetPcbSymbol();
  if (footprint.IsEmpty()) return {};
  const CString& footprints = record.GetPcbComponent()->GetLibrary();
  if (footprints.IsEmpty()) return "no footprint library is named";
  CString path;
  CPcbSymbolLibrary opened;
  if (!CSymbolLibraryLocator(SymbolKind::Pcb, library).Find(footprints, path) || !opened.OpenRead(path))
    return CAppError::GetLastError();
  if (opened.Find(footprint) != nullptr) return {};
  CString problem;
  problem.FormatMessage("%1 holds no footprint of that name", path);
  return problem;
}

struct ShowRequest {
  CString library;
  CString component;  // empty: every component
  bool keepGoing = false;
  bool json = false;
};

nlohmann::json GateJson(const CComponent& component, int index, const CGate& gate, const CPinLabels& labels) {
  nlohmann::json terminals = nlohmann::json::array();
  for (int terminal = 1; terminal <= gate.CountPins(); ++terminal) {
    const int pin = component.GetPinNumber(index, terminal);
    terminals.push_back({{"terminal", terminal},
                         {"name", component.GetPinName(index, terminal).str()},
                         {"pin", pin == -1 ? nlohmann::json() : nlohmann::json(labels.Text(pin).str())}});
  }
  return {{"gate", GateString(index).str()},
          {"symbol", gate.GetSymbol().str()},
          {"library", gate.GetLibrary().str()},
          {"terminals", terminals}};
}

nlohmann::json PackageJson(const CComponent& component, const CPinLabels& labels) {
  nlohmann::json gates = nlohmann::json::array();
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index))
    gates.push_back(GateJson(component, index, *gate, labels));
  return {{"package", component.GetPackage().str()},
          {"footprint", component.GetPcbSymbol().str()},
          {"gates", gates}};
}

// Prints the design's packages, as lines or as members of `shown`'s list.
void ShowDesign(const CDesign& design, const ShowRequest& request, const CString& name, std::FILE* out,
                nlohmann::json& shown) {
  nlohmann::json packages = nlohmann::json::array();
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position)) {
    const CPinLabels labels = CPinLabels::ForPackage(*record, request.library);
    if (request.json)
      packages.push_back(PackageJson(*record, labels));
    else
      PrintPinMap(out, *record, labels);
  }
  if (request.json) shown.push_back({{"name", name.str()}, {"packages", packages}});
}

int Show(const ShowRequest& request, std::FILE* out, std::FILE* err) {
  std::vector<LibraryEntry> entries;
  CString error;
  if (!CComponentLibraryFile::ReadContents(request.library, entries, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return 1;
  }
  int shown = 0;
  nlohmann::json components = nlohmann::json::array();
  for (const LibraryEntry& entry : entries) {
    if (!request.component.IsEmpty() && entry.name.CompareNoCase(request.component) != 0) continue;
    CDesign design;
    if (!CComponentLibraryFile::LoadComponent(request.library, entry.name, design, error)) {
      std::fprintf(err, "%s\n", error.c_str());
      return 1;
    }
    if (!ReportUnreadFootprints(design, request.library, request.keepGoing, "shown", err)) return 1;
    ShowDesign(design, request, entry.name, out, components);
    ++shown;
  }
  if (shown == 0 && !request.component.IsEmpty()) {
    std::fprintf(err, "There is no component \"%s\" in %s.\n", request.component.c_str(),
                 request.library.c_str());
    return 1;
  }
  if (request.json) {
    const nlohmann::json report{{"library", request.library.str()}, {"components", components}};
    std::fprintf(out, "%s\n", report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  }
  return 0;
}

}  // namespace

void PrintPinMap(std::FILE* out, const CComponent& component, const CPinLabels& labels) {
  std::fprintf(out, "%s in %s (PCB symbol %s)\n", component.GetName().c_str(), component.GetPackage().c_str(),
               component.GetPcbSymbol().c_str());
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    PrintGate(out, component, index, *gate, labels);
  }
}

bool ReportUnreadFootprints(const CDesign& design, const CString& library, bool keepGoing, const char* output,
                            std::FILE* err) {
  bool allRead = true;
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position)) {
    const CString problem = FootprintProblem(*record, library);
    if (problem.IsEmpty()) continue;
    allRead = false;
    std::fprintf(err, "The footprint %s of %s in %s cannot be read: %s\n", record->GetPcbSymbol().c_str(),
                 record->GetName().c_str(), record->GetPackage().c_str(), problem.c_str());
  }
  if (allRead) return true;
  if (keepGoing) {
    std::fprintf(err, "The pins of those packages are %s by number, not by the names of their pads.\n",
                 output);
    return true;
  }
  std::fprintf(err,
               "Stopped: the pins of those packages would be %s by number, not by the names of their pads; "
               "--keep-going allows that.\n",
               output);
  return false;
}

bool ReportUnreadFootprints(const CString& library, const CString& component, bool keepGoing,
                            const char* output, std::FILE* err) {
  CDesign design;
  CString error;
  if (!CComponentLibraryFile::LoadComponent(library, component.c_str(), design, error)) return true;
  return ReportUnreadFootprints(design, library, keepGoing, output, err);
}

void AddShowCommand(CLI::App& app, CliCommandSet& commands) {
  auto request = std::make_shared<ShowRequest>();
  CLI::App* command =
      app.add_subcommand("show", "Print the pin maps of a library's components, package by package.");
  command->add_option("LIBRARY", request->library, "the component library (.cmplib)")
      ->type_name("")
      ->required();
  command->add_option("COMPONENT", request->component, "show only this component (any case)")->type_name("");
  command->add_flag("--keep-going", request->keepGoing,
                    "print pins by number where a footprint that names its pads cannot be read");
  command->add_flag("--json", request->json, "print one JSON object instead of lines (docs/cli-json.md)");
  commands.SetRunner(command,
                     [request, &commands] { return Show(*request, commands.Out(), commands.Err()); });
}
