// CComponentGrid: the pin grid, the top pane of the component frame. It shows the
// frame's current component as a table: one block of rows per schematic symbol (gates
// whose symbol names are equal ignoring case share one, sized by the first of them),
// one row per terminal with the symbol name, terminal name and terminal number in the
// three leading columns, and one column per gate with the PCB pin of each of the gate's
// terminals in the current package.
//
// The cells are the grid's only copy of the component: the first row of each block
// holds the gate that made the block as row data, each gate column holds its gate as
// column data, and a gate column's header "Gate <letter>" is where its gate index is
// read back from. The grid follows the other panes through the design's update hints,
// bolds the cells of what is picked in the drawings, and tells the drawings which
// terminal and pin the user moved to. Typed symbol names, terminal names and pin
// numbers go into the design at once and again, validated, in UpdateComponent.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "editor/grid/pin_grid_index.h"
#include "editor/grid/symbol_pin_names.h"
#include "host/model/component_value.h"
#include "host/model/pin_labels.h"
#include "host/utility/edit_grid.h"
#include "platform/view.h"

class CComponent;
class CComponentFrame;
class CGate;
class CGridUpdateEvt;
class CPadInstance;
class CPinNameHint;
class CPinNumberHint;
class CSymbolInstance;

class CComponentGrid : public CView {
  DECLARE_DYNCREATE(CComponentGrid)

 public:
  // The leading columns; gate columns follow from kFirstGateColumn.
  static constexpr long kSymbolColumn = 0;
  static constexpr long kTerminalNameColumn = 1;
  static constexpr long kTerminalNumberColumn = 2;
  static constexpr long kFirstGateColumn = 3;

  ~CComponentGrid() override;

  // Creates the view and then the grid control inside it; FALSE when either fails, so
  // that the frame falls back to its dummy grid.
  BOOL Create(const char* className, const char* windowName, DWORD style, const CRect& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The fixed layout and the saved column widths, then the first fill.
  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  // The grid control paints itself.
  void OnDraw(CDC* dc) override;

  CEditGrid& GetEditGrid() { return m_grid; }
  const CEditGrid& GetEditGrid() const { return m_grid; }
  // The frame the grid is a pane of; null outside a component frame.
  CComponentFrame* GetComponentFrame() const;

  // ---- Layout and contents ----
  // Only the header row and the leading columns remain, then every gate of the
  // component (null: none) is added in gate order and the cells outside the gates'
  // own blocks are disabled. Forgets the bold cells.
  void Fill(CComponent* component);
  // The gate's column and, for a symbol not shown yet, its block of rows. A gate
  // without a symbol name is not shown at all.
  void AddGate(CComponent* component, int gateIndex, CGate* gate);
  // The gate's block of rows, if its symbol has none yet, and its cells in `column`.
  void FillGateColumn(CComponent* component, int gateIndex, CGate* gate, long column);
  // Appends the column headed with the gate's letter; returns it.
  long AddGateColumn(int gateIndex);
  // The gate index in a gate column's header; -1 when the header names none.
  int GetColumnGate(long column) const;
  // The first column of the gate; -1 when it has none.
  long FindGateColumn(int gateIndex) const;
  // The first row of the symbol's block (name compared ignoring case); false, with
  // `row` unchanged, when the symbol has none.
  bool FindSymbolRows(const CString& symbolName, long& row) const;
  // The symbol name shown for the block that holds the row; `name` is unchanged when
  // no block does.
  void GetRowSymbol(long row, CString& name) const;
  // The terminal name the row shows: its own, or greyed where it has none, the name
  // its symbol gives the pin.
  CString GetShownTerminalName(long row) const;
  // Disables every gate-column cell that cannot be edited.
  void DisableUnusedCells();
  // How the current package's pins are shown and typed: by the names of its
  // footprint's lands where it names them. Read again at every fill.
  const CPinLabels& GetPinLabels() const { return m_labels; }

  // ---- Bold cells ----
  void RecordBoldCell(long row, long column);
  // A gate symbol bolds its gate's column; the package's PCB symbol every gate cell.
  void HighlightSymbolInstance(CSymbolInstance* instance);
  // A schematic terminal bolds its cell; a PCB pad the cells of every terminal mapped
  // to its pin.
  void HighlightPad(CPadInstance* pad);
  // Un-bolds what the record holds and empties it; the current cell stays.
  void ClearHighlight();
  // The user moved to another cell: clears the bold cells and tells the drawings.
  void OnSelectionChanged();

  // ---- Cell editing (component_grid_edit.cpp) ----
  // The user ended an edit with a new text in the current cell.
  void OnCellChanged();
  // Writes every cell still marked modified into the component and its gates, in
  // one "Edit Pin Map" undo level: a terminal name goes to every gate of its block,
  // pin numbers are stored as typed. False, with the last error recorded, when a
  // symbol or terminal name fails its validator (the walk stops there and no pin
  // number is written) or when the model refuses a value.
  bool UpdateComponent(CComponent* component);
  // Ends an in-cell edit in progress as the user would; 1 when one ended, else 0.
  long StopEdit();

 protected:
  CComponentGrid();
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;

 private:
  // Widens the fixed columns that have no stored width until their headers fit.
  void FitHeaderWidths();
  // The cells made bold to mirror a pick, as far as ClearHighlight needs to know them:
  // empty, one cell (`single`), one row (`row` only), one gate column (`column` only)
  // or cells spread over rows and columns (`many`).
  struct HighlightRecord {
    bool many = false;
    bool single = false;
    long row = -1;
    long column = -1;
  };

  // Contents.
  struct ShownGate {
    int index;
    CGate* gate;
    long column;
  };
  CComponent* CurrentComponent() const;
  // The blocks of the shown gates, whose columns exist already, and their cells.
  void FillBlocks(CComponent* component, const std::vector<ShownGate>& shown);
  void DisableUnusedCells(long firstRow, long rows);
  void AddSymbolBlock(const CString& symbolName, CGate* gate, int pins);
  SymbolPinNames& PinNames();
  void ShowPinNumber(const CPinNumberHint* hint);
  void ShowPinName(const CPinNameHint* hint);
  void AddGateFromHint(CObject* hintObject);
  // An undo or a redo that changed only pins or terminal names rewrites just their
  // cells, as the edits did; bold cells go as after a fill. False when the update asks
  // for a fill.
  bool ShowUndoneChanges(CObject* hintObject);
  void ShowTerminalChange(const CComponent& component, const TerminalChange& change);
  CGate* RowGate(long row) const;
  // The cell of a block's terminal; false outside the block.
  bool TerminalCell(const PinGridIndex::Block& block, int terminal, long& row) const;
  void SetCellText(long row, long column, const CString& text);

  // Bold cells.
  void HighlightPicked(CObject* item);
  void HighlightGateColumn(int gateIndex);
  void HighlightEveryGateCell();
  void HighlightTerminal(CPadInstance* pad);
  void HighlightPcbPin(int pin);
  // Where a gate's terminals are shown: its column and its symbol's block.
  struct GateCells {
    int gate = -1;
    long column = -1;
    const PinGridIndex::Block* block = nullptr;
  };
  GateCells CellsOfGate(const CComponent& component, int gateIndex) const;
  // Bolds the cell of the gate's terminal, if the grid shows it.
  void BoldTerminalCell(const GateCells& cells, int terminal);
  void MakeBold(long row, long column, bool bold);
  // Un-bolds every cell made bold since the last fill, the record's or not (a record of
  // one cell forgets the row it held before), and empties the record, as a fill does.
  void ClearEveryBoldCell();
  // Un-bolds the cells listed as made bold since the last fill (every gate cell once
  // they all count as bold) and empties the list.
  void UnboldListedCells();
  void SetEveryGateCellBold(bool bold);
  void SetGateColumnsBold(long row, bool bold);
  void SetColumnBold(long column, bool bold);

  // Cell editing.
  void ChangeSymbolName(long row);
  void ChangeTerminalName(long row);
  void ChangePinNumber(long row, long column);
  bool WriteNames(CComponent* component);
  bool WritePinNumbers(CComponent* component);
  // A pin cell's text as the pin it stores: on a footprint that names its lands, a
  // name or a number, anything else refused with the error recorded; otherwise the
  // number the text starts with, as before.
  bool ReadPinText(const CString& text, int& pin) const;
  int TerminalOfRow(long row) const;
  CComponentFrame* ParentComponentFrame() const;
  void DestroyFrameAccelerators() const;
  void RestoreFrameAccelerators() const;

  void Send(LPARAM hint, CObject* hintObject);

  CEditGrid m_grid;
  bool m_created = false;
  HighlightRecord m_highlight;
  // The cells made bold since the last fill, as far as they are worth listing: past as
  // many as the grid has gate cells, every gate cell counts as bold.
  std::vector<std::pair<long, long>> m_boldCells;
  bool m_boldEverywhere = false;
  std::unique_ptr<CGridUpdateEvt> m_events;
  PinGridIndex m_index;
  CPinLabels m_labels;
  // Read afresh at every fill, for the blocks that have terminals without names.
  std::unique_ptr<SymbolPinNames> m_pinNames;
};
