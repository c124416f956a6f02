#include "host/model/symbol_library.h"

#include <sys/stat.h>

#include <filesystem>
#include <list>
#include <mutex>
#include <system_error>
#include <unordered_map>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_on_demand_library.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "host/utility/app_error.h"
#include "platform/regular_file.h"

IMPLEMENT_DYNAMIC(CLibrary, CObject)
IMPLEMENT_DYNCREATE(CSymbolLibrary, CLibrary)
IMPLEMENT_DYNCREATE(CScmSymbolLibrary, CSymbolLibrary)
IMPLEMENT_DYNCREATE(CPcbSymbolLibrary, CSymbolLibrary)
IMPLEMENT_DYNAMIC(CComponentLibrary, CLibrary)

namespace {

// An open library: this program's read in full, or one of the field's read on demand.
struct OpenedLibrary {
  std::shared_ptr<const CSymbolLibraryContents> contents;
  std::shared_ptr<const CKicadOnDemandLibrary> onDemand;

  bool IsOpen() const { return contents != nullptr || onDemand != nullptr; }
  SymbolKind GetKind() const { return contents != nullptr ? contents->GetKind() : onDemand->GetKind(); }
  std::vector<CString> Names() const { return contents != nullptr ? contents->Names() : onDemand->Names(); }
};

// Opened libraries by path, most recently used first. An entry serves while the file
// keeps its modification time and size.
class LibraryCache {
 public:
  static LibraryCache& Instance() {
    static LibraryCache cache;
    return cache;
  }

  OpenedLibrary Load(const CString& path, CString& error) {
    Stamp stamp;
    if (!ReadStamp(path, stamp, error)) return {};
    if (OpenedLibrary cached = Lookup(stamp); cached.IsOpen()) return cached;
    OpenedLibrary opened;
    if (KicadLibrary::KindOfPath(path.str())) {
      opened.onDemand = CKicadOnDemandLibrary::Open(path, error);
    } else {
      opened.contents = CSymbolLibraryFile::Load(path, error);
    }
    Store(stamp, opened);
    return opened;
  }

  // The names and kind of a library, kept for every library read while its file stays
  // the same: a search over hundreds of libraries must not parse them all again.
  bool Names(const CString& path, std::vector<CString>& names, SymbolKind& kind, CString& error) {
    Stamp stamp;
    if (!ReadStamp(path, stamp, error)) return false;
    {
      std::lock_guard lock(m_mutex);
      const auto found = m_names.find(stamp.key);
      if (found != m_names.end() && found->second.stamp == stamp) {
        names = found->second.names;
        kind = found->second.kind;
        return true;
      }
    }
    const OpenedLibrary opened = Load(path, error);
    if (!opened.IsOpen()) return false;
    names = opened.Names();
    kind = opened.GetKind();
    std::lock_guard lock(m_mutex);
    m_names[stamp.key] = NamesEntry{stamp, kind, names};
    return true;
  }

 private:
  static constexpr size_t kCapacity = 8;

  struct Stamp {
    std::string key;
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
  };
  struct Entry {
    Stamp stamp;
    OpenedLibrary opened;
  };
  struct NamesEntry {
    Stamp stamp;
    SymbolKind kind = SymbolKind::Schematic;
    std::vector<CString> names;
  };

  static bool ReadStamp(const CString& path, Stamp& stamp, CString& error) {
    std::error_code code;
    const std::filesystem::path file(path.str());
    stamp.time = std::filesystem::last_write_time(file, code);
    // A footprint folder changes its time when a footprint is added, removed or replaced
    // by a new file; its size stays 0.
    if (!code && std::filesystem::is_regular_file(file, code))
      stamp.size = std::filesystem::file_size(file, code);
    if (!code) stamp.key = std::filesystem::absolute(file, code).lexically_normal().string();
    struct stat info {};
    if (!code && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
      error.FormatMessage("Cannot read \"%1\": it is %2, not a regular file.", path,
                          DescribeFileKind(info.st_mode));
      return false;
    }
    if (!code) return true;
    error.FormatMessage("Cannot read \"%1\": %2.", path, code.message());
    return false;
  }

  OpenedLibrary Lookup(const Stamp& stamp) {
    std::lock_guard lock(m_mutex);
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
      if (entry->stamp.key != stamp.key) continue;
      if (entry->stamp != stamp) {
        m_entries.erase(entry);
        return {};
      }
      m_entries.splice(m_entries.begin(), m_entries, entry);
      return entry->opened;
    }
    return {};
  }

  void Store(const Stamp& stamp, const OpenedLibrary& opened) {
    if (!opened.IsOpen()) return;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&stamp](const Entry& entry) { return entry.stamp.key == stamp.key; });
    m_entries.push_front(Entry{stamp, opened});
    if (m_entries.size() > kCapacity) m_entries.pop_back();
  }

  std::mutex m_mutex;
  std::list<Entry> m_entries;
  std::unordered_map<std::string, NamesEntry> m_names;
};

CString KindMismatch(const CString& path, SymbolKind found) {
  CString text;
  text.FormatMessage("Cannot read \"%1\" at /kind: this is a %2 symbol library, not a %3 one.", path,
                     found == SymbolKind::Schematic ? "schematic" : "PCB",
                     found == SymbolKind::Schematic ? "PCB" : "schematic");
  return text;
}

std::unique_ptr<CSymbolLibrary> CreateLibrary(const CRuntimeClass* kind) {
  if (kind == nullptr || !kind->IsDerivedFrom(RUNTIME_CLASS(CSymbolLibrary))) return nullptr;
  std::unique_ptr<CObject> object = kind->CreateObject();
  if (DynamicDowncast<CSymbolLibrary>(object.get()) == nullptr) return nullptr;
  return std::unique_ptr<CSymbolLibrary>(static_cast<CSymbolLibrary*>(object.release()));
}

CString WithExtension(const CString& path, const CString& extension) {
  if (std::filesystem::path(path.str()).has_extension()) return path;
  return path + extension;
}

}  // namespace

// --- CLibrary

void CLibrary::SetPath(const CString& path) {
  Close();
  m_path = path;
}

CString CLibrary::GetFileName() const {
  return CString(std::filesystem::path(m_path.str()).filename().string());
}

bool CLibrary::OpenRead() {
  Close();
  CString error;
  if (!Load(m_path, error)) {
    CAppError::SetLastErrorText(error);
    return false;
  }
  m_open = true;
  return true;
}

bool CLibrary::OpenRead(const CString& path) {
  SetPath(path);
  return OpenRead();
}

void CLibrary::Close() {
  if (!m_open) return;
  Unload();
  m_open = false;
}

// --- CSymbolLibrary

bool CSymbolLibrary::Load(const CString& path, CString& error) {
  OpenedLibrary opened = LibraryCache::Instance().Load(path, error);
  if (!opened.IsOpen()) return false;
  const std::optional<SymbolKind> required = RequiredKind();
  if (required && opened.GetKind() != *required) {
    error = KindMismatch(path, opened.GetKind());
    return false;
  }
  m_contents = std::move(opened.contents);
  m_onDemand = std::move(opened.onDemand);
  return true;
}

void CSymbolLibrary::Unload() {
  m_contents.reset();
  m_onDemand.reset();
}

std::optional<SymbolKind> CSymbolLibrary::GetKind() const {
  if (m_onDemand != nullptr) return m_onDemand->GetKind();
  if (m_contents == nullptr) return std::nullopt;
  return m_contents->GetKind();
}

const CSymbol* CSymbolLibrary::Find(const CString& name) const {
  if (m_onDemand != nullptr) return m_onDemand->Find(name);
  return m_contents == nullptr ? nullptr : m_contents->Find(name);
}

std::unique_ptr<CSymbol> CSymbolLibrary::Read(const CString& name) const {
  const CSymbol* symbol = Find(name);
  return symbol == nullptr ? nullptr : symbol->Clone();
}

std::unique_ptr<CSymbol> CSymbolLibrary::ReadSymbol(const CString& name) const {
  std::unique_ptr<CSymbol> symbol = Read(name);
  if (symbol != nullptr) return symbol;
  CString text;
  if (IsOpen()) {
    text.FormatMessage("Symbol %1 not found in library %2", name, GetFileName());
  } else {
    text.FormatMessage("Library %1 is not open", GetFileName());
  }
  CAppError::SetLastErrorText(text);
  return nullptr;
}

std::vector<CString> CSymbolLibrary::SymbolNames() const {
  if (m_onDemand != nullptr) return m_onDemand->Names();
  return m_contents == nullptr ? std::vector<CString>() : m_contents->Names();
}

std::vector<CString> CSymbolLibrary::Problems() const {
  if (m_onDemand != nullptr) return m_onDemand->Problems();
  return m_contents == nullptr ? std::vector<CString>() : m_contents->Problems();
}

std::unique_ptr<CSymbol> CSymbolLibrary::ReadSymbol(const CRuntimeClass* kind, CString& libraryPath,
                                                    const CString& name, bool completeExtension) {
  std::unique_ptr<CSymbolLibrary> library = CreateLibrary(kind);
  if (library == nullptr) {
    CString text;
    text.FormatMessage("%1 is not a kind of symbol library",
                       kind != nullptr ? kind->m_lpszClassName : "(none)");
    CAppError::SetLastErrorText(text);
    return nullptr;
  }
  if (completeExtension) libraryPath = WithExtension(libraryPath, ExtensionOf(kind));
  if (!library->OpenRead(libraryPath)) return nullptr;
  std::unique_ptr<CSymbol> symbol = library->ReadSymbol(name);
  library->Close();
  return symbol;
}

bool CSymbolLibrary::ReadNames(const CRuntimeClass* kind, const CString& path, std::vector<CString>& names) {
  names.clear();
  const std::unique_ptr<CSymbolLibrary> library = CreateLibrary(kind);
  const std::optional<SymbolKind> required = library != nullptr ? library->RequiredKind() : std::nullopt;
  CString error;
  SymbolKind found = SymbolKind::Schematic;
  if (!LibraryCache::Instance().Names(path, names, found, error)) {
    CAppError::SetLastErrorText(error);
    return false;
  }
  if (!required || found == *required) return true;
  names.clear();
  CAppError::SetLastErrorText(KindMismatch(path, found));
  return false;
}

CString CSymbolLibrary::ExtensionOf(const CRuntimeClass* kind) {
  if (kind == nullptr) return {};
  if (kind->IsDerivedFrom(RUNTIME_CLASS(CScmSymbolLibrary))) return CScmSymbolLibrary::GetExtension();
  if (kind->IsDerivedFrom(RUNTIME_CLASS(CPcbSymbolLibrary))) return CPcbSymbolLibrary::GetExtension();
  return {};
}

const CRuntimeClass* CSymbolLibrary::ClassOf(SymbolKind kind) {
  return kind == SymbolKind::Schematic ? RUNTIME_CLASS(CScmSymbolLibrary) : RUNTIME_CLASS(CPcbSymbolLibrary);
}

// --- the kinds

CString CScmSymbolLibrary::GetExtension() {
  return ".scmlib";
}

CString CPcbSymbolLibrary::GetExtension() {
  return ".pcblib";
}
