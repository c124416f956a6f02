#include "platform/app_registry.h"

#include <limits>

#include "platform/settings_store.h"

namespace {
std::string_view Name(const char* name) {
  return name != nullptr ? name : "";
}
}  // namespace

CRegistry::CRegistry(CString key, SettingsStore* store) : m_key(std::move(key)), m_store(store) {}

SettingsStore& CRegistry::Store() const {
  return m_store != nullptr ? *m_store : CurrentSettings();
}

bool CRegistry::GetValue(const char* name, bool& value) const {
  const std::optional<bool> stored = Store().GetBool(m_key.str(), Name(name));
  if (!stored) return false;
  value = *stored;
  return true;
}

bool CRegistry::GetValue(const char* name, unsigned long& value) const {
  const std::optional<unsigned long> stored = Store().GetNumber(m_key.str(), Name(name));
  if (!stored) return false;
  value = *stored;
  return true;
}

bool CRegistry::GetValue(const char* name, unsigned int& value) const {
  const std::optional<unsigned long> stored = Store().GetNumber(m_key.str(), Name(name));
  if (!stored || *stored > std::numeric_limits<unsigned int>::max()) return false;
  value = static_cast<unsigned int>(*stored);
  return true;
}

bool CRegistry::GetValue(const char* name, CString& value) const {
  std::optional<std::string> stored = Store().GetString(m_key.str(), Name(name));
  if (!stored) return false;
  value = CString(std::move(*stored));
  return true;
}

bool CRegistry::SetValue(const char* name, bool value) {
  return Store().Set(m_key.str(), Name(name), value);
}

bool CRegistry::SetValue(const char* name, unsigned long value) {
  return Store().Set(m_key.str(), Name(name), value);
}

bool CRegistry::SetValue(const char* name, unsigned int value) {
  return SetValue(name, static_cast<unsigned long>(value));
}

bool CRegistry::SetValue(const char* name, const CString& value) {
  return Store().Set(m_key.str(), Name(name), value.str());
}

bool CRegistry::SetValue(const char* name, const char* value) {
  return SetValue(name, CString(value));
}

bool CRegistry::DeleteValue(const char* name) {
  return Store().Delete(m_key.str(), Name(name));
}
