// The application's pin map commands: import and export through a file chooser, the
// grid's cells through the clipboard, and assignment by name after a preview.
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

}  // namespace

void CAppComponentFrame::OnImportPinMap() {
  CEditorApp* app = EditorApp();
  if (app == nullptr) return;
  const std::filesystem::path path(
      app->Prompt().AskPinMapToOpen(CString(DesignPath(GetDesign()).parent_path().string())).str());
  if (path.empty()) return;
  std::string text;
  CString error;
  if (!ReadPinMapText(CString(path.string()), text, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONWARNING);
    return;
  }
  CString question;
  question.Format(
      "Match the rows of \"%s\" to the terminals by terminal name?\n\nYes matches each row to the terminal "
      "named in it; No matches it to its gate and terminal number.",
      path.filename().string().c_str());
  const int answer = AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return;
  PinMapPlacement placement;
  if (!ImportPinMap(text, CString(path.filename().string()), answer == IDYES, placement)) {
    CAppError::ReportLastError();
    return;
  }
  if (placement.unplaced.empty()) return;
  std::vector<CString> lines;
  for (const PinMapUnplaced& unplaced : placement.unplaced) {
    CString line;
    line.Format("Line %d: %s.", unplaced.line, unplaced.reason.c_str());
    lines.push_back(line);
  }
  CString heading;
  const bool one = lines.size() == 1;
  heading.Format("%zu %s of \"%s\" %s not placed:", lines.size(), one ? "row" : "rows",
                 path.filename().string().c_str(), one ? "was" : "were");
  AfxMessageBox(ListedLines(heading, lines), MB_OK | MB_ICONWARNING);
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
  if (!WriteFileAtomically(CString(path.string()), text, error)) AfxMessageBox(error, MB_OK | MB_ICONWARNING);
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
  target.Format("%ld %s of %s, from row %ld down:", rows, rows == 1 ? "cell" : "cells",
                cells.GetTextMatrix(0, selection.left).c_str(), selection.top);
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
