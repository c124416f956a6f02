// Component library files (.cmplib) from outside. A file the reader refuses must be
// refused with a message and nothing read; a file it accepts must come back the same
// when written and read again, and when its records go into a design and out again as
// opening and saving a component do.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/harness_check.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"

namespace {

const CString kSource = "fuzz.cmplib";

// The records as saving collects them from the design: in design order, without
// identities.
std::vector<LibraryComponent> CollectFromDesign(const CDesign& design,
                                                const std::vector<LibraryComponent>& components) {
  std::vector<LibraryComponent> collected;
  for (const LibraryComponent& component : components) {
    LibraryComponent copy{component.name, {}};
    POSITION position = nullptr;
    for (const CComponent* record = design.FirstComponent(position, component.name.c_str());
         record != nullptr; record = design.NextComponent(position, component.name.c_str())) {
      ComponentValue value = record->GetValue();
      value.id = 0;
      for (GateValue& gate : value.gates) gate.id = 0;
      copy.records.push_back(std::move(value));
    }
    collected.push_back(std::move(copy));
  }
  return collected;
}

void CheckThroughDesign(const std::vector<LibraryComponent>& components, const std::string& written) {
  CDesign design;
  for (const LibraryComponent& component : components) {
    for (const ComponentValue& record : component.records) {
      design.AddComponent(record.name.c_str(), record.package.c_str())->RestoreValue(record);
    }
  }
  const std::string saved = CComponentLibraryFile::Format(CollectFromDesign(design, components));
  Require(saved == written, "the records change on their way through a design", saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<LibraryComponent> components;
  CString error;
  if (!CComponentLibraryFile::Parse(InputText(data, size), kSource, components, error)) {
    Require(components.empty(), "a refused library left components behind");
    RequireRefusal(error.str(), kSource.str());
    return 0;
  }
  const std::string written = CComponentLibraryFile::Format(components);
  std::vector<LibraryComponent> reread;
  Require(CComponentLibraryFile::Parse(written, kSource, reread, error), "the written library is refused",
          error.str());
  Require(CComponentLibraryFile::Format(reread) == written, "reading the written library changes it");
  CheckThroughDesign(components, written);
  return 0;
}
