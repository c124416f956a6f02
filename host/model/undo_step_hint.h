// CUndoStepHint: the object of the update an undo or a redo sends, naming the step just
// applied, so that the views can show only what it changed instead of rebuilding. A
// view that does not look at it rebuilds as for any other update of the whole design.
// It lives on the design's stack for one UpdateAllViews call.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/model/component_value.h"
#include "host/model/undo_history.h"
#include "platform/object.h"

class CUndoStepHint : public CObject {
  DECLARE_DYNAMIC(CUndoStepHint)

 public:
  // `towardsBefore`: the step was undone (its records went back to their values before).
  CUndoStepHint(const UndoStep& step, bool towardsBefore) : m_step(step), m_towardsBefore(towardsBefore) {}

  // The terminals of the record whose pins or names the step changed, when that is all
  // the step changed of any record's shape: no record came or went, the records kept
  // their order, and the record kept its fields and gates. Empty when the step did not
  // touch the record; nullopt when a view must rebuild. Worked out once per record.
  const std::optional<std::vector<TerminalChange>>& TerminalChangesOf(std::uint64_t recordId) const;

 private:
  std::optional<std::vector<TerminalChange>> WorkOut(std::uint64_t recordId) const;

  const UndoStep& m_step;
  bool m_towardsBefore;
  mutable std::uint64_t m_cachedId = 0;
  mutable std::optional<std::vector<TerminalChange>> m_cached;
};
