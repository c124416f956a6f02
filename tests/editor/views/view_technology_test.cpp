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

class ViewTechnologyTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    WriteFileText(m_file, TechnologyWithLayer("Probe A"));
    CAppRegistry settings("Technology");
    settings.SetValue("Directory", m_scratch.Path().c_str());
    settings.SetValue("LastPcb", "board.pcbtech");
  }

  void Rebuild() { Design().UpdateAllViews(nullptr, HintComponent, &Component()); }
  bool PcbDrawingHasLayer(const char* name) { return PcbView().GetViewDesign()->FindLayer(name) != nullptr; }

  ScratchFolder m_scratch;
  fs::path m_file = m_scratch.Path() / "board.pcbtech";
};

TEST_F(ViewTechnologyTest, ARebuildReadsTheTechnologyFileOnlyWhenItChanged) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3).Package("P1", "DIP-8")));
  ASSERT_TRUE(PcbDrawingHasLayer("Probe A"));

  // Other text of the same size under the same time: the kept technology is merged.
  const fs::file_time_type written = fs::last_write_time(m_file);
  WriteFileText(m_file, TechnologyWithLayer("Probe B"));
  fs::last_write_time(m_file, written);
  Rebuild();
  EXPECT_FALSE(PcbDrawingHasLayer("Probe B"));

  // A newer time: the file is read again.
  fs::last_write_time(m_file, written + std::chrono::seconds(2));
  Rebuild();
  EXPECT_TRUE(PcbDrawingHasLayer("Probe B"));

  // A new size under the same time: read again too.
  WriteFileText(m_file, TechnologyWithLayer("Probe Cee"));
  fs::last_write_time(m_file, written + std::chrono::seconds(2));
  Rebuild();
  EXPECT_TRUE(PcbDrawingHasLayer("Probe Cee"));
}

}  // namespace
