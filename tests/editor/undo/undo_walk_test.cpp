// Undo is exact: a seeded random walk of user actions on the component the editor
// shows, on every component of the sample library and on a generated component of 20
// gates of 100 terminals each, 10,000 actions in all. Undoing everything gives back the
// design's bytes from before the walk, redoing everything the bytes from its end, and
// after every undo and redo the grid's cells, their marks and both drawings are what a
// rebuild of every pane shows.
//
// The user edits symbol names, terminal names and pin numbers in the grid and writes the
// grid back, assigns pins by clicking a pad and a terminal in the assign-pins mode or
// one to one, deletes what a click in the select mode picked (answering Yes or No), and
// undoes and redoes as the application's Edit menu does. The history keeps a bounded
// number of steps, so the walk goes in rounds that fit in it; each round starts on the
// component reopened from the bytes the last one ended with (or from its first form,
// once gates were deleted), and at a few points inside a round one undo followed by
// one redo must give back the same bytes.
//
// The seed is printed with every failure; CE_UNDO_WALK_SEED=<seed> replays it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/symbol_library_file.h"
#include "tests/editor/modes/modes_fixture.h"
#include "tests/support/generated/generated_symbols.h"

namespace {

constexpr const char* kSeedVariable = "CE_UNDO_WALK_SEED";
// Short enough that the history never forgets a step of the round: no action makes
// more than two steps.
constexpr int kRoundActions = 40;
constexpr int kStepsPerActionAtMost = 2;
constexpr int kChecksPerRound = 2;  // points of a round checked by one undo and one redo
constexpr int kEmptyClickPercent = 5;
constexpr int kUnknownSymbolPercent = 10;
const char* const kTerminalNames[] = {"A", "B", "Y", "IN", "OUT", "VCC", "GND", "CLK", "D0", "D1", "EN"};

std::uint64_t BaseSeed() {
  static const std::uint64_t seed = [] {
    const char* text = std::getenv(kSeedVariable);
    if (text != nullptr && *text != '\0') return std::strtoull(text, nullptr, 10);
    return std::random_device{}() * 0x100000000ull + std::random_device{}();
  }();
  return seed;
}

std::string LibraryStem(const CString& library) {
  return std::filesystem::path(library.str()).stem().string();
}

// Where two texts part: the expected and the found text from there on, a line's worth.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const auto at = static_cast<size_t>(
      std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first - expected.begin());
  return "at " + std::to_string(at) + ": expected \"" + expected.substr(at, 80) + "\", found \"" +
         actual.substr(at, 80) + "\"";
}

// A pad by its pin and terminal number.
std::string ItemName(const CDesignItem* item) {
  const auto* pad = DynamicDowncast<CPadInstance>(item);
  return pad == nullptr
             ? "a symbol"
             : "pad " + std::to_string(pad->GetPinNumber()) + "/" + std::to_string(pad->GetTerminalNumber());
}

class UndoWalkTest : public ModesTest {
 protected:
  void SetUp() override {
    ModesTest::SetUp();
    m_random.seed(BaseSeed() ^
                  std::hash<std::string>{}(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    RecordProperty(kSeedVariable, std::to_string(BaseSeed()));
    // As the host does: when a run ends, the drawings go back to selecting.
    MainWindow().OnAssignmentEnded([this] {
      if (CSymbolsFrame* symbols = Frame().GetSymbolsFrame()) symbols->StartSelectMode();
    });
  }

  // The schematic symbols a gate drawn from a library (by its stem) may be renamed to; a
  // name no library offers is tried as well, and refused.
  std::map<std::string, std::vector<CString>> m_offered;
  void OfferSampleSymbols() {
    for (const char* file : {"logic.scmlib", "analog.scmlib", "connectors.scmlib"}) {
      CString error;
      const auto contents = CSymbolLibraryFile::Load(DataDirectory() + "/" + file, error);
      ASSERT_NE(contents, nullptr) << error.str();
      m_offered[LibraryStem(file)] = contents->Names();
    }
  }

  void Walk(int actions) {
    m_name = Component().GetName();
    m_original = DesignBytes();
    m_originalGates = Component().CountGates();
    int taken = 0;
    while (taken < actions && !HasFailure()) {
      const int round = WalkRound(std::min(kRoundActions, actions - taken));
      if (round == 0) break;
      taken += round;
    }
    EXPECT_TRUE(HasFailure() || taken >= actions) << Context();
  }

 private:
  // A user action: it acts, and says what it did for the failure message.
  using Action = std::string (UndoWalkTest::*)();

  // ---- Rounds and checks ----

  // The number of actions taken: fewer than asked once the history is nearly full, none
  // once the walk has failed.
  int WalkRound(int actions) {
    m_log.clear();
    ClearRecords();
    const std::string start = DesignBytes();
    std::array<int, kChecksPerRound> checkpoints{};
    for (int& point : checkpoints) point = 1 + Random(actions);
    int taken = 0;
    // Room for the next action, a check's closing of an open run and the closing at the
    // end of the round.
    while (taken < actions &&
           Design().GetUndoCount() + kStepsPerActionAtMost + 2 <= CUndoHistory::kMaxSteps) {
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
    if (!Replay(true, steps) || !CheckBytes(start, "after undoing everything")) return 0;
    if (!Replay(false, steps) || !CheckBytes(end, "after redoing everything")) return 0;
    // A component that lost gates goes back to its first form, so that the walk does not
    // end up on one with nothing left to edit.
    if (!Reopen(Component().CountGates() < m_originalGates ? m_original : end)) return 0;
    ++m_round;
    return taken;
  }

  Action ChooseAction() {
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
      if ((pick -= entry.weight) < 0) return entry.action;
    }
    return &UndoWalkTest::UndoOnce;
  }

  bool TakeAction(Action action) {
    const std::string done = (this->*action)();
    m_log.push_back("#" + std::to_string(++m_actionIndex) + " " + done);
    EXPECT_EQ(Screen().PendingExpectations(), std::vector<std::string>{}) << "message boxes not shown";
    EXPECT_EQ(Design().IsUndoLevelOpen(), m_assigning)
        << "an undo level is open only during an assignment run";
    return !HasFailure() ||
           Fail("the walk stopped at action #" + std::to_string(m_actionIndex) + " (" + done + ")");
  }

  // One undo followed by one redo gives back the same bytes.
  bool CheckUndoThenRedo() {
    EndAssignmentRun();
    if (!Design().CanUndo()) return true;
    const std::string before = DesignBytes();
    m_log.push_back("  (check: one undo, one redo)");
    if (!Design().Undo() || !Design().Redo()) return Fail("one undo and one redo did not both go");
    return CheckBytes(before, "after one undo and one redo");
  }

  bool CheckBytes(const std::string& expected, const std::string& when) {
    const std::string actual = DesignBytes();
    return actual == expected ||
           Fail("the design is not the same " + when + ": " + FirstDifference(expected, actual));
  }

  // Undoes (or redoes) `steps` steps, each shown as a rebuild shows it; undoing leaves
  // nothing more to undo.
  bool Replay(bool undo, int steps) {
    for (int step = 1; step <= steps; ++step) {
      if (!(undo ? Design().Undo() : Design().Redo()))
        return Fail("step " + std::to_string(step) + " did not go");
      if (!CheckShownAsRebuilt(undo ? "after undoing a step" : "after redoing a step")) return false;
    }
    return !undo || !Design().CanUndo() || Fail("undoing every step left a step to undo");
  }

  // An undo or a redo shows just what it changed: the grid's cells and the drawings'
  // copies are what a rebuild of every pane shows.
  bool CheckShownAsRebuilt(const std::string& when) {
    const std::string shown = ShownState();
    Frame().OnInvalidateView();
    const std::string rebuilt = ShownState();
    return shown == rebuilt ||
           Fail("the panes " + when + " differ from a rebuild: " + FirstDifference(rebuilt, shown));
  }

  // Every cell as the user sees it (modified marks aside: a rebuild drops them, an undo
  // only those of the cells it rewrites), and the components the drawings draw.
  std::string ShownState() {
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
            << "|" << cell.placeholder.str() << "|" << (grid->EditClass(row, col) != nullptr)
            << cell.alignment;
        for (const GridMark mark : {GridMark::Bold, GridMark::Disabled, GridMark::Marked})
          out << grid->HasMark(row, col, mark);
        out << "]";
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

  // A fresh editor, and a fresh history, on the component read back from `bytes`.
  bool Reopen(const std::string& bytes) {
    EndAssignmentRun();
    CloseEditor();
    Design().DeleteContents();
    std::vector<LibraryComponent> components;
    CString error;
    if (!CComponentLibraryFile::Parse(bytes, "the walk's component", components, error) ||
        components.empty()) {
      return Fail("the walk's component does not read back: " + error.str());
    }
    for (const ComponentValue& value : components.front().records) {
      Design().AddComponent(value.name, value.package)->RestoreValue(value);
    }
    return OpenEditor() && CheckBytes(bytes, "after reopening it");
  }

  std::string DesignBytes() {
    return CComponentLibraryFile::Format({CComponentLibraryFile::CollectComponent(Design(), m_name)});
  }

  // Seed, component, round and the round's actions, for a failure message.
  std::string Context() const {
    std::string text = std::string(kSeedVariable) + "=" + std::to_string(BaseSeed()) + ", " + m_name.str() +
                       ", round " + std::to_string(m_round) + ":";
    for (const std::string& line : m_log) text += "\n  " + line;
    return text;
  }
  bool Fail(const std::string& what) {
    ADD_FAILURE() << what << "\n" << Context();
    return false;
  }

  // An assignment run ends, as every command but the grid's and one-to-one ends it.
  void EndAssignmentRun() {
    Frame().StopAssignPins();
    m_assigning = false;
  }

  // ---- Helpers of the actions ----

  int Random(int count) {
    return count <= 1 ? 0 : static_cast<int>(m_random() % static_cast<std::uint64_t>(count));
  }
  bool Chance(int percent) { return Random(100) < percent; }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Random(static_cast<int>(items.size()))];
  }

  // Types into an editable cell of a random column from `firstCol` to `lastCol` (the
  // last column when negative) what that column holds, and ends the edit or leaves it
  // open: the next action ends it, by moving elsewhere, clicking a drawing or running a
  // command, or finds it open.
  std::string TypeInCell(long firstCol, long lastCol, bool leaveOpen) {
    CEditGrid& grid = Grid()->GetEditGrid();
    const GridData* data = GetGridData(grid.GetSafeHwnd());
    if (lastCol < 0) lastCol = grid.GetCols() - 1;
    if (lastCol < firstCol) return "no column";
    const long col = firstCol + Random(static_cast<int>(lastCol - firstCol + 1));
    std::vector<long> rows;
    for (long row = 1; row < data->Rows(); ++row) {
      if (data->IsEditable(row, col)) rows.push_back(row);
    }
    if (rows.empty()) return "no cell";
    const long row = Pick(rows);
    const CString text = col == CComponentGrid::kSymbolColumn         ? RandomSymbolName(row)
                         : col == CComponentGrid::kTerminalNameColumn ? RandomTerminalName()
                                                                      : CString(RandomPinText());
    if (!leaveOpen) {
      EXPECT_TRUE(user.EditGridCell(&grid, row, col, text));
    } else {
      EXPECT_TRUE(user.BeginGridEdit(&grid, row, col));
      EXPECT_TRUE(user.TypeInGridEditor(&grid, text));
    }
    return "type " + text.str() + " at " + std::to_string(row) + "," + std::to_string(col) +
           (leaveOpen ? ", open" : "");
  }

  // Now and then empty, negative, not a number or a number with text behind it.
  std::string RandomPinText() {
    const int pads = static_cast<int>(PlacedPads(PcbView()).size());
    const int kind = Random(8);
    if (kind < 3) return std::array{"", "-1", "x"}[kind];
    return std::to_string(Random(pads + (kind == 3 ? 1 : 3))) + (kind == 3 ? "abc" : "");
  }

  CString RandomTerminalName() {
    CString name = kTerminalNames[Random(static_cast<int>(std::size(kTerminalNames)))];
    if (Chance(30)) name += CString(std::to_string(Random(100)));
    return name;
  }

  // A name the library of the gate at `row` offers; now and then one it lacks, which is
  // refused with a message and the old name comes back.
  CString RandomSymbolName(long row) {
    const CString symbol = Grid()->GetEditGrid().GetTextMatrix(row, CComponentGrid::kSymbolColumn);
    const std::vector<CString>* offered = nullptr;
    for (const GateValue& gate : Component().GetValue().gates) {
      if (gate.symbol.CompareNoCase(symbol.c_str()) != 0) continue;
      const auto found = m_offered.find(LibraryStem(gate.library));
      if (found != m_offered.end()) offered = &found->second;
      break;
    }
    if (offered != nullptr && !offered->empty() && !Chance(kUnknownSymbolPercent)) return Pick(*offered);
    Screen().ExpectMessageBox(IDOK);
    return "NO-SUCH-SYMBOL";
  }

  // Clicks a random pad of the view or, with `body`, a random symbol's body; now and then
  // (or when the drawing has none) nothing. Describes the click.
  std::string ClickItem(CSymbolView& view, bool body) {
    const auto pads = body ? std::vector<CPadInstance*>{} : PlacedPads(view);
    const auto symbols = body ? PlacedSymbols(view) : std::vector<CSymbolInstance*>{};
    CPadInstance* pad = pads.empty() ? nullptr : Pick(pads);
    CSymbolInstance* symbol = symbols.empty() ? nullptr : Pick(symbols);
    if (pad != nullptr && !Chance(kEmptyClickPercent)) {
      EXPECT_TRUE(Click(view, pad));
      return ItemName(pad);
    }
    if (symbol == nullptr) {
      EXPECT_TRUE(ClickEmpty(view));
      return "nothing";
    }
    EXPECT_TRUE(user.LeftClick(&view, BodyCentreOf(view, symbol)));
    return ItemName(symbol);
  }

  // ---- The user's actions, each chosen at random and described for the failure message ----

  std::string EditPinCell() { return TypeInCell(CComponentGrid::kFirstGateColumn, -1, false); }
  std::string LeaveEditOpen() { return TypeInCell(CComponentGrid::kTerminalNameColumn, -1, true); }
  std::string RenameTerminal() {
    return TypeInCell(CComponentGrid::kTerminalNameColumn, CComponentGrid::kTerminalNameColumn, false);
  }
  std::string RenameSymbol() {
    return TypeInCell(CComponentGrid::kSymbolColumn, CComponentGrid::kSymbolColumn, false);
  }

  std::string WriteBack() {
    EXPECT_TRUE(Frame().UpdateDesign());
    return "write back";
  }

  std::string AssignByClicking() {
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
    const std::string first = ClickItem(pcbFirst ? static_cast<CSymbolView&>(PcbView()) : ScmView(), false);
    return prefix + "click " + first + ", then " +
           ClickItem(pcbFirst ? static_cast<CSymbolView&>(ScmView()) : PcbView(), false);
  }

  std::string AssignOneToOne() {
    if (!Frame().CanDoAssignPins121()) return "Assign Pins 1-1 (not enabled)";
    size_t terminals = 0;
    for (const std::vector<int>& gate : PinsOf(Component())) terminals += gate.size();
    if (terminals != PlacedPads(PcbView()).size()) Screen().ExpectMessageBox(IDOK);
    Frame().AssignPins121();
    return "Assign Pins 1-1";
  }

  // Runs Delete as the application's Edit > Delete does.
  std::string DeleteSelected() {
    ChooseSelectMode();
    // A pad or a symbol of either drawing, as the user would click on it.
    CSymbolView& view = Chance(50) ? static_cast<CSymbolView&>(PcbView()) : ScmView();
    const std::string clicked = "select mode: click " + ClickItem(view, !Chance(70));
    CDesignItem* item = Symbols().GetSelectedItem();
    if (item == nullptr) return clicked + ", nothing to delete";
    const bool yes = Chance(50);
    Screen().ExpectMessageBox(yes ? IDYES : IDNO);
    const std::string name = ItemName(item);
    if (Frame().AnythingSelected()) {
      EndAssignmentRun();
      Frame().StartUndoLevel(IDS_UNDO_DELETE);
      Symbols().DeleteSelection();
      Frame().EndUndoLevel(IDS_UNDO_DELETE);
    }
    return clicked + ", delete " + name + (yes ? ", Yes" : ", No");
  }

  std::string ChooseSelectMode() {
    Frame().OnSelectMode();
    m_assigning = false;
    return "Select Mode";
  }

  std::string UndoOnce() { return UndoOrRedo(true); }
  std::string RedoOnce() { return UndoOrRedo(false); }
  std::string UndoOrRedo(bool undo) {
    EndAssignmentRun();
    const std::string verb = undo ? "Undo" : "Redo";
    if (!(undo ? Design().CanUndo() : Design().CanRedo())) return verb + " (nothing to " + verb + ")";
    const CString name = undo ? Design().GetUndoName() : Design().GetRedoName();
    EXPECT_TRUE(undo ? Design().Undo() : Design().Redo());
    CheckShownAsRebuilt("after the " + verb);
    return verb + " " + name.str();
  }

  std::mt19937_64 m_random;
  CString m_name;
  std::string m_original;  // the component's bytes before the walk
  int m_originalGates = 0;
  bool m_assigning = false;  // a run is open
  int m_round = 0;
  int m_actionIndex = 0;
  std::vector<std::string> m_log;  // this round's actions
};

constexpr int kSampleActions = 2485;
constexpr int kGeneratedActions = 60;
constexpr int kGeneratedGates = 20;
constexpr int kGeneratedTerminals = 100;

class SampleUndoWalkTest : public UndoWalkTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleUndoWalkTest, UndoingAndRedoingEverythingGivesBackTheSameBytes) {
  OfferSampleSymbols();
  ASSERT_TRUE(OpenSampleComponent(GetParam()));
  Walk(kSampleActions);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleUndoWalkTest,
                         ::testing::Values("QUAD-NAND2", "HEX-INV", "DUAL-OPAMP", "RESISTOR"),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST_F(UndoWalkTest, UndoingAndRedoingEverythingOnAGeneratedComponentGivesBackTheSameBytes) {
  // The generated gate symbols and footprint, in temporary libraries for the test's life.
  CSymbolLibraryContents gates(SymbolKind::Schematic);
  for (int gate = 0; gate < kGeneratedGates; ++gate) gates.Add(MakeBusGate(gate, kGeneratedTerminals));
  CSymbolLibraryContents footprints(SymbolKind::Pcb);
  footprints.Add(MakeGridFootprint(kGeneratedGates * kGeneratedTerminals));
  CString gateLibrary, pcbLibrary;
  const bool saved = SaveTemporaryLibrary(gates, ".scmlib", gateLibrary) &&
                     SaveTemporaryLibrary(footprints, ".pcblib", pcbLibrary);
  const std::shared_ptr<void> removeLibraries(nullptr, [&](void*) {
    for (const CString& path : {gateLibrary, pcbLibrary}) std::remove(path.c_str());
  });
  ASSERT_TRUE(saved);
  ComponentBuilder component("BUS-20X100");
  component.Package("BGA", footprints.Get(0).GetName().c_str(), kGeneratedGates * kGeneratedTerminals,
                    pcbLibrary.c_str());
  for (const CString& name : gates.Names())
    component.Gates(1, name.c_str(), kGeneratedTerminals, gateLibrary.c_str());
  m_offered[LibraryStem(gateLibrary)] = gates.Names();
  // A renamed gate keeps only its library's file name, which the grid looks for where
  // the schematic library last used is and the drawings beside the component library
  // last used: both are in the generated libraries' folder, as after the user chose them.
  const std::filesystem::path folder = std::filesystem::path(gateLibrary.str()).parent_path();
  Settings().Set("Libraries", "LastScm", gateLibrary.str());
  Settings().Set("Libraries", "LastComponent", (folder / "generated.cmplib").string());
  ASSERT_TRUE(OpenEditor(component));
  ASSERT_EQ(Component().CountGates(), kGeneratedGates);
  Walk(kGeneratedActions);
}

}  // namespace
