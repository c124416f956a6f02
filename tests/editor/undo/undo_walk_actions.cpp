// The user's actions of the undo walk, each chosen at random and described for the
// failure message.
#include <filesystem>
#include <string>

#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/gate.h"
#include "tests/editor/undo/undo_walk.h"

namespace {

constexpr int kEmptyClickPercent = 5;
constexpr int kUnknownSymbolPercent = 10;

const char* const kTerminalNames[] = {"A", "B", "Y", "IN", "OUT", "VCC", "GND", "CLK", "D0", "D1", "EN"};

std::string Quoted(const CString& text) {
  return "\"" + text.str() + "\"";
}

std::string CellName(long row, long col) {
  return "(" + std::to_string(row) + "," + std::to_string(col) + ")";
}

std::string PadName(const CPadInstance* pad) {
  if (pad->IsPcbPad()) return "PCB pad " + std::to_string(pad->GetPinNumber());
  return "terminal " + CSymbolInstance::GetGateString(pad->GetGate()).str() + "." +
         std::to_string(pad->GetTerminalNumber());
}

std::string ItemName(CDesignItem* item) {
  if (const auto* pad = DynamicDowncast<CPadInstance>(item)) return PadName(pad);
  if (const auto* symbol = DynamicDowncast<CSymbolInstance>(item)) {
    if (CSymbolsFrame::IsPcbSideItem(symbol)) return "the footprint";
    return "gate " + CSymbolInstance::GetGateString(symbol->GetGate()).str();
  }
  return "an item";
}

}  // namespace

// ---- Helpers ----

int UndoWalkTest::Random(int count) {
  if (count <= 1) return 0;
  return static_cast<int>(m_random() % static_cast<std::uint64_t>(count));
}

bool UndoWalkTest::Chance(int percent) {
  return Random(100) < percent;
}

bool UndoWalkTest::RandomEditableCell(long firstCol, long lastCol, long& row, long& col) {
  const GridData* data = GetGridData(Grid()->GetEditGrid().GetSafeHwnd());
  if (lastCol < firstCol) return false;
  col = firstCol + Random(static_cast<int>(lastCol - firstCol + 1));
  std::vector<long> rows;
  for (long candidate = 1; candidate < data->Rows(); ++candidate) {
    if (data->IsEditable(candidate, col)) rows.push_back(candidate);
  }
  if (rows.empty()) return false;
  row = rows[Random(static_cast<int>(rows.size()))];
  return true;
}

std::string UndoWalkTest::RandomPinText() {
  switch (Random(8)) {
    case 0:
      return "";
    case 1:
      return "-1";
    case 2:
      return "x";
    case 3:
      return std::to_string(Random(FootprintPads() + 1)) + "abc";
    default:
      return std::to_string(Random(FootprintPads() + 3));
  }
}

const std::vector<CString>* UndoWalkTest::OfferedFor(long row) {
  const CString symbol = Grid()->GetEditGrid().GetTextMatrix(row, CComponentGrid::kSymbolColumn);
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = Component().FirstGate(position, index); gate != nullptr;
       gate = Component().NextGate(position, index)) {
    if (gate->GetSymbol().CompareNoCase(symbol.c_str()) != 0) continue;
    const auto offered = m_offered.find(std::filesystem::path(gate->GetLibrary().str()).stem().string());
    return offered != m_offered.end() ? &offered->second : nullptr;
  }
  return nullptr;
}

int UndoWalkTest::TotalTerminals() {
  int terminals = 0;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = Component().FirstGate(position, index); gate != nullptr;
       gate = Component().NextGate(position, index)) {
    terminals += gate->CountPins();
  }
  return terminals;
}

int UndoWalkTest::FootprintPads() {
  const std::vector<CSymbolInstance*> footprints = PlacedSymbols(PcbView());
  return footprints.empty() ? 0 : footprints.front()->CountPads();
}

CPadInstance* UndoWalkTest::RandomPad(const CSymbolView& view) {
  const std::vector<CPadInstance*> pads = PlacedPads(view);
  return pads.empty() ? nullptr : pads[Random(static_cast<int>(pads.size()))];
}

std::string UndoWalkTest::ClickPad(CSymbolView& view, CPadInstance* pad) {
  if (pad == nullptr || Chance(kEmptyClickPercent)) {
    EXPECT_TRUE(ClickEmpty(view));
    return "nothing";
  }
  const std::string name = PadName(pad);
  EXPECT_TRUE(Click(view, pad));
  return name;
}

// A pad or a symbol of either drawing, as the user would click on it.
std::string UndoWalkTest::ClickRandomItem() {
  CSymbolView& view = Chance(50) ? static_cast<CSymbolView&>(PcbView()) : ScmView();
  if (Chance(70)) return ClickPad(view, RandomPad(view));
  const std::vector<CSymbolInstance*> symbols = PlacedSymbols(view);
  if (symbols.empty()) {
    EXPECT_TRUE(ClickEmpty(view));
    return "nothing";
  }
  CSymbolInstance* symbol = symbols[Random(static_cast<int>(symbols.size()))];
  EXPECT_TRUE(user.LeftClick(&view, BodyCentreOf(view, symbol)));
  return ItemName(symbol) + "'s body";
}

void UndoWalkTest::RunDelete() {
  if (!Frame().AnythingSelected()) return;
  EndAssignmentRun();
  Frame().StartUndoLevel(IDS_UNDO_DELETE);
  Symbols().DeleteSelection();
  Frame().EndUndoLevel(IDS_UNDO_DELETE);
}

// ---- Actions ----

std::string UndoWalkTest::EditPinCell() {
  long row = 0;
  long col = 0;
  const long lastCol = Grid()->GetEditGrid().GetCols() - 1;
  if (!RandomEditableCell(CComponentGrid::kFirstGateColumn, lastCol, row, col)) return "no pin cell to edit";
  const std::string text = RandomPinText();
  EXPECT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), row, col, text));
  return "type pin " + Quoted(text) + " into " + CellName(row, col);
}

// A pin or terminal name typed without ending the edit: the next action ends it, by
// moving elsewhere, clicking a drawing or running a command, or finds it open.
std::string UndoWalkTest::LeaveEditOpen() {
  long row = 0;
  long col = 0;
  const long lastCol = Grid()->GetEditGrid().GetCols() - 1;
  if (!RandomEditableCell(CComponentGrid::kTerminalNameColumn, lastCol, row, col)) return "no cell to edit";
  const bool name = col == CComponentGrid::kTerminalNameColumn;
  const CString text = name ? RandomTerminalName() : CString(RandomPinText());
  EXPECT_TRUE(user.BeginGridEdit(&Grid()->GetEditGrid(), row, col));
  EXPECT_TRUE(user.TypeInGridEditor(&Grid()->GetEditGrid(), text));
  return "type " + Quoted(text) + " into " + CellName(row, col) + " and leave the edit open";
}

CString UndoWalkTest::RandomTerminalName() {
  CString name = kTerminalNames[Random(static_cast<int>(std::size(kTerminalNames)))];
  if (Chance(30)) name += CString(std::to_string(Random(100)));
  return name;
}

std::string UndoWalkTest::RenameTerminal() {
  long row = 0;
  long col = 0;
  const long nameCol = CComponentGrid::kTerminalNameColumn;
  if (!RandomEditableCell(nameCol, nameCol, row, col)) return "no terminal name to edit";
  const CString name = RandomTerminalName();
  EXPECT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), row, col, name));
  return "type terminal name " + Quoted(name) + " into " + CellName(row, col);
}

std::string UndoWalkTest::RenameSymbol() {
  long row = 0;
  long col = 0;
  const long symbolCol = CComponentGrid::kSymbolColumn;
  if (!RandomEditableCell(symbolCol, symbolCol, row, col)) return "no symbol name to edit";
  const std::vector<CString>* offered = OfferedFor(row);
  CString name = "NO-SUCH-SYMBOL";
  if (offered != nullptr && !offered->empty() && !Chance(kUnknownSymbolPercent)) {
    name = (*offered)[Random(static_cast<int>(offered->size()))];
  } else {
    // The library lacks it: the error is shown and the old name comes back.
    Screen().ExpectMessageBox(IDOK);
  }
  EXPECT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), row, col, name));
  return "type symbol name " + Quoted(name) + " into " + CellName(row, col);
}

std::string UndoWalkTest::WriteBack() {
  EXPECT_TRUE(Frame().UpdateDesign());
  return "write the grid back";
}

std::string UndoWalkTest::AssignByClicking() {
  // Mostly Assign Pins first; now and then pressed again during a run, or forgotten,
  // so that the drawings still select; Escape stops the mode and keeps the run.
  std::string prefix;
  if (m_assigning ? Chance(5) : Chance(85)) {
    Frame().OnAssignPins();
    m_assigning = true;
    prefix = "Assign Pins, ";
  }
  if (Chance(3)) {
    EXPECT_TRUE(user.TypeChar(&ScmView(), '\x1b'));
    EXPECT_TRUE(user.TypeChar(&PcbView(), '\x1b'));
    prefix += "Escape, ";
  }
  // The second pad is looked up after the first click, which may redraw its drawing.
  const bool pcbFirst = Chance(50);
  CSymbolView& firstView = pcbFirst ? static_cast<CSymbolView&>(PcbView()) : ScmView();
  CSymbolView& secondView = pcbFirst ? static_cast<CSymbolView&>(ScmView()) : PcbView();
  const std::string first = ClickPad(firstView, RandomPad(firstView));
  return prefix + "click " + first + ", then " + ClickPad(secondView, RandomPad(secondView));
}

std::string UndoWalkTest::AssignOneToOne() {
  if (!Frame().CanDoAssignPins121()) return "Assign Pins 1-1 (not enabled)";
  if (TotalTerminals() != FootprintPads()) Screen().ExpectMessageBox(IDOK);
  Frame().AssignPins121();
  return "Assign Pins 1-1";
}

std::string UndoWalkTest::DeleteSelected() {
  Frame().OnSelectMode();
  m_assigning = false;
  const std::string clicked = ClickRandomItem();
  CDesignItem* item = Symbols().GetSelectedItem();
  if (item == nullptr) return "select mode: click " + clicked + ", nothing to delete";
  const bool yes = Chance(50);
  Screen().ExpectMessageBox(yes ? IDYES : IDNO);
  const std::string name = ItemName(item);
  RunDelete();
  return "select mode: click " + clicked + ", delete " + name + (yes ? ", Yes" : ", No");
}

std::string UndoWalkTest::ChooseSelectMode() {
  Frame().OnSelectMode();
  m_assigning = false;
  return "Select Mode";
}

std::string UndoWalkTest::UndoOnce() {
  EndAssignmentRun();
  const CString name = Design().GetUndoName();
  if (!Design().CanUndo()) return "Undo (nothing to undo)";
  EXPECT_TRUE(Design().Undo());
  CheckShownAsRebuilt("after the undo");
  return "Undo " + name.str();
}

std::string UndoWalkTest::RedoOnce() {
  EndAssignmentRun();
  const CString name = Design().GetRedoName();
  if (!Design().CanRedo()) return "Redo (nothing to redo)";
  EXPECT_TRUE(Design().Redo());
  CheckShownAsRebuilt("after the redo");
  return "Redo " + name.str();
}
