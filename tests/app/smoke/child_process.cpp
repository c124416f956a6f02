#include "tests/app/smoke/child_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

std::vector<char*> PointersTo(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace

ChildProcess::~ChildProcess() {
  Kill();
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         std::string& error) {
  // env sets the variables and then becomes the program, keeping its process id.
  std::vector<std::string> words = {"env"};
  words.insert(words.end(), environment.begin(), environment.end());
  words.insert(words.end(), argv.begin(), argv.end());
  const int failure = posix_spawnp(&m_pid, "env", nullptr, nullptr, PointersTo(words).data(), environ);
  if (failure == 0) return true;
  m_pid = -1;
  error = argv[0] + " could not be started: " + std::strerror(failure);
  return false;
}

bool ChildProcess::WaitForExit(int seconds, int& exitCode) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (m_pid > 0) {
    int status = 0;
    const pid_t ended = waitpid(m_pid, &status, WNOHANG);
    if (ended == m_pid) {
      m_pid = -1;
      exitCode = ExitCodeOf(status);
      return true;
    }
    if (ended < 0 || std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

void ChildProcess::Kill() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}

int RunProgram(const std::vector<std::string>& argv, std::string& output) {
  output.clear();
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::vector<std::string> words = argv;
  pid_t pid = -1;
  const int failure =
      posix_spawnp(&pid, words[0].c_str(), &actions, nullptr, PointersTo(words).data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  char buffer[4096];
  ssize_t got = 0;
  while (failure == 0 &&
         ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
    if (got > 0) output.append(buffer, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);
  if (failure != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return ExitCodeOf(status);
}
