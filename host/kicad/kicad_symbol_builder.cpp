#include "host/kicad/kicad_symbol_builder.h"

#include <filesystem>
#include <unordered_map>
#include <utility>

#include "host/kicad/kicad_footprint_writer.h"
#include "host/kicad/kicad_library.h"
#include "host/model/component.h"
#include "host/model/gate.h"
#include "host/model/gate_names.h"
#include "host/model/symbol.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/app_error.h"

namespace {

using Pin = CKicadSymbolWriter::Pin;

bool SamePin(const Pin& a, const Pin& b) {
  return a.number == b.number && a.name == b.name && a.type == b.type && a.shape == b.shape &&
         a.hidden == b.hidden && a.position == b.position && a.length == b.length &&
         a.direction == b.direction;
}

std::string Where(const CString& component, const CComponent& record) {
  return component.str() + " (package " + record.GetPackage().str() + ")";
}

// Where each pin number is used: (unit, pin) in unit order.
using Uses = std::vector<std::pair<size_t, size_t>>;

std::unordered_map<std::string, Uses> UsesOf(const CKicadSymbolWriter::Symbol& symbol) {
  std::unordered_map<std::string, Uses> uses;
  for (size_t unit = 0; unit < symbol.units.size(); ++unit) {
    for (size_t i = 0; i < symbol.units[unit].pins.size(); ++i) {
      const Pin& pin = symbol.units[unit].pins[i];
      if (!pin.number.empty()) uses[pin.number].emplace_back(unit, i);
    }
  }
  return uses;
}

size_t CountUnits(const Uses& uses) {
  size_t units = 0;
  for (size_t k = 0; k < uses.size(); ++k) units += k == 0 || uses[k - 1].first != uses[k].first;
  return units;
}

// Once by every unit, and alike.
bool DrawnAlikeByEvery(const CKicadSymbolWriter::Symbol& symbol, const Uses& uses, const Pin& pin) {
  if (uses.size() != symbol.units.size()) return false;
  for (size_t k = 0; k < uses.size(); ++k) {
    if (uses[k].first != k || !SamePin(symbol.units[k].pins[uses[k].second], pin)) return false;
  }
  return true;
}

std::string GatesOf(const Uses& uses) {
  std::string gates;
  for (size_t k = 0; k < uses.size(); ++k) {
    if (k == 0 || uses[k - 1].first != uses[k].first)
      gates += (k == 0 ? "" : ", ") + GateString(static_cast<int>(uses[k].first)).str();
  }
  return gates;
}

void RemoveDropped(CKicadSymbolWriter::Symbol& symbol, const std::vector<std::vector<bool>>& dropped) {
  for (size_t unit = 0; unit < symbol.units.size(); ++unit) {
    auto& pins = symbol.units[unit].pins;
    size_t kept = 0;
    for (size_t i = 0; i < pins.size(); ++i) {
      if (dropped[unit][i]) continue;
      if (kept != i) pins[kept] = std::move(pins[i]);
      ++kept;
    }
    pins.resize(kept);
  }
}

}  // namespace

struct CKicadSymbolBuilder::Resolved {
  CPinLabels labels;
  std::string footprintProperty;
};

CKicadSymbolBuilder::CKicadSymbolBuilder(Settings settings) : m_settings(std::move(settings)) {}

CKicadSymbolBuilder::~CKicadSymbolBuilder() = default;

bool CKicadSymbolBuilder::IsValidName(const std::string& name, std::string& refused) {
  refused.clear();
  for (const char c : name) {
    if (c == ':' || c == '/' || c == '\\') {
      refused = std::string(1, c);
      return false;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      refused = "a control character";
      return false;
    }
  }
  return !name.empty();
}

bool CKicadSymbolBuilder::Build(const CString& component, const CComponent& record, const std::string& name,
                                CKicadSymbolWriter::Symbol& symbol, CString& error) {
  Resolved resolved;
  if (!ResolveFootprint(component, record, resolved, error)) return false;
  symbol.name = name;
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    symbol.units.emplace_back();
    if (!AddUnit(component, record, *gate, resolved, symbol.units.back(), error)) return false;
  }
  ShareCommonPins(component, record, symbol);
  const CString reference =
      record.GetDefaultReference().IsEmpty() ? CString("U") : record.GetDefaultReference();
  const CAttribute* datasheet = record.FindAttribute("Datasheet");
  const CAttribute* description = record.FindAttribute("Description");
  symbol.properties = {{"Reference", reference.str()},
                       {"Value", component.str()},
                       {"Footprint", resolved.footprintProperty},
                       {"Datasheet", datasheet != nullptr ? datasheet->GetValue().str() : std::string()},
                       {"ki_description", description != nullptr ? description->GetValue().str()
                                                                 : record.GetDescription().str()}};
  if (!record.GetPcbSymbol().IsEmpty())
    symbol.properties.emplace_back("ki_fp_filters", record.GetPcbSymbol().str());
  return true;
}

bool CKicadSymbolBuilder::ResolveFootprint(const CString& component, const CComponent& record,
                                           Resolved& resolved, CString& error) {
  const CString& name = record.GetPcbSymbol();
  if (name.IsEmpty()) {
    m_notes.push_back(CString(Where(component, record) + " has no footprint; its Footprint is left empty."));
    return true;
  }
  CString path;
  if (!CSymbolLibraryLocator(SymbolKind::Pcb, m_settings.componentLibrary)
           .Find(record.GetPcbComponent()->GetLibrary(), path)) {
    error = CAppError::GetLastError();
    return false;
  }
  auto& library = m_pcbLibraries[path];
  if (library == nullptr) {
    library = std::make_unique<CPcbSymbolLibrary>(path);
    if (!library->OpenRead()) {
      error = CAppError::GetLastError();
      library.reset();
      return false;
    }
  }
  const CSymbol* footprint = library->Find(name);
  if (footprint == nullptr) {
    error.FormatMessage("The footprint \"%1\" of %2 is not in \"%3\".", name,
                        CString(Where(component, record)), library->GetFileName());
    return false;
  }
  resolved.labels = CPinLabels(footprint);
  std::string refused;
  if (!IsValidName(name.str(), refused)) {
    error.FormatMessage("The footprint \"%1\" of %2 cannot be named so in KiCad: a name cannot hold %3.",
                        name, CString(Where(component, record)), CString(refused));
    return false;
  }
  if (KicadLibrary::KindOfPath(path.str()) == SymbolKind::Pcb) {
    resolved.footprintProperty = std::filesystem::path(path.str()).stem().string() + ":" + name.str();
    return true;
  }
  if (!m_settings.writeFootprints) {
    m_notes.push_back(
        CString(Where(component, record) + ": the footprint " + name.str() + " is in " +
                library->GetFileName().str() +
                ", which KiCad cannot read, and no footprint folder was given; its Footprint is "
                "left empty."));
    return true;
  }
  const auto [found, added] = m_footprints.try_emplace(name.str(), Footprint{name.str(), path, {}});
  if (added) {
    found->second.text = CKicadFootprintWriter::Format(*footprint);
  } else if (found->second.libraryPath != path) {
    error.FormatMessage("Two footprints are named \"%1\": one in \"%2\" and one in \"%3\".", name,
                        found->second.libraryPath, path);
    return false;
  }
  resolved.footprintProperty = m_settings.footprintNickname.str() + ":" + name.str();
  return true;
}

const CSymbol* CKicadSymbolBuilder::GateSymbol(const CString& component, const CGate& gate, CString& path,
                                               CString& error) {
  auto known = m_scmPaths.find(gate.GetLibrary());
  if (known == m_scmPaths.end()) {
    if (!CSymbolLibraryLocator(SymbolKind::Schematic, m_settings.componentLibrary)
             .Find(gate.GetLibrary(), path)) {
      error = CAppError::GetLastError();
      return nullptr;
    }
    known = m_scmPaths.emplace(gate.GetLibrary(), path).first;
  }
  path = known->second;
  auto& library = m_scmLibraries[path];
  if (library == nullptr) {
    library = std::make_unique<CScmSymbolLibrary>(path);
    if (!library->OpenRead()) {
      error = CAppError::GetLastError();
      library.reset();
      return nullptr;
    }
  }
  const CSymbol* symbol = library->Find(gate.GetSymbol());
  if (symbol == nullptr)
    error.FormatMessage("The symbol \"%1\" of gate %2 of %3 is not in \"%4\".", gate.GetSymbol(),
                        GateString(gate.GetIndex()), component, library->GetFileName());
  return symbol;
}

const std::vector<CKicadPinKinds::Kind>* CKicadSymbolBuilder::PinKinds(const CString& path,
                                                                       const CString& symbol,
                                                                       CString& error) {
  if (KicadLibrary::KindOfPath(path.str()) != SymbolKind::Schematic) return nullptr;
  const auto key = std::make_pair(path, symbol);
  auto found = m_pinKinds.find(key);
  if (found != m_pinKinds.end()) return &found->second;
  std::vector<CKicadPinKinds::Kind> kinds;
  if (!CKicadPinKinds::Read(path, symbol, kinds, error)) return nullptr;
  return &m_pinKinds.emplace(key, std::move(kinds)).first->second;
}

bool CKicadSymbolBuilder::AddUnit(const CString& component, const CComponent& record, const CGate& gate,
                                  const Resolved& resolved, CKicadSymbolWriter::Unit& unit, CString& error) {
  CString path;
  const CSymbol* symbol = GateSymbol(component, gate, path, error);
  if (symbol == nullptr) return false;
  error.Empty();
  const std::vector<CKicadPinKinds::Kind>* kinds = PinKinds(path, gate.GetSymbol(), error);
  if (kinds == nullptr && !error.IsEmpty()) return false;
  const CPoint origin = symbol->GetOrigin();
  for (const CSymbolGraphic& graphic : symbol->Graphics())
    unit.graphics.push_back(CKicadSymbolWriter::Moved(graphic, origin));
  const std::string gateName = GateString(gate.GetIndex()).str();
  unit.pins.reserve(static_cast<size_t>(gate.CountPins()));
  for (int terminal = 1; terminal <= gate.CountPins(); ++terminal) {
    const CFreePad* pad = symbol->FindPad(terminal);
    const std::string at =
        Where(component, record) + " gate " + gateName + " terminal " + std::to_string(terminal);
    if (pad == nullptr) {
      m_notes.push_back(
          CString(at + " has no pin in the symbol " + gate.GetSymbol().str() + "; it is left out."));
      continue;
    }
    Pin& pin = unit.pins.emplace_back();
    const CString name = gate.GetPinName(terminal);
    pin.name = (name.IsEmpty() ? pad->GetName() : name).str();
    const int number = gate.GetPinNumber(terminal);
    if (number == CGate::kNoPin) m_unnumbered.push_back({at + " (" + pin.name + ")"});
    pin.number = number == CGate::kNoPin ? std::string() : resolved.labels.Text(number).str();
    pin.position = CKicadSymbolWriter::Moved(pad->GetPosition(), origin);
    pin.length = pad->GetLength();
    pin.direction = pad->GetDirection();
    if (kinds != nullptr && static_cast<size_t>(terminal) <= kinds->size()) {
      const CKicadPinKinds::Kind& kind = (*kinds)[static_cast<size_t>(terminal) - 1];
      pin.type = kind.type;
      pin.shape = kind.shape;
      pin.hidden = kind.hidden;
    }
  }
  return true;
}

// A pin number used by several units is one pin of the part: where every unit draws it
// alike it moves to the shared unit 0; otherwise the first unit keeps it alone.
void CKicadSymbolBuilder::ShareCommonPins(const CString& component, const CComponent& record,
                                          CKicadSymbolWriter::Symbol& symbol) {
  auto uses = UsesOf(symbol);
  std::vector<std::vector<bool>> dropped(symbol.units.size());
  for (size_t unit = 0; unit < symbol.units.size(); ++unit)
    dropped[unit].assign(symbol.units[unit].pins.size(), false);
  for (size_t unit = 0; unit < symbol.units.size(); ++unit) {
    for (size_t i = 0; i < symbol.units[unit].pins.size(); ++i) {
      const Pin& pin = symbol.units[unit].pins[i];
      if (pin.number.empty()) continue;
      const Uses& list = uses[pin.number];
      if (list.front() != std::make_pair(unit, i) || list.back().first == unit) continue;
      const bool alike = DrawnAlikeByEvery(symbol, list, pin);
      for (const auto& [u, p] : list) dropped[u][p] = alike || u != unit;
      if (alike) {
        symbol.shared.pins.push_back(pin);
        continue;
      }
      const bool every = CountUnits(list) == symbol.units.size();
      m_notes.push_back(CString(Where(component, record) + ": pin " + pin.number + " (" + pin.name +
                                ") is drawn by gates " + GatesOf(list) + ", " +
                                (every ? "not alike" : "not by every gate") +
                                "; KiCad cannot give one pin to some units only, so only gate " +
                                GateString(static_cast<int>(unit)).str() + " has it."));
    }
  }
  RemoveDropped(symbol, dropped);
}
