// The real program on a (virtual) screen: started on a copy of the sample library, it
// plays a user who assigns one pin by clicking a PCB pad and a schematic terminal with
// the mouse and saves. The saved library must hold the pin and nothing else changed;
// the screenshots stay in the build's artifacts folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "tests/app/component_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

int PinOf(const std::string& path, int record, int gate, int terminal) {
  CDesign design;
  CString error;
  if (!CComponentLibraryFile::LoadComponent(path.c_str(), "QUAD-NAND2", design, error)) return -100;
  POSITION position = nullptr;
  CComponent* component = design.FirstComponent(position);
  for (int i = 0; i < record && component != nullptr; ++i) component = design.NextComponent(position);
  return component != nullptr ? component->GetPinNumber(gate, terminal) : -100;
}

TEST(EditorOnScreen, AssignsAPinByClickingAndSavesIt) {
  const ScratchFolder scratch;
  const fs::path folder = scratch.Path();
  fs::create_directories(folder / "config");
  const std::string library = (folder / "sample.cmplib").string();
  fs::copy_file(CE_DATA_DIR "/sample.cmplib", library);
  fs::create_directories(CE_ARTIFACTS_DIR);
  for (const char* shot : {"editor-sample.png", "editor-pin-assigned.png"})
    fs::remove(fs::path(CE_ARTIFACTS_DIR) / shot);
  ASSERT_NE(PinOf(library, 0, 0, 1), 14);
  const int otherPackage = PinOf(library, 1, 0, 1);

  // The settings go to the test's folder, not the user's.
  const std::string command = "XDG_CONFIG_HOME='" + (folder / "config").string() + "' timeout 120 '" +
                              CE_EDITOR_PROGRAM + "' --open '" + library +
                              "' --component QUAD-NAND2 --assign 0:1=14 --self-test '" + CE_ARTIFACTS_DIR +
                              "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  EXPECT_EQ(PinOf(library, 0, 0, 1), 14) << "the DIP-14 record holds the clicked pin";
  EXPECT_EQ(PinOf(library, 1, 0, 1), otherPackage);
  for (const char* other : {"HEX-INV", "DUAL-OPAMP", "RESISTOR"}) {
    EXPECT_EQ(ComponentText(library, other), ComponentText(CE_DATA_DIR "/sample.cmplib", other)) << other;
  }
  for (const char* shot : {"editor-sample.png", "editor-pin-assigned.png"}) {
    const fs::path path = fs::path(CE_ARTIFACTS_DIR) / shot;
    ASSERT_TRUE(fs::exists(path)) << path;
    EXPECT_GT(fs::file_size(path), 10000U) << path;
  }
  EXPECT_TRUE(fs::exists(folder / "config" / "component-editor" / "settings.json"))
      << "the window size and recent library were kept";
}

}  // namespace
