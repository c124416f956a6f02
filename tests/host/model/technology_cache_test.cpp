// The technologies kept while their files stay as read: a file is read again only when
// its modification time or its size changed.
#include "host/model/technology_cache.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// A PCB technology whose only layer is `layer`.
std::string TechnologyWithLayer(const std::string& layer) {
  return R"({"format": "technology", "version": 1, "kind": "pcb",
    "layers": [{"name": ")" +
         layer + R"(", "colour": "#C83434", "visible": true}],
    "textStyles": [],
    "colours": {"AssignedPins": "#00FF00", "Background": "#000000", "Highlight": "#804000",
      "Outlines": "#FFFF00", "PinNames": "#008000", "PinNumbers": "#0000C0", "Selection": "#8080FF",
      "Text": "#00FFFF", "UnassignedPins": "#0000FF"}})";
}

TEST(TechnologyCacheTest, AFileIsReadAgainOnlyWhenItsTimeOrSizeChanged) {
  ScratchFolder scratch;
  const fs::path file = scratch.Path() / "board.pcbtech";
  WriteFileText(file, TechnologyWithLayer("Probe A"));
  CTechnologyCache::Clear();
  const auto loadedHas = [&](const char* layer) {
    CString error;
    const auto technology = CTechnologyCache::Load(file.string().c_str(), error);
    EXPECT_NE(technology, nullptr) << error.str();
    return technology != nullptr && technology->FindLayer(layer) != nullptr;
  };
  ASSERT_TRUE(loadedHas("Probe A"));
  // Other text of the same size under the same time: the kept technology.
  const fs::file_time_type written = fs::last_write_time(file);
  WriteFileText(file, TechnologyWithLayer("Probe B"));
  fs::last_write_time(file, written);
  EXPECT_FALSE(loadedHas("Probe B"));
  // A newer time, then a new size under the same time: read again.
  fs::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_TRUE(loadedHas("Probe B"));
  WriteFileText(file, TechnologyWithLayer("Probe Cee"));
  fs::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_TRUE(loadedHas("Probe Cee"));
  CTechnologyCache::Clear();
}

}  // namespace
