#include "host/model/undo_history.h"

#include <unordered_map>

namespace {
std::vector<std::uint64_t> RecordOrder(const RecordValues& records) {
  std::vector<std::uint64_t> order;
  order.reserve(records.size());
  for (const ComponentValue& record : records) order.push_back(record.id);
  return order;
}

std::unordered_map<std::uint64_t, ComponentValue*> RecordsById(RecordValues& records) {
  std::unordered_map<std::uint64_t, ComponentValue*> byId;
  for (ComponentValue& record : records) byId.emplace(record.id, &record);
  return byId;
}
}  // namespace

void CUndoHistory::StartLevel(UINT id, const Capture& capture) {
  if (m_openLevels.empty()) m_before = capture();
  m_openLevels.push_back(id);
}

CUndoHistory::CloseOutcome CUndoHistory::EndLevel(UINT id, const Capture& capture) {
  CloseOutcome outcome;
  if (m_openLevels.empty()) return outcome;
  outcome.matched = m_openLevels.back() == id;
  const UINT outermost = m_openLevels.front();
  m_openLevels.pop_back();
  if (!m_openLevels.empty()) return outcome;

  UndoStep step = MakeStep(outermost, std::move(m_before), capture());
  m_before.clear();
  if (step.changes.empty() && step.orderBefore == step.orderAfter) return outcome;
  m_undo.push_back(std::move(step));
  if (CountUndo() > kMaxSteps) m_undo.pop_front();
  m_redo.clear();
  outcome.recorded = true;
  return outcome;
}

void CUndoHistory::UndoDone() {
  if (m_undo.empty()) return;
  m_redo.push_back(std::move(m_undo.back()));
  m_undo.pop_back();
}

void CUndoHistory::RedoDone() {
  if (m_redo.empty()) return;
  m_undo.push_back(std::move(m_redo.back()));
  m_redo.pop_back();
}

void CUndoHistory::Clear() {
  m_openLevels.clear();
  m_before.clear();
  m_undo.clear();
  m_redo.clear();
}

UndoStep CUndoHistory::MakeStep(UINT id, RecordValues before, RecordValues after) {
  UndoStep step;
  step.id = id;
  step.orderBefore = RecordOrder(before);
  step.orderAfter = RecordOrder(after);
  auto beforeById = RecordsById(before);
  for (ComponentValue& record : after) {
    const auto found = beforeById.find(record.id);
    if (found == beforeById.end()) {
      step.changes.push_back({record.id, std::nullopt, std::move(record), std::nullopt});
      continue;
    }
    ComponentValue* earlier = found->second;
    beforeById.erase(found);
    std::optional<std::vector<TerminalChange>> terminals = TerminalChangesBetween(*earlier, record);
    if (terminals ? terminals->empty() : *earlier == record) continue;
    step.changes.push_back({record.id, std::move(*earlier), std::move(record), std::move(terminals)});
  }
  for (ComponentValue& record : before) {
    if (beforeById.contains(record.id))
      step.changes.push_back({record.id, std::move(record), std::nullopt, std::nullopt});
  }
  return step;
}
