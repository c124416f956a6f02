#include "app/recovery_schedule.h"

void RecoverySchedule::NoteChange(int document, Clock::time_point now) {
  const auto [entry, added] = m_pending.try_emplace(document, Pending{now, now});
  if (!added) entry->second.last = now;
}

std::vector<int> RecoverySchedule::Due(Clock::time_point now) const {
  std::vector<int> due;
  for (const auto& [document, pending] : m_pending) {
    if (now - pending.last >= m_quiet || now - pending.first >= m_longest) due.push_back(document);
  }
  return due;
}
