#include "host/pinmap/pin_map_table.h"

#include <algorithm>
#include <map>

#include "host/model/gate_names.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"

namespace {

const GateValue* FindGate(const ComponentValue& record, int index) {
  const auto found = std::lower_bound(record.gates.begin(), record.gates.end(), index,
                                      [](const GateValue& gate, int wanted) { return gate.index < wanted; });
  if (found == record.gates.end() || found->index != index) return nullptr;
  return &*found;
}

GateValue* FindGate(ComponentValue& record, int index) {
  return const_cast<GateValue*>(FindGate(static_cast<const ComponentValue&>(record), index));
}

// Every gate index of the records with the most terminals any record gives it and the
// first record that has it, which names its terminals.
struct GateShape {
  int terminals = 0;
  const GateValue* named = nullptr;
};

std::map<int, GateShape> GateShapes(const std::vector<ComponentValue>& records) {
  std::map<int, GateShape> shapes;
  for (const ComponentValue& record : records) {
    for (const GateValue& gate : record.gates) {
      GateShape& shape = shapes[gate.index];
      shape.terminals = std::max(shape.terminals, static_cast<int>(gate.terminals.size()));
      if (shape.named == nullptr) shape.named = &gate;
    }
  }
  return shapes;
}

int PinOf(const ComponentValue& record, int gate, int terminal) {
  const GateValue* found = FindGate(record, gate);
  if (found == nullptr || terminal > static_cast<int>(found->terminals.size())) return -1;
  return found->terminals[terminal - 1].pin;
}

// The record of each package column; false with a message for a column no record has.
bool ColumnRecords(const PinMapTable& table, const std::vector<ComponentValue>& records,
                   std::vector<std::size_t>& columns, CString& error) {
  for (std::size_t column = 0; column < table.packages.size(); ++column) {
    const CString& package = table.packages[column];
    const auto found = std::find_if(records.begin(), records.end(), [&](const ComponentValue& record) {
      return record.package.CompareNoCase(package) == 0;
    });
    if (found == records.end()) {
      const CString component = records.empty() ? CString() : records.front().name;
      error.Format("column %d: the component \"%s\" has no package \"%s\".", static_cast<int>(column) + 4,
                   component.c_str(), package.c_str());
      return false;
    }
    columns.push_back(static_cast<std::size_t>(found - records.begin()));
  }
  return true;
}

struct Terminal {
  int gate = -1;
  int terminal = 0;
};

CString TerminalText(int gate, int terminal) {
  CString text;
  text.Format("gate %s, terminal %d", GateString(gate).c_str(), terminal);
  return text;
}

// The terminal that a row names by gate and number; gate -1 with a reason otherwise.
Terminal FindByNumber(const PinMapRow& row, const std::map<int, GateShape>& shapes, CString& reason) {
  if (row.gate < 0 || row.terminal < 1) {
    reason = "the row names no gate and terminal number";
    return {};
  }
  const auto shape = shapes.find(row.gate);
  if (shape == shapes.end() || row.terminal > shape->second.terminals) {
    reason.Format("the component has no %s", TerminalText(row.gate, row.terminal).c_str());
    return {};
  }
  return {row.gate, row.terminal};
}

// The one terminal whose name is the row's, within the row's gate when it names one.
Terminal FindByName(const PinMapRow& row, const std::map<int, GateShape>& shapes, CString& reason) {
  Terminal match;
  int matches = 0;
  for (const auto& [index, shape] : shapes) {
    if (row.gate >= 0 && index != row.gate) continue;
    const std::vector<TerminalValue>& terminals = shape.named->terminals;
    for (std::size_t t = 0; t < terminals.size(); ++t) {
      if (row.name.IsEmpty() || terminals[t].name.CompareNoCase(row.name) != 0) continue;
      if (++matches == 1) match = {index, static_cast<int>(t) + 1};
    }
  }
  if (matches == 1) return match;
  if (matches == 0)
    reason.Format("no terminal is named \"%s\"", row.name.c_str());
  else
    reason.Format("%d terminals are named \"%s\"", matches, row.name.c_str());
  return {};
}

CString ColumnPinText(const PinMapTable& table, std::size_t column, int pin) {
  if (column < table.labels.size()) return table.labels[column].Text(pin);
  return CString(std::to_string(pin));
}

// A pin the record's footprint has no pad for; records without a footprint are not judged.
void NoteBeyondPads(const PinMapTable& table, std::size_t column, const PinMapRow& row,
                    const ComponentValue& record, PinMapPlacement& placement) {
  const int pin = row.pins[column];
  if (pin == -1 || record.pinCount <= 0 || (pin >= 1 && pin <= record.pinCount)) return;
  CString reason;
  reason.Format("pin %s is not one of the %d pads of %s", ColumnPinText(table, column, pin).c_str(),
                record.pinCount, record.package.c_str());
  placement.beyondPads.push_back({row.line, reason});
}

void PlaceRow(const PinMapTable& table, const PinMapRow& row, Terminal terminal,
              const std::vector<std::size_t>& columns, const std::vector<ComponentValue>& records,
              PinMapPlacement& placement) {
  bool placed = false;
  for (std::size_t column = 0; column < columns.size() && column < row.pins.size(); ++column) {
    const ComponentValue& record = records[columns[column]];
    const GateValue* gate = FindGate(record, terminal.gate);
    if (gate == nullptr || terminal.terminal > static_cast<int>(gate->terminals.size())) {
      CString reason;
      reason.Format("the package \"%s\" has no %s", record.package.c_str(),
                    TerminalText(terminal.gate, terminal.terminal).c_str());
      if (row.pins[column] != -1) placement.unplaced.push_back({row.line, reason});
      continue;
    }
    placement.assignments.push_back({columns[column], terminal.gate, terminal.terminal, row.pins[column]});
    NoteBeyondPads(table, column, row, record, placement);
    placed = true;
  }
  if (placed || columns.empty()) ++placement.placedRows;
}

// A row matched by number names its terminal anew when its name is given and differs.
void NoteRename(const PinMapRow& row, Terminal terminal, const std::map<int, GateShape>& shapes,
                PinMapPlacement& placement) {
  CString name = row.name;
  name.Trim();
  const std::vector<TerminalValue>& named = shapes.at(terminal.gate).named->terminals;
  const CString current =
      terminal.terminal <= static_cast<int>(named.size()) ? named[terminal.terminal - 1].name : CString();
  if (name.IsEmpty() || name == current) return;
  if (!ValidPinName(name)) {
    CString message = CAppError::GetLastError();
    CAppError::ClearLastError();
    if (message.Right(1) == ".") message = message.Left(message.GetLength() - 1);
    placement.refusedNames.push_back({row.line, "the name is not taken: " + message});
    return;
  }
  placement.renames.push_back({row.line, terminal.gate, terminal.terminal, name});
}

}  // namespace

PinMapTable CollectPinMap(const std::vector<ComponentValue>& records) {
  PinMapTable table;
  for (const ComponentValue& record : records) table.packages.push_back(record.package);
  for (const auto& [index, shape] : GateShapes(records)) {
    for (int terminal = 1; terminal <= shape.terminals; ++terminal) {
      PinMapRow row;
      row.gate = index;
      row.terminal = terminal;
      if (terminal <= static_cast<int>(shape.named->terminals.size()))
        row.name = shape.named->terminals[terminal - 1].name;
      for (const ComponentValue& record : records) row.pins.push_back(PinOf(record, index, terminal));
      table.rows.push_back(std::move(row));
    }
  }
  return table;
}

bool CheckPinMapPackages(const PinMapTable& table, const std::vector<ComponentValue>& records,
                         CString& error) {
  std::vector<std::size_t> columns;
  return ColumnRecords(table, records, columns, error);
}

bool PlacePinMap(const PinMapTable& table, const std::vector<ComponentValue>& records, PinMapMatch match,
                 PinMapPlacement& placement, CString& error) {
  placement = PinMapPlacement();
  std::vector<std::size_t> columns;
  if (!ColumnRecords(table, records, columns, error)) return false;
  const std::map<int, GateShape> shapes = GateShapes(records);
  for (const PinMapRow& row : table.rows) {
    CString reason;
    const Terminal terminal = match == PinMapMatch::TerminalName ? FindByName(row, shapes, reason)
                                                                 : FindByNumber(row, shapes, reason);
    if (terminal.gate < 0) {
      placement.unplaced.push_back({row.line, reason});
      continue;
    }
    PlaceRow(table, row, terminal, columns, records, placement);
    if (match == PinMapMatch::GateAndTerminal) NoteRename(row, terminal, shapes, placement);
  }
  return true;
}

void ApplyPinMap(const PinMapPlacement& placement, std::vector<ComponentValue>& records) {
  for (const PinMapAssignment& assignment : placement.assignments) {
    GateValue* gate = FindGate(records[assignment.record], assignment.gate);
    gate->terminals[assignment.terminal - 1].pin = assignment.pin;
  }
  for (const PinMapRename& rename : placement.renames) {
    for (ComponentValue& record : records) {
      GateValue* gate = FindGate(record, rename.gate);
      if (gate != nullptr && rename.terminal <= static_cast<int>(gate->terminals.size()))
        gate->terminals[rename.terminal - 1].name = rename.name;
    }
  }
}

CPinLabels PackagePinLabels(const std::vector<ComponentValue>& records, const CString& package,
                            const CString& componentLibrary) {
  const auto record = std::find_if(records.begin(), records.end(), [&](const ComponentValue& candidate) {
    return candidate.package.CompareNoCase(package) == 0;
  });
  if (record == records.end()) return {};
  return CPinLabels::ForFootprint(record->pcbLibrary, record->pcbSymbol, componentLibrary);
}

void LabelPinMap(PinMapTable& table, const std::vector<ComponentValue>& records,
                 const CString& componentLibrary) {
  table.labels.clear();
  for (const CString& package : table.packages)
    table.labels.push_back(PackagePinLabels(records, package, componentLibrary));
}
