// Symbol library files of both kinds (.scmlib, .pcblib) from outside. A file the reader
// refuses must be refused with a message; a file it accepts must find each symbol by its
// own name and come back the same when written and read again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/harness_check.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"

namespace {

const CString kSource = "fuzz.symbols";

void CheckLookup(const CSymbolLibraryContents& contents) {
  for (int i = 0; i < contents.Count(); ++i) {
    const CSymbol& symbol = contents.Get(i);
    Require(contents.Find(symbol.GetName().str()) == &symbol, "a symbol is not found by its own name",
            symbol.GetName().str());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CString error;
  const std::unique_ptr<CSymbolLibraryContents> contents =
      CSymbolLibraryFile::Parse(InputText(data, size), kSource, error);
  if (contents == nullptr) {
    RequireRefusal(error.str(), kSource.str());
    return 0;
  }
  CheckLookup(*contents);
  const std::string written = CSymbolLibraryFile::Format(*contents);
  const std::unique_ptr<CSymbolLibraryContents> reread = CSymbolLibraryFile::Parse(written, kSource, error);
  Require(reread != nullptr, "the written library is refused", error.str());
  Require(CSymbolLibraryFile::Format(*reread) == written, "reading the written library changes it");
  return 0;
}
