// RecoverySchedule: when the recovery copy of a component with unsaved changes is due.
// A copy is due a few seconds after the user stops changing the component, and during
// long work at the latest a minute after the first change it does not hold yet. It
// knows nothing of files or clocks: the caller tells it the time.
#pragma once

#include <chrono>
#include <map>
#include <vector>

class RecoverySchedule {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kQuiet = std::chrono::seconds(3);
  static constexpr Clock::duration kLongest = std::chrono::minutes(1);

  explicit RecoverySchedule(Clock::duration quiet = kQuiet, Clock::duration longest = kLongest)
      : m_quiet(quiet), m_longest(longest) {}

  void NoteChange(int document, Clock::time_point now);
  // The document's copy holds every change so far (or it needs none: saved, closed).
  void NoteCopied(int document) { m_pending.erase(document); }
  // The documents whose copies are due at `now`, in the order of their numbers.
  std::vector<int> Due(Clock::time_point now) const;

 private:
  struct Pending {
    Clock::time_point first;
    Clock::time_point last;
  };
  Clock::duration m_quiet;
  Clock::duration m_longest;
  std::map<int, Pending> m_pending;
};
