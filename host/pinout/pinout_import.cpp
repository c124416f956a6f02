#include "host/pinout/pinout_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "host/kicad/kicad_symbol_import.h"
#include "host/kicad/natural_order.h"
#include "host/model/component.h"
#include "host/model/component_library_edit.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "host/pinout/pin_table_reader.h"
#include "host/pinout/pinout_symbol.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/library_file_lock.h"

namespace {

constexpr std::size_t kListed = 8;

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folded;
}

struct Footprint {
  CString library;  // as the record names it
  CString name;
  std::unique_ptr<CSymbol> symbol;
  std::unordered_map<std::string, int> pads;  // by folded name (or number)
};

bool ReadFootprint(const CString& package, const CString& value, const CString& componentLibrary,
                   Footprint& footprint, CString& error) {
  const int colon = value.ReverseFind(':');
  if (colon <= 0 || colon + 1 >= value.GetLength()) {
    error.Format("--footprint takes PACKAGE=FOLDER:FOOTPRINT, not \"%s=%s\".", package.c_str(),
                 value.c_str());
    return false;
  }
  const CString folder = value.Left(colon);
  footprint.name = value.Mid(colon + 1);
  CPcbSymbolLibrary library(folder);
  if (library.OpenRead()) footprint.symbol = library.ReadSymbol(footprint.name);
  if (footprint.symbol == nullptr) {
    error = CAppError::GetLastError();
    return false;
  }
  footprint.library = CKicadSymbolImport::LibraryReference(folder, componentLibrary);
  for (int i = 0; i < footprint.symbol->CountPads(); ++i) {
    const CFreePad& pad = footprint.symbol->GetPad(i);
    if (!pad.IsNumbered()) continue;
    const std::string key = pad.GetName().IsEmpty() ? std::to_string(pad.GetNumber()) : pad.GetName().str();
    footprint.pads.emplace(Folded(key), pad.GetNumber());
  }
  return true;
}

CString Listed(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return NaturalLess(a, b); });
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kListed; ++i) text += (i == 0 ? "" : ", ") + names[i];
  if (names.size() > kListed) text += " and " + std::to_string(names.size() - kListed) + " more";
  return CString(text);
}

// The pin of each row in one package, and what could not be assigned.
class PackageMap {
 public:
  PackageMap(const PinTable& table, std::size_t package, const Footprint* footprint)
      : m_table(table), m_package(package), m_footprint(footprint) {}

  int PinOf(std::size_t row) {
    const std::string& ball = m_table.rows[row].balls[m_package];
    if (ball.empty()) return CGate::kNoPin;
    if (m_footprint == nullptr) {
      const int pin = PlainNumber(ball, CSymbolLibraryFile::kMaxPadNumber);
      if (pin < 0) m_unnumbered.push_back(ball);
      m_highest = std::max(m_highest, pin);
      return std::max(pin, CGate::kNoPin);
    }
    const auto found = m_footprint->pads.find(Folded(ball));
    if (found == m_footprint->pads.end()) {
      m_lacking.push_back(ball);
      return CGate::kNoPin;
    }
    m_used.insert(found->second);
    return found->second;
  }

  int PinCount() const { return m_footprint != nullptr ? m_footprint->symbol->CountPins() : m_highest; }

  void Report(const CString& package, std::vector<CString>& notes) const {
    if (!m_lacking.empty())
      notes.push_back(package + ": " + CString(std::to_string(m_lacking.size())) + " balls have no pad in " +
                      m_footprint->name + " and stayed unassigned: " + Listed(m_lacking) + ".");
    if (m_footprint != nullptr) ReportUnused(package, notes);
    if (!m_unnumbered.empty())
      notes.push_back(package + ": without a footprint " + CString(std::to_string(m_unnumbered.size())) +
                      " balls named otherwise than by a number stayed unassigned: " + Listed(m_unnumbered) +
                      ". Give --footprint " + package + "=FOLDER:FOOTPRINT.");
  }

 private:
  void ReportUnused(const CString& package, std::vector<CString>& notes) const {
    std::vector<std::string> unused;
    for (const auto& [name, pin] : m_footprint->pads)
      if (!m_used.contains(pin)) unused.push_back(name);
    if (unused.empty()) return;
    notes.push_back(package + ": " + CString(std::to_string(unused.size())) + " pads of " +
                    m_footprint->name + " have no terminal: " + Listed(unused) + ".");
  }

  const PinTable& m_table;
  std::size_t m_package;
  const Footprint* m_footprint;
  int m_highest = 0;
  std::vector<std::string> m_lacking;
  std::vector<std::string> m_unnumbered;
  std::unordered_set<int> m_used;
};

bool ReadFootprints(const CPinoutImport::Request& request, const PinTable& table,
                    std::vector<Footprint>& footprints, CString& error) {
  footprints.resize(table.packages.size());
  for (const auto& [package, value] : request.footprints) {
    const auto named =
        std::find_if(table.packages.begin(), table.packages.end(),
                     [&](const std::string& name) { return package.CompareNoCase(name.c_str()) == 0; });
    if (named == table.packages.end()) {
      error.Format("The table has no package \"%s\".", package.c_str());
      return false;
    }
    Footprint& footprint = footprints[static_cast<std::size_t>(named - table.packages.begin())];
    if (!ReadFootprint(package, value, request.componentLibrary, footprint, error)) return false;
  }
  return true;
}

void AddRecord(const CPinoutImport::Request& request, const PinTable& table, const CPinoutPlan& plan,
               std::size_t package, const Footprint& footprint, const CString& symbolLibrary, CDesign& design,
               std::vector<CString>& notes) {
  const CString packageName(table.packages[package]);
  CComponent* record = design.AddComponent(request.name, packageName);
  record->SetPcbSymbol(footprint.symbol != nullptr ? footprint.name : CString());
  record->GetPcbComponent()->SetLibrary(footprint.library);
  record->SetDefaultReference(request.defaultReference);
  PackageMap map(table, package, footprint.symbol != nullptr ? &footprint : nullptr);
  for (std::size_t index = 0; index < plan.Gates().size(); ++index) {
    const CPinoutPlan::Gate& gate = plan.Gates()[index];
    std::vector<CString> names;
    std::vector<int> pins;
    for (const std::size_t row : gate.rows) {
      names.emplace_back(table.rows[row].name);
      pins.push_back(map.PinOf(row));
    }
    // The component's later records take its gates from the first one; only their pins differ.
    const int at = static_cast<int>(index);
    if (record->FindGate(at) == nullptr) {
      record->AddGate(at, symbolLibrary, gate.symbol, static_cast<int>(pins.size()), names.data(),
                      pins.data());
      continue;
    }
    for (std::size_t terminal = 0; terminal < pins.size(); ++terminal)
      record->SetPinNumber(at, static_cast<int>(terminal) + 1, pins[terminal]);
  }
  record->SetPinCount(map.PinCount());
  map.Report(packageName, notes);
}

bool CheckNames(const CPinoutImport::Request& request, const PinTable& table, CString& error) {
  if (!ValidComponentName(request.name)) {
    error = CAppError::GetLastError();
    return false;
  }
  for (const std::string& package : table.packages) {
    if (ValidPackageName(CString(package))) continue;
    error = CAppError::GetLastError();
    return false;
  }
  return true;
}

bool FileExists(const CString& path) {
  std::error_code code;
  return std::filesystem::exists(path.str(), code) && !code;
}

}  // namespace

CString CPinoutImport::SymbolLibraryPath(const Request& request) {
  if (!request.symbolLibrary.IsEmpty()) return request.symbolLibrary;
  std::filesystem::path path(request.componentLibrary.str());
  path.replace_extension(".scmlib");
  return CString(path.string());
}

bool CPinoutImport::Prepare(const Request& request, PinTable& table, CPinoutPlan& plan, CString& error) {
  if (!CPinTableReader::Load(request.table, request.layout, table, error)) return false;
  return CheckNames(request, table, error) &&
         plan.Make(table, request.split, request.name, error, request.kinds);
}

bool CPinoutImport::Build(const Request& request, const PinTable& table, const CPinoutPlan& plan,
                          CDesign& design, CSymbolLibraryContents& symbols, std::vector<CString>& notes,
                          CString& error) {
  std::vector<Footprint> footprints;
  if (!ReadFootprints(request, table, footprints, error)) return false;
  for (const CPinoutPlan::Gate& gate : plan.Gates()) {
    std::vector<CPinoutSymbol::Pin> pins;
    for (const std::size_t row : gate.rows) pins.push_back({table.rows[row].name, plan.Kinds()[row]});
    // Units whose names differ in case alone would name one symbol twice.
    if (symbols.Find(gate.symbol.str()) != nullptr ||
        !symbols.Add(CPinoutSymbol::Make(gate.symbol, gate.label, pins))) {
      error.Format("The symbol library already has a symbol %s.", gate.symbol.c_str());
      return false;
    }
  }
  const CString symbolLibrary =
      CKicadSymbolImport::LibraryReference(SymbolLibraryPath(request), request.componentLibrary);
  for (std::size_t package = 0; package < table.packages.size(); ++package)
    AddRecord(request, table, plan, package, footprints[package], symbolLibrary, design, notes);
  return true;
}

namespace {

std::unique_ptr<CSymbolLibraryContents> OpenSymbols(const CString& path, CString& error) {
  if (!FileExists(path)) return std::make_unique<CSymbolLibraryContents>(SymbolKind::Schematic);
  std::unique_ptr<CSymbolLibraryContents> contents = CSymbolLibraryFile::Load(path, error);
  if (contents != nullptr && contents->GetKind() != SymbolKind::Schematic) {
    error.Format("\"%s\" is no schematic symbol library.", path.c_str());
    return nullptr;
  }
  return contents;
}

}  // namespace

bool CPinoutImport::BuildAndSaveSymbols(const Request& request, const PinTable& table,
                                        const CPinoutPlan& plan, CDesign& design, std::vector<CString>& notes,
                                        CString& error) {
  const CString symbolPath = SymbolLibraryPath(request);
  CLibraryFileLock symbolLock;
  if (!symbolLock.Acquire(symbolPath, error)) return false;
  std::unique_ptr<CSymbolLibraryContents> symbols = OpenSymbols(symbolPath, error);
  if (symbols == nullptr) return false;
  return Build(request, table, plan, design, *symbols, notes, error) &&
         CSymbolLibraryFile::Save(symbolPath, *symbols, error);
}

bool CPinoutImport::Run(const Request& request, Summary& summary, CString& error) {
  PinTable table;
  CPinoutPlan plan;
  if (!Prepare(request, table, plan, error)) return false;
  // A name the library holds is the first thing to tell, before any symbol name it clashes with.
  if (CComponentLibraryEdit::HasComponent(request.componentLibrary, request.name, error) ||
      !error.IsEmpty()) {
    if (error.IsEmpty())
      error.Format("%s already holds a component %s.", request.componentLibrary.c_str(),
                   request.name.c_str());
    return false;
  }
  const CString symbolPath = SymbolLibraryPath(request);
  CLibraryFileLock symbolLock;
  if (!symbolLock.Acquire(symbolPath, error)) return false;
  std::unique_ptr<CSymbolLibraryContents> symbols = OpenSymbols(symbolPath, error);
  if (symbols == nullptr) return false;
  CDesign design;
  summary = {table.layout, table.rows.size(), plan.Gates().size(), table.packages, {}};
  if (!Build(request, table, plan, design, *symbols, summary.notes, error)) return false;
  const CComponentLibraryFile::Change change = [&](std::vector<LibraryComponent>& components, CString& why) {
    for (const LibraryComponent& component : components) {
      if (component.name.CompareNoCase(request.name) != 0) continue;
      why.Format("%s already holds a component %s.", request.componentLibrary.c_str(), request.name.c_str());
      return false;
    }
    components.push_back(CComponentLibraryFile::CollectComponent(design, request.name));
    return CSymbolLibraryFile::Save(symbolPath, *symbols, why);
  };
  return CComponentLibraryFile::Update(request.componentLibrary, true, true, change, {}, error);
}

namespace {

// The table's rows of each name, in table order, for terminals to take one each.
using RowsByName = std::unordered_map<std::string, std::vector<std::size_t>>;

RowsByName RowsOf(const PinTable& table) {
  RowsByName rows;
  for (std::size_t i = table.rows.size(); i-- > 0;) rows[Folded(table.rows[i].name)].push_back(i);
  return rows;
}

void AddPackageRecord(const CPinoutImport::Request& request, const PinTable& table, std::size_t package,
                      const Footprint& footprint, CDesign& design, std::vector<CString>& notes) {
  const CString packageName(table.packages[package]);
  CComponent* record = design.AddComponent(request.name, packageName);
  record->SetPcbSymbol(footprint.symbol != nullptr ? footprint.name : CString());
  record->GetPcbComponent()->SetLibrary(footprint.library);
  PackageMap map(table, package, footprint.symbol != nullptr ? &footprint : nullptr);
  RowsByName rows = RowsOf(table);
  std::vector<std::string> untaken;
  int index = -1;
  POSITION position = nullptr;
  for (const CGate* gate = record->FirstGate(position, index); gate != nullptr;
       gate = record->NextGate(position, index)) {
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      std::vector<std::size_t>& named = rows[Folded(gate->GetPinName(terminal).str())];
      if (named.empty()) {
        untaken.push_back(gate->GetPinName(terminal).str());
        continue;
      }
      record->SetPinNumber(index, terminal, map.PinOf(named.back()));
      named.pop_back();
    }
  }
  record->SetPinCount(map.PinCount());
  map.Report(packageName, notes);
  if (!untaken.empty())
    notes.push_back(packageName + ": " + CString(std::to_string(untaken.size())) +
                    " terminals have no pin of that name in the table: " + Listed(untaken) + ".");
  std::vector<std::string> unused;
  for (const auto& [name, left] : rows)
    for (const std::size_t row : left) unused.push_back(table.rows[row].name);
  if (!unused.empty())
    notes.push_back(packageName + ": " + CString(std::to_string(unused.size())) +
                    " pins of the table match no terminal: " + Listed(unused) + ".");
}

bool HasPackage(const CDesign& design, const CString& name, const std::string& package) {
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position)) {
    if (record->GetName().CompareNoCase(name) == 0 &&
        record->GetPackage().CompareNoCase(package.c_str()) == 0)
      return true;
  }
  return false;
}

}  // namespace

bool CPinoutImport::AddPackages(const Request& request, Summary& summary, CString& error) {
  PinTable table;
  if (!CPinTableReader::Load(request.table, request.layout, table, error)) return false;
  CDesign design;
  std::string opened;
  if (!CComponentLibraryFile::LoadComponent(request.componentLibrary, request.name, design, opened, error))
    return false;
  if (design.FirstComponent() == nullptr) {
    error.Format("%s holds no component %s.", request.componentLibrary.c_str(), request.name.c_str());
    return false;
  }
  for (const std::string& package : table.packages) {
    if (!HasPackage(design, request.name, package) && ValidPackageName(CString(package))) continue;
    if (HasPackage(design, request.name, package))
      error.Format("%s already has a package %s.", request.name.c_str(), package.c_str());
    else
      error = CAppError::GetLastError();
    return false;
  }
  std::vector<Footprint> footprints;
  if (!ReadFootprints(request, table, footprints, error)) return false;
  summary = {table.layout, table.rows.size(), 0, table.packages, {}};
  for (std::size_t package = 0; package < table.packages.size(); ++package)
    AddPackageRecord(request, table, package, footprints[package], design, summary.notes);
  summary.gates = static_cast<std::size_t>(design.FirstComponent()->CountGates());
  const CComponentLibraryFile::Change change = [&](std::vector<LibraryComponent>& components, CString& why) {
    for (LibraryComponent& component : components) {
      if (component.name.CompareNoCase(request.name) != 0) continue;
      if (CComponentLibraryFile::StoredForm(component) != opened) {
        why.Format("%s changed in %s while the table was read; nothing was added.", request.name.c_str(),
                   request.componentLibrary.c_str());
        return false;
      }
      component = CComponentLibraryFile::CollectComponent(design, component.name);
      return true;
    }
    why.Format("%s holds no component %s.", request.componentLibrary.c_str(), request.name.c_str());
    return false;
  };
  return CComponentLibraryFile::Update(request.componentLibrary, false, true, change, {}, error);
}
