// A symbol of the field's libraries made into a component in one step: units become
// gates, the footprint's pads give the pin map by pin number, and a pin without a pad
// is left unassigned and reported.
#include "host/kicad/kicad_symbol_import.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "tests/host/model/model_dump.h"
#include "tests/support/kicad_import_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace Samples = KicadImportSamples;

class KicadSymbolImportTest : public ::testing::Test {
 protected:
  void SetUp() override { Samples::Write(m_folder.Path()); }

  CKicadSymbolImport::Request Request(const char* symbol, const char* footprint) const {
    CKicadSymbolImport::Request request;
    request.componentLibrary = m_folder / "parts.cmplib";
    request.symbolLibraryPath = m_folder / Samples::kSymbolLibrary;
    request.symbol = symbol;
    if (footprint != nullptr) {
      request.footprintFolderPath = m_folder / Samples::kFootprintFolder;
      request.footprint = footprint;
    }
    request.name = "IMPORTED";
    request.package = "PKG";
    request.defaultReference = "U";
    return request;
  }
  bool Build(const char* symbol, const char* footprint) {
    return CKicadSymbolImport::Build(Request(symbol, footprint), m_design, m_unassigned, m_error);
  }

  ScratchFolder m_folder;
  CDesign m_design;
  std::vector<CKicadSymbolImport::Unassigned> m_unassigned;
  CString m_error;
};

TEST_F(KicadSymbolImportTest, UnitsBecomeGatesAndSharedPinsJoinEachOfThem) {
  ASSERT_TRUE(Build(Samples::kQuad, Samples::kDip)) << m_error;
  ASSERT_EQ(m_design.CountComponents(), 1);
  const CComponent* record = m_design.FirstComponent();
  EXPECT_EQ(record->GetName() + " " + record->GetPackage() + " " + record->GetPcbSymbol() + " " +
                record->GetPcbComponent()->GetLibrary(),
            CString("IMPORTED PKG ") + Samples::kDip + " " + Samples::kFootprintFolder);
  EXPECT_EQ(record->GetPinCount(), 14);
  // Terminals come in the natural order of the pin numbers.
  EXPECT_EQ(Gates(*record), "0 QUAD:A 1 2 3 7 14, 1 QUAD:B 4 5 6 7 14");
  EXPECT_EQ(record->FindGate(0)->GetLibrary(), Samples::kSymbolLibrary);
  EXPECT_TRUE(m_unassigned.empty());
}

TEST_F(KicadSymbolImportTest, BallNamesFindTheirPadsAndAPinWithoutOneIsReported) {
  ASSERT_TRUE(Build("BGA5", Samples::kBallFootprint)) << m_error;
  const CComponent* record = m_design.FirstComponent();
  EXPECT_EQ(record->GetPinCount(), 4);
  // Balls A1 A2 B1 B2 are pins 1 to 4 in natural order, whatever order the file has.
  EXPECT_EQ(Gates(*record), "0 BGA5 1 2 3 4 -1");
  ASSERT_EQ(m_unassigned.size(), 1u);
  EXPECT_EQ(std::make_tuple(m_unassigned[0].gate, m_unassigned[0].terminal, m_unassigned[0].pinNumber),
            std::make_tuple(0, 5, CString("C3")));
  EXPECT_EQ(CKicadSymbolImport::DescribeUnassigned(m_unassigned, "BGA-4"),
            "1 pin has no pad in BGA-4 and stayed unassigned: C3 (gate a, terminal 5).");
}

TEST_F(KicadSymbolImportTest, WithoutAFootprintPlainNumbersArePinsAndAMissingSymbolOrFootprintAddsNothing) {
  EXPECT_FALSE(Build("NOPE", nullptr));
  EXPECT_EQ(m_error, "There is no symbol \"NOPE\" in \"Import.kicad_sym\".");
  EXPECT_FALSE(Build(Samples::kQuad, "SO-99"));
  EXPECT_NE(m_error.Find("SO-99"), -1) << m_error;
  EXPECT_EQ(m_design.CountComponents(), 0);

  ASSERT_TRUE(Build("quad:B", nullptr)) << m_error;
  const CComponent* record = m_design.FirstComponent();
  // A unit's name imports its whole symbol.
  EXPECT_EQ(Gates(*record), "0 QUAD:A 1 2 3 7 14, 1 QUAD:B 4 5 6 7 14");
  EXPECT_EQ(std::make_pair(record->GetPinCount(), record->GetPcbSymbol()), std::make_pair(14, CString()));

  CDesign balls;
  ASSERT_TRUE(CKicadSymbolImport::Build(Request("BGA5", nullptr), balls, m_unassigned, m_error)) << m_error;
  EXPECT_EQ(Gates(*balls.FirstComponent()), "0 BGA5 -1 -1 -1 -1 -1");
  EXPECT_TRUE(m_unassigned.empty()) << "without a footprint nothing is missing";
}

}  // namespace
