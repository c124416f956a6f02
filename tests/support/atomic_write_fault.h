// Makes one step of every atomic write (platform/temp_file.h) fail while it lives, as
// the system would fail it, and records the steps taken.
#pragma once

#include <vector>

#include "platform/temp_file.h"

class ScopedAtomicWriteFault {
 public:
  // The `occurrence`-th time (from 1) that `step` is taken, and every time after, it
  // fails with `err`.
  ScopedAtomicWriteFault(AtomicWriteStep step, int err, int occurrence = 1);
  // Fails nothing; only records.
  ScopedAtomicWriteFault();
  ~ScopedAtomicWriteFault();
  ScopedAtomicWriteFault(const ScopedAtomicWriteFault&) = delete;
  ScopedAtomicWriteFault& operator=(const ScopedAtomicWriteFault&) = delete;

  // Every step begun, in order, the failed one included.
  const std::vector<AtomicWriteStep>& Steps() const { return m_steps; }

 private:
  int OnStep(AtomicWriteStep step);

  AtomicWriteStep m_step = AtomicWriteStep::CreateTemporary;
  int m_err = 0;
  int m_occurrence = 0;
  int m_seen = 0;
  std::vector<AtomicWriteStep> m_steps;
};

// "Rename" and so on, for test names and messages.
const char* AtomicWriteStepName(AtomicWriteStep step);
