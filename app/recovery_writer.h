// RecoveryWriter: writes and removes recovery copies on a thread of its own, in the
// order asked, so that a big component's copy never holds up the user's typing. The
// caller hands over a snapshot of the component's records, which the thread formats
// and writes atomically; a removal queued after a write removes what it wrote.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "app/recovery_store.h"

class RecoveryWriter {
 public:
  explicit RecoveryWriter(CRecoveryStore store);
  // Finishes what is queued.
  ~RecoveryWriter();
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  const CRecoveryStore& Store() const { return m_store; }
  void Write(CString path, RecoveryCopy copy);
  void Remove(CString path);
  // Returns once everything queued so far is done.
  void Wait();
  // What failed since the last call, one message each.
  std::vector<CString> TakeProblems();

 private:
  struct Job {
    CString path;
    std::optional<RecoveryCopy> copy;  // none: remove the file
  };
  void Run();
  void Do(const Job& job);

  const CRecoveryStore m_store;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Job> m_jobs;
  bool m_busy = false;
  bool m_stopping = false;
  std::vector<CString> m_problems;
  std::thread m_thread;
};
