// Undo is exact: a seeded random walk of user actions on the component the editor
// shows, checking that undoing everything gives back the design's bytes from before the
// walk and redoing everything the bytes from its end.
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
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/editor/modes/modes_fixture.h"

class UndoWalkTest : public ModesTest {
 protected:
  void SetUp() override;

  // The schematic symbols a gate drawn from `library` may be renamed to; a name no
  // library offers is tried as well, and refused.
  void OfferSymbols(const CString& library, const std::vector<CString>& names);
  // The symbols of the sample schematic libraries.
  void OfferSampleSymbols();
  // Walks `actions` actions on the component the editor shows.
  void Walk(int actions);

  static std::uint64_t BaseSeed();

 private:
  // A user action: it acts, and says what it did for the failure message.
  using Action = std::string (UndoWalkTest::*)();

  // ---- Rounds and checks ----
  // Returns the number of actions taken; fewer than asked once the history is nearly
  // full or the walk has failed.
  int WalkRound(int actions);
  bool TakeAction(Action action);
  Action ChooseAction();
  bool HistoryHasRoom();
  // One undo followed by one redo gives back the same bytes.
  bool CheckUndoThenRedo();
  bool CheckBytes(const std::string& expected, const std::string& when);
  // An undo or a redo shows just what it changed: the grid's cells and the drawings'
  // copies are what a rebuild of every pane shows.
  bool CheckShownAsRebuilt(const std::string& when);
  std::string ShownState();
  // Undoes every step, or redoes `steps` steps; false when a step would not go.
  bool UndoEverything();
  bool Redo(int steps);
  // A fresh editor, and a fresh history, on the component read back from `bytes`.
  bool Reopen(const std::string& bytes);
  std::string DesignBytes();
  // Seed, component, round and the round's actions, for a failure message.
  std::string Context() const;
  // An assignment run ends, as every command but the grid's and one-to-one ends it.
  void EndAssignmentRun();

  // ---- Actions (below them in undo_walk.cpp) ----
  std::string EditPinCell();
  std::string LeaveEditOpen();
  std::string RenameTerminal();
  std::string RenameSymbol();
  std::string WriteBack();
  std::string AssignByClicking();
  std::string AssignOneToOne();
  std::string DeleteSelected();
  std::string ChooseSelectMode();
  std::string UndoOnce();
  std::string RedoOnce();

  // ---- Helpers of the actions ----
  int Random(int count);
  bool Chance(int percent);
  // An editable cell of a random column from `firstCol` to `lastCol`; false when that
  // column has none.
  bool RandomEditableCell(long firstCol, long lastCol, long& row, long& col);
  std::string RandomPinText();
  CString RandomTerminalName();
  // The library names offered for the gate that made the block at `row`.
  const std::vector<CString>* OfferedFor(long row);
  // A pad the view drew; null when it drew none.
  CPadInstance* RandomPad(const CSymbolView& view);
  // Clicks the pad in its view (or, now and then, nothing); describes the click.
  std::string ClickPad(CSymbolView& view, CPadInstance* pad);
  std::string ClickRandomItem();
  // Runs Delete as the application's Edit > Delete does.
  void RunDelete();
  int TotalTerminals();
  int FootprintPads();

  std::uint64_t m_seed = 0;
  std::mt19937_64 m_random;
  CString m_name;
  std::string m_original;  // the component's bytes before the walk
  int m_originalGates = 0;
  std::map<std::string, std::vector<CString>> m_offered;  // by library stem
  bool m_assigning = false;                               // a run is open
  int m_round = 0;
  int m_actionIndex = 0;
  std::vector<std::string> m_log;  // this round's actions
};
