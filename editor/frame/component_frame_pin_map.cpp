// The component frame's pin map commands: import and export of the whole pin map, the
// grid's clipboard, fill series and assignment by name.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/fill_series.h"
#include "editor/grid/grid_clipboard.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/grid/pin_name_match.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/libtools/library_manager.h"
#include "host/model/component.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_library.h"
#include "host/pinmap/pin_map_file.h"
#include "host/utility/app_error.h"
#include "platform/create_context.h"

namespace {

std::vector<CComponent*> RecordsOf(const CDesign& design) {
  std::vector<CComponent*> records;
  POSITION position = nullptr;
  for (CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position))
    records.push_back(record);
  return records;
}

std::vector<ComponentValue> ValuesOf(const std::vector<CComponent*>& records) {
  std::vector<ComponentValue> values;
  values.reserve(records.size());
  for (const CComponent* record : records) values.push_back(record->GetValue());
  return values;
}

// The pads of the footprint the PCB view placed, by number and name.
std::vector<FootprintPad> FootprintPads(const CSymbolsFrame* symbols) {
  std::vector<FootprintPad> pads;
  const CPcbSymbolView* view = symbols != nullptr ? symbols->GetPcbView() : nullptr;
  const CDesign* design = view != nullptr ? view->GetViewDesign() : nullptr;
  const CComponentInstance* placed = design != nullptr ? design->FirstComponentInstance() : nullptr;
  const CSymbolInstance* footprint = placed != nullptr ? placed->FirstSymbolInstance() : nullptr;
  if (footprint == nullptr) return pads;
  POSITION position = nullptr;
  for (CPadInstance* pad = footprint->FirstPad(position); pad != nullptr; pad = footprint->NextPad(position))
    pads.push_back({pad->GetPad()->GetNumber(), pad->GetPad()->GetName()});
  return pads;
}

// The pin a series value stands for: a number as it is, a ball name through the pad
// that carries it. False when no pad does.
bool SeriesPin(const FillSeries& series, const CString& value, const std::vector<FootprintPad>& pads,
               int& pin) {
  if (series.kind == SeriesKind::Numbers) {
    pin = std::atoi(value);
    return true;
  }
  const auto pad = std::find_if(pads.begin(), pads.end(), [&](const FootprintPad& candidate) {
    return candidate.name.CompareNoCase(value) == 0;
  });
  if (pad == pads.end()) return false;
  pin = pad->number;
  return true;
}

}  // namespace

bool CComponentFrame::ExportPinMap(bool tabs, std::string& text) {
  StopAssignPins();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return false;
  }
  CDesign* design = GetDesign();
  if (design == nullptr) return false;
  const std::vector<ComponentValue> records = ValuesOf(RecordsOf(*design));
  PinMapTable table = CollectPinMap(records);
  LabelPinMap(table, records, CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary)));
  text = FormatPinMap(table, tabs ? PinMapSeparator::Tab : PinMapSeparator::Comma);
  return true;
}

bool CComponentFrame::ReadPinMapForImport(std::string_view text, const CString& source, PinMapTable& table) {
  StopAssignPins();
  CDesign* design = GetDesign();
  if (design == nullptr || !UpdateDesign()) return false;
  const std::vector<ComponentValue> values = ValuesOf(RecordsOf(*design));
  const CString componentLibrary = CLibraryManager::GetSavedFileName(RUNTIME_CLASS(CComponentLibrary));
  const auto labelsOf = [&](const CString& package) {
    return PackagePinLabels(values, package, componentLibrary);
  };
  CString error;
  if (!ParsePinMap(text, source, table, error, labelsOf)) {
    CAppError::SetLastErrorText(error);
    return false;
  }
  if (!CheckPinMapPackages(table, values, error)) {
    CAppError::SetLastErrorText(PinMapImportRefusal(source, error));
    return false;
  }
  return true;
}

bool CComponentFrame::ImportPinMap(const PinMapTable& table, const CString& source, bool byName,
                                   PinMapPlacement& placement) {
  StopAssignPins();
  CDesign* design = GetDesign();
  if (design == nullptr || !UpdateDesign()) return false;
  const std::vector<CComponent*> records = RecordsOf(*design);
  const PinMapMatch match = byName ? PinMapMatch::TerminalName : PinMapMatch::GateAndTerminal;
  CString error;
  if (!PlacePinMap(table, ValuesOf(records), match, placement, error)) {
    CAppError::SetLastErrorText(PinMapImportRefusal(source, error));
    return false;
  }
  StartUndoLevel(IDS_UNDO_IMPORT_PIN_MAP);
  for (const PinMapAssignment& assignment : placement.assignments)
    records[assignment.record]->SetPinNumber(assignment.gate, assignment.terminal, assignment.pin);
  for (const PinMapRename& rename : placement.renames) {
    for (CComponent* record : records) {
      const CGate* gate = record->FindGate(rename.gate);
      if (gate != nullptr && rename.terminal <= gate->CountPins())
        record->SetPinName(rename.gate, rename.terminal, rename.name);
    }
  }
  RefreshAfterPinMapChange();
  EndUndoLevel(IDS_UNDO_IMPORT_PIN_MAP);
  return true;
}

bool CComponentFrame::ImportPinMap(std::string_view text, const CString& source, bool byName,
                                   PinMapPlacement& placement) {
  PinMapTable table;
  return ReadPinMapForImport(text, source, table) && ImportPinMap(table, source, byName, placement);
}

CString CComponentFrame::CopyGridCells(const GridRange& range) {
  const CComponentGrid* grid = GetGrid();
  return grid != nullptr ? CopyGridRange(*grid, range) : CString();
}

void CComponentFrame::PasteGridCells(std::string_view text, std::vector<CString>& refused) {
  CComponentGrid* grid = GetGrid();
  CComponent* component = GetComponent(false);
  if (grid == nullptr || component == nullptr || !WriteBackKeepingCurrentCell()) return;
  const GridSelection selection = grid->GetEditGrid().GetSelection();
  const GridPastePlan plan = PlanGridPaste(*grid, selection, text);
  refused = plan.refused;
  StartUndoLevel(IDS_UNDO_PASTE);
  ApplyGridPaste(plan, *component);
  RefreshAfterPinMapChange();
  EndUndoLevel(IDS_UNDO_PASTE);
}

void CComponentFrame::FillPinSeries(int rows, const FillSeries& series, std::vector<CString>& refused) {
  CComponentGrid* grid = GetGrid();
  CComponent* component = GetComponent(false);
  if (grid == nullptr || component == nullptr || !WriteBackKeepingCurrentCell()) return;
  const GridSelection selection = grid->GetEditGrid().GetSelection();
  const long column = selection.left;
  if (column < CComponentGrid::kFirstGateColumn) return;
  const long firstRow = selection.top;
  const std::vector<CString> values = SeriesValues(series, rows);
  const std::vector<FootprintPad> pads = FootprintPads(GetSymbolsFrame());
  GridPastePlan plan;
  for (long i = 0; i < static_cast<long>(values.size()); ++i) {
    int pin = -1;
    if (SeriesPin(series, values[i], pads, pin)) {
      PlanGridCell(*grid, firstRow + i, column, std::to_string(pin), plan);
      continue;
    }
    CString line;
    line.Format("%s: the footprint has no pad \"%s\".", DescribeGridCell(*grid, firstRow + i, column).c_str(),
                values[i].c_str());
    plan.refused.push_back(line);
  }
  refused = plan.refused;
  StartUndoLevel(IDS_UNDO_FILL_SERIES);
  ApplyGridPaste(plan, *component);
  RefreshAfterPinMapChange();
  EndUndoLevel(IDS_UNDO_FILL_SERIES);
}

std::vector<PinNameMatch> CComponentFrame::PreviewAssignByName() {
  StopAssignPins();
  CComponent* component = GetComponent(false);
  if (component == nullptr || !UpdateDesign()) return {};
  return MatchTerminalsToPads(*component, FootprintPads(GetSymbolsFrame()));
}

int CComponentFrame::AssignByName() {
  const std::vector<PinNameMatch> matches = PreviewAssignByName();
  CComponent* component = GetComponent(false);
  if (component == nullptr) return 0;
  StartUndoLevel(IDS_UNDO_ASSIGN_BY_NAME);
  for (const PinNameMatch& match : matches) component->SetPinNumber(match.gate, match.terminal, match.newPin);
  RefreshAfterPinMapChange();
  EndUndoLevel(IDS_UNDO_ASSIGN_BY_NAME);
  return static_cast<int>(matches.size());
}

bool CComponentFrame::WriteBackKeepingCurrentCell() {
  StopAssignPins();
  const GridPlace place = CurrentGridPlace();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return false;
  }
  RestoreGridPlace(place);
  return true;
}

CComponentFrame::GridPlace CComponentFrame::CurrentGridPlace() {
  GridPlace place;
  const CComponentGrid* grid = GetGrid();
  if (grid == nullptr) return place;
  const CEditGrid& cells = grid->GetEditGrid();
  place = {cells.GetRow(), cells.GetCol(), cells.GetExtentRow(), cells.GetExtentCol()};
  return place;
}

void CComponentFrame::RestoreGridPlace(const GridPlace& place) {
  CComponentGrid* grid = GetGrid();
  if (grid == nullptr) return;
  grid->GetEditGrid().SetCell(place.row, place.column);
  grid->GetEditGrid().SetSelectionExtent(place.extentRow, place.extentColumn);
}

void CComponentFrame::RefreshAfterPinMapChange() {
  CDesign* design = GetDesign();
  if (design == nullptr) return;
  const GridPlace place = CurrentGridPlace();
  design->UpdateAllViews(nullptr, HintComponent, GetComponent(false));
  RestoreGridPlace(place);
}

bool CComponentFrame::GoToGridCell(long row, long column) {
  CComponentGrid* grid = GetGrid();
  if (grid == nullptr) return false;
  StopAssignPins();
  return grid->GetEditGrid().GoToCell(row, column) != FALSE;
}

void CComponentFrame::AttachPinMapChecks(CCreateContext* context) {
  if (GetGrid() == nullptr || context == nullptr || context->m_pCurrentDoc == nullptr) return;
  m_checks = std::make_unique<CPinMapChecks>(this);
  context->m_pCurrentDoc->AddView(m_checks.get());
}
