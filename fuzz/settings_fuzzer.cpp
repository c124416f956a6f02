// The settings file from outside. A damaged file must be set aside with a message that
// names it, and the store start empty; a file that loads must keep every value where it
// was found, and a change saved over it must read back as the same settings.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "fuzz/harness_check.h"
#include "platform/settings_store.h"

namespace {

namespace fs = std::filesystem;

// A settings file whose store shows what it holds.
class InspectedSettings : public FileSettingsStore {
 public:
  using FileSettingsStore::FileSettingsStore;
  using SettingsStore::Contents;
};

// A folder of this process's own for the settings file, in memory where the system has
// such a folder since every input is written, saved over and read twice; removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code code;
    const fs::path base =
        fs::is_directory("/dev/shm", code) ? fs::path("/dev/shm") : fs::temp_directory_path();
    m_path = base / ("ce-settings-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(m_path, code);
    Require(!code, "cannot make a scratch folder", code.message());
  }
  ~ScratchFolder() {
    std::error_code code;
    fs::remove_all(m_path, code);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File() const { return (m_path / "settings.json").string(); }

 private:
  fs::path m_path;
};

void WriteInput(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(file.flush()), "cannot write the settings file", path);
}

void CheckEveryValueIsFound(const InspectedSettings& store) {
  for (const auto& [key, values] : store.Contents()) {
    for (const auto& [name, value] : values) {
      Require(store.Find(key, name) == &value, "a value is not found where it was read", key + "\\" + name);
    }
  }
}

void CheckSavedChangeReadsBack(InspectedSettings& store) {
  Require(store.Set("Fuzz\\Check", "Saved", std::string("once")), "a change could not be saved",
          store.WriteProblem().str());
  const InspectedSettings reread(store.Path());
  Require(reread.LoadProblem().IsEmpty(), "the saved settings are refused", reread.LoadProblem().str());
  Require(reread.Contents() == store.Contents(), "the saved settings read back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFolder folder;
  const std::string path = folder.File();
  WriteInput(path, InputText(data, size));
  InspectedSettings store{CString(path)};
  if (!store.LoadProblem().IsEmpty()) {
    Require(store.Contents().empty(), "a refused settings file left values behind");
    Require(store.LoadProblem().str().find("\"" + path + "\"") != std::string::npos,
            "the refusal does not name the file", store.LoadProblem().str());
    return 0;
  }
  CheckEveryValueIsFound(store);
  CheckSavedChangeReadsBack(store);
  return 0;
}
