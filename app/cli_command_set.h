// The commands of the command-line tool as one parser sees them: each command's file
// adds its subcommand, with every option explained, and what runs once its words parse.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdio>
#include <functional>
#include <map>

class CliCommandSet {
 public:
  // A runner's answer when the words parse but a value does not fit: the command's
  // usage follows on the error stream, with exit code 2.
  static constexpr int kWrongUsage = 2;

  CliCommandSet(std::FILE* out, std::FILE* err) : m_out(out), m_err(err) {}

  std::FILE* Out() const { return m_out; }
  std::FILE* Err() const { return m_err; }
  void SetRunner(const CLI::App* command, std::function<int()> run) { m_runners[command] = std::move(run); }
  // The runner of `command`, or null when it has none.
  const std::function<int()>* Runner(const CLI::App* command) const {
    const auto found = m_runners.find(command);
    return found == m_runners.end() ? nullptr : &found->second;
  }

 private:
  std::FILE* m_out;
  std::FILE* m_err;
  std::map<const CLI::App*, std::function<int()>> m_runners;
};
