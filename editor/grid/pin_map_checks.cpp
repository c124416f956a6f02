#include "editor/grid/pin_map_checks.h"

#include <algorithm>
#include <string>

#include "editor/frame/component_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/grid_clipboard.h"
#include "editor/views/update_hints.h"
#include "host/model/component.h"
#include "host/model/gate_names.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "platform/grid_ctrl.h"

namespace {

int GateOf(long long key) {
  return static_cast<int>(key >> 32);
}
int TerminalOf(long long key) {
  return static_cast<int>(key & 0xFFFFFFFF);
}

CString CellName(const CComponentGrid& grid, long row, long column) {
  return DescribeGridCell(grid, row, column);
}

}  // namespace

CComponentGrid* CPinMapChecks::Grid() const {
  return m_frame != nullptr ? m_frame->GetGrid() : nullptr;
}

CComponent* CPinMapChecks::Component() const {
  return m_frame != nullptr ? m_frame->GetComponent(false) : nullptr;
}

void CPinMapChecks::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  if (hint == HintComponent && CheckUndoneChanges(hintObject)) return;
  if (hint == HintComponent || hint == HintComponentObject) {
    CheckAll();
  } else if (hint == HintPinNumber) {
    if (const auto* pin = DynamicDowncast<CPinNumberHint>(hintObject))
      CheckTerminal(pin->GetGate(), pin->GetTerminal());
  } else if (hint == HintPinName) {
    const auto* name = DynamicDowncast<CPinNameHint>(hintObject);
    CComponentGrid* grid = Grid();
    long row = 0;
    if (name != nullptr && grid != nullptr && grid->FindSymbolRows(name->GetSymbolName(), row))
      CheckName(row + name->GetTerminal() - 1);
  }
}

// A terminal checked on its own costs about as much as a dozen in a whole check, so the
// whole check takes over only past a sixteenth of the part's terminals (and never below
// 64 changes): an undo of a few hundred pins on a big part stays a few hundred checks.
bool CPinMapChecks::CheckUndoneChanges(const CObject* hintObject) {
  constexpr size_t kFewChanges = 64;
  constexpr size_t kTerminalsPerChange = 16;
  const CComponent* component = Component();
  const std::vector<TerminalChange>* changes = UndoneTerminalChanges(hintObject, component);
  if (changes == nullptr) return false;
  if (changes->size() > kFewChanges &&
      changes->size() * kTerminalsPerChange > static_cast<size_t>(component->CountTerminals()))
    return false;
  CComponentGrid* grid = Grid();
  for (const TerminalChange& change : *changes) {
    if (change.pin) CheckTerminal(change.gate, change.terminal);
    const CGate* gate = change.name ? component->FindGate(change.gate) : nullptr;
    long row = 0;
    if (gate != nullptr && grid != nullptr && grid->FindSymbolRows(gate->GetSymbol(), row))
      CheckName(row + change.terminal - 1);
  }
  return true;
}

std::vector<PinMapProblem> CPinMapChecks::Problems() const {
  std::vector<PinMapProblem> problems;
  problems.reserve(m_problems.size());
  for (const auto& [cell, text] : m_problems) problems.push_back({cell.first, cell.second, text});
  return problems;
}

void CPinMapChecks::CheckAll() {
  const int before = CountProblems();
  m_pins.clear();
  for (std::vector<Key>& users : m_users) users.clear();
  m_problems.clear();
  CComponentGrid* grid = Grid();
  CComponent* component = Component();
  if (grid != nullptr && component != nullptr) {
    m_users.resize(static_cast<size_t>(std::max(component->GetPinCount(), 0)) + 1);
    // A whole re-check marks cells all over the grid: the screen takes them at once.
    const CGridBatch batch(grid->GetEditGrid());
    POSITION position = nullptr;
    int index = 0;
    for (CGate* gate = component->FirstGate(position, index); gate != nullptr;
         gate = component->NextGate(position, index)) {
      std::vector<int>& pins = m_pins[index];
      pins.resize(static_cast<size_t>(std::max(gate->CountPins(), 0)));
      for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
        pins[terminal - 1] = gate->GetPinNumber(terminal);
        Use(pins[terminal - 1], KeyOf(index, terminal));
      }
    }
    EvaluateEveryPin(*grid, *component);
    for (long row = 1; row < grid->GetEditGrid().GetRows(); ++row) CheckName(row);
  }
  NotifyCount(before);
}

void CPinMapChecks::CheckTerminal(int gate, int terminal) {
  CComponent* component = Component();
  if (component == nullptr || terminal < 1) return;
  // The package's pad count changed without a whole check: its users are counted anew.
  if (m_users.size() != static_cast<size_t>(std::max(component->GetPinCount(), 0)) + 1) {
    CheckAll();
    return;
  }
  const int before = CountProblems();
  const Key key = KeyOf(gate, terminal);
  const int pin = component->GetPinNumber(gate, terminal);
  const int oldPin = KnownPin(key);
  std::vector<Key> touched = {key};
  if (oldPin != pin) {
    Release(oldPin, key);
    std::vector<int>& pins = m_pins[gate];
    if (pins.size() < static_cast<size_t>(terminal)) pins.resize(terminal, -1);
    pins[terminal - 1] = pin;
    Use(pin, key);
    for (int shared : {oldPin, pin}) {
      if (const std::vector<Key>* users = UsersOf(shared))
        touched.insert(touched.end(), users->begin(), users->end());
    }
  }
  for (const Key other : touched) EvaluatePin(other);
  NotifyCount(before);
}

void CPinMapChecks::CheckName(long row) {
  CComponentGrid* grid = Grid();
  if (grid == nullptr || row < 1 || row >= grid->GetEditGrid().GetRows()) return;
  const int before = CountProblems();
  const Cell cell{row, CComponentGrid::kTerminalNameColumn};
  CString text;
  if (!ValidPinName(grid->GetEditGrid().GetTextMatrix(row, cell.second))) {
    text.Format("%s: %s", CellName(*grid, row, cell.second).c_str(), CAppError::GetLastError().c_str());
    CAppError::ClearLastError();
  }
  SetProblem(cell, text);
  NotifyCount(before);
}

// The gate's place is looked up once for all its terminals.
void CPinMapChecks::EvaluateEveryPin(CComponentGrid& grid, const CComponent& component) {
  const GridData* data = GetGridData(grid.GetEditGrid().GetSafeHwnd());
  if (data == nullptr) return;
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    Cell first;
    if (!GateCell(grid, *gate, index, first)) continue;
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      const Cell cell{first.first + terminal - 1, first.second};
      if (data->IsEditable(cell.first, cell.second)) EvaluatePinAt(KeyOf(index, terminal), cell);
    }
  }
}

bool CPinMapChecks::GateCell(const CComponentGrid& grid, const CGate& gate, int index, Cell& cell) {
  long first = 0;
  if (!grid.FindSymbolRows(gate.GetSymbol(), first)) return false;
  const long column = grid.FindGateColumn(index);
  if (column < CComponentGrid::kFirstGateColumn) return false;
  cell = {first, column};
  return true;
}

bool CPinMapChecks::PinCell(int gate, int terminal, Cell& cell) const {
  CComponentGrid* grid = Grid();
  CComponent* component = Component();
  const CGate* found = component != nullptr ? component->FindGate(gate) : nullptr;
  if (grid == nullptr || found == nullptr) return false;
  Cell first;
  if (!GateCell(*grid, *found, gate, first)) return false;
  const long row = first.first + terminal - 1;
  // A later gate with more terminals than its block's first gate has none shown here.
  const GridData* data = GetGridData(grid->GetEditGrid().GetSafeHwnd());
  if (data == nullptr || !data->IsEditable(row, first.second)) return false;
  cell = {row, first.second};
  return true;
}

int CPinMapChecks::KnownPin(Key key) const {
  const auto gate = m_pins.find(GateOf(key));
  const int terminal = TerminalOf(key);
  if (gate == m_pins.end() || terminal < 1 || static_cast<size_t>(terminal) > gate->second.size()) return -1;
  return gate->second[terminal - 1];
}

std::vector<CPinMapChecks::Key>* CPinMapChecks::UsersOf(int pin) {
  if (pin < 1 || static_cast<size_t>(pin) >= m_users.size()) return nullptr;
  return &m_users[pin];
}

void CPinMapChecks::Use(int pin, Key key) {
  if (std::vector<Key>* users = UsersOf(pin)) users->push_back(key);
}

void CPinMapChecks::Release(int pin, Key key) {
  if (std::vector<Key>* users = UsersOf(pin)) std::erase(*users, key);
}

void CPinMapChecks::EvaluatePin(Key key) {
  Cell cell;
  if (PinCell(GateOf(key), TerminalOf(key), cell)) EvaluatePinAt(key, cell);
}

// The cell's name is made only for a problem: most pins have none.
void CPinMapChecks::EvaluatePinAt(Key key, const Cell& cell) {
  const CComponent* component = Component();
  const int pin = KnownPin(key);
  const auto where = [this, &cell] { return CellName(*Grid(), cell.first, cell.second); };
  CString text;
  if (pin == -1) {
    text.Format("%s: no pin.", where().c_str());
  } else if (pin < 1 || pin > component->GetPinCount()) {
    text.Format("%s: pin %s is not one of the %d pads of %s.", where().c_str(), PinText(pin).c_str(),
                component->GetPinCount(), component->GetPackage().c_str());
  } else if (const std::vector<Key>* users = UsersOf(pin); users != nullptr && users->size() > 1) {
    text.Format("%s: pin %s is used by %zu terminals in %s.", where().c_str(), PinText(pin).c_str(),
                users->size(), component->GetPackage().c_str());
  }
  SetProblem(cell, text);
}

CString CPinMapChecks::PinText(int pin) const {
  const CComponentGrid* grid = Grid();
  return grid != nullptr ? grid->GetPinLabels().Text(pin) : CString(std::to_string(pin));
}

void CPinMapChecks::SetProblem(const Cell& cell, const CString& text) {
  CComponentGrid* grid = Grid();
  if (text.IsEmpty()) {
    m_problems.erase(cell);
  } else {
    m_problems[cell] = text;
  }
  if (grid != nullptr) grid->GetEditGrid().SetCellMarked(cell.first, cell.second, !text.IsEmpty());
}

void CPinMapChecks::NotifyCount(int before) {
  if (m_countListener && before != CountProblems()) m_countListener(CountProblems());
}
