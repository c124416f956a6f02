// The settings store ("the registry"): flags, numbers and texts kept per user under a
// key path such as "ComponentEditor\\Grid" and a value name.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/cstring.h"

using SettingValue = std::variant<bool, unsigned long, std::string>;

// The value as a person reads it: "true" or "false", a decimal number, or the text.
std::string SettingText(const SettingValue& value);

// One change made to a store.
struct SettingsWrite {
  std::string key;
  std::string name;
  std::string value;  // SettingText of the new value; empty for a deletion
  bool deleted = false;

  bool operator==(const SettingsWrite&) const = default;
};

// Key paths and value names compare without regard to case, as the registry's do, and
// keep the spelling of their first write. Backslashes around a key path are ignored.
// Used from the user-interface thread only.
class SettingsStore {
 public:
  struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using Values = std::map<std::string, SettingValue, NoCaseLess>;
  using Table = std::map<std::string, Values, NoCaseLess>;

  virtual ~SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Null when absent.
  const SettingValue* Find(std::string_view key, std::string_view name) const;
  // Flags and numbers read as each other (non-zero is true): the registry keeps flags as
  // numbers, and a hand-edited file may too. A text is never a flag or a number.
  std::optional<bool> GetBool(std::string_view key, std::string_view name) const;
  std::optional<unsigned long> GetNumber(std::string_view key, std::string_view name) const;
  std::optional<std::string> GetString(std::string_view key, std::string_view name) const;

  // False when the change could not be kept; the store then holds what it held before.
  bool Set(std::string_view key, std::string_view name, SettingValue value);
  // False when the value is absent or the change could not be kept.
  bool Delete(std::string_view key, std::string_view name);

 protected:
  SettingsStore() = default;
  const Table& Contents() const { return m_table; }
  void SetContents(Table table) { m_table = std::move(table); }

  // Keeps next, which differs from Contents() by change; false refuses it.
  virtual bool Commit(const Table& next, const SettingsWrite& change) = 0;

 private:
  bool Apply(Table next, const SettingsWrite& change);

  Table m_table;
};

// Settings that last as long as the object; every kept change is logged, so that a test
// can read back what was written and in which order.
class MemorySettingsStore : public SettingsStore {
 public:
  MemorySettingsStore() = default;

  const std::vector<SettingsWrite>& Writes() const { return m_writes; }
  void ClearWrites() { m_writes.clear(); }
  // While false every change is refused, as when the settings cannot be saved.
  void SetWritable(bool writable) { m_writable = writable; }

 protected:
  bool Commit(const Table& next, const SettingsWrite& change) override;

 private:
  std::vector<SettingsWrite> m_writes;
  bool m_writable = true;
};

// Settings in a JSON file, read once at construction and replaced atomically on every
// change. A damaged or unreadable file is noted in LoadProblem and the store starts
// from the defaults (no values); the first change then replaces the file. Another
// process writing the same file meanwhile loses to the last writer.
class FileSettingsStore : public SettingsStore {
 public:
  // At DefaultSettingsPath().
  FileSettingsStore();
  explicit FileSettingsStore(CString path);

  const CString& Path() const { return m_path; }
  // Names the file and what is wrong with it; empty when it loaded or did not exist yet.
  const CString& LoadProblem() const { return m_loadProblem; }
  // Why the last change could not be saved; empty after a change that was.
  const CString& WriteProblem() const { return m_writeProblem; }

 protected:
  bool Commit(const Table& next, const SettingsWrite& change) override;

 private:
  void Load();

  CString m_path;
  CString m_loadProblem;
  CString m_writeProblem;
};

// $XDG_CONFIG_HOME/component-editor/settings.json, or the same under $HOME/.config when
// that is unset or relative; empty when neither gives a place.
CString DefaultSettingsPath();

// The process-wide store the registry classes work on; an empty MemorySettingsStore
// until the application installs its file store.
SettingsStore& CurrentSettings();
// Null installs an empty MemorySettingsStore.
void SetCurrentSettings(std::unique_ptr<SettingsStore> store);
// Installs an empty MemorySettingsStore and returns it, for tests and one-shot runs.
MemorySettingsStore& InstallMemorySettings();
