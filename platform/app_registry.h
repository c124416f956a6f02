// Registry access for one key: typed reads and writes of named values.
#pragma once

#include "platform/cstring.h"

class SettingsStore;

class CRegistry {
 public:
  // The values under key in store; without a store, in whichever store is current at
  // each call, so that a registry object never outlives its store.
  explicit CRegistry(CString key, SettingsStore* store = nullptr);
  virtual ~CRegistry() = default;

  // Each read returns false and leaves value unchanged when the value is absent or of a
  // kind that cannot be read as the variable's. Flags and numbers read as each other.
  bool GetValue(const char* name, bool& value) const;
  bool GetValue(const char* name, unsigned long& value) const;
  // DWORD and COLORREF variables; false as well when the number does not fit.
  bool GetValue(const char* name, unsigned int& value) const;
  bool GetValue(const char* name, CString& value) const;

  // False when the value could not be kept.
  bool SetValue(const char* name, bool value);
  bool SetValue(const char* name, unsigned long value);
  bool SetValue(const char* name, unsigned int value);
  bool SetValue(const char* name, const CString& value);
  // Without this a literal would convert to bool, not to CString.
  bool SetValue(const char* name, const char* value);
  // False when the value was absent or could not be removed.
  bool DeleteValue(const char* name);

 private:
  SettingsStore& Store() const;

  CString m_key;
  SettingsStore* m_store;
};

// A key under the application's key: the current store belongs to this application,
// so its key paths are the application's.
class CAppRegistry : public CRegistry {
 public:
  explicit CAppRegistry(const CString& key) : CRegistry(key) {}
};
