// An environment variable set, or removed, for the rest of a scope and given back its
// old value afterwards, so that a test's settings never reach the next test.
#pragma once

#include <optional>
#include <string>

class EnvironmentOverride {
 public:
  // Sets `name` to `value`; nullopt removes it.
  EnvironmentOverride(const char* name, std::optional<std::string> value);
  ~EnvironmentOverride();
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) const;

  std::string m_name;
  std::optional<std::string> m_old;
};
