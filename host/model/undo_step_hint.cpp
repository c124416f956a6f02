#include "host/model/undo_step_hint.h"

IMPLEMENT_DYNAMIC(CUndoStepHint, CObject)

const std::optional<std::vector<TerminalChange>>& CUndoStepHint::TerminalChangesOf(
    std::uint64_t recordId) const {
  if (m_cachedId != recordId || recordId == 0) {
    m_cached = WorkOut(recordId);
    m_cachedId = recordId;
  }
  return m_cached;
}

std::optional<std::vector<TerminalChange>> CUndoStepHint::WorkOut(std::uint64_t recordId) const {
  if (recordId == 0 || m_step.orderBefore != m_step.orderAfter) return std::nullopt;
  const RecordChange* mine = nullptr;
  for (const RecordChange& change : m_step.changes) {
    if (!change.before.has_value() || !change.after.has_value()) return std::nullopt;
    if (change.id == recordId) mine = &change;
  }
  if (mine == nullptr) return std::vector<TerminalChange>{};
  return mine->terminals;
}
