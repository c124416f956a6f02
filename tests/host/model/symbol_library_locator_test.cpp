// Where the symbol libraries named by component records are found: beside the component
// library, then beside the library of the kind last used, then among the bundled ones;
// a library found nowhere is reported with every place looked in.
#include "host/model/symbol_library_locator.h"

#include <gtest/gtest.h>

#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "platform/program_path.h"
#include "platform/settings_store.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

class SymbolLibraryLocatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallMemorySettings();
    for (const char* folder : {"own", "last", "program"}) fs::create_directory(m_scratch.Path() / folder);
    SetProgramPathForTesting(Folder("program"));
    CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CScmSymbolLibrary), Folder("last") + "mine.scmlib");
  }
  void TearDown() override {
    SetProgramPathForTesting("");
    SetCurrentSettings(nullptr);
  }

  // The folder with its trailing '/'.
  CString Folder(const char* name) const { return CString((m_scratch.Path() / name).string() + "/"); }
  CString ComponentLibrary() const { return Folder("own") + "parts.cmplib"; }
  // A copy of a sample library in a folder, under a name of its own.
  void Put(const char* sample, const char* folder, const char* name) const {
    fs::copy_file(std::string(CE_DATA_DIR "/") + sample, (Folder(folder) + name).str());
  }

  ScratchFolder m_scratch;
};

TEST_F(SymbolLibraryLocatorTest, ANameWithoutAFolderIsTakenFromTheFirstPlaceThatHoldsIt) {
  const CSymbolLibraryLocator locator(SymbolKind::Schematic, ComponentLibrary());
  const std::vector<CSymbolLibraryLocator::Place> places = locator.GetSearchPlaces();
  ASSERT_EQ(places.size(), 3U);
  EXPECT_EQ(places[0].folder + places[1].folder + places[2].folder,
            Folder("own") + Folder("last") + Folder("program"));

  Put("logic.scmlib", "program", "big.scmlib");
  EXPECT_EQ(locator.GetPath("big"), Folder("program") + "big.scmlib") << "the kind's extension is added";
  Put("logic.scmlib", "last", "big.scmlib");
  EXPECT_EQ(locator.GetPath("big.scmlib"), Folder("last") + "big.scmlib");
  Put("logic.scmlib", "own", "big.scmlib");
  EXPECT_EQ(locator.GetPath("big.scmlib"), Folder("own") + "big.scmlib");

  // No PCB library has been used: the last used is the bundled one, looked in once.
  const CSymbolLibraryLocator pcb(SymbolKind::Pcb, ComponentLibrary());
  ASSERT_EQ(pcb.GetSearchPlaces().size(), 2U);
  EXPECT_EQ(pcb.GetSearchPlaces()[1].folder + " " + pcb.GetSearchPlaces()[1].description,
            Folder("program") + " among the libraries bundled with the program");
  Put("footprints.pcblib", "program", "big.pcblib");
  EXPECT_EQ(pcb.GetPath("big"), Folder("program") + "big.pcblib");

  // A name with a folder is a path and is not searched.
  CString path;
  EXPECT_TRUE(locator.Find("/elsewhere/big", path) && path == "/elsewhere/big.scmlib") << path.str();
  EXPECT_TRUE(locator.Find("sub/big.scmlib", path) && path == Folder("own") + "sub/big.scmlib") << path.str();
  EXPECT_EQ(locator.GetPath(""), "");
}

TEST_F(SymbolLibraryLocatorTest, ALibraryFoundNowhereIsReportedWithEveryPlaceLookedIn) {
  const CSymbolLibraryLocator locator(SymbolKind::Schematic, ComponentLibrary());
  CString path;
  EXPECT_FALSE(locator.Find("big.scmlib", path));
  EXPECT_EQ(path, Folder("own") + "big.scmlib") << "opening it reports the file missing there";
  const CString expected = "Cannot open library big.scmlib: it is not beside the component library (" +
                           Folder("own") + "), beside the schematic library last used (" + Folder("last") +
                           ") or among the libraries bundled with the program (" + Folder("program") + ").";
  EXPECT_EQ(CAppError::GetLastError(), expected);

  // Placing a component that names it says the same; found, it is drawn from there.
  CScmDesign design;
  CComponent* component = design.AddComponent("BIG", "DIP-14");
  component->AddGate(0, "big.scmlib", "NAND2", 3, nullptr, nullptr);
  EXPECT_EQ(design.AddComponentInstance("U1", component, ComponentLibrary(), true), nullptr);
  EXPECT_EQ(CAppError::GetLastError(), expected);

  Put("logic.scmlib", "own", "big.scmlib");
  CComponentInstance* placed = design.AddComponentInstance("U1", component, ComponentLibrary(), true);
  ASSERT_NE(placed, nullptr) << CAppError::GetLastError().str();
  EXPECT_EQ(placed->FirstSymbolInstance()->GetLibraryPath(), Folder("own") + "big.scmlib");
}

}  // namespace
