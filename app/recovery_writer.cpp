#include "app/recovery_writer.h"

#include <utility>

RecoveryWriter::RecoveryWriter(CRecoveryStore store)
    : m_store(std::move(store)), m_thread([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

void RecoveryWriter::Write(CString path, RecoveryCopy copy) {
  {
    const std::lock_guard lock(m_mutex);
    m_jobs.push_back({std::move(path), std::move(copy)});
  }
  m_changed.notify_all();
}

void RecoveryWriter::Remove(CString path) {
  {
    const std::lock_guard lock(m_mutex);
    m_jobs.push_back({std::move(path), std::nullopt});
  }
  m_changed.notify_all();
}

void RecoveryWriter::Wait() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

std::vector<CString> RecoveryWriter::TakeProblems() {
  const std::lock_guard lock(m_mutex);
  return std::exchange(m_problems, {});
}

// Jobs still queued at the end are done before the thread ends: a removal asked by a
// save or a close must not be lost.
void RecoveryWriter::Run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
    if (m_jobs.empty()) return;
    const Job job = std::move(m_jobs.front());
    m_jobs.pop_front();
    m_busy = true;
    lock.unlock();
    Do(job);
    lock.lock();
    m_busy = false;
    m_changed.notify_all();
  }
}

void RecoveryWriter::Do(const Job& job) {
  CString error;
  const bool done = job.copy ? m_store.Write(job.path, CRecoveryStore::Format(*job.copy), error)
                             : m_store.Remove(job.path, error);
  if (done) return;
  const std::lock_guard lock(m_mutex);
  m_problems.push_back(error);
}
