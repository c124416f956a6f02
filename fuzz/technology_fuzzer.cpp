// Technology files of both kinds (.scmtech, .pcbtech) from outside. A file the reader
// refuses must be refused with a message; a file it accepts must come back the same
// when written and read again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/harness_check.h"
#include "host/model/technology.h"
#include "host/model/technology_file.h"

namespace {

const CString kSource = "fuzz.tech";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CString error;
  const std::unique_ptr<CTechnology> technology =
      CTechnologyFile::Parse(InputText(data, size), kSource, error);
  if (technology == nullptr) {
    RequireRefusal(error.str(), kSource.str());
    return 0;
  }
  const std::string written = CTechnologyFile::Format(*technology);
  const std::unique_ptr<CTechnology> reread = CTechnologyFile::Parse(written, kSource, error);
  Require(reread != nullptr, "the written technology is refused", error.str());
  Require(CTechnologyFile::Format(*reread) == written, "reading the written technology changes it");
  return 0;
}
