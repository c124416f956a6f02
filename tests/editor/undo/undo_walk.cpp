#include "tests/editor/undo/undo_walk.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "host/model/component_library_file.h"
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
  struct Weighted {
    int weight;
    Action action;
  };
  static constexpr std::array<Weighted, 11> kWeights = {{
      {20, Action::EditPin},
      {5, Action::LeaveEditOpen},
      {10, Action::RenameTerminal},
      {6, Action::RenameSymbol},
      {8, Action::WriteBack},
      {18, Action::AssignByClicking},
      {4, Action::AssignOneToOne},
      {10, Action::Delete},
      {3, Action::SelectMode},
      {14, Action::Undo},
      {7, Action::Redo},
  }};
  int total = 0;
  for (const Weighted& entry : kWeights) total += entry.weight;
  int pick = Random(total);
  for (const Weighted& entry : kWeights) {
    if (pick < entry.weight) return entry.action;
    pick -= entry.weight;
  }
  return Action::Undo;
}

bool UndoWalkTest::TakeAction(Action action) {
  ++m_actionIndex;
  std::string done;
  switch (action) {
    case Action::EditPin:
      done = EditPinCell();
      break;
    case Action::LeaveEditOpen:
      done = LeaveEditOpen();
      break;
    case Action::RenameTerminal:
      done = RenameTerminal();
      break;
    case Action::RenameSymbol:
      done = RenameSymbol();
      break;
    case Action::WriteBack:
      done = WriteBack();
      break;
    case Action::AssignByClicking:
      done = AssignByClicking();
      break;
    case Action::AssignOneToOne:
      done = AssignOneToOne();
      break;
    case Action::Delete:
      done = DeleteSelected();
      break;
    case Action::SelectMode:
      done = ChooseSelectMode();
      break;
    case Action::Undo:
      done = UndoOnce();
      break;
    case Action::Redo:
      done = RedoOnce();
      break;
  }
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
