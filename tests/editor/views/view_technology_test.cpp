// The drawings merge their technology file on every rebuild. An unchanged file is not
// read again; a file that changed (its time or size) is.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "editor/views/pcb_symbol_view.h"
#include "host/model/design.h"
#include "platform/app_registry.h"
#include "tests/editor/support/editor_fixture.h"
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

TEST_F(EditorTest, ARebuildReadsTheTechnologyFileOnlyWhenItChanged) {
  ScratchFolder scratch;
  const fs::path file = scratch.Path() / "board.pcbtech";
  WriteFileText(file, TechnologyWithLayer("Probe A"));
  CAppRegistry settings("Technology");
  settings.SetValue("Directory", scratch.Path().c_str());
  settings.SetValue("LastPcb", "board.pcbtech");
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3).Package("P1", "DIP-8")));
  const auto rebuiltHas = [&](const char* layer) {
    Design().UpdateAllViews(nullptr, HintComponent, &Component());
    return PcbView().GetViewDesign()->FindLayer(layer) != nullptr;
  };
  ASSERT_TRUE(rebuiltHas("Probe A"));
  // Other text of the same size under the same time: the kept technology is merged.
  const fs::file_time_type written = fs::last_write_time(file);
  WriteFileText(file, TechnologyWithLayer("Probe B"));
  fs::last_write_time(file, written);
  EXPECT_FALSE(rebuiltHas("Probe B"));
  // A newer time: the file is read again; so it is for a new size under the same time.
  fs::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_TRUE(rebuiltHas("Probe B"));
  WriteFileText(file, TechnologyWithLayer("Probe Cee"));
  fs::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_TRUE(rebuiltHas("Probe Cee"));
}

}  // namespace
