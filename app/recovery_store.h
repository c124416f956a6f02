// CRecoveryStore: the recovery copies of components with unsaved changes, one file a
// component in a folder of the user's state ($XDG_STATE_HOME/component-editor/recovery,
// or ~/.local/state/component-editor/recovery).
//
// A copy is a line of JSON saying whose it is (the process and when it started), which
// library and component it belongs to and how the library file stood when the component
// was opened, followed by the component itself as a one-component library, so that even
// a user without the editor can rescue it by hand. A copy is written atomically under a
// name of its process's own, so two programs never write or take each other's copies.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/model/component_library_file.h"
#include "platform/cstring.h"

// A running program, told apart from a later one given the same process id by the time
// it started.
struct ProcessIdentity {
  long pid = 0;
  std::uint64_t started = 0;  // clock ticks after boot; 0 when the system does not say

  static ProcessIdentity Current();
  static std::optional<ProcessIdentity> Of(long pid);
  bool IsRunning() const;
  bool operator==(const ProcessIdentity&) const = default;
};

// How a library file stood: whether it existed, its size, when it was last changed and
// a hash of its bytes.
struct LibraryFileState {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds since the epoch
  std::uint64_t hash = 0;

  static LibraryFileState Of(const CString& path);
  bool operator==(const LibraryFileState&) const = default;
};

struct RecoveryCopy {
  ProcessIdentity owner;
  CString library;
  // False for a new component that no save has added to the library yet.
  bool inLibrary = true;
  LibraryFileState libraryAtOpen;
  LibraryComponent component;
};

// A file of the folder: a copy left by a program that is no longer running, or a file
// that cannot be read as one (damaged, or not a copy at all), with the reason.
struct RecoveryFile {
  CString path;
  std::time_t written = 0;
  std::optional<RecoveryCopy> copy;
  CString problem;
};

class CRecoveryStore {
 public:
  static constexpr std::string_view kExtension = ".recovery";

  explicit CRecoveryStore(CString folder) : m_folder(std::move(folder)) {}
  // The folder of the user's state, from the environment.
  static CString DefaultFolder();
  const CString& Folder() const { return m_folder; }

  // The file of this program's copy number `serial`.
  CString PathFor(int serial) const;

  static std::string Format(const RecoveryCopy& copy);
  // False, with the reason, when the text is not a copy this program reads.
  static bool Parse(std::string_view text, const CString& source, RecoveryCopy& copy, CString& error);

  // Makes the folder when needed and replaces the file atomically.
  bool Write(const CString& path, std::string_view text, CString& error) const;
  // A file that is gone already counts as removed.
  bool Remove(const CString& path, CString& error) const;
  // The copies of programs that are no longer running, and the files of the folder that
  // are not copies, oldest first. Copies of running programs (this one too) are left out.
  std::vector<RecoveryFile> ListLeftBehind() const;

 private:
  CString m_folder;
};
