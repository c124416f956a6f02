#include "tests/support/atomic_write_fault.h"

ScopedAtomicWriteFault::ScopedAtomicWriteFault(AtomicWriteStep step, int err, int occurrence)
    : m_step(step), m_err(err), m_occurrence(occurrence) {
  SetAtomicWriteFaultForTesting([this](AtomicWriteStep taken) { return OnStep(taken); });
}

ScopedAtomicWriteFault::ScopedAtomicWriteFault()
    : ScopedAtomicWriteFault(AtomicWriteStep::CreateTemporary, 0) {}

ScopedAtomicWriteFault::~ScopedAtomicWriteFault() {
  SetAtomicWriteFaultForTesting(nullptr);
}

int ScopedAtomicWriteFault::OnStep(AtomicWriteStep step) {
  m_steps.push_back(step);
  if (step != m_step) return 0;
  ++m_seen;
  return m_seen >= m_occurrence ? m_err : 0;
}

const char* AtomicWriteStepName(AtomicWriteStep step) {
  static const char* const kNames[] = {"CreateTemporary", "Write", "CopyPermissions",
                                       "Flush",           "Close", "Rename"};
  return kNames[static_cast<int>(step)];
}
