#include "platform/settings_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <system_error>

#include "platform/temp_file.h"

namespace {

using nlohmann::json;

constexpr unsigned long kFormatVersion = 1;
constexpr const char* kNoPlace =
    "There is no place for the settings: neither XDG_CONFIG_HOME nor HOME is an absolute path.";

std::string_view NormalKey(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return key;
}

char Fold(char ch) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

std::string AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  std::string path = value;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// 0, or the errno that stopped the read.
int ReadWholeFile(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  char buffer[8192];
  int err = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) err = errno;
    if (got <= 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return err;
}

// The library prefixes its messages with an identifier that means nothing to a user.
std::string WithoutTag(std::string_view message) {
  const size_t end = message.starts_with('[') ? message.find("] ") : std::string_view::npos;
  return std::string(end == std::string_view::npos ? message : message.substr(end + 2));
}

std::optional<SettingValue> ToSetting(const json& value) {
  if (value.is_boolean()) return SettingValue(value.get<bool>());
  if (value.is_number_unsigned()) return SettingValue(value.get<unsigned long>());
  if (value.is_string()) return SettingValue(value.get<std::string>());
  return std::nullopt;
}

std::optional<SettingsStore::Table> ToTable(const json& keys, std::string& problem) {
  SettingsStore::Table table;
  for (const auto& [key, values] : keys.items()) {
    if (!values.is_object()) {
      problem = "the key \"" + key + "\" does not hold an object";
      return std::nullopt;
    }
    for (const auto& [name, value] : values.items()) {
      std::optional<SettingValue> setting = ToSetting(value);
      if (!setting) {
        problem = "the value \"" + name + "\" of the key \"" + key +
                  "\" is neither true/false, a whole number from 0, nor a text";
        return std::nullopt;
      }
      table[std::string(NormalKey(key))].insert_or_assign(name, std::move(*setting));
    }
  }
  return table;
}

std::optional<SettingsStore::Table> ParseTable(const std::string& text, std::string& problem) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::exception& error) {
    // Malformed text, and numbers too large even for a double, which the library
    // reports as out of range rather than as a parse error.
    problem = WithoutTag(error.what());
    return std::nullopt;
  }
  if (!doc.is_object()) {
    problem = "the top level is not an object";
    return std::nullopt;
  }
  const auto version = doc.find("version");
  if (version == doc.end() || !version->is_number_unsigned() ||
      version->get<unsigned long>() != kFormatVersion) {
    problem = "\"version\" is missing or not " + std::to_string(kFormatVersion);
    return std::nullopt;
  }
  const auto keys = doc.find("keys");
  if (keys == doc.end() || !keys->is_object()) {
    problem = "\"keys\" is missing or not an object";
    return std::nullopt;
  }
  return ToTable(*keys, problem);
}

std::string Serialise(const SettingsStore::Table& table) {
  nlohmann::ordered_json keys = nlohmann::ordered_json::object();
  for (const auto& [key, values] : table) {
    auto& entry = keys[key] = nlohmann::ordered_json::object();
    for (const auto& [name, value] : values) {
      entry[name] = std::visit([](const auto& v) { return nlohmann::ordered_json(v); }, value);
    }
  }
  nlohmann::ordered_json doc = nlohmann::ordered_json::object();
  doc["version"] = kFormatVersion;
  doc["keys"] = std::move(keys);
  // Texts are kept as given; bytes that are not UTF-8 must not make the save throw.
  return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::unique_ptr<SettingsStore>& Current() {
  static std::unique_ptr<SettingsStore> store = std::make_unique<MemorySettingsStore>();
  return store;
}

}  // namespace

std::string SettingText(const SettingValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
  if (const unsigned long* number = std::get_if<unsigned long>(&value)) return std::to_string(*number);
  return std::get<std::string>(value);
}

bool SettingsStore::NoCaseLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Fold(x) < Fold(y); });
}

const SettingValue* SettingsStore::Find(std::string_view key, std::string_view name) const {
  const auto values = m_table.find(NormalKey(key));
  if (values == m_table.end()) return nullptr;
  const auto value = values->second.find(name);
  return value == values->second.end() ? nullptr : &value->second;
}

std::optional<bool> SettingsStore::GetBool(std::string_view key, std::string_view name) const {
  const SettingValue* value = Find(key, name);
  if (value == nullptr) return std::nullopt;
  if (const bool* flag = std::get_if<bool>(value)) return *flag;
  if (const unsigned long* number = std::get_if<unsigned long>(value)) return *number != 0;
  return std::nullopt;
}

std::optional<unsigned long> SettingsStore::GetNumber(std::string_view key, std::string_view name) const {
  const SettingValue* value = Find(key, name);
  if (value == nullptr) return std::nullopt;
  if (const unsigned long* number = std::get_if<unsigned long>(value)) return *number;
  if (const bool* flag = std::get_if<bool>(value)) return *flag ? 1UL : 0UL;
  return std::nullopt;
}

std::optional<std::string> SettingsStore::GetString(std::string_view key, std::string_view name) const {
  const SettingValue* value = Find(key, name);
  const std::string* text = value != nullptr ? std::get_if<std::string>(value) : nullptr;
  if (text == nullptr) return std::nullopt;
  return *text;
}

bool SettingsStore::Set(std::string_view key, std::string_view name, SettingValue value) {
  SettingsWrite change{std::string(NormalKey(key)), std::string(name), SettingText(value), false};
  Table next = m_table;
  next[change.key].insert_or_assign(change.name, std::move(value));
  return Apply(std::move(next), change);
}

bool SettingsStore::Delete(std::string_view key, std::string_view name) {
  if (Find(key, name) == nullptr) return false;
  Table next = m_table;
  const auto values = next.find(NormalKey(key));
  values->second.erase(values->second.find(name));
  if (values->second.empty()) next.erase(values);
  return Apply(std::move(next), {std::string(NormalKey(key)), std::string(name), {}, true});
}

bool SettingsStore::Apply(Table next, const SettingsWrite& change) {
  if (!Commit(next, change)) return false;
  m_table = std::move(next);
  return true;
}

bool MemorySettingsStore::Commit(const Table&, const SettingsWrite& change) {
  if (!m_writable) return false;
  m_writes.push_back(change);
  return true;
}

FileSettingsStore::FileSettingsStore() : FileSettingsStore(DefaultSettingsPath()) {}

FileSettingsStore::FileSettingsStore(CString path) : m_path(std::move(path)) {
  Load();
}

void FileSettingsStore::Load() {
  if (m_path.IsEmpty()) {
    m_loadProblem = kNoPlace;
    return;
  }
  std::string text;
  const int err = ReadWholeFile(m_path.str(), text);
  if (err == ENOENT) return;
  std::string problem = "it cannot be read (" + std::generic_category().message(err) + ")";
  if (err == 0) {
    std::optional<Table> table = ParseTable(text, problem);
    if (table) {
      SetContents(std::move(*table));
      return;
    }
  }
  m_loadProblem.FormatMessage("The settings file \"%1\" is ignored: %2. Default settings are used.", m_path,
                              problem);
}

bool FileSettingsStore::Commit(const Table& next, const SettingsWrite&) {
  if (next == Contents()) return true;
  if (m_path.IsEmpty()) {
    m_writeProblem = kNoPlace;
    return false;
  }
  const std::filesystem::path dir = std::filesystem::path(m_path.str()).parent_path();
  std::error_code ec;
  if (!dir.empty()) std::filesystem::create_directories(dir, ec);
  if (ec) {
    m_writeProblem.FormatMessage("Cannot create the settings folder \"%1\": %2.", dir.string(), ec.message());
    return false;
  }
  CString error;
  if (!WriteFileAtomically(m_path, Serialise(next), error)) {
    m_writeProblem = error;
    return false;
  }
  m_writeProblem.Empty();
  return true;
}

CString DefaultSettingsPath() {
  std::string base = AbsoluteEnv("XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::string home = AbsoluteEnv("HOME");
    if (!home.empty()) base = home + "/.config";
  }
  if (base.empty()) return {};
  return CString(base + "/component-editor/settings.json");
}

SettingsStore& CurrentSettings() {
  return *Current();
}

void SetCurrentSettings(std::unique_ptr<SettingsStore> store) {
  Current() = store != nullptr ? std::move(store) : std::make_unique<MemorySettingsStore>();
}

MemorySettingsStore& InstallMemorySettings() {
  auto store = std::make_unique<MemorySettingsStore>();
  MemorySettingsStore& installed = *store;
  SetCurrentSettings(std::move(store));
  return installed;
}
