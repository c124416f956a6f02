#include "host/kicad/kicad_on_demand_library.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "host/kicad/kicad_footprint_reader.h"
#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_symbol_index.h"

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

CString FileNameOf(const CString& path) {
  return CString(std::filesystem::path(path.str()).filename().string());
}

}  // namespace

std::shared_ptr<CKicadOnDemandLibrary> CKicadOnDemandLibrary::Open(const CString& path, CString& error) {
  const std::optional<SymbolKind> kind = KicadLibrary::KindOfPath(path.str());
  if (!kind) {
    error.FormatMessage("Cannot read \"%1\": it is no symbol or footprint library.", path);
    return nullptr;
  }
  std::shared_ptr<CKicadOnDemandLibrary> library(new CKicadOnDemandLibrary(path, *kind));
  if (*kind == SymbolKind::Pcb) return library->ListFootprints(error) ? library : nullptr;
  const std::shared_ptr<const CKicadSymbolIndex> index = CKicadSymbolIndex::Get(path, error);
  if (index == nullptr) return nullptr;
  library->m_names = index->UnitNames();
  return library;
}

bool CKicadOnDemandLibrary::ListFootprints(CString& error) {
  std::error_code code;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(m_path.str(), code), end; !code && it != end;
       it.increment(code)) {
    if (it->path().extension() == KicadLibrary::kFootprintExtension) files.push_back(it->path());
  }
  if (code) {
    error.FormatMessage("Cannot read \"%1\": %2.", m_path, CString(code.message()));
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const std::filesystem::path& file : files) {
    const std::string name = file.stem().string();
    if (m_footprintFiles.try_emplace(Lower(name), file.string()).second) m_names.emplace_back(name);
  }
  return true;
}

const CSymbol* CKicadOnDemandLibrary::Find(const CString& name) const {
  const std::string key = Lower(name.str());
  const std::lock_guard lock(m_mutex);
  if (const auto found = m_found.find(key); found != m_found.end()) return found->second;
  if (m_failures.contains(key)) return nullptr;
  CString error;
  if (!ReadSymbolOf(name, error)) {
    m_failures.emplace(key, error);
    return nullptr;
  }
  if (const auto found = m_found.find(key); found != m_found.end()) return found->second;
  error.FormatMessage("There is no symbol \"%1\" in \"%2\".", name, FileNameOf(m_path));
  m_failures.emplace(key, error);
  return nullptr;
}

CString CKicadOnDemandLibrary::Failure(const CString& name) const {
  const std::lock_guard lock(m_mutex);
  const auto found = m_failures.find(Lower(name.str()));
  return found == m_failures.end() ? CString() : found->second;
}

bool CKicadOnDemandLibrary::ReadSymbolOf(const CString& name, CString& error) const {
  if (m_kind == SymbolKind::Pcb) return ReadFootprint(name, error);
  const std::shared_ptr<const CKicadSymbolIndex> index = CKicadSymbolIndex::Get(m_path, error);
  if (index == nullptr) return false;
  const CKicadSymbolIndex::Symbol* symbol = index->FindUnit(name.str());
  if (symbol == nullptr) {
    error.FormatMessage("There is no symbol \"%1\" in \"%2\".", name, FileNameOf(m_path));
    return false;
  }
  std::unique_ptr<CSymbolLibraryContents> contents = index->Read(m_path, *symbol, error);
  if (contents == nullptr) return false;
  if (contents->Find(name.str()) == nullptr && !contents->Problems().empty()) {
    error = contents->Problems().front();
    return false;
  }
  for (int i = 0; i < contents->Count(); ++i)
    m_found.try_emplace(Lower(contents->Get(i).GetName().str()), &contents->Get(i));
  m_read.push_back(std::move(contents));
  return true;
}

bool CKicadOnDemandLibrary::ReadFootprint(const CString& name, CString& error) const {
  const auto file = m_footprintFiles.find(Lower(name.str()));
  if (file == m_footprintFiles.end()) {
    error.FormatMessage("There is no footprint \"%1\" in \"%2\".", name, FileNameOf(m_path));
    return false;
  }
  std::string text;
  if (!KicadLibrary::ReadFile(file->second, text, error)) return false;
  const std::filesystem::path path(file->second);
  std::unique_ptr<CSymbol> footprint =
      CKicadFootprintReader::Parse(text, path.filename().string(), CString(path.stem().string()), error);
  if (footprint == nullptr) return false;
  auto contents = std::make_unique<CSymbolLibraryContents>(SymbolKind::Pcb);
  const CSymbol* read = footprint.get();
  if (!contents->Add(std::move(footprint))) {
    error.FormatMessage("Cannot read \"%1\": it is no footprint.", CString(file->second));
    return false;
  }
  m_found.try_emplace(Lower(name.str()), read);
  m_read.push_back(std::move(contents));
  return true;
}

std::vector<CString> CKicadOnDemandLibrary::Problems() const {
  CString error;
  const std::unique_ptr<CSymbolLibraryContents> contents = KicadLibrary::Load(m_path, error);
  if (contents == nullptr) return {error};
  return contents->Problems();
}
