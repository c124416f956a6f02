#include "host/kicad/library_scan.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>

#include "host/kicad/kicad_library.h"
#include "host/model/component_library_file.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"

namespace {

bool IsComponentLibrary(std::string_view path) {
  return path.ends_with(CComponentLibraryFile::GetExtension().str());
}

bool IsOwnLibrary(const std::filesystem::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".scmlib" || extension == ".pcblib" || IsComponentLibrary(path.string());
}

int CountFiles(const CString& path) {
  if (KicadLibrary::KindOfPath(path.str()) != SymbolKind::Pcb) return 1;
  int files = 0;
  std::error_code code;
  for (std::filesystem::directory_iterator it(path.str(), code), end; !code && it != end; it.increment(code))
    files += it->path().extension() == KicadLibrary::kFootprintExtension ? 1 : 0;
  return files;
}

}  // namespace

bool CLibraryScan::Scan(const CString& folder, Result& result, CString& error) {
  std::error_code code;
  std::vector<std::string> libraries;
  std::filesystem::recursive_directory_iterator it(folder.str(), code);
  if (code) {
    error.FormatMessage("Cannot read the folder \"%1\": %2.", folder, CString(code.message()));
    return false;
  }
  for (const std::filesystem::recursive_directory_iterator end; it != end; it.increment(code)) {
    if (code) break;
    const std::filesystem::path& path = it->path();
    const bool kicad = KicadLibrary::KindOfPath(path.string()).has_value();
    if (it->is_directory(code) && kicad) it.disable_recursion_pending();
    if (kicad || IsOwnLibrary(path)) libraries.push_back(path.string());
  }
  std::sort(libraries.begin(), libraries.end());
  ScanAll(libraries, result);
  return true;
}

void CLibraryScan::ScanAll(const std::vector<std::string>& libraries, Result& result) {
  // Libraries are independent: each core takes the next one not yet taken, and the
  // results are added up in the libraries' order.
  std::vector<Result> each(libraries.size());
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t index = next++; index < libraries.size(); index = next++)
      ScanLibrary(CString(libraries[index]), each[index]);
  };
  const unsigned helpers = std::min<unsigned>(std::max(1U, std::thread::hardware_concurrency()), 8U) - 1;
  std::vector<std::jthread> threads;
  for (unsigned i = 0; i < helpers && i + 1 < libraries.size(); ++i) threads.emplace_back(work);
  work();
  threads.clear();
  for (Result& one : each) {
    result.files += one.files;
    result.libraries += one.libraries;
    result.symbols += one.symbols;
    result.pads += one.pads;
    result.components += one.components;
    for (CString& failure : one.failures) result.failures.push_back(std::move(failure));
  }
}

void CLibraryScan::ScanComponentLibrary(const CString& path, Result& result) {
  ++result.files;
  std::vector<LibraryComponent> components;
  CString error;
  if (!CComponentLibraryFile::Load(path, components, error)) {
    result.failures.push_back(error);
    return;
  }
  ++result.libraries;
  result.components += static_cast<int>(components.size());
}

void CLibraryScan::ScanLibrary(const CString& path, Result& result) {
  if (IsComponentLibrary(path.str())) {
    ScanComponentLibrary(path, result);
    return;
  }
  CString error;
  const std::optional<SymbolKind> kind = KicadLibrary::KindOfPath(path.str());
  const std::unique_ptr<CSymbolLibraryContents> contents =
      kind ? KicadLibrary::Load(path, error) : CSymbolLibraryFile::Load(path, error);
  // A footprint folder read gives each of its files a footprint or a problem: counted
  // so, the folder is not listed a second time.
  result.files += contents != nullptr && kind == SymbolKind::Pcb
                      ? contents->Count() + static_cast<int>(contents->Problems().size())
                      : CountFiles(path);
  if (contents == nullptr) {
    result.failures.push_back(error);
    return;
  }
  ++result.libraries;
  result.symbols += contents->Count();
  for (int i = 0; i < contents->Count(); ++i) result.pads += contents->Get(i).CountPads();
  for (const CString& problem : contents->Problems()) result.failures.push_back(problem);
}
