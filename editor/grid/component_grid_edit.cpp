// In-cell editing of the pin grid: each typed value goes into the design as soon as the
// edit ends, and the cells stay marked modified so that UpdateComponent writes them
// again, validated, when the design is brought up to date.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "editor/frame/component_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/libtools/library_manager.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"

namespace {

// A pin cell: empty means no pin; other text is read as the whole number it starts
// with, as typed (text without one is 0, what follows the number is dropped). A number
// too large for a pin is held at the nearest one that fits.
int PinOfText(const CString& text) {
  if (text.IsEmpty()) return CGate::kNoPin;
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The gates of the component that the grid shows in the block of `symbol`: every gate
// drawn by a symbol of that name, ignoring case, as the grid groups them.
std::vector<CGate*> GatesOfSymbol(const CComponent& component, const CString& symbol) {
  std::vector<CGate*> gates;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    if (gate->GetSymbol().CompareNoCase(symbol) == 0) gates.push_back(gate);
  }
  return gates;
}

// The gates a block of rows stands for, found from the gate that made it; that gate
// alone when the component does not list it.
std::vector<CGate*> GatesOfBlock(const CComponent* component, CGate* blockGate) {
  std::vector<CGate*> gates;
  if (component != nullptr) gates = GatesOfSymbol(*component, blockGate->GetSymbol());
  if (std::find(gates.begin(), gates.end(), blockGate) == gates.end()) gates = {blockGate};
  return gates;
}

// Terminal names belong to the symbol: every gate of the block takes the name. A gate
// with fewer terminals than the block has no such terminal to name. False, with the
// last error, when a gate refuses the name.
bool RenameTerminal(const std::vector<CGate*>& gates, int terminal, const CString& name) {
  bool renamed = true;
  for (CGate* gate : gates) {
    if (terminal > gate->CountPins()) continue;
    if (!gate->SetPinName(terminal, name)) renamed = false;
  }
  return renamed;
}

// The gate's library, found where the views find it (beside the component library,
// then beside the schematic library last used, then among the bundled ones); a gate
// that names no library takes the schematic library last used. False, with the
// message recorded, when the library is in none of those places.
bool FindSymbolLibraryOf(const CGate& gate, CFilePath& path) {
  if (gate.GetLibrary().IsEmpty()) {
    path.SetPath(CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary)));
    return true;
  }
  const CString componentLibrary = CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary));
  CString found;
  const bool located =
      CSymbolLibraryLocator(SymbolKind::Schematic, componentLibrary).Find(gate.GetLibrary(), found);
  path.SetPath(found);
  return located;
}

// The symbol of that name in the gate's library; null, with the message recorded,
// when it cannot be read. `path` ends up naming the library read.
std::unique_ptr<CSymbol> ReadGateSymbol(const CGate& gate, const CString& name, CFilePath& path) {
  if (!FindSymbolLibraryOf(gate, path)) return nullptr;
  CString libraryPath = path.GetPath();
  std::unique_ptr<CSymbol> symbol(
      CSymbolLibrary::ReadSymbol(RUNTIME_CLASS(CScmSymbolLibrary), libraryPath, name, true));
  path.SetPath(libraryPath);
  return symbol;
}

}  // namespace

CComponentFrame* CComponentGrid::ParentComponentFrame() const {
  return DynamicDowncast<CComponentFrame>(GetParentFrame());
}

void CComponentGrid::DestroyFrameAccelerators() const {
  if (CComponentFrame* frame = ParentComponentFrame()) frame->DestroyAccelerators();
}

void CComponentGrid::RestoreFrameAccelerators() const {
  if (CComponentFrame* frame = ParentComponentFrame()) frame->RestoreAccelerators();
}

long CComponentGrid::StopEdit() {
  return m_grid.StopEdit(0, 0);
}

// ---- Immediate writes ----

void CComponentGrid::OnCellChanged() {
  const long column = m_grid.GetCol();
  const long row = m_grid.GetRow();
  if (column == kSymbolColumn) {
    ChangeSymbolName(row);
  } else if (column == kTerminalNameColumn) {
    ChangeTerminalName(row);
  } else if (column >= kFirstGateColumn) {
    ChangePinNumber(row, column);
  }
  RestoreFrameAccelerators();
}

void CComponentGrid::ChangeSymbolName(long row) {
  CGate* gate = RowGate(row);
  CComponentFrame* frame = GetComponentFrame();
  if (gate == nullptr || frame == nullptr) return;
  const CString newName = m_grid.GetTextMatrix(row, kSymbolColumn);
  CFilePath path;
  std::unique_ptr<CSymbol> symbol = ReadGateSymbol(*gate, newName, path);
  if (symbol == nullptr) {
    CAppError::ReportLastError();
    m_grid.SetTextMatrix(row, kSymbolColumn, gate->GetSymbol());
    return;
  }
  const int gateIndex = gate->GetIndex();
  const int pads = symbol->CountPads();
  symbol.reset();
  frame->StartUndoLevel(IDS_UNDO_EDIT_SYMBOL_NAME);
  if (CDesign* design = frame->GetDesign()) {
    POSITION position = nullptr;
    for (CComponent* record = design->FirstComponent(position); record != nullptr;
         record = design->NextComponent(position)) {
      // A record without the gate has nothing to replace.
      if (record->FindGate(gateIndex) == nullptr) continue;
      if (!record->ReplaceGateSymbol(gateIndex, newName, path.GetFileName(), pads))
        CAppError::ReportLastError();
    }
  }
  // Every pane is rebuilt, the grid too: the block may move or join another.
  if (CDocument* document = GetDocument()) document->UpdateAllViews(nullptr, HintComponent, nullptr);
  frame->EndUndoLevel(IDS_UNDO_EDIT_SYMBOL_NAME);
}

void CComponentGrid::ChangeTerminalName(long row) {
  CComponentFrame* frame = GetComponentFrame();
  if (row < 1 || frame == nullptr || m_index.BlockAt(row) == nullptr) return;
  CString symbolName;
  GetRowSymbol(row, symbolName);
  const int terminal = TerminalOfRow(row);
  const CString newName = m_grid.GetText();
  frame->StartUndoLevel(IDS_UNDO_EDIT_TERMINAL_NAME);
  CComponent* component = frame->GetComponent(false);
  CPinNameHint hint(symbolName, terminal, newName);
  Send(HintPinName, &hint);
  // The rows stand for every gate of the symbol, and the drawings rename them all.
  if (component != nullptr && !RenameTerminal(GatesOfSymbol(*component, symbolName), terminal, newName)) {
    CAppError::ReportLastError();
  }
  frame->EndUndoLevel(IDS_UNDO_EDIT_TERMINAL_NAME);
}

void CComponentGrid::ChangePinNumber(long row, long column) {
  CComponentFrame* frame = GetComponentFrame();
  if (row < 1 || frame == nullptr) return;
  const int gate = GetColumnGate(column);
  const int terminal = TerminalOfRow(row);
  CComponent* component = frame->GetComponent(false);
  int pin = CGate::kNoPin;
  if (!ReadPinText(m_grid.GetText(), pin)) {
    // A name the footprint does not have: say so and show what the model holds.
    CAppError::ReportLastError();
    const int held = component != nullptr ? component->GetPinNumber(gate, terminal) : CGate::kNoPin;
    m_grid.SetTextMatrix(row, column, m_labels.Text(held));
    return;
  }
  frame->StartUndoLevel(IDS_UNDO_EDIT_PIN_MAP);
  if (component != nullptr && component->GetPinNumber(gate, terminal) != pin) {
    CPinNumberHint removed(CString(), gate, terminal, CGate::kNoPin);
    Send(HintPinNumber, &removed);
    if (!component->SetPinNumber(gate, terminal, pin)) {
      // The model refuses only a terminal it no longer has: say so and show what it
      // holds.
      CAppError::ReportLastError();
      pin = component->GetPinNumber(gate, terminal);
      m_grid.SetTextMatrix(row, column, m_labels.Text(pin));
    }
  }
  CPinNumberHint changed(CString(), gate, terminal, pin);
  Send(HintPinNumber, &changed);
  // A pin typed by number or in another case shows as the footprint names it.
  if (m_labels.HasNames()) m_grid.SetTextMatrix(row, column, m_labels.Text(pin));
  frame->EndUndoLevel(IDS_UNDO_EDIT_PIN_MAP);
}

// ---- Deferred writes ----

bool CComponentGrid::UpdateComponent(CComponent* component) {
  const CGridBatch batch(m_grid);
  CComponentFrame* frame = GetComponentFrame();
  if (frame != nullptr) frame->StartUndoLevel(IDS_UNDO_EDIT_PIN_MAP);
  bool ok = WriteNames(component);
  if (ok && component != nullptr) ok = WritePinNumbers(component);
  if (frame != nullptr) frame->EndUndoLevel(IDS_UNDO_EDIT_PIN_MAP);
  return ok;
}

bool CComponentGrid::WriteNames(CComponent* component) {
  const long rows = m_grid.GetRows();
  std::vector<CGate*> blockGates;
  int terminal = 0;
  for (long row = 1; row < rows; ++row) {
    if (CGate* gate = RowGate(row)) {
      // The block's gates as the grid showed them, before its symbol name changes.
      blockGates = GatesOfBlock(component, gate);
      terminal = 1;
      m_grid.SetCell(row, kSymbolColumn);
      if (m_grid.GetCellModified()) {
        const CString text = m_grid.GetText();
        m_grid.SetCellModified(FALSE);
        if (!ValidSymbolName(text)) return false;
        gate->SetSymbol(text, nullptr);
      }
    }
    m_grid.SetCell(row, kTerminalNameColumn);
    if (m_grid.GetCellModified()) {
      const CString text = m_grid.GetText();
      m_grid.SetCellModified(FALSE);
      if (!ValidPinName(text)) return false;
      if (!RenameTerminal(blockGates, terminal, text)) return false;
    }
    ++terminal;
  }
  return true;
}

bool CComponentGrid::ReadPinText(const CString& text, int& pin) const {
  if (!m_labels.HasNames()) {
    pin = PinOfText(text);
    return true;
  }
  if (m_labels.Read(text.str(), pin)) return true;
  CAppError::SetLastErrorText(m_labels.Refusal(text.str()) + ".");
  return false;
}

// Pin numbers are stored as typed, so every modified cell is written: a cell the model
// refuses (its gate or terminal went meanwhile) keeps its error for the caller and the
// walk goes on. Only a cell a user can edit gets a modified mark, and those are the
// cells the gate columns show of their blocks: the walk visits them alone, row by row
// and left to right, rather than every cell of a grid that is mostly disabled.
bool CComponentGrid::WritePinNumbers(CComponent* component) {
  std::vector<int> gates;
  for (long column = kFirstGateColumn; column < m_grid.GetCols(); ++column)
    gates.push_back(GetColumnGate(column));
  bool written = true;
  const long rows = m_grid.GetRows();
  for (const PinGridIndex::Block& block : m_index.Blocks()) {
    for (long at = 0; at < block.rows; ++at) {
      const long row = block.firstRow + at;
      // A block's rows show its terminals in order, from 1.
      const int terminal = static_cast<int>(at) + 1;
      for (const PinGridIndex::ShownColumn& shown : block.columns) {
        if (at >= shown.rows) continue;
        m_grid.SetCell(row, shown.column);
        if (!m_grid.GetCellModified()) continue;
        m_grid.SetCellModified(FALSE);
        int pin = CGate::kNoPin;
        const int gate = gates[static_cast<size_t>(shown.column - kFirstGateColumn)];
        if (!ReadPinText(m_grid.GetText(), pin) || !component->SetPinNumber(gate, terminal, pin))
          written = false;
      }
    }
  }
  // The current cell ends on the last gate cell, where a walk of every cell leaves it.
  if (rows > 1 && !gates.empty()) m_grid.SetCell(rows - 1, m_grid.GetCols() - 1);
  return written;
}
