// CUndoHistory: the undo and redo steps of a design. A step is made by the outermost of
// nested undo levels: the records' values are taken when it opens and compared when it
// closes, and the step keeps both values of each record that changed, so that undoing
// or redoing sets those records back or forth whatever was done between.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "host/model/component_value.h"
#include "platform/types.h"

// The records of a design at one moment, in design order.
using RecordValues = std::vector<ComponentValue>;

struct UndoLevelEvent {
  enum class Kind { Start, End };
  Kind kind;
  UINT id;
  bool operator==(const UndoLevelEvent&) const = default;
};
using UndoLevelObserver = std::function<void(const UndoLevelEvent&)>;

// One record on either side of a step; no value means the record did not exist there.
struct RecordChange {
  std::uint64_t id = 0;
  std::optional<ComponentValue> before;
  std::optional<ComponentValue> after;
  // When the record kept its shape and only these terminals' pins or names differ,
  // worked out once as the step is made: applying the step sets just them, and the
  // views show just them.
  std::optional<std::vector<TerminalChange>> terminals;
};

struct UndoStep {
  UINT id = 0;
  std::vector<RecordChange> changes;
  std::vector<std::uint64_t> orderBefore;
  std::vector<std::uint64_t> orderAfter;
};

class CUndoHistory {
 public:
  using Capture = std::function<RecordValues()>;

  // The oldest steps are forgotten beyond this many, which bounds the memory a long
  // session of edits on large components takes.
  static constexpr int kMaxSteps = 100;

  struct CloseOutcome {
    bool matched = false;   // the id was that of the innermost open level
    bool recorded = false;  // the outermost level closed and made a step
  };

  bool IsLevelOpen() const { return !m_openLevels.empty(); }

  // `capture` runs only for the outermost level.
  void StartLevel(UINT id, const Capture& capture);
  // Closes the innermost level, even when `id` is not its id, so that levels stay
  // balanced. `capture` runs only when the outermost level closes; the step takes the
  // outermost level's id as its name.
  CloseOutcome EndLevel(UINT id, const Capture& capture);

  bool CanUndo() const { return !m_undo.empty(); }
  bool CanRedo() const { return !m_redo.empty(); }
  // Valid only while CanUndo() or CanRedo() respectively.
  const UndoStep& NextUndo() const { return m_undo.back(); }
  const UndoStep& NextRedo() const { return m_redo.back(); }
  // Moves the next step to the other list once it has been applied.
  void UndoDone();
  void RedoDone();
  int CountUndo() const { return static_cast<int>(m_undo.size()); }

  // Forgets every step and open level.
  void Clear();

 private:
  static UndoStep MakeStep(UINT id, RecordValues before, RecordValues after);

  std::vector<UINT> m_openLevels;
  RecordValues m_before;
  std::deque<UndoStep> m_undo;
  std::deque<UndoStep> m_redo;
};
