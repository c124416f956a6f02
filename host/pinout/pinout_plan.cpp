#include "host/pinout/pinout_plan.h"

#include <algorithm>
#include <map>

#include "host/kicad/natural_order.h"
#include "host/model/component.h"
#include "host/model/gate.h"
#include "host/model/symbol_library_file.h"

namespace {

constexpr const char* kConfiguration = "CONFIG";
constexpr const char* kPower = "POWER";

struct NaturalOrder {
  bool operator()(const std::string& a, const std::string& b) const { return NaturalLess(a, b); }
};

bool IsSupply(PinKind kind) {
  return kind == PinKind::Power || kind == PinKind::Ground || kind == PinKind::NoConnect;
}

std::string BankLabel(const PinTableRow& row, PinKind kind) {
  if (IsSupply(kind)) return kPower;
  if (row.bank.empty() || IsConfigurationPin(row.type, row.name)) return kConfiguration;
  return "BANK " + row.bank;
}

// Banks in their natural order, then the configuration gate, then the supplies.
int LabelRank(const std::string& label) {
  if (label == kPower) return 2;
  return label == kConfiguration ? 1 : 0;
}

CString SymbolName(const CString& component, const std::string& label) {
  std::string name = component.str();
  if (label.empty()) return CString(name);
  name += '_';
  for (const char c : label) name += c == ' ' ? '_' : c;
  return CString(name);
}

bool Refuse(CString& error, const PinTableRow& row, const std::string& problem) {
  error.Format("Cannot import line %d: %s.", row.line, problem.c_str());
  return false;
}

}  // namespace

bool ReadPinGateSplit(const std::string& word, PinGateSplit& split) {
  if (word == "bank")
    split = PinGateSplit::Bank;
  else if (word == "unit")
    split = PinGateSplit::Unit;
  else if (word == "none")
    split = PinGateSplit::None;
  else
    return false;
  return true;
}

bool CPinoutPlan::Make(const PinTable& table, PinGateSplit split, const CString& component, CString& error,
                       const std::map<std::size_t, PinKind>& kinds) {
  m_gates.clear();
  m_kinds.clear();
  for (const PinTableRow& row : table.rows) m_kinds.push_back(ReadPinKind(row.type, row.name));
  for (const auto& [row, kind] : kinds)
    if (row < m_kinds.size()) m_kinds[row] = kind;
  return Assign(table, split, error) && CheckNames(table, component, error);
}

bool CPinoutPlan::Assign(const PinTable& table, PinGateSplit split, CString& error) {
  if (split == PinGateSplit::Unit && !table.hasUnits) {
    error = "The table has no unit column to split the gates by.";
    return false;
  }
  std::map<std::string, std::vector<std::size_t>, NaturalOrder> byLabel;
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    const PinTableRow& row = table.rows[i];
    std::string label;
    if (split == PinGateSplit::Bank) label = BankLabel(row, m_kinds[i]);
    if (split == PinGateSplit::Unit && (label = row.unit).empty())
      return Refuse(error, row, "the pin " + row.name + " has no unit");
    byLabel[label].push_back(i);
  }
  for (auto& [label, rows] : byLabel) {
    std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
      return NaturalLess(table.rows[a].name, table.rows[b].name);
    });
    m_gates.push_back({label, CString(), std::move(rows)});
  }
  std::stable_sort(m_gates.begin(), m_gates.end(),
                   [](const Gate& a, const Gate& b) { return LabelRank(a.label) < LabelRank(b.label); });
  return true;
}

bool CPinoutPlan::CheckNames(const PinTable& table, const CString& component, CString& error) {
  if (m_gates.size() > static_cast<std::size_t>(CComponent::kMaxGateIndex) + 1) {
    error = "The table would make more gates than a component can have.";
    return false;
  }
  for (Gate& gate : m_gates) {
    gate.symbol = SymbolName(component, gate.label);
    if (static_cast<std::size_t>(gate.symbol.GetLength()) > CSymbolLibraryFile::kMaxNameLength) {
      error.Format("The symbol name \"%s\" is longer than %zu bytes; choose a shorter component name.",
                   gate.symbol.c_str(), CSymbolLibraryFile::kMaxNameLength);
      return false;
    }
    if (!CGate::IsValidPinCount(static_cast<int>(gate.rows.size()))) {
      error.Format("The gate %s would have more terminals than a gate can have.", gate.symbol.c_str());
      return false;
    }
    for (const std::size_t row : gate.rows) {
      const std::string& name = table.rows[row].name;
      if (name.size() > CSymbolLibraryFile::kMaxPadNameLength)
        return Refuse(error, table.rows[row],
                      "the pin name " + name + " is longer than " +
                          std::to_string(CSymbolLibraryFile::kMaxPadNameLength) + " bytes");
    }
  }
  return true;
}
