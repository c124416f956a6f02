#include "tests/editor/undo/undo_walk.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/gate.h"
#include "host/model/symbol_library_file.h"

namespace {

constexpr const char* kSeedVariable = "CE_UNDO_WALK_SEED";
// Short enough that the history never forgets a step of the round: no action makes
// more than two steps.
constexpr int kRoundActions = 40;
constexpr int kStepsPerActionAtMost = 2;
// One undo then one redo at this many random points of each round.
constexpr int kChecksPerRound = 2;

std::uint64_t SeedFromEnvironment() {
  const char* text = std::getenv(kSeedVariable);
  if (text != nullptr && *text != '\0') return std::strtoull(text, nullptr, 10);
  return std::random_device{}() * 0x100000000ull + std::random_device{}();
}

std::string LibraryStem(const CString& library) {
  return std::filesystem::path(library.str()).stem().string();
}

// Where two texts part: the line number and both lines.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream left(expected);
  std::istringstream right(actual);
  std::string a;
  std::string b;
  for (int line = 1;; ++line) {
    const bool moreLeft = static_cast<bool>(std::getline(left, a));
    const bool moreRight = static_cast<bool>(std::getline(right, b));
    if (!moreLeft && !moreRight) return "the texts differ only in their line ends";
    if (moreLeft != moreRight || a != b) {
      return "line " + std::to_string(line) + ": expected \"" + (moreLeft ? a : "<end>") + "\", found \"" +
             (moreRight ? b : "<end>") + "\"";
    }
  }
}

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

void UndoWalkTest::SetUp() {
  ModesTest::SetUp();
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  m_seed = BaseSeed() ^ std::hash<std::string>{}(test);
  m_random.seed(m_seed);
  RecordProperty(kSeedVariable, std::to_string(BaseSeed()));
  // As the host does: when a run ends, the drawings go back to selecting.
  MainWindow().OnAssignmentEnded([this] {
    if (CSymbolsFrame* symbols = Frame().GetSymbolsFrame()) symbols->StartSelectMode();
  });
}

std::uint64_t UndoWalkTest::BaseSeed() {
  static const std::uint64_t seed = SeedFromEnvironment();
  return seed;
}

void UndoWalkTest::OfferSymbols(const CString& library, const std::vector<CString>& names) {
  m_offered[LibraryStem(library)] = names;
}

void UndoWalkTest::OfferSampleSymbols() {
  for (const char* file : {"logic.scmlib", "analog.scmlib", "connectors.scmlib"}) {
    CString error;
    const auto contents = CSymbolLibraryFile::Load(DataDirectory() + "/" + file, error);
    ASSERT_NE(contents, nullptr) << error.str();
    OfferSymbols(file, contents->Names());
  }
}

void UndoWalkTest::Walk(int actions) {
  m_name = Component().GetName();
  m_original = DesignBytes();
  m_originalGates = Component().CountGates();
  int taken = 0;
  while (taken < actions && !HasFailure()) {
    const int round = WalkRound(std::min(kRoundActions, actions - taken));
    if (round == 0) break;
    taken += round;
  }
  if (HasFailure()) return;
  EXPECT_GE(taken, actions) << Context();
}

int UndoWalkTest::WalkRound(int actions) {
  m_log.clear();
  ClearRecords();
  const std::string start = DesignBytes();
  std::array<int, kChecksPerRound> checkpoints{};
  for (int& point : checkpoints) point = 1 + Random(actions);
  int taken = 0;
  while (taken < actions && HistoryHasRoom()) {
    if (!TakeAction(ChooseAction())) return 0;
    ++taken;
    const bool checkHere = std::find(checkpoints.begin(), checkpoints.end(), taken) != checkpoints.end();
    if (checkHere && !CheckUndoThenRedo()) return 0;
  }
  EndAssignmentRun();
  const std::string end = DesignBytes();
  // Steps the walk undid last stay to be redone beyond its end: only the steps undone
  // here are redone.
  const int steps = Design().GetUndoCount();
  if (!UndoEverything() || !CheckBytes(start, "after undoing everything")) return 0;
  if (!Redo(steps) || !CheckBytes(end, "after redoing everything")) return 0;
  // A component that lost gates goes back to its first form, so that the walk does not
  // end up on one with nothing left to edit.
  if (!Reopen(Component().CountGates() < m_originalGates ? m_original : end)) return 0;
  ++m_round;
  return taken;
}

bool UndoWalkTest::HistoryHasRoom() {
  // Room for the next action, a check's closing of an open run and the closing at the
  // end of the round.
  return Design().GetUndoCount() + kStepsPerActionAtMost + 2 <= CUndoHistory::kMaxSteps;
}

UndoWalkTest::Action UndoWalkTest::ChooseAction() {
  static constexpr struct {
    int weight;
    Action action;
  } kWeights[] = {{20, &UndoWalkTest::EditPinCell},     {5, &UndoWalkTest::LeaveEditOpen},
                  {10, &UndoWalkTest::RenameTerminal},  {6, &UndoWalkTest::RenameSymbol},
                  {8, &UndoWalkTest::WriteBack},        {18, &UndoWalkTest::AssignByClicking},
                  {4, &UndoWalkTest::AssignOneToOne},   {10, &UndoWalkTest::DeleteSelected},
                  {3, &UndoWalkTest::ChooseSelectMode}, {14, &UndoWalkTest::UndoOnce},
                  {7, &UndoWalkTest::RedoOnce}};
  int total = 0;
  for (const auto& entry : kWeights) total += entry.weight;
  int pick = Random(total);
  for (const auto& entry : kWeights) {
    if (pick < entry.weight) return entry.action;
    pick -= entry.weight;
  }
  return &UndoWalkTest::UndoOnce;
}

bool UndoWalkTest::TakeAction(Action action) {
  ++m_actionIndex;
  const std::string done = (this->*action)();
  m_log.push_back("#" + std::to_string(m_actionIndex) + " " + done);
  const std::vector<std::string> unused = Screen().PendingExpectations();
  if (!unused.empty()) ADD_FAILURE() << "a message box the action should have shown was not: " << unused[0];
  if (Design().IsUndoLevelOpen() != m_assigning) {
    ADD_FAILURE() << "an undo level is " << (m_assigning ? "closed" : "open") << " where it should not be";
  }
  if (!HasFailure()) return true;
  ADD_FAILURE() << "the walk stopped at action #" << m_actionIndex << " (" << done << ")\n" << Context();
  return false;
}

bool UndoWalkTest::CheckUndoThenRedo() {
  EndAssignmentRun();
  if (!Design().CanUndo()) return true;
  const std::string before = DesignBytes();
  m_log.push_back("  (check: one undo, one redo)");
  if (!Design().Undo() || !Design().Redo()) {
    ADD_FAILURE() << "one undo and one redo did not both go\n" << Context();
    return false;
  }
  return CheckBytes(before, "after one undo and one redo");
}

bool UndoWalkTest::CheckBytes(const std::string& expected, const std::string& when) {
  const std::string actual = DesignBytes();
  if (actual == expected) return true;
  ADD_FAILURE() << "the design is not the same " << when << ": " << FirstDifference(expected, actual) << "\n"
                << Context();
  return false;
}

bool UndoWalkTest::UndoEverything() {
  for (int steps = 0; Design().CanUndo(); ++steps) {
    if (steps > CUndoHistory::kMaxSteps || !Design().Undo()) {
      ADD_FAILURE() << "undoing everything did not end\n" << Context();
      return false;
    }
    if (!CheckShownAsRebuilt("after undoing a step")) return false;
  }
  return true;
}

bool UndoWalkTest::Redo(int steps) {
  for (int step = 0; step < steps; ++step) {
    if (!Design().Redo()) {
      ADD_FAILURE() << "redoing step " << step + 1 << " of " << steps << " did not go\n" << Context();
      return false;
    }
    if (!CheckShownAsRebuilt("after redoing a step")) return false;
  }
  return true;
}

bool UndoWalkTest::CheckShownAsRebuilt(const std::string& when) {
  const std::string shown = ShownState();
  Frame().OnInvalidateView();
  const std::string rebuilt = ShownState();
  if (shown == rebuilt) return true;
  ADD_FAILURE() << "the panes " << when << " differ from a rebuild: " << FirstDifference(rebuilt, shown)
                << "\n"
                << Context();
  return false;
}

// Every cell as the user sees it (modified marks aside: a rebuild drops them, an undo
// only those of the cells it rewrites), and the components the drawings draw.
std::string UndoWalkTest::ShownState() {
  std::ostringstream out;
  const GridData* grid = Grid() != nullptr ? GetGridData(Grid()->GetEditGrid().GetSafeHwnd()) : nullptr;
  for (long row = 0; grid != nullptr && row < grid->Rows(); ++row) {
    out << "row " << row << " data " << grid->RowAt(row)->data << ":";
    for (long col = 0; col < grid->Cols(); ++col) {
      const GridCell& cell = *grid->Cell(row, col);
      // A pin typed as "8abc" or "-1" stays so until a rebuild shows what it was read as.
      const bool typedPin = row > 0 && col >= CComponentGrid::kFirstGateColumn && !cell.text.IsEmpty() &&
                            !Grid()->GetPinLabels().HasNames();
      out << " ["
          << (typedPin ? Grid()->GetPinLabels().Text(std::atoi(cell.text.c_str())).str() : cell.text.str())
          << "|" << cell.placeholder.str() << "|" << (cell.editClass != nullptr) << cell.alignment
          << cell.bold << cell.disabled << cell.marked << "]";
    }
    out << "\n";
  }
  for (long col = 0; grid != nullptr && col < grid->Cols(); ++col) out << grid->ColumnAt(col)->data << " ";
  for (const CSymbolView* view :
       {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
    const CComponent* copy = view->GetViewDesign()->FirstComponent();
    if (copy == nullptr) continue;
    ComponentValue value = copy->GetValue();
    ForgetIdentities(value);
    out << "\ndrawn " << CComponentLibraryFile::Format({{value.name, {value}}});
  }
  return out.str();
}

bool UndoWalkTest::Reopen(const std::string& bytes) {
  EndAssignmentRun();
  CloseEditor();
  Design().DeleteContents();
  std::vector<LibraryComponent> components;
  CString error;
  if (!CComponentLibraryFile::Parse(bytes, "the walk's component", components, error) || components.empty()) {
    ADD_FAILURE() << "the walk's component does not read back: " << error.str() << "\n" << Context();
    return false;
  }
  for (const ComponentValue& value : components.front().records) {
    Design().AddComponent(value.name, value.package)->RestoreValue(value);
  }
  return OpenEditor() && CheckBytes(bytes, "after reopening it");
}

std::string UndoWalkTest::DesignBytes() {
  return CComponentLibraryFile::Format({CComponentLibraryFile::CollectComponent(Design(), m_name)});
}

std::string UndoWalkTest::Context() const {
  std::string text = "replay with " + std::string(kSeedVariable) + "=" + std::to_string(BaseSeed()) +
                     "; component " + m_name.str() + ", round " + std::to_string(m_round) +
                     ", whose actions were:";
  for (const std::string& line : m_log) text += "\n  " + line;
  return text;
}

void UndoWalkTest::EndAssignmentRun() {
  Frame().StopAssignPins();
  m_assigning = false;
}

// ---- The user's actions, each chosen at random and described for the failure message ----

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
