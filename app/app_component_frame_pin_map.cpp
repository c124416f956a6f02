// The application's pin map commands: import and export through a file chooser, the
// grid's cells through the clipboard, and assignment by name after a preview.
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_clipboard.h"
#include "app/app_component_frame.h"
#include "app/editor_app.h"
#include "app/file_prompt.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/grid_clipboard.h"
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
  PinMapPlacement placement;
  if (!ImportPinMap(text, CString(path.filename().string()), false, placement)) {
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

// The grid has one current cell and no wider selection: that cell is what is copied.
void CAppComponentFrame::OnCopyCells() {
  const CComponentGrid* grid = GetGrid();
  if (grid == nullptr) return;
  GridRange range;
  range.row = grid->GetEditGrid().GetRow();
  range.column = grid->GetEditGrid().GetCol();
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
