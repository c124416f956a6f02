// The application's pin map commands: import and export through a file chooser, the
// grid's cells through the clipboard, and assignment by name after a preview.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_clipboard.h"
#include "app/app_component_frame.h"
#include "app/editor_app.h"
#include "app/file_prompt.h"
#include "app/fill_series_dialog.h"
#include "app/pin_map_problems_dialog.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/fill_series.h"
#include "editor/grid/grid_clipboard.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/grid/pin_name_match.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate_names.h"
#include "host/pinmap/pin_map_file.h"
#include "host/utility/app_error.h"
#include "platform/message_box.h"
#include "platform/temp_file.h"

namespace {

// Long lists are cut short: a message box is no place for two thousand lines.
constexpr std::size_t kListedLines = 20;

CString ListedLines(const CString& heading, const std::vector<CString>& lines) {
  CString text = heading;
  for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
    text += "\n";
    text += lines[i];
  }
  if (lines.size() > kListedLines) {
    CString more;
    more.Format("\n... and %zu more.", lines.size() - kListedLines);
    text += more;
  }
  return text;
}

std::filesystem::path DesignPath(CDesign* design) {
  return design != nullptr ? std::filesystem::path(design->GetPathName().str()) : std::filesystem::path();
}

// A pin as the grid shows it: by its land's name where the footprint names it.
CString PinText(const CPinLabels& labels, int pin) {
  if (pin == -1) return "none";
  return labels.Text(pin);
}

CString Counted(std::size_t count, const char* one, const char* many) {
  CString text;
  text.Format("%zu %s", count, count == 1 ? one : many);
  return text;
}

void AddLines(const std::vector<PinMapUnplaced>& found, const char* prefix, std::vector<CString>& lines) {
  for (const PinMapUnplaced& item : found) {
    CString line;
    line.Format("Line %d: %s%s.", item.line, prefix, item.reason.c_str());
    lines.push_back(line);
  }
}

void ShowImportSummary(const CString& source, const PinMapPlacement& placement) {
  CString heading;
  heading.Format(
      "Imported \"%s\": %s, %s, %s.", source.c_str(),
      Counted(static_cast<std::size_t>(placement.placedRows), "row taken", "rows taken").c_str(),
      Counted(placement.renames.size(), "name changed", "names changed").c_str(),
      Counted(placement.beyondPads.size(), "pin beyond the footprint", "pins beyond the footprint").c_str());
  if (!placement.unplaced.empty())
    heading += " " + Counted(placement.unplaced.size(), "row was", "rows were") + " not taken.";
  std::vector<CString> lines;
  for (const PinMapRename& rename : placement.renames) {
    CString line;
    line.Format("Line %d: gate %s, terminal %d is now named \"%s\".", rename.line,
                GateString(rename.gate).c_str(), rename.terminal, rename.name.c_str());
    lines.push_back(line);
  }
  AddLines(placement.beyondPads, "", lines);
  AddLines(placement.unplaced, "not taken: ", lines);
  AddLines(placement.refusedNames, "", lines);
  const bool warn =
      !placement.beyondPads.empty() || !placement.unplaced.empty() || !placement.refusedNames.empty();
  AfxMessageBox(ListedLines(heading, lines), MB_OK | (warn ? MB_ICONWARNING : MB_ICONINFORMATION));
}

}  // namespace

void CAppComponentFrame::OnImportPinMap() {
  CEditorApp* app = EditorApp();
  if (app == nullptr) return;
  const std::filesystem::path path(
      app->Prompt().AskPinMapToOpen(CString(DesignPath(GetDesign()).parent_path().string())).str());
  if (path.empty()) return;
  const CString source(path.filename().string());
  std::string text;
  CString error;
  if (!ReadPinMapText(CString(path.string()), text, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONWARNING);
    return;
  }
  // A file that cannot be taken is refused before the user is asked how to take it.
  PinMapTable table;
  if (!ReadPinMapForImport(text, source, table)) {
    CAppError::ReportLastError();
    return;
  }
  CString question;
  question.Format(
      "Match the rows of \"%s\" to the terminals by terminal name?\n\nYes matches each row to the terminal "
      "named in it; No matches it to its gate and terminal number and takes its name.",
      source.c_str());
  const int answer = AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return;
  PinMapPlacement placement;
  if (!ImportPinMap(table, source, answer == IDYES, placement)) {
    CAppError::ReportLastError();
    return;
  }
  ShowImportSummary(source, placement);
}

void CAppComponentFrame::OnExportPinMap() {
  CEditorApp* app = EditorApp();
  const CComponent* component = GetComponent(false);
  if (app == nullptr || component == nullptr) return;
  const std::filesystem::path suggested =
      DesignPath(GetDesign()).parent_path() / (component->GetName().str() + ".csv");
  const std::filesystem::path path(app->Prompt().AskPinMapToSave(CString(suggested.string())).str());
  if (path.empty()) return;
  std::string text;
  if (!ExportPinMap(path.extension() == ".tsv", text)) return;
  CString error;
  if (!WriteFileAtomically(CString(path.string()), text, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONWARNING);
    return;
  }
  const auto rows = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) - 1;
  CString done;
  done.Format("Wrote the pin map of %s, %s, to \"%s\".", component->GetName().c_str(),
              Counted(rows, "terminal", "terminals").c_str(), path.string().c_str());
  AfxMessageBox(done, MB_OK | MB_ICONINFORMATION);
}

// The grid's selection, the current cell alone when nothing wider is selected.
void CAppComponentFrame::OnCopyCells() {
  const CComponentGrid* grid = GetGrid();
  if (grid == nullptr) return;
  const GridSelection selection = grid->GetEditGrid().GetSelection();
  GridRange range;
  range.row = selection.top;
  range.column = selection.left;
  range.rows = selection.Rows();
  range.columns = selection.Cols();
  CurrentClipboard().SetText(CopyGridCells(range));
}

void CAppComponentFrame::OnPasteCells() {
  const CString text = CurrentClipboard().GetText();
  if (text.IsEmpty() || GetGrid() == nullptr) return;
  std::vector<CString> refused;
  PasteGridCells(text.str(), refused);
  if (refused.empty()) return;
  CString heading;
  heading.Format("%zu %s nothing from the paste:", refused.size(),
                 refused.size() == 1 ? "cell took" : "cells took");
  AfxMessageBox(ListedLines(heading, refused), MB_OK | MB_ICONWARNING);
}

void CAppComponentFrame::OnAssignByName() {
  const std::vector<PinNameMatch> preview = PreviewAssignByName();
  if (preview.empty()) {
    AfxMessageBox(
        "No terminal would change: none is named as a pad of the footprint that gives it another pin.",
        MB_OK | MB_ICONINFORMATION);
    return;
  }
  const CComponentGrid* grid = GetGrid();
  const CPinLabels labels = grid != nullptr ? grid->GetPinLabels() : CPinLabels();
  std::vector<CString> lines;
  for (const PinNameMatch& match : preview) {
    CString line;
    line.Format("Gate %s, terminal %d \"%s\": pin %s becomes %s", GateString(match.gate).c_str(),
                match.terminal, match.name.c_str(), PinText(labels, match.oldPin).c_str(),
                PinText(labels, match.newPin).c_str());
    lines.push_back(line);
  }
  CString heading;
  heading.Format("Assign by name changes %zu pins:", lines.size());
  if (AfxMessageBox(ListedLines(heading, lines) + "\n\nAssign them?", MB_YESNO | MB_ICONQUESTION) == IDYES)
    AssignByName();
}

void CAppComponentFrame::OnShowProblems() {
  const CPinMapChecks* checks = GetPinMapChecks();
  if (checks == nullptr || checks->CountProblems() == 0) {
    AfxMessageBox("Every cell of the pin grid will pass.", MB_OK | MB_ICONINFORMATION);
    return;
  }
  CPinMapProblemsDialog dialog(checks->Problems(), this);
  if (dialog.DoModal() != IDOK || dialog.GetChosen() == nullptr) return;
  GoToGridCell(dialog.GetChosen()->row, dialog.GetChosen()->column);
}

namespace {

// The selected rows, or with one cell selected the editable cells from it down.
long FillRows(const CEditGrid& cells, const GridSelection& selection) {
  if (selection.Rows() > 1) return selection.Rows();
  long rows = 0;
  while (cells.GetCellEditable(selection.top + rows, selection.left)) ++rows;
  return rows;
}

}  // namespace

void CAppComponentFrame::OnFillSeries() {
  const CComponentGrid* grid = GetGrid();
  if (grid == nullptr) return;
  const CEditGrid& cells = grid->GetEditGrid();
  const GridSelection selection = cells.GetSelection();
  if (selection.left < CComponentGrid::kFirstGateColumn || selection.Cols() != 1) {
    AfxMessageBox("Fill Series fills the pins of one gate: select cells of one gate column first.",
                  MB_OK | MB_ICONINFORMATION);
    return;
  }
  const long rows = FillRows(cells, selection);
  if (rows == 0) {
    AfxMessageBox("The gate has no terminal in this row: select cells that hold the gate's pins.",
                  MB_OK | MB_ICONINFORMATION);
    return;
  }
  CString target;
  target.Format("%ld %s from %s down:", rows, rows == 1 ? "cell" : "cells",
                DescribeGridCell(*grid, selection.top, selection.left).c_str());
  CFillSeriesDialog dialog(target, this);
  if (dialog.DoModal() != IDOK) return;
  std::vector<CString> refused;
  FillPinSeries(static_cast<int>(rows), dialog.GetSeries(), refused);
  if (refused.empty()) return;
  CString heading;
  heading.Format("%zu %s nothing from the series:", refused.size(),
                 refused.size() == 1 ? "cell took" : "cells took");
  AfxMessageBox(ListedLines(heading, refused), MB_OK | MB_ICONWARNING);
}
