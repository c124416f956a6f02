#include "host/model/technology_cache.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "host/model/technology_file.h"

namespace {

namespace fs = std::filesystem;

// What tells one state of a file from another without reading it.
struct FileStamp {
  fs::file_time_type modified;
  std::uintmax_t size = 0;
  bool operator==(const FileStamp&) const = default;
};

struct KeptTechnology {
  FileStamp stamp;
  std::shared_ptr<const CTechnology> technology;
};

std::optional<FileStamp> StampOf(const CString& path) {
  std::error_code error;
  const fs::path file(path.str());
  FileStamp stamp;
  stamp.modified = fs::last_write_time(file, error);
  if (error) return std::nullopt;
  stamp.size = fs::file_size(file, error);
  if (error) return std::nullopt;
  return stamp;
}

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

std::map<std::string, KeptTechnology>& Kept() {
  static std::map<std::string, KeptTechnology> kept;
  return kept;
}

}  // namespace

std::shared_ptr<const CTechnology> CTechnologyCache::Load(const CString& path, CString& error) {
  const std::optional<FileStamp> stamp = StampOf(path);
  const std::lock_guard<std::mutex> lock(Guard());
  auto& kept = Kept();
  if (!stamp.has_value()) {
    kept.erase(path.str());
    return CTechnologyFile::Load(path, error);
  }
  const auto found = kept.find(path.str());
  if (found != kept.end() && found->second.stamp == *stamp) return found->second.technology;
  std::shared_ptr<const CTechnology> technology = CTechnologyFile::Load(path, error);
  if (technology == nullptr) {
    kept.erase(path.str());
    return nullptr;
  }
  kept[path.str()] = KeptTechnology{*stamp, technology};
  return technology;
}

void CTechnologyCache::Clear() {
  const std::lock_guard<std::mutex> lock(Guard());
  Kept().clear();
}
