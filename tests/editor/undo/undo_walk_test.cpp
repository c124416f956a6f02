// Undo is exact on every component of the sample library and on a generated component
// of 20 gates of 100 terminals each: 10,000 random user actions in all.
#include "tests/editor/undo/undo_walk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "host/model/symbol_library_contents.h"
#include "tests/support/generated/generated_symbols.h"

namespace {

constexpr int kSampleActions = 2485;
constexpr int kGeneratedActions = 60;
constexpr int kGeneratedGates = 20;
constexpr int kGeneratedTerminals = 100;

class SampleUndoWalkTest : public UndoWalkTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleUndoWalkTest, UndoingAndRedoingEverythingGivesBackTheSameBytes) {
  OfferSampleSymbols();
  ASSERT_TRUE(OpenSampleComponent(GetParam()));
  Walk(kSampleActions);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleUndoWalkTest,
                         ::testing::Values("QUAD-NAND2", "HEX-INV", "DUAL-OPAMP", "RESISTOR"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& ch : name) ch = ch == '-' ? '_' : ch;
                           return name;
                         });

// The generated gate symbols and footprint, in temporary libraries for the test's life.
struct GeneratedLibraries {
  GeneratedLibraries() {
    CSymbolLibraryContents gates(SymbolKind::Schematic);
    for (int gate = 0; gate < kGeneratedGates; ++gate) gates.Add(MakeBusGate(gate, kGeneratedTerminals));
    gateNames = gates.Names();
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(MakeGridFootprint(kGeneratedGates * kGeneratedTerminals));
    saved = SaveTemporaryLibrary(gates, ".scmlib", gateLibrary) &&
            SaveTemporaryLibrary(footprints, ".pcblib", pcbLibrary);
    component.Package("BGA", footprints.Get(0).GetName().c_str(), kGeneratedGates * kGeneratedTerminals,
                      pcbLibrary.c_str());
    for (const CString& name : gateNames)
      component.Gates(1, name.c_str(), kGeneratedTerminals, gateLibrary.c_str());
  }
  ~GeneratedLibraries() {
    for (const CString& path : {gateLibrary, pcbLibrary}) std::remove(path.c_str());
  }
  GeneratedLibraries(const GeneratedLibraries&) = delete;
  GeneratedLibraries& operator=(const GeneratedLibraries&) = delete;

  std::vector<CString> gateNames;
  CString gateLibrary;
  CString pcbLibrary;
  bool saved = false;
  ComponentBuilder component{"BUS-20X100"};
};

TEST_F(UndoWalkTest, UndoingAndRedoingEverythingOnAGeneratedComponentGivesBackTheSameBytes) {
  const GeneratedLibraries libraries;
  ASSERT_TRUE(libraries.saved);
  OfferSymbols(libraries.gateLibrary, libraries.gateNames);
  // A renamed gate keeps only its library's file name, which the grid looks for where
  // the schematic library last used is and the drawings beside the component library
  // last used: both are in the generated libraries' folder, as after the user chose them.
  const std::filesystem::path folder = std::filesystem::path(libraries.gateLibrary.str()).parent_path();
  Settings().Set("Libraries", "LastScm", libraries.gateLibrary.str());
  Settings().Set("Libraries", "LastComponent", (folder / "generated.cmplib").string());
  ASSERT_TRUE(OpenEditor(libraries.component));
  ASSERT_EQ(Component().CountGates(), kGeneratedGates);
  Walk(kGeneratedActions);
}

}  // namespace
