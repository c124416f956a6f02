// CPinMapChecks: the live checks of the pin grid. It joins the frame's design as a view
// without a window, so it hears every update hint, the grid's own included, and marks
// the grid's cells whose values will not pass: a terminal name the name rules refuse, a
// pin beyond the package's pads, a pin two terminals of the package share, a terminal
// without a pin. A rebuild of the grid checks everything; a changed pin or name
// re-checks only the cells it touches, so that typing stays quick on big parts.
//
// The checks only mark and list: they never refuse a value, and the design's own
// validity check and write-back go on as before.
#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/cstring.h"
#include "platform/view.h"

class CComponent;
class CComponentFrame;
class CComponentGrid;
class CGate;

struct PinMapProblem {
  long row = 0;
  long column = 0;
  CString text;
};

class CPinMapChecks : public CView {
 public:
  explicit CPinMapChecks(CComponentFrame* frame) : m_frame(frame) {}

  void OnDraw(CDC*) override {}
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

  int CountProblems() const { return static_cast<int>(m_problems.size()); }
  // In the grid's order: row by row, left to right.
  std::vector<PinMapProblem> Problems() const;
  // Told after every check that changed the count.
  void SetCountListener(std::function<void(int)> listener) { m_countListener = std::move(listener); }

  // Checks every cell of the grid afresh.
  void CheckAll();
  // Re-checks one terminal's pin after it changed, and the terminals that share its
  // old or new pin.
  void CheckTerminal(int gate, int terminal);
  // Re-checks the terminal name in the row.
  void CheckName(long row);

 private:
  using Key = long long;  // gate and terminal
  using Cell = std::pair<long, long>;

  static Key KeyOf(int gate, int terminal) {
    return (static_cast<Key>(gate) << 32) | static_cast<unsigned>(terminal);
  }
  // An undo or a redo of a few pins or names re-checks those; false when the update
  // asks for a whole check.
  bool CheckUndoneChanges(const CObject* hintObject);
  CComponentGrid* Grid() const;
  CComponent* Component() const;
  // The grid cell of a terminal's pin; false when the grid shows none.
  bool PinCell(int gate, int terminal, Cell& cell) const;
  // The cell of the gate's first terminal; false when the grid has no column for it.
  static bool GateCell(const CComponentGrid& grid, const CGate& gate, int index, Cell& cell);
  // The terminal's pin as last checked; -1 when none was.
  int KnownPin(Key key) const;
  // The terminals on a pin of the package; null for a pin beyond its pads, whose
  // problem does not depend on who else uses it.
  std::vector<Key>* UsersOf(int pin);
  void Use(int pin, Key key);
  void Release(int pin, Key key);
  void EvaluatePin(Key key);
  void EvaluatePinAt(Key key, const Cell& cell);
  void EvaluateEveryPin(CComponentGrid& grid, const CComponent& component);
  // The pin as the grid shows it: a land's name where the footprint names it.
  CString PinText(int pin) const;
  void SetProblem(const Cell& cell, const CString& text);
  void NotifyCount(int before);

  CComponentFrame* m_frame;  // not owned
  // Flat rather than hashed by terminal: a whole check of tens of thousands of
  // terminals then allocates nothing once the vectors have grown.
  std::map<int, std::vector<int>> m_pins;  // by gate index, then terminal - 1
  std::vector<std::vector<Key>> m_users;   // by pin number, for the package's pads

  std::map<Cell, CString> m_problems;
  std::function<void(int)> m_countListener;
};
