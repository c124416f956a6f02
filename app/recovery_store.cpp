#include "app/recovery_store.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/model/json_document.h"
#include "host/model/json_node.h"
#include "platform/temp_file.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::string_view kFormatName = "component-editor-recovery";
constexpr int kVersion = 1;
constexpr std::int64_t kLargest = INT64_MAX;

// The start time is the 22nd field of /proc/PID/stat; the name before it, in
// parentheses, may hold spaces, so the fields are counted after its closing one.
std::optional<std::uint64_t> StartTimeOf(long pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!file || !std::getline(file, line)) return std::nullopt;
  const size_t nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(nameEnd + 1));
  std::string field;
  for (int index = 3; index <= 22; ++index) {
    if (!(fields >> field)) return std::nullopt;
  }
  return std::strtoull(field.c_str(), nullptr, 10);
}

std::uint64_t HashOf(std::istream& in) {
  std::uint64_t hash = 14695981039346656037ULL;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize index = 0; index < in.gcount(); ++index) {
      hash = (hash ^ static_cast<unsigned char>(buffer[index])) * 1099511628211ULL;
    }
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

json WriteHeader(const RecoveryCopy& copy) {
  const LibraryFileState& state = copy.libraryAtOpen;
  return {{"format", kFormatName},
          {"version", kVersion},
          {"pid", copy.owner.pid},
          {"started", Hex(copy.owner.started)},
          {"library", copy.library.str()},
          {"inLibrary", copy.inLibrary},
          {"libraryAtOpen",
           {{"exists", state.exists},
            {"size", static_cast<std::int64_t>(state.size)},
            {"modified", state.modified},
            {"hash", Hex(state.hash)}}}};
}

std::uint64_t ReadHex(const CJsonNode& node) {
  const std::string text = node.String(16);
  if (text.find_first_not_of("0123456789abcdef") != std::string::npos)
    throw CFormatError{node.Pointer(), "expected hexadecimal digits"};
  return std::strtoull(text.c_str(), nullptr, 16);
}

void ReadHeader(const CJsonNode& root, RecoveryCopy& copy) {
  root.ExpectObject();
  const CJsonNode format = root.Member("format");
  if (format.String(64) != kFormatName) throw CFormatError{format.Pointer(), "not a recovery copy"};
  if (root.Member("version").Int(1, INT32_MAX) > kVersion)
    throw CFormatError{"/version", "written by a newer version of the editor"};
  root.ExpectMembers({"format", "version", "pid", "started", "library", "inLibrary", "libraryAtOpen"});
  copy.owner.pid = static_cast<long>(root.Member("pid").Integer(1, kLargest));
  copy.owner.started = ReadHex(root.Member("started"));
  copy.library = root.Member("library").String(CComponentLibraryFile::kMaxPathLength);
  copy.inLibrary = root.Member("inLibrary").Boolean();
  const CJsonNode state = root.Member("libraryAtOpen");
  state.ExpectMembers({"exists", "size", "modified", "hash"});
  copy.libraryAtOpen.exists = state.Member("exists").Boolean();
  copy.libraryAtOpen.size = static_cast<std::uint64_t>(state.Member("size").Integer(0, kLargest));
  copy.libraryAtOpen.modified = state.Member("modified").Integer(-kLargest, kLargest);
  copy.libraryAtOpen.hash = ReadHex(state.Member("hash"));
}

// Files the atomic writes of running programs are still filling are nobody's copies yet.
bool IsTemporary(const fs::path& path) {
  return path.filename().string().find(".tmp-") != std::string::npos;
}

RecoveryFile ReadFile(const fs::path& path) {
  RecoveryFile file;
  file.path = path.string();
  struct stat status {};
  if (stat(path.c_str(), &status) == 0) file.written = status.st_mtime;
  if (path.extension() != CRecoveryStore::kExtension) {
    file.problem = "It is not a recovery copy of the editor.";
    return file;
  }
  std::string text;
  RecoveryCopy copy;
  CString error;
  if (!CJsonDocument::LoadText(file.path, text, error) ||
      !CRecoveryStore::Parse(text, file.path, copy, error)) {
    file.problem = error;
    return file;
  }
  file.copy = std::move(copy);
  return file;
}

}  // namespace

ProcessIdentity ProcessIdentity::Current() {
  const long pid = static_cast<long>(getpid());
  return Of(pid).value_or(ProcessIdentity{pid, 0});
}

std::optional<ProcessIdentity> ProcessIdentity::Of(long pid) {
  if (pid <= 0 || (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) return std::nullopt;
  return ProcessIdentity{pid, StartTimeOf(pid).value_or(0)};
}

bool ProcessIdentity::IsRunning() const {
  const std::optional<ProcessIdentity> now = Of(pid);
  if (!now) return false;
  // A process that started at another time only reuses the number.
  return started == 0 || now->started == 0 || now->started == started;
}

LibraryFileState LibraryFileState::Of(const CString& path) {
  LibraryFileState state;
  std::error_code code;
  const fs::file_status status = fs::status(path.str(), code);
  if (code || !fs::is_regular_file(status)) return state;
  std::ifstream in(path.str(), std::ios::binary);
  if (!in) return state;
  state.exists = true;
  state.size = fs::file_size(path.str(), code);
  const auto modified = fs::last_write_time(path.str(), code);
  state.modified =
      code ? 0 : std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
  state.hash = HashOf(in);
  return state;
}

CString CRecoveryStore::DefaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  fs::path base;
  if (state != nullptr && *state == '/') {
    base = state;
  } else {
    const char* home = std::getenv("HOME");
    base = fs::path(home != nullptr ? home : "/tmp") / ".local" / "state";
  }
  return (base / "component-editor" / "recovery").string();
}

CString CRecoveryStore::PathFor(int serial) const {
  const ProcessIdentity self = ProcessIdentity::Current();
  const std::string name = std::to_string(self.pid) + "-" + Hex(self.started) + "-" + std::to_string(serial);
  return (fs::path(m_folder.str()) / (name + std::string(kExtension))).string();
}

std::string CRecoveryStore::Format(const RecoveryCopy& copy) {
  // A path need not be valid UTF-8; JSON must be.
  std::string text = WriteHeader(copy).dump(-1, ' ', false, json::error_handler_t::replace);
  text += '\n';
  text += CComponentLibraryFile::Format({copy.component});
  return text;
}

bool CRecoveryStore::Parse(std::string_view text, const CString& source, RecoveryCopy& copy, CString& error) {
  const size_t lineEnd = text.find('\n');
  if (lineEnd == std::string_view::npos) {
    error.Format("\"%s\" is not a recovery copy: it has no component.", source.c_str());
    return false;
  }
  RecoveryCopy read;
  const auto header = [&read](const CJsonNode& root) { ReadHeader(root, read); };
  if (!CJsonDocument::Read(text.substr(0, lineEnd), source, header, error)) return false;
  std::vector<LibraryComponent> components;
  if (!CComponentLibraryFile::Parse(text.substr(lineEnd + 1), source, components, error)) return false;
  if (components.size() != 1) {
    error.Format("\"%s\" is not a recovery copy: it holds %zu components.", source.c_str(),
                 components.size());
    return false;
  }
  read.component = std::move(components.front());
  copy = std::move(read);
  return true;
}

bool CRecoveryStore::Write(const CString& path, std::string_view text, CString& error) const {
  std::error_code code;
  // The copies hold the user's unsaved work: the folder is the user's alone.
  if (fs::create_directories(m_folder.str(), code))
    fs::permissions(m_folder.str(), fs::perms::owner_all, code);
  if (code) {
    error.Format("Cannot make the folder \"%s\": %s.", m_folder.c_str(), code.message().c_str());
    return false;
  }
  return WriteFileAtomically(path, text, error);
}

bool CRecoveryStore::Remove(const CString& path, CString& error) const {
  std::error_code code;
  fs::remove(path.str(), code);
  if (!code) return true;
  error.Format("Cannot remove the recovery copy \"%s\": %s.", path.c_str(), code.message().c_str());
  return false;
}

std::vector<RecoveryFile> CRecoveryStore::ListLeftBehind() const {
  std::vector<RecoveryFile> files;
  std::error_code code;
  for (fs::directory_iterator entry(m_folder.str(), code), end; !code && entry != end;
       entry.increment(code)) {
    if (IsTemporary(entry->path()) || entry->is_directory(code)) continue;
    RecoveryFile file = ReadFile(entry->path());
    if (file.copy && file.copy->owner.IsRunning()) continue;
    files.push_back(std::move(file));
  }
  std::sort(files.begin(), files.end(), [](const RecoveryFile& a, const RecoveryFile& b) {
    return a.written != b.written ? a.written < b.written : a.path < b.path;
  });
  return files;
}
