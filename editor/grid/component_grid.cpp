#include "editor/grid/component_grid.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/frame/component_frame.h"
#include "editor/grid/component_gate_hint.h"
#include "editor/grid/grid_update_evt.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/libtools/library_manager.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_library.h"

IMPLEMENT_DYNCREATE(CComponentGrid, CView)

namespace {

constexpr const char* kGridSettingsKey = "ComponentEditor\\Grid";
constexpr short kHeaderAlignment = kGridAlignCenterTop;
constexpr short kNameAlignment = kGridAlignLeftTop;

CString NumberText(int value) {
  return CString(std::to_string(value));
}

}  // namespace

CComponentGrid::CComponentGrid() : m_events(std::make_unique<CGridUpdateEvt>(this)) {}

CComponentGrid::~CComponentGrid() = default;

// ---- Window ----

BOOL CComponentGrid::Create(const char* className, const char* windowName, DWORD style, const CRect& rect,
                            CWnd* parent, UINT id, CCreateContext* context) {
  if (!CView::Create(className, windowName, style, rect, parent, id, context)) return FALSE;
  const CRect client(0, 0, rect.Width(), rect.Height());
  if (!m_grid.Create(nullptr, nullptr, WS_VISIBLE, client, this, 0, context)) {
    // Leave the document now, while this is still a grid view.
    DestroyWindow();
    return FALSE;
  }
  m_grid.SetRegistryKey(kGridSettingsKey);
  m_grid.SetProcessKeys(TRUE);
  m_created = true;
  return TRUE;
}

LRESULT CComponentGrid::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CFlexGrid::GetSelectionChangedMessage()) {
    OnSelectionChanged();
  } else if (message == CEditGrid::GetEditStartMessage()) {
    DestroyFrameAccelerators();
  } else if (message == CEditGrid::GetEditChangeMessage()) {
    OnCellChanged();
  } else if (message == CEditGrid::GetEditStopMessage()) {
    RestoreFrameAccelerators();
  }
  return CView::WindowProc(message, wParam, lParam);
}

void CComponentGrid::OnSize(UINT, int cx, int cy) {
  Default();
  if (m_created) m_grid.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
}

void CComponentGrid::OnDestroy() {
  // A width that cannot be kept only means the default width next time.
  if (m_created) m_grid.SaveSettings();
  CView::OnDestroy();
}

void CComponentGrid::OnInitialUpdate() {
  m_grid.SetCols(3);
  m_grid.SetFixedCols(0);
  m_grid.SetRows(2);
  m_grid.SetFixedRows(1);
  m_grid.SetAllowUserResizing(TRUE);
  m_grid.LoadSettings();
  for (long column = kSymbolColumn; column <= kTerminalNumberColumn; ++column) {
    m_grid.SetCell(0, column);
    m_grid.SetCellAlignment(kHeaderAlignment);
  }
  m_grid.SetTextMatrix(0, kSymbolColumn, IDS_SCHEMATIC_SYMBOL_HEADER);
  m_grid.SetTextMatrix(0, kTerminalNameColumn, IDS_TERMINAL_NAME_HEADER);
  m_grid.SetTextMatrix(0, kTerminalNumberColumn, IDS_TERMINAL_NUMBER_HEADER);
  FitHeaderWidths();
  CView::OnInitialUpdate();
}

void CComponentGrid::FitHeaderWidths() {
  // About the width of a character of the grid's font, and room for the cell margins.
  constexpr int kCharPixels = 7;
  constexpr int kMarginPixels = 16;
  for (long column = kSymbolColumn; column <= kTerminalNumberColumn; ++column) {
    if (m_grid.GetColWidth(column) != kGridDefaultColWidth) continue;  // the user's own width
    const int needed = m_grid.GetTextMatrix(0, column).GetLength() * kCharPixels + kMarginPixels;
    if (needed > kGridDefaultColWidth) m_grid.SetColWidth(column, needed);
  }
}

void CComponentGrid::OnDraw(CDC*) {}

CComponentFrame* CComponentGrid::GetComponentFrame() const {
  return ::GetComponentFrame(this);
}

CComponent* CComponentGrid::CurrentComponent() const {
  CComponentFrame* frame = GetComponentFrame();
  return frame != nullptr ? frame->GetComponent(false) : nullptr;
}

void CComponentGrid::Send(LPARAM hint, CObject* hintObject) {
  if (CDocument* document = GetDocument()) document->UpdateAllViews(this, hint, hintObject);
}

// ---- Update hints ----

void CComponentGrid::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  if (sender == this) return;
  switch (hint) {
    case HintComponent:
      if (!ShowUndoneChanges(hintObject)) Fill(CurrentComponent());
      break;
    case HintPicked:
      HighlightPicked(hintObject);
      break;
    case HintClearHighlight:
      ClearHighlight();
      break;
    case HintPinNumber:
      ShowPinNumber(DynamicDowncast<CPinNumberHint>(hintObject));
      break;
    case HintPinName:
      ShowPinName(DynamicDowncast<CPinNameHint>(hintObject));
      break;
    case HintComponentObject:
      AddGateFromHint(hintObject);
      break;
    default:
      // HintHighlightPin comes from the grid itself; the colours are the drawings'.
      break;
  }
}

void CComponentGrid::ShowPinNumber(const CPinNumberHint* hint) {
  if (hint == nullptr) return;
  const PinGridIndex::Block* block = m_index.FindBlock(hint->GetSymbolName());
  if (block == nullptr) return;
  const long column = FindGateColumn(hint->GetGate());
  long row = 0;
  if (column < kFirstGateColumn || !TerminalCell(*block, hint->GetTerminal(), row)) return;
  SetCellText(row, column, m_labels.Text(hint->GetPin()));
}

void CComponentGrid::ShowPinName(const CPinNameHint* hint) {
  if (hint == nullptr) return;
  const PinGridIndex::Block* block = m_index.FindBlock(hint->GetSymbolName());
  long row = 0;
  if (block == nullptr || !TerminalCell(*block, hint->GetTerminal(), row)) return;
  SetCellText(row, kTerminalNameColumn, hint->GetTerminalName());
}

void CComponentGrid::AddGateFromHint(CObject* hintObject) {
  const CGridBatch batch(m_grid);
  const auto* added = DynamicDowncast<CComponentGateHint>(hintObject);
  if (added == nullptr || added->GetGate() == nullptr) return;
  AddGate(added->GetComponent(), added->GetGateIndex(), added->GetGate());
}

bool CComponentGrid::ShowUndoneChanges(CObject* hintObject) {
  const CComponent* component = CurrentComponent();
  const std::vector<TerminalChange>* changes = UndoneTerminalChanges(hintObject, component);
  if (changes == nullptr) return false;
  const CGridBatch batch(m_grid);
  ClearEveryBoldCell();
  const long row = m_grid.GetRow();
  const long column = m_grid.GetCol();
  for (const TerminalChange& change : *changes) ShowTerminalChange(*component, change);
  m_grid.SetCell(row, column);
  if (CComponentFrame* frame = GetComponentFrame()) frame->SetCaption();
  return true;
}

// A rewritten cell holds what the model holds, so its modified mark goes: a later
// write-back must not take its text to the gates again. A name cell shows the names of
// the gate that made its block, and loses its mark whichever gate of the block changed.
void CComponentGrid::ShowTerminalChange(const CComponent& component, const TerminalChange& change) {
  const CGate* gate = component.FindGate(change.gate);
  if (gate == nullptr || gate->GetSymbol().IsEmpty() || change.terminal > gate->CountPins()) return;
  const PinGridIndex::Block* block = m_index.FindBlock(gate->GetSymbol());
  long row = 0;
  if (block == nullptr || !TerminalCell(*block, change.terminal, row)) return;
  const long column = change.pin ? FindGateColumn(change.gate) : -1;
  if (column >= kFirstGateColumn) {
    SetCellText(row, column, m_labels.Text(component.GetPinNumber(change.gate, change.terminal)));
    m_grid.SetCellModified(FALSE);
  }
  if (!change.name) return;
  m_grid.SetCell(row, kTerminalNameColumn);
  if (RowGate(block->firstRow) == gate) m_grid.SetText(gate->GetPinName(change.terminal));
  m_grid.SetCellModified(FALSE);
}

// ---- Layout and contents ----

void CComponentGrid::Fill(CComponent* component) {
  const CGridBatch batch(m_grid);
  // The user's cell stays current where it still exists; building moves it.
  const long row = m_grid.GetRow();
  const long column = m_grid.GetCol();
  m_grid.SetRows(1);
  m_grid.SetCols(3);
  m_index.Clear();
  m_pinNames.reset();
  m_labels = component != nullptr
                 ? CPinLabels::ForPackage(*component,
                                          CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary)))
                 : CPinLabels();
  if (component != nullptr) {
    // Every gate's column first, while there is one row, so that each block's rows are
    // made once for all the columns.
    std::vector<ShownGate> shown;
    POSITION position = nullptr;
    int index = -1;
    for (CGate* gate = component->FirstGate(position, index); gate != nullptr;
         gate = component->NextGate(position, index)) {
      if (!gate->GetSymbol().IsEmpty()) shown.push_back({index, gate, AddGateColumn(index)});
    }
    FillBlocks(component, shown);
  }
  m_grid.SetCell(std::min(row, m_grid.GetRows() - 1), std::min(column, m_grid.GetCols() - 1));
  if (CComponentFrame* frame = GetComponentFrame()) frame->SetCaption();
  m_highlight = HighlightRecord{};
  m_boldCells.clear();
  m_boldEverywhere = false;
}

// Block by block, each made, filled by every gate it shows and its unused cells
// disabled while its rows are fresh in memory, rather than walking a big grid's rows
// once per gate and once more to disable. Blocks come in the order of their first gate,
// as gate by gate.
void CComponentGrid::FillBlocks(CComponent* component, const std::vector<ShownGate>& shown) {
  std::unordered_map<std::string, std::vector<size_t>> gatesOfSymbol;
  std::vector<std::string> keys;
  keys.reserve(shown.size());
  for (size_t at = 0; at < shown.size(); ++at) {
    CString key = shown[at].gate->GetSymbol();
    keys.push_back(key.MakeLower().str());
    gatesOfSymbol[keys.back()].push_back(at);
  }
  std::vector<bool> filled(shown.size(), false);
  for (size_t at = 0; at < shown.size(); ++at) {
    if (filled[at]) continue;
    const ShownGate& first = shown[at];
    const bool made = m_index.FindBlock(first.gate->GetSymbol()) == nullptr;
    FillGateColumn(component, first.index, first.gate, first.column);
    filled[at] = true;
    const PinGridIndex::Block* block = m_index.FindBlock(first.gate->GetSymbol());
    if (!made || block == nullptr) continue;
    for (const size_t other : gatesOfSymbol[keys[at]]) {
      if (filled[other]) continue;
      FillGateColumn(component, shown[other].index, shown[other].gate, shown[other].column);
      filled[other] = true;
    }
    DisableUnusedCells(block->firstRow, block->rows);
  }
}

void CComponentGrid::AddGate(CComponent* component, int gateIndex, CGate* gate) {
  if (gate->GetSymbol().IsEmpty()) return;
  FillGateColumn(component, gateIndex, gate, AddGateColumn(gateIndex));
}

void CComponentGrid::FillGateColumn(CComponent* component, int gateIndex, CGate* gate, long column) {
  const CString symbol = gate->GetSymbol();
  const int pins = gate->CountPins();
  if (pins > 0 && m_index.FindBlock(symbol) == nullptr) AddSymbolBlock(symbol, gate, pins);
  m_grid.SetColData(column, reinterpret_cast<LONG_PTR>(gate));
  const PinGridIndex::Block* block = pins > 0 ? m_index.FindBlock(symbol) : nullptr;
  if (block == nullptr) return;
  // A later gate with more terminals than the block's first shows only those that fit.
  const int shown = static_cast<int>(std::min<long>(pins, block->rows));
  m_index.AddShownColumn(symbol, column, shown);
  for (int terminal = 1; terminal <= shown; ++terminal) {
    m_grid.SetCell(block->firstRow + terminal - 1, column);
    const int pin = component != nullptr ? component->GetPinNumber(gateIndex, terminal) : CGate::kNoPin;
    if (pin != CGate::kNoPin) m_grid.SetText(m_labels.Text(pin));
    m_grid.SetCellEditClass(RUNTIME_CLASS(CGridEdit));
  }
}

void CComponentGrid::AddSymbolBlock(const CString& symbolName, CGate* gate, int pins) {
  const long first = m_grid.GetRows();
  m_grid.SetRows(first + pins);
  m_grid.SetRowData(first, reinterpret_cast<LONG_PTR>(gate));
  m_grid.SetCell(first, kSymbolColumn);
  m_grid.SetText(symbolName);
  m_grid.SetCellAlignment(kNameAlignment);
  m_grid.SetCellEditClass(RUNTIME_CLASS(CGridEdit));
  // Shown, greyed, for the terminals without names of their own, now or once cleared.
  const std::vector<CString> symbolNames = PinNames().Names(gate->GetLibrary(), gate->GetSymbol(), pins);
  for (int terminal = 1; terminal <= pins; ++terminal) {
    const long row = first + terminal - 1;
    m_grid.SetTextMatrix(row, kTerminalNumberColumn, NumberText(terminal));
    m_grid.SetCell(row, kTerminalNameColumn);
    m_grid.SetText(gate->GetPinName(terminal));
    m_grid.SetCellPlaceholder(row, kTerminalNameColumn, symbolNames[terminal - 1]);
    m_grid.SetCellAlignment(kNameAlignment);
    m_grid.SetCellEditClass(RUNTIME_CLASS(CGridEdit));
  }
  m_index.AddBlock(symbolName, first, pins);
}

long CComponentGrid::AddGateColumn(int gateIndex) {
  const long column = m_grid.GetCols();
  m_grid.SetCols(column + 1);
  m_grid.SetCell(0, column);
  m_grid.SetCellAlignment(kHeaderAlignment);
  CString header;
  header.Format(IDS_GATE_HEADER, CSymbolInstance::GetGateString(gateIndex));
  m_grid.SetTextMatrix(0, column, header);
  m_index.AddColumn(gateIndex, column);
  return column;
}

int CComponentGrid::GetColumnGate(long column) const {
  const CString header = m_grid.GetTextMatrix(0, column);
  const int blank = header.Find(' ');
  if (blank < 0) return -1;
  return CSymbolInstance::GetGateId(header.Mid(blank + 1));
}

long CComponentGrid::FindGateColumn(int gateIndex) const {
  if (m_grid.GetCols() <= kFirstGateColumn) return -1;
  return m_index.FindColumn(gateIndex);
}

bool CComponentGrid::FindSymbolRows(const CString& symbolName, long& row) const {
  const PinGridIndex::Block* block = m_index.FindBlock(symbolName);
  if (block == nullptr) return false;
  row = block->firstRow;
  return true;
}

void CComponentGrid::GetRowSymbol(long row, CString& name) const {
  if (const PinGridIndex::Block* block = m_index.BlockAt(row)) {
    name = m_grid.GetTextMatrix(block->firstRow, kSymbolColumn);
  }
}

CString CComponentGrid::GetShownTerminalName(long row) const {
  return m_grid.GetShownText(row, kTerminalNameColumn);
}

SymbolPinNames& CComponentGrid::PinNames() {
  if (m_pinNames == nullptr)
    m_pinNames =
        std::make_unique<SymbolPinNames>(CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary)));
  return *m_pinNames;
}

void CComponentGrid::DisableUnusedCells() {
  DisableUnusedCells(1, m_grid.GetRows() - 1);
}

void CComponentGrid::DisableUnusedCells(long firstRow, long rows) {
  // Column by column: a column's cells lie together, a row's do not.
  const long columns = m_grid.GetCols();
  for (long column = kFirstGateColumn; column < columns; ++column) {
    for (long row = firstRow; row < firstRow + rows; ++row) {
      m_grid.SetCell(row, column);
      if (m_grid.GetCellEditClass() == nullptr) m_grid.SetCellDisabled(TRUE);
    }
  }
}

CGate* CComponentGrid::RowGate(long row) const {
  return reinterpret_cast<CGate*>(m_grid.GetRowData(row));
}

bool CComponentGrid::TerminalCell(const PinGridIndex::Block& block, int terminal, long& row) const {
  if (terminal < 1 || terminal > block.rows) return false;
  row = block.firstRow + terminal - 1;
  return true;
}

void CComponentGrid::SetCellText(long row, long column, const CString& text) {
  m_grid.SetCell(row, column);
  m_grid.SetText(text);
}

// ---- Moving in the grid ----

void CComponentGrid::OnSelectionChanged() {
  ClearHighlight();
  const long column = m_grid.GetCol();
  if (column < kFirstGateColumn) {
    Send(HintClearHighlight, nullptr);
    return;
  }
  const int gate = GetColumnGate(column);
  const long row = m_grid.GetRow();
  if (row < 1) return;
  const int terminal = TerminalOfRow(row);
  Send(HintHighlightPin, PackHighlightPin(gate, terminal));
  // An empty cell reads as pin 0, as the drawings have always been told.
  const int pin = std::atoi(m_grid.GetText().c_str());
  Send(HintHighlightPin, PackHighlightPin(kHighlightPcbPin, pin));
}

int CComponentGrid::TerminalOfRow(long row) const {
  return std::atoi(m_grid.GetTextMatrix(row, kTerminalNumberColumn).c_str());
}

// ---- Bold cells ----

void CComponentGrid::RecordBoldCell(long row, long column) {
  if (m_highlight.many) return;
  if (!m_highlight.single) {
    m_highlight.single = true;
    m_highlight.row = row;
    m_highlight.column = column;
  } else if (m_highlight.row != row) {
    m_highlight.many = true;
    m_highlight.single = false;
  } else if (m_highlight.column != -1) {
    // Two cells of one row: the whole row is recorded.
    m_highlight.column = -1;
    m_highlight.single = false;
  }
}

void CComponentGrid::HighlightPicked(CObject* item) {
  const CGridBatch batch(m_grid);
  if (auto* pad = DynamicDowncast<CPadInstance>(item)) {
    HighlightPad(pad);
  } else if (auto* instance = DynamicDowncast<CSymbolInstance>(item)) {
    HighlightSymbolInstance(instance);
  }
}

namespace {
bool IsSchematic(const CDesignItem* item) {
  return DynamicDowncast<CScmDesign>(item->GetOwnerDesign()) != nullptr;
}
}  // namespace

void CComponentGrid::HighlightSymbolInstance(CSymbolInstance* instance) {
  if (instance == nullptr) return;
  if (IsSchematic(instance)) {
    HighlightGateColumn(instance->GetGate());
  } else {
    HighlightEveryGateCell();
  }
}

void CComponentGrid::HighlightGateColumn(int gateIndex) {
  const long column = FindGateColumn(gateIndex);
  if (column > 0) SetColumnBold(column, true);
  m_highlight.single = false;
  m_highlight.row = -1;
  m_highlight.column = column > 0 ? column : -1;
}

// Every gate cell counts as bold at once, rather than listing each as it is made bold.
void CComponentGrid::HighlightEveryGateCell() {
  m_boldCells.clear();
  m_boldEverywhere = true;
  SetEveryGateCellBold(true);
  m_highlight.many = true;
  m_highlight.single = false;
}

void CComponentGrid::HighlightPad(CPadInstance* pad) {
  if (pad == nullptr) return;
  if (IsSchematic(pad)) {
    HighlightTerminal(pad);
  } else {
    HighlightPcbPin(pad->GetPinNumber());
  }
}

void CComponentGrid::HighlightTerminal(CPadInstance* pad) {
  const CSymbolInstance* instance = pad->GetSymbolInstance();
  if (instance == nullptr || instance->GetSymbol() == nullptr) return;
  const PinGridIndex::Block* block = m_index.FindBlock(instance->GetSymbol()->GetName());
  if (block == nullptr) return;
  const long column = FindGateColumn(instance->GetGate());
  long row = 0;
  if (column < 1 || !TerminalCell(*block, pad->GetPad()->GetNumber(), row)) return;
  MakeBold(row, column, true);
  RecordBoldCell(row, column);
}

// The component knows the terminals of a pin, in gate order; only "no pin" means
// walking them all.
void CComponentGrid::HighlightPcbPin(int pin) {
  const CComponent* component = CurrentComponent();
  if (component == nullptr) return;
  if (pin != CGate::kNoPin) {
    GateCells cells;
    for (const auto& [gate, terminal] : component->TerminalsOfPin(pin)) {
      if (gate != cells.gate) cells = CellsOfGate(*component, gate);
      BoldTerminalCell(cells, terminal);
    }
    return;
  }
  POSITION position = nullptr;
  int index = -1;
  for (const CGate* gate = component->FirstGate(position, index); gate != nullptr;
       gate = component->NextGate(position, index)) {
    const GateCells cells = CellsOfGate(*component, index);
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      if (gate->GetPinNumber(terminal) == pin) BoldTerminalCell(cells, terminal);
    }
  }
}

CComponentGrid::GateCells CComponentGrid::CellsOfGate(const CComponent& component, int gateIndex) const {
  const CGate* gate = component.FindGate(gateIndex);
  return {gateIndex, FindGateColumn(gateIndex),
          gate != nullptr ? m_index.FindBlock(gate->GetSymbol()) : nullptr};
}

void CComponentGrid::BoldTerminalCell(const GateCells& cells, int terminal) {
  long row = 0;
  if (cells.column < 0 || cells.block == nullptr || !TerminalCell(*cells.block, terminal, row)) return;
  MakeBold(row, cells.column, true);
  RecordBoldCell(row, cells.column);
}

void CComponentGrid::ClearHighlight() {
  const CGridBatch batch(m_grid);
  m_grid.HideFocus();
  const long currentRow = m_grid.GetRow();
  const long currentColumn = m_grid.GetCol();
  if (m_highlight.many) {
    // Cells spread by a pick may lie in any gate column, in and out of the gates' own
    // blocks (a PCB symbol bolds the disabled cells too): the cells listed as made bold
    // are cleared, or every gate cell once they all are.
    UnboldListedCells();
  } else if (m_highlight.single) {
    MakeBold(m_highlight.row, m_highlight.column, false);
  } else if (m_highlight.row != -1) {
    SetGateColumnsBold(m_highlight.row, false);
  } else if (m_highlight.column != -1) {
    SetColumnBold(m_highlight.column, false);
  }
  m_grid.SetCell(currentRow, currentColumn);
  m_grid.ShowFocus();
  m_highlight = HighlightRecord{};
}

void CComponentGrid::MakeBold(long row, long column, bool bold) {
  m_grid.SetCell(row, column);
  m_grid.SetCellFontBold(bold ? TRUE : FALSE);
  if (!bold || m_boldEverywhere) return;
  const auto gateCells = static_cast<size_t>(m_grid.GetRows() * (m_grid.GetCols() - kFirstGateColumn));
  m_boldEverywhere = m_boldCells.size() >= gateCells;
  if (m_boldEverywhere) {
    m_boldCells.clear();
  } else {
    m_boldCells.emplace_back(row, column);
  }
}

void CComponentGrid::ClearEveryBoldCell() {
  const long row = m_grid.GetRow();
  const long column = m_grid.GetCol();
  UnboldListedCells();
  m_grid.SetCell(row, column);
  m_highlight = HighlightRecord{};
}

void CComponentGrid::UnboldListedCells() {
  if (m_boldEverywhere) SetEveryGateCellBold(false);
  for (const auto& [boldRow, boldColumn] : m_boldCells) MakeBold(boldRow, boldColumn, false);
  m_boldCells.clear();
  m_boldEverywhere = false;
}

void CComponentGrid::SetEveryGateCellBold(bool bold) {
  for (long row = 1; row < m_grid.GetRows(); ++row) SetGateColumnsBold(row, bold);
}

void CComponentGrid::SetGateColumnsBold(long row, bool bold) {
  for (long column = kFirstGateColumn; column < m_grid.GetCols(); ++column) MakeBold(row, column, bold);
}

void CComponentGrid::SetColumnBold(long column, bool bold) {
  for (long row = 1; row < m_grid.GetRows(); ++row) MakeBold(row, column, bold);
}
