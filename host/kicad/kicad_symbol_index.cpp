#include "host/kicad/kicad_symbol_index.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>

#include "host/kicad/kicad_library.h"
#include "host/kicad/sexpr_reader.h"

namespace {

// As deep as a full read follows a symbol's parents.
constexpr int kMaxExtendsDepth = 8;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Reads the rest of one top-level symbol list: its name, parent and parts; every other
// list is skipped by counting brackets. False when the symbol cannot be indexed.
bool ScanSymbol(CSexprReader& reader, CKicadSymbolIndex::Symbol& symbol) {
  const int depth = reader.Depth();
  if (!reader.ReadText(symbol.name)) return false;
  while (!reader.Failed()) {
    const SexprTokenKind kind = reader.PeekKind();
    if (kind == SexprTokenKind::Close || kind == SexprTokenKind::End) {
      if (!reader.ExpectClose()) return false;
      symbol.end = reader.Offset();
      return true;
    }
    if (kind != SexprTokenKind::Open) {
      reader.Take();
      continue;
    }
    std::string_view keyword;
    if (!reader.OpenList(keyword)) return false;
    const int inner = reader.Depth();
    if (keyword == "extends") {
      reader.ReadText(symbol.extends);
    } else if (keyword == "symbol") {
      std::string part;
      if (!reader.ReadText(part)) return false;
      ++symbol.parts;
      symbol.lastUnit = std::max(symbol.lastUnit, CKicadSymbolReader::UnitOfPart(part));
    }
    reader.SkipToDepth(inner);
  }
  if (reader.SyntaxFailed()) return false;
  reader.ClearContentFailure();
  reader.SkipToDepth(depth);
  return false;
}

bool ScanVersion(CSexprReader& reader, int line, std::string_view fileName, int64_t& version,
                 CString& error) {
  if (!reader.ReadInteger(version) || !reader.ExpectClose()) {
    error = KicadLibrary::LocatedMessage(fileName, reader.FailureLine(), reader.Failure());
    return false;
  }
  if (version <= CKicadSymbolReader::kNewestVersion) return true;
  error = KicadLibrary::LocatedMessage(fileName, line,
                                       "format version " + std::to_string(version) +
                                           " is newer than this program reads (" +
                                           std::to_string(CKicadSymbolReader::kNewestVersion) + ")");
  return false;
}

struct Stamp {
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
  bool operator==(const Stamp&) const = default;
};

}  // namespace

std::unique_ptr<CKicadSymbolIndex> CKicadSymbolIndex::Scan(std::string_view text, std::string_view fileName,
                                                           CString& error) {
  CSexprReader reader(text);
  std::string_view keyword;
  if (!reader.OpenList(keyword) || keyword != "kicad_symbol_lib") {
    error =
        KicadLibrary::LocatedMessage(fileName, reader.Failed() ? reader.FailureLine() : 1,
                                     "this is no symbol library: it does not begin with (kicad_symbol_lib");
    return nullptr;
  }
  auto index = std::make_unique<CKicadSymbolIndex>();
  index->m_fileName = fileName;
  index->m_size = text.size();
  while (!reader.SyntaxFailed()) {
    const SexprToken token = reader.Peek();
    if (token.kind != SexprTokenKind::Open) break;
    const size_t begin = text.find('(', reader.Offset());
    if (!reader.OpenList(keyword)) break;
    if (keyword == "version") {
      if (!ScanVersion(reader, token.line, fileName, index->m_version, error)) return nullptr;
      continue;
    }
    if (keyword != "symbol") {
      reader.SkipToDepth(2);
      continue;
    }
    Symbol symbol;
    symbol.begin = begin;
    symbol.line = token.line;
    if (ScanSymbol(reader, symbol)) index->m_symbols.push_back(std::move(symbol));
  }
  index->BuildLookups();
  return index;
}

std::shared_ptr<const CKicadSymbolIndex> CKicadSymbolIndex::Get(const CString& path, CString& error) {
  struct Cached {
    Stamp stamp;
    std::shared_ptr<const CKicadSymbolIndex> index;
  };
  static std::mutex mutex;
  static std::unordered_map<std::string, Cached> cache;
  std::error_code code;
  const std::filesystem::path file(path.str());
  Stamp stamp{std::filesystem::last_write_time(file, code), 0};
  if (!code) stamp.size = std::filesystem::file_size(file, code);
  const std::string key =
      code ? path.str() : std::filesystem::absolute(file, code).lexically_normal().string();
  {
    const std::lock_guard lock(mutex);
    const auto found = cache.find(key);
    if (found != cache.end() && found->second.stamp == stamp) return found->second.index;
  }
  std::string text;
  if (!KicadLibrary::ReadFile(path.str(), text, error)) return nullptr;
  std::shared_ptr<const CKicadSymbolIndex> index = Scan(text, file.filename().string(), error);
  if (index == nullptr) return nullptr;
  const std::lock_guard lock(mutex);
  cache[key] = Cached{stamp, index};
  return index;
}

void CKicadSymbolIndex::BuildLookups() {
  for (size_t i = 0; i < m_symbols.size(); ++i) {
    m_byName.try_emplace(m_symbols[i].name, i);
    m_byLowerName.try_emplace(Lower(m_symbols[i].name), i);
  }
  for (size_t i = 0; i < m_symbols.size(); ++i) {
    const std::vector<const Symbol*> chain = Chain(m_symbols[i]);
    if (chain.empty()) continue;
    const int units = std::max(1, chain.back()->lastUnit);
    for (int unit = 1; unit <= units; ++unit)
      m_byLowerUnitName.try_emplace(Lower(CKicadSymbolReader::UnitName(m_symbols[i].name, unit, units).str()),
                                    i);
  }
}

const CKicadSymbolIndex::Symbol* CKicadSymbolIndex::Parent(const Symbol& child) const {
  const auto found = m_byName.find(child.extends);
  if (found != m_byName.end()) return &m_symbols[found->second];
  const size_t colon = child.name.find(':');
  if (colon == std::string::npos || child.extends.find(':') != std::string::npos) return nullptr;
  const auto prefixed = m_byName.find(child.name.substr(0, colon + 1) + child.extends);
  return prefixed == m_byName.end() ? nullptr : &m_symbols[prefixed->second];
}

std::vector<const CKicadSymbolIndex::Symbol*> CKicadSymbolIndex::Chain(const Symbol& symbol) const {
  std::vector<const Symbol*> chain{&symbol};
  for (int depth = 0; chain.back()->parts == 0 && !chain.back()->extends.empty(); ++depth) {
    const Symbol* parent = Parent(*chain.back());
    if (parent == nullptr || depth == kMaxExtendsDepth) return {};
    chain.push_back(parent);
  }
  return chain;
}

std::vector<CString> CKicadSymbolIndex::UnitNames() const {
  std::vector<CString> names;
  for (size_t i = 0; i < m_symbols.size(); ++i) {
    const std::vector<const Symbol*> chain = Chain(m_symbols[i]);
    if (chain.empty()) continue;
    const int units = std::max(1, chain.back()->lastUnit);
    for (int unit = 1; unit <= units; ++unit) {
      CString name = CKicadSymbolReader::UnitName(m_symbols[i].name, unit, units);
      const auto owner = m_byLowerUnitName.find(Lower(name.str()));
      if (owner != m_byLowerUnitName.end() && owner->second == i) names.push_back(std::move(name));
    }
  }
  return names;
}

const CKicadSymbolIndex::Symbol* CKicadSymbolIndex::FindSymbol(std::string_view name) const {
  const auto found = m_byLowerName.find(Lower(name));
  return found == m_byLowerName.end() ? nullptr : &m_symbols[found->second];
}

const CKicadSymbolIndex::Symbol* CKicadSymbolIndex::FindUnit(std::string_view unitName) const {
  const auto found = m_byLowerUnitName.find(Lower(unitName));
  return found == m_byLowerUnitName.end() ? nullptr : &m_symbols[found->second];
}

bool CKicadSymbolIndex::ReadEntries(const CString& path, const Symbol& symbol, std::string& bytes,
                                    std::vector<CKicadSymbolReader::Entry>& entries, CString& error) const {
  std::vector<const Symbol*> chain = Chain(symbol);
  if (chain.empty()) chain.push_back(&symbol);
  std::error_code code;
  std::ifstream file(path.str(), std::ios::binary);
  if (!file || std::filesystem::file_size(path.str(), code) != m_size) {
    error.FormatMessage("Cannot read \"%1\": the file changed or is gone; open it again.", path);
    return false;
  }
  size_t total = 0;
  for (const Symbol* link : chain) total += link->end - link->begin;
  bytes.assign(total, '\0');
  size_t at = 0;
  for (const Symbol* link : chain) {
    const size_t size = link->end - link->begin;
    file.seekg(static_cast<std::streamoff>(link->begin));
    if (!file.read(bytes.data() + at, static_cast<std::streamsize>(size))) {
      error.FormatMessage("Cannot read \"%1\": the file ends early.", path);
      return false;
    }
    entries.push_back({std::string_view(bytes).substr(at, size), link->line});
    at += size;
  }
  return true;
}

std::unique_ptr<CSymbolLibraryContents> CKicadSymbolIndex::Read(const CString& path, const Symbol& symbol,
                                                                CString& error) const {
  std::string bytes;
  std::vector<CKicadSymbolReader::Entry> entries;
  if (!ReadEntries(path, symbol, bytes, entries, error)) return nullptr;
  return CKicadSymbolReader::ParseEntries(entries, m_version, m_fileName);
}

std::unique_ptr<CSymbolLibraryContents> CKicadSymbolIndex::Read(const CString& path, const Symbol& symbol,
                                                                std::vector<CKicadSymbolReader::Unit>& units,
                                                                CString& error) const {
  std::string bytes;
  std::vector<CKicadSymbolReader::Entry> entries;
  if (!ReadEntries(path, symbol, bytes, entries, error)) return nullptr;
  return CKicadSymbolReader::ParseEntries(entries, m_version, m_fileName, units);
}
