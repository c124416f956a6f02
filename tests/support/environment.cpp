#include "tests/support/environment.h"

#include <stdlib.h>

EnvironmentOverride::EnvironmentOverride(const char* name, std::optional<std::string> value) : m_name(name) {
  if (const char* old = ::getenv(name)) m_old = old;
  Apply(value);
}

EnvironmentOverride::~EnvironmentOverride() {
  Apply(m_old);
}

void EnvironmentOverride::Apply(const std::optional<std::string>& value) const {
  if (value) {
    ::setenv(m_name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(m_name.c_str());
  }
}
