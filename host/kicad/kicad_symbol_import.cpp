#include "host/kicad/kicad_symbol_import.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "host/kicad/kicad_symbol_reader.h"
#include "host/kicad/natural_order.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/gate_names.h"
#include "host/model/symbol.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_file.h"
#include "host/utility/app_error.h"

namespace {

constexpr size_t kListedUnassigned = 8;

using PadsByNumber = std::unordered_map<std::string, int>;

// A pad named otherwise than by a plain number keeps its name; the others are their
// number. Holes are no pins.
PadsByNumber PadsOf(const CSymbol& footprint) {
  PadsByNumber pads;
  for (int i = 0; i < footprint.CountPads(); ++i) {
    const CFreePad& pad = footprint.GetPad(i);
    if (!pad.IsNumbered()) continue;
    const std::string key = pad.GetName().IsEmpty() ? std::to_string(pad.GetNumber()) : pad.GetName().str();
    pads.emplace(key, pad.GetNumber());
  }
  return pads;
}

// Without a footprint a plain whole number is the pin it names.
int PinWithoutFootprint(const std::string& number) {
  return std::max(CGate::kNoPin, PlainNumber(number, CSymbolLibraryFile::kMaxPadNumber));
}

// Refused before anything is added: more units than gates, or a unit with more pins
// than a gate has terminals.
bool CheckShape(const std::vector<CKicadSymbolReader::Unit>& units, const CString& symbol, CString& error) {
  if (units.size() > static_cast<size_t>(CComponent::kMaxGateIndex) + 1) {
    error.FormatMessage("The symbol \"%1\" has more units than a component can have gates.", symbol);
    return false;
  }
  for (const CKicadSymbolReader::Unit& unit : units) {
    if (CGate::IsValidPinCount(static_cast<int>(unit.pinNumbers.size()))) continue;
    error.FormatMessage("The unit \"%1\" has more pins than a gate can have terminals (%2).", unit.name,
                        CString(std::to_string(CGate::kMaxPins)));
    return false;
  }
  return true;
}

std::unique_ptr<CSymbol> ReadFootprint(const CKicadSymbolImport::Request& request, CString& error) {
  CPcbSymbolLibrary library(request.footprintFolderPath);
  std::unique_ptr<CSymbol> footprint = library.OpenRead() ? library.ReadSymbol(request.footprint) : nullptr;
  if (footprint == nullptr) error = CAppError::GetLastError();
  return footprint;
}

std::filesystem::path Absolute(const CString& path) {
  std::error_code code;
  const std::filesystem::path absolute = std::filesystem::absolute(path.str(), code);
  return (code ? std::filesystem::path(path.str()) : absolute).lexically_normal();
}

}  // namespace

CString CKicadSymbolImport::LibraryReference(const CString& libraryPath, const CString& componentLibrary) {
  std::filesystem::path path = Absolute(libraryPath);
  // A folder named with a trailing '/' has an empty file name.
  if (!path.has_filename()) path = path.parent_path();
  if (path.parent_path() == Absolute(componentLibrary).parent_path())
    return CString(path.filename().string());
  return CString(path.string());
}

bool CKicadSymbolImport::Build(const Request& request, CDesign& design, std::vector<Unassigned>& unassigned,
                               CString& error) {
  unassigned.clear();
  std::vector<CKicadSymbolReader::Unit> units;
  if (!CKicadSymbolReader::ReadUnits(request.symbolLibraryPath, request.symbol, units, error)) return false;
  if (!CheckShape(units, request.symbol, error)) return false;
  std::unique_ptr<CSymbol> footprint;
  if (!request.footprint.IsEmpty() && (footprint = ReadFootprint(request, error)) == nullptr) return false;
  const PadsByNumber pads = footprint != nullptr ? PadsOf(*footprint) : PadsByNumber{};

  const CString symbolLibrary = LibraryReference(request.symbolLibraryPath, request.componentLibrary);
  const CString footprintLibrary =
      footprint != nullptr ? LibraryReference(request.footprintFolderPath, request.componentLibrary)
                           : CString();
  CComponent* record = design.AddComponent(request.name, request.package);
  record->SetPcbSymbol(request.footprint);
  record->GetPcbComponent()->SetLibrary(footprintLibrary);
  record->SetDefaultReference(request.defaultReference);
  int highest = 0;
  for (size_t gate = 0; gate < units.size(); ++gate) {
    const CKicadSymbolReader::Unit& unit = units[gate];
    std::vector<int> pins;
    for (size_t terminal = 0; terminal < unit.pinNumbers.size(); ++terminal) {
      const std::string& number = unit.pinNumbers[terminal];
      int pin = PinWithoutFootprint(number);
      if (footprint != nullptr) {
        const auto found = pads.find(number);
        pin = found != pads.end() ? found->second : CGate::kNoPin;
        if (found == pads.end())
          unassigned.push_back({static_cast<int>(gate), static_cast<int>(terminal) + 1, number});
      }
      pins.push_back(pin);
      highest = std::max(highest, pin);
    }
    record->AddGate(static_cast<int>(gate), symbolLibrary, unit.name, static_cast<int>(pins.size()), nullptr,
                    pins.data());
  }
  record->SetPinCount(footprint != nullptr ? footprint->CountPins() : highest);
  return true;
}

CString CKicadSymbolImport::SymbolOfUnit(const CString& name) {
  const int colon = name.ReverseFind(':');
  if (colon <= 0 || colon + 1 >= name.GetLength()) return name;
  for (int i = colon + 1; i < name.GetLength(); ++i) {
    if (name[i] < 'A' || name[i] > 'Z') return name;
  }
  return name.Left(colon);
}

CString CKicadSymbolImport::DescribeUnassigned(const std::vector<Unassigned>& unassigned,
                                               const CString& footprint) {
  std::string text = std::to_string(unassigned.size()) +
                     (unassigned.size() == 1 ? " pin has" : " pins have") + " no pad in " + footprint.str() +
                     " and stayed unassigned:";
  for (size_t i = 0; i < unassigned.size() && i < kListedUnassigned; ++i) {
    const Unassigned& entry = unassigned[i];
    text += (i == 0 ? " " : ", ") + entry.pinNumber + " (gate " + GateString(entry.gate).str() +
            ", terminal " + std::to_string(entry.terminal) + ")";
  }
  if (unassigned.size() > kListedUnassigned)
    text += " and " + std::to_string(unassigned.size() - kListedUnassigned) + " more";
  return CString(text + ".");
}
