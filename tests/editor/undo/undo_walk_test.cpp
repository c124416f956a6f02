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
class GeneratedLibraries {
 public:
  GeneratedLibraries() {
    CSymbolLibraryContents gates(SymbolKind::Schematic);
    for (int gate = 0; gate < kGeneratedGates; ++gate) gates.Add(MakeBusGate(gate, kGeneratedTerminals));
    m_gateNames = gates.Names();
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(MakeGridFootprint(kGeneratedGates * kGeneratedTerminals));
    m_footprint = footprints.Get(0).GetName();
    m_saved =
        SaveTemporaryLibrary(gates, ".scmlib", m_gates) && SaveTemporaryLibrary(footprints, ".pcblib", m_pcb);
  }
  ~GeneratedLibraries() {
    if (!m_gates.IsEmpty()) std::remove(m_gates.c_str());
    if (!m_pcb.IsEmpty()) std::remove(m_pcb.c_str());
  }
  GeneratedLibraries(const GeneratedLibraries&) = delete;
  GeneratedLibraries& operator=(const GeneratedLibraries&) = delete;

  bool Saved() const { return m_saved; }
  const CString& GateLibrary() const { return m_gates; }
  const std::vector<CString>& GateNames() const { return m_gateNames; }
  ComponentBuilder Component() const {
    ComponentBuilder builder("BUS-20X100");
    for (const CString& name : m_gateNames)
      builder.Gates(1, name.c_str(), kGeneratedTerminals, m_gates.c_str());
    builder.Package("BGA", m_footprint.c_str(), kGeneratedGates * kGeneratedTerminals, m_pcb.c_str());
    return builder;
  }

 private:
  std::vector<CString> m_gateNames;
  CString m_footprint;
  CString m_gates;
  CString m_pcb;
  bool m_saved = false;
};

TEST_F(UndoWalkTest, UndoingAndRedoingEverythingOnAGeneratedComponentGivesBackTheSameBytes) {
  const GeneratedLibraries libraries;
  ASSERT_TRUE(libraries.Saved());
  OfferSymbols(libraries.GateLibrary(), libraries.GateNames());
  // A renamed gate keeps only its library's file name, which the grid looks for where
  // the schematic library last used is and the drawings beside the component library
  // last used: both are in the generated libraries' folder, as after the user chose them.
  const std::filesystem::path folder = std::filesystem::path(libraries.GateLibrary().str()).parent_path();
  Settings().Set("Libraries", "LastScm", libraries.GateLibrary().str());
  Settings().Set("Libraries", "LastComponent", (folder / "generated.cmplib").string());
  ASSERT_TRUE(OpenEditor(libraries.Component()));
  ASSERT_EQ(Component().CountGates(), kGeneratedGates);
  Walk(kGeneratedActions);
}

}  // namespace
