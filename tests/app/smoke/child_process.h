// Programs the on-screen test runs: the editor, started and left running while the
// test drives it, and the short-lived tools that act on the screen.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program running beside the test. One that is still running when the object goes
// is killed, so a failed test leaves no window behind.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `argv` with the test's environment plus `environment` ("NAME=value" each).
  // False, with the reason, when the program cannot be started.
  bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
             std::string& error);
  pid_t Id() const { return m_pid; }
  // True, with the exit code, once the program has ended by itself within the time;
  // an ending by a signal gives 128 plus its number, as a shell reports it.
  bool WaitForExit(int seconds, int& exitCode);
  // Ends the program at once (SIGKILL), as a crash or a power cut would.
  void Kill();

 private:
  pid_t m_pid = -1;
};

// Runs `argv` to its end and returns its exit code (-1 when it could not start), with
// what it wrote to standard output in `output`.
int RunProgram(const std::vector<std::string>& argv, std::string& output);
