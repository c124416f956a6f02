#include "editor/grid/grid_clipboard.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "editor/grid/component_grid.h"
#include "host/model/component.h"
#include "host/pinmap/pin_map_text.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "platform/grid_ctrl.h"

namespace {

const GridData* DataOf(const CComponentGrid& grid) {
  return GetGridData(grid.GetEditGrid().GetSafeHwnd());
}

CString Refusal(const CComponentGrid& grid, long row, long column, const char* reason) {
  CString line;
  line.Format("%s: %s", DescribeGridCell(grid, row, column).c_str(), reason);
  if (!line.IsEmpty() && line[line.GetLength() - 1] != '.') line += '.';
  return line;
}

// Why the cell takes no value at all; empty when it takes one.
const char* RefusedCell(const GridData& data, long row, long column) {
  if (row >= data.Rows()) return "beyond the last row";
  if (column >= data.Cols()) return "beyond the last column";
  if (column == CComponentGrid::kSymbolColumn) return "symbol names are not pasted";
  if (column == CComponentGrid::kTerminalNumberColumn) return "terminal numbers cannot be changed";
  if (!data.IsEditable(row, column)) return "the gate has no terminal in this row";
  return "";
}

void PlanName(const CComponentGrid& grid, long row, long column, const std::string& text,
              GridPastePlan& plan) {
  const CString name(text);
  if (!ValidPinName(name)) {
    const CString reason = CAppError::GetLastError();
    CAppError::ClearLastError();
    plan.refused.push_back(Refusal(grid, row, column, reason.c_str()));
    return;
  }
  CString symbol;
  grid.GetRowSymbol(row, symbol);
  const int terminal =
      std::atoi(grid.GetEditGrid().GetTextMatrix(row, CComponentGrid::kTerminalNumberColumn));
  plan.names.push_back({symbol, terminal, name});
}

void PlanPin(const CComponentGrid& grid, long row, long column, const std::string& text,
             GridPastePlan& plan) {
  int pin = -1;
  if (!grid.GetPinLabels().Read(text, pin)) {
    plan.refused.push_back(Refusal(grid, row, column, grid.GetPinLabels().Refusal(text).c_str()));
    return;
  }
  const int terminal =
      std::atoi(grid.GetEditGrid().GetTextMatrix(row, CComponentGrid::kTerminalNumberColumn));
  plan.pins.push_back({grid.GetColumnGate(column), terminal, pin});
}

}  // namespace

CString DescribeGridCell(const CComponentGrid& grid, long row, long column) {
  CString where;
  const CEditGrid& cells = grid.GetEditGrid();
  if (row < 1 || row >= cells.GetRows() || column < 0 || column >= cells.GetCols()) {
    where.Format("Row %ld, column %ld", row, column + 1);
    return where;
  }
  CString symbol;
  grid.GetRowSymbol(row, symbol);
  const int terminal = std::atoi(cells.GetTextMatrix(row, CComponentGrid::kTerminalNumberColumn));
  CString header = cells.GetTextMatrix(0, column);
  header.MakeLower();
  if (column < CComponentGrid::kFirstGateColumn) {
    where.Format("%s, %s terminal %d", header.c_str(), symbol.c_str(), terminal);
    return where;
  }
  if (!cells.GetCellEditable(row, column)) {
    where.Format("%s, beside %s terminal %d", header.c_str(), symbol.c_str(), terminal);
    return where;
  }
  const CString name = grid.GetShownTerminalName(row);
  where.Format("%s, terminal %d", header.c_str(), terminal);
  if (!name.IsEmpty()) where += " (" + name + ")";
  return where;
}

CString CopyGridRange(const CComponentGrid& grid, const GridRange& range) {
  const CEditGrid& cells = grid.GetEditGrid();
  const long lastRow = std::min(range.row + range.rows, cells.GetRows());
  const long lastColumn = std::min(range.column + range.columns, cells.GetCols());
  std::string text;
  for (long row = range.row; row < lastRow; ++row) {
    std::vector<std::string> fields;
    for (long column = range.column; column < lastColumn; ++column)
      fields.push_back(cells.GetTextMatrix(row, column).str());
    text += JoinSeparatedFields(fields, '\t') + "\n";
  }
  return CString(text);
}

GridPastePlan PlanGridPaste(const CComponentGrid& grid, long row, long column, std::string_view text) {
  GridPastePlan plan;
  const GridData* data = DataOf(grid);
  if (data == nullptr) return plan;
  const std::vector<TextRecord> lines = SplitSeparatedText(text, '\t');
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (std::size_t j = 0; j < lines[i].fields.size(); ++j) {
      PlanGridCell(grid, row + static_cast<long>(i), column + static_cast<long>(j), lines[i].fields[j], plan);
    }
  }
  return plan;
}

GridPastePlan PlanGridPaste(const CComponentGrid& grid, const GridSelection& selection,
                            std::string_view text) {
  const std::vector<TextRecord> lines = SplitSeparatedText(text, '\t');
  std::size_t width = 0;
  for (const TextRecord& line : lines) width = std::max(width, line.fields.size());
  const long rows = static_cast<long>(lines.size());
  const long columns = static_cast<long>(width);
  const GridData* data = DataOf(grid);
  const bool repeated = data != nullptr && rows > 0 && columns > 0 && selection.Rows() % rows == 0 &&
                        selection.Cols() % columns == 0 &&
                        selection.Rows() * selection.Cols() > rows * columns;
  if (!repeated) return PlanGridPaste(grid, selection.top, selection.left, text);
  GridPastePlan plan;
  for (long row = selection.top; row <= selection.bottom; ++row) {
    for (long column = selection.left; column <= selection.right; ++column) {
      if (data->HasMark(row, column, GridMark::Disabled)) continue;
      const std::vector<std::string>& fields = lines[(row - selection.top) % rows].fields;
      const auto field = static_cast<std::size_t>((column - selection.left) % columns);
      PlanGridCell(grid, row, column, field < fields.size() ? fields[field] : std::string(), plan);
    }
  }
  return plan;
}

void PlanGridCell(const CComponentGrid& grid, long row, long column, const std::string& value,
                  GridPastePlan& plan) {
  const GridData* data = DataOf(grid);
  const char* refused = data != nullptr ? RefusedCell(*data, row, column) : "the grid has no cells";
  if (*refused != '\0')
    plan.refused.push_back(Refusal(grid, row, column, refused));
  else if (column == CComponentGrid::kTerminalNameColumn)
    PlanName(grid, row, column, value, plan);
  else
    PlanPin(grid, row, column, value, plan);
}

void ApplyGridPaste(const GridPastePlan& plan, CComponent& component) {
  for (const GridPastePlan::PinWrite& write : plan.pins)
    component.SetPinNumber(write.gate, write.terminal, write.pin);
  for (const GridPastePlan::NameWrite& write : plan.names) {
    POSITION position = nullptr;
    int index = 0;
    for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
         gate = component.NextGate(position, index)) {
      if (gate->GetSymbol().CompareNoCase(write.symbol) == 0 && write.terminal <= gate->CountPins())
        gate->SetPinName(write.terminal, write.name);
    }
  }
}
