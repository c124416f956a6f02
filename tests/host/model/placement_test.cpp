// Placed components: symbol, pad and text instances read from the sample libraries,
// failures that leave the design alone, layout, extents, technology and selection.
#include "host/model/placement.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/technology_file.h"
#include "host/utility/app_error.h"
#include "platform/temp_file.h"
#include "tests/host/support/quad_nand.h"

namespace {

using Role = CTextInstance::Role;

const CString kComponentLibrary = CE_DATA_DIR "/sample.cmplib";
constexpr int kGrid = 25400;

std::vector<CSymbolInstance*> SymbolsOf(const CComponentInstance& instance) {
  std::vector<CSymbolInstance*> symbols;
  POSITION at = nullptr;
  for (CSymbolInstance* symbol = instance.FirstSymbolInstance(at); symbol != nullptr;
       symbol = instance.NextSymbolInstance(at)) {
    symbols.push_back(symbol);
  }
  return symbols;
}

// One line per symbol instance: gate, symbol, reference, then per pad its terminal,
// name text and number text.
std::string Describe(const CComponentInstance& instance) {
  std::string out;
  for (const CSymbolInstance* symbol : SymbolsOf(instance)) {
    const CTextInstance* reference = symbol->FindText(Role::Reference);
    out += CSymbolInstance::GetGateString(symbol->GetGate()).str() + " " +
           symbol->GetSymbol()->GetName().str() + " " +
           (reference != nullptr ? reference->GetText().str() : "-") + ":";
    POSITION at = nullptr;
    for (const CPadInstance* pad = symbol->FirstPad(at); pad != nullptr; pad = symbol->NextPad(at)) {
      out += " " + std::to_string(pad->GetTerminalNumber()) + "=" + pad->GetPinNameText()->GetText().str() +
             "/" + pad->GetPinNumberText()->GetText().str();
    }
    out += "\n";
  }
  return out;
}

TEST(PlacementTest, AQuadNandInASchematicHasAGateSymbolPerGateWithItsPinMap) {
  CScmDesign design;
  CComponent* nand = AddQuadNand(design);
  CComponentInstance* u1 = design.AddComponentInstance("U1", nand, kComponentLibrary, true);
  ASSERT_NE(u1, nullptr);
  EXPECT_EQ(design.FirstComponentInstance(), u1);
  EXPECT_EQ(Describe(*u1),
            "a NAND2 U1a: 1=A/1 2=B/2 3=Y/3\nb NAND2 U1b: 1=A/4 2=B/5 3=Y/6\n"
            "c NAND2 U1c: 1=A/9 2=B/10 3=Y/8\nd NAND2 U1d: 1=A/12 2=B/13 3=Y/11\n");

  const CSymbolInstance* c = SymbolsOf(*u1)[2];
  EXPECT_EQ(c->GetLibraryPath(), CString(std::filesystem::absolute(CE_DATA_DIR "/logic.scmlib").string()));
  const CPadInstance* a = c->FindPad(1);
  EXPECT_EQ(
      std::make_tuple(a->GetSymbolInstance(), a->GetGate(), a->GetOwnerDesign(), a->GetPad()->GetName()),
      std::make_tuple(c, 2, &design, CString("A")));
  // Unturned at the origin, the symbol's own coordinates come through, and the
  // reference takes the place of the symbol's "U?".
  EXPECT_EQ(std::make_tuple(a->GetPosition(), a->GetPinRoot(), c->FindText(Role::Reference)->GetPosition()),
            std::make_tuple(CPoint(-101600, 25400), CPoint(-50800, 25400), CPoint(-50800, 63500)));
  for (int i = 0; i < c->CountTexts(); ++i) EXPECT_NE(c->GetText(i)->GetText(), "U?");

  // Pads read the pin map as it is now.
  EXPECT_TRUE(a->IsAssigned());
  nand->SetPinNumber(2, 1, -1);
  nand->SetPinName(2, 1, "IN1");
  EXPECT_EQ(std::make_tuple(a->GetPinNumber(), a->IsAssigned(),
                            a->GetPinNameText()->GetText() + "/" + a->GetPinNumberText()->GetText()),
            std::make_tuple(-1, false, CString("IN1/")));

  // A single gate shows the reference alone; without `allGates` only the first gate.
  CComponent* inverter = design.AddComponent("7404", "DIP-14");
  inverter->AddGate(0, CE_DATA_DIR "/logic.scmlib", "INV", 2, nullptr, nullptr);
  EXPECT_EQ(Describe(*design.AddComponentInstance("U2", inverter, "", true)), "a INV U2: 1=/ 2=/\n");
  EXPECT_EQ(Describe(*design.AddComponentInstance("U3", nand, kComponentLibrary, false)),
            "a NAND2 U3a: 1=A/1 2=B/2 3=Y/3\n");
}

TEST(PlacementTest, AQuadNandOnAPcbHasItsPackageWithPadsNumberedByTheFootprint) {
  CPcbDesign design;
  CComponent* nand = AddQuadNand(design);
  CComponentInstance* ic = design.AddComponentInstance("", nand, kComponentLibrary, true);
  ASSERT_NE(ic, nullptr);
  const CSymbolInstance* dip = ic->FirstSymbolInstance();
  EXPECT_EQ(std::make_tuple(ic->CountSymbolInstances(), dip->GetGate(), dip->GetSymbol()->GetName(),
                            dip->FindText(Role::Reference)),
            std::make_tuple(1, CSymbolInstance::kNoGate, CString("DIP-14"),
                            static_cast<const CTextInstance*>(nullptr)));
  ASSERT_EQ(dip->CountPads(), 14);

  std::string assigned;
  for (int i = 0; i < dip->CountPads(); ++i) {
    const CPadInstance* pad = dip->GetPad(i);
    EXPECT_EQ(pad->GetPinNumber(), pad->GetPad()->GetNumber());
    EXPECT_EQ(pad->GetPinNumberText()->GetText(), std::to_string(pad->GetPinNumber()));
    assigned += pad->IsAssigned() ? "+" : "-";
  }
  EXPECT_EQ(assigned, "++++++-++++++-");
  const CPadInstance* pin9 = dip->FindPad(9);
  EXPECT_EQ(std::make_tuple(pin9->GetGate(), pin9->GetTerminalNumber(), pin9->GetPinNameText()->GetText()),
            std::make_tuple(2, 1, CString("A")));
  EXPECT_EQ(std::make_tuple(dip->FindPad(7)->GetGate(), dip->FindPad(7)->GetPinNameText()->GetText()),
            std::make_tuple(-1, CString("7")));
  EXPECT_EQ(dip->FindPad(1)->GetBounds(), CRect(-46100, 68200, -30100, 84200));
}

TEST(PlacementTest, AFailedPlacementNamesTheMissingPieceAndLeavesTheDesignAlone) {
  CScmDesign design;
  CComponent* nand = AddQuadNand(design);
  ASSERT_NE(design.AddComponentInstance("U1", nand, kComponentLibrary, true), nullptr);
  design.FirstComponentInstance()->FirstSymbolInstance()->SetSelected(true);
  const CRect extents = design.GetExtents();

  nand->FindGate(2)->SetSymbol("NAND9");
  EXPECT_EQ(design.AddComponentInstance("U2", nand, kComponentLibrary, true), nullptr);
  EXPECT_EQ(CAppError::GetLastError(), "Symbol NAND9 not found in library logic.scmlib");

  EXPECT_EQ(std::make_tuple(design.CountComponentInstances(), design.GetSelectionOverview()->Count(),
                            design.GetExtents()),
            std::make_tuple(1, 1, extents));

  CPcbDesign board;
  CComponent* onBoard = AddQuadNand(board);
  onBoard->SetPcbSymbol("DIP-99");
  EXPECT_EQ(board.AddComponentInstance("", onBoard, kComponentLibrary, true), nullptr);
  EXPECT_EQ(CAppError::GetLastError(), "Symbol DIP-99 not found in library footprints.pcblib");
  EXPECT_EQ(board.FirstComponentInstance(), nullptr);
}

// Gates laid out in rows and columns whose whole is near a square, apart by at least
// the spacing and on the grid of the first.
void ExpectNearSquareGridOnTheSpacing(const std::vector<CSymbolInstance*>& gates) {
  std::set<int> columns, rows;
  CBox all;
  for (size_t i = 0; i < gates.size(); ++i) {
    const CSize offset = gates[i]->GetPosition() - gates[0]->GetPosition();
    EXPECT_TRUE(offset.cx % kGrid == 0 && offset.cy % kGrid == 0) << "gate " << i;
    columns.insert(gates[i]->GetPosition().x);
    rows.insert(gates[i]->GetPosition().y);
    all = all.Union(gates[i]->GetExtents());
    for (size_t j = 0; j < i; ++j) {
      const CBox a = gates[i]->GetExtents(), b = gates[j]->GetExtents();
      const long across = std::max(a.GetMin().x - b.GetMax().x, b.GetMin().x - a.GetMax().x);
      const long along = std::max(a.GetMin().y - b.GetMax().y, b.GetMin().y - a.GetMax().y);
      EXPECT_GE(std::max(across, along), kGrid) << "gates " << j << " and " << i;
    }
  }
  EXPECT_TRUE(columns.size() > 1 && rows.size() > 1);
  const double width = all.GetMax().x - all.GetMin().x, height = all.GetMax().y - all.GetMin().y;
  EXPECT_LE(std::max(width / height, height / width), 2.0) << width << " by " << height;
}

TEST(PlacementTest, ArrangedGatesKeepTheSpacingOnTheGridAndShiftMovesEverything) {
  CScmDesign design;
  CComponent* fpga = design.AddComponent("FPGA", "BGA");
  for (int gate = 0; gate < 17; ++gate) fpga->AddGate(gate, "logic", "NAND2", 3, nullptr, nullptr);
  CComponentInstance* u17 = design.AddComponentInstance("U17", fpga, kComponentLibrary, true);
  ASSERT_NE(u17, nullptr);
  u17->ArrangeSymbolInstances(CSize(kGrid, kGrid), false, CAngle(0));
  ASSERT_EQ(SymbolsOf(*u17).size(), 17u);
  ExpectNearSquareGridOnTheSpacing(SymbolsOf(*u17));
  design.DeleteAllComponentInstances();

  EXPECT_EQ(design.GetExtents(), CRect());
  CComponentInstance* u1 = design.AddComponentInstance("U1", AddQuadNand(design), kComponentLibrary, true);
  ASSERT_NE(u1, nullptr);
  const std::vector<CSymbolInstance*> gates = SymbolsOf(*u1);

  u1->ArrangeSymbolInstances(CSize(kGrid, kGrid), false, CAngle(0));
  ExpectNearSquareGridOnTheSpacing(gates);
  CBox all;
  for (const CSymbolInstance* gate : gates) all = all.Union(gate->GetExtents());
  const CRect row = design.GetExtents();
  EXPECT_EQ(row, all.ToRect());
  // The component's show names put its name below the bodies; hiding it narrows the
  // extents from below only.
  u1->SetNameDisplayed(false, false, false);
  EXPECT_GT(design.GetExtents().top, row.top);
  EXPECT_EQ(design.GetExtents().bottom, row.bottom);

  // A column, turned a quarter: the inputs that pointed left now point down.
  u1->ArrangeSymbolInstances(CSize(kGrid, kGrid), true, CAngle(900));
  for (size_t i = 1; i < gates.size(); ++i) {
    EXPECT_EQ(gates[i]->GetPosition().x, gates[0]->GetPosition().x);
    const long gap = gates[i - 1]->GetExtents().GetMin().y - gates[i]->GetExtents().GetMax().y;
    EXPECT_TRUE(gap >= kGrid && gap < 2 * kGrid) << gap;
  }
  const CPadInstance* input = gates[1]->FindPad(1);
  EXPECT_EQ(input->GetDirection(), PinDirection::Down);
  EXPECT_EQ(input->GetPosition() - gates[1]->GetPosition(), CSize(-25400, -101600));

  CRect moved = design.GetExtents();
  moved.OffsetRect(1000, -2000);
  const CPoint padMoved = input->GetPosition() + CSize(1000, -2000);
  design.Shift(1000, -2000);
  EXPECT_EQ(std::make_pair(design.GetExtents(), input->GetPosition()), std::make_pair(moved, padMoved));

  design.DeleteAllComponentInstances();
  EXPECT_EQ(design.GetExtents(), CRect());
}

TEST(PlacementTest, MirroredAndTurnedSymbolsMapPointsArcsAndTextsKeepingTextsReadable) {
  const CPlacement turned(CPoint(10, 0), CPoint(1000, 2000), CAngle(900), false);
  EXPECT_EQ(turned.Map(CPoint(110, 50)), CPoint(950, 2100));
  const CPlacement both(CPoint(10, 0), CPoint(1000, 2000), CAngle(870), true);
  EXPECT_EQ(std::make_tuple(both.GetRotation(), both.Map(CPoint(110, 50)),
                            both.MapDirection(PinDirection::Left), both.MapSize(CSize(3, 7))),
            std::make_tuple(CAngle(900), CPoint(950, 1900), PinDirection::Up, CSize(7, 3)));

  // The right half of a circle, mirrored, is its left half.
  const CPlacement mirror(CPoint(), CPoint(), CAngle(0), true);
  EXPECT_EQ(std::get<CSymbolArc>(mirror.MapShape(CSymbolArc{CPoint(5, 0), 4, 270, 180})),
            (CSymbolArc{CPoint(-5, 0), 4, 90, 180}));

  // A text turned upside down reads left to right again, its box where it was.
  const CPlacement half(CPoint(), CPoint(), CAngle(1800), false);
  CSymbolText text{"AB", CPoint(100, 0), 40, TextAlignment::BottomLeft, 0};
  const CSymbolText placed = half.MapText(text);
  EXPECT_EQ(std::make_tuple(placed.rotation, placed.alignment), std::make_tuple(0, TextAlignment::TopRight));
  EXPECT_EQ(CTextInstance::EstimateBounds(placed), CRect(-160, -40, -100, 0));
  // Mirrored, a text keeps reading left to right and takes its box to the other side.
  EXPECT_EQ(mirror.MapText(text).alignment, TextAlignment::BottomRight);
}

TEST(PlacementTest, TechnologyLayersOnlyInAPcbDesignAndColoursForEveryKindOfItem) {
  CScmDesign schematic;
  EXPECT_TRUE(schematic.AddDesign(CE_DATA_DIR "/default.scmtech", false));
  EXPECT_FALSE(schematic.FirstLayer() != nullptr ||
               schematic.AddDesign(CE_DATA_DIR "/default.pcbtech", false));
  EXPECT_NE(CAppError::GetLastError().Find("PCB technology, not a schematic one"), -1);
  EXPECT_FALSE(schematic.AddDesign(CE_DATA_DIR "/missing.scmtech", false));

  // The design keeps the layers and styles it has: a technology merged later adds only
  // new ones, while its colours replace the design's.
  CTechnology own(SymbolKind::Pcb);
  own.AddLayer({"Top Copper", RGB(1, 2, 3), false});
  own.AddTextStyle({"Pad Number", 7000, 700});
  CString ownPath, error;
  ASSERT_TRUE(GetTempFile(ownPath));
  ASSERT_TRUE(CTechnologyFile::Save(ownPath, own, error)) << error.str();

  CPcbDesign board;
  EXPECT_EQ(board.FirstLayer(), nullptr);
  ASSERT_TRUE(board.AddDesign(ownPath, false));
  ASSERT_TRUE(board.AddDesign(CE_DATA_DIR "/default.pcbtech", false));
  std::remove(ownPath.c_str());
  ASSERT_NE(board.FirstLayer(), nullptr);
  EXPECT_EQ(std::make_tuple(board.FirstLayer()->GetName(), board.FirstLayer()->IsVisible()),
            std::make_tuple(CString("Top Copper"), false));
  EXPECT_NE(board.FindLayer("bottom copper"), nullptr);
  const CDesignColours* colours = board.GetDesignColours();
  EXPECT_EQ(std::make_tuple(colours->GetColour(RUNTIME_CLASS(CPadInstance)),
                            colours->GetColour(RUNTIME_CLASS(CPinNumberInstance)),
                            colours->GetColour(RUNTIME_CLASS(CCopperInstance))),
            std::make_tuple(RGB(0, 0, 255), RGB(0, 0, 0xC0), RGB(255, 255, 0)));

  // Instances placed afterwards take their text sizes from the styles.
  CComponentInstance* ic = board.AddComponentInstance("IC1", AddQuadNand(board), kComponentLibrary, true);
  ASSERT_NE(ic, nullptr);
  EXPECT_EQ(ic->FirstSymbolInstance()->GetPad(0)->GetPinNumberText()->GetSize(), 7000);
}

TEST(PlacementTest, MarkedItemsJoinTheirOverviewAndLeaveItUnmarkedOrDeleted) {
  CScmDesign design;
  CComponentInstance* u1 = design.AddComponentInstance("U1", AddQuadNand(design), kComponentLibrary, true);
  ASSERT_NE(u1, nullptr);
  CSymbolInstance* gate = SymbolsOf(*u1)[1];
  CPadInstance *first = gate->FindPad(1), *second = gate->FindPad(2), *third = gate->FindPad(3);
  third->SetSelected(true);
  gate->SetSelected(true);
  third->GetPinNumberText()->SetSelected(true);
  EXPECT_EQ(std::make_pair(design.GetSelectionOverview()->Count(), design.GetSelectionOverview()->First()),
            std::make_pair(3, static_cast<CDesignItem*>(third)));
  third->SetSelected(false);
  EXPECT_EQ(design.GetSelectionOverview()->First(), gate) << "the next marked comes first";
  design.GetSelectionOverview()->Clear();
  EXPECT_FALSE(gate->IsSelected() || third->GetPinNumberText()->IsSelected());
  gate->SetSelected(true);

  const CHighlightOverview* overview = design.GetHighlightOverview();
  for (CDesignItem* item : std::vector<CDesignItem*>{first, second, third, gate, first})
    item->SetHighlight(true);
  EXPECT_EQ(overview->Count(), 4);
  // A middle one leaves; the others stay found.
  second->SetHighlight(false);
  EXPECT_TRUE(overview->Count() == 3 && !overview->Contains(second));
  EXPECT_TRUE(overview->Contains(first) && overview->Contains(third) && overview->Contains(gate));
  third->SetHighlight(false);
  first->SetHighlight(false);
  EXPECT_EQ(overview->Items(), std::vector<CDesignItem*>{gate});

  // An item placed in another design takes its highlight along.
  CScmDesign other;
  CComponentInstance* u2 = other.AddComponentInstance("U2", AddQuadNand(other), kComponentLibrary, true);
  ASSERT_NE(u2, nullptr);
  u2->FirstSymbolInstance()->SetHighlight(true);
  u2->SetOwnerDesignOfAll(&design);
  EXPECT_TRUE(other.GetHighlightOverview()->Count() == 0 && overview->Contains(u2->FirstSymbolInstance()));
  u2->SetOwnerDesignOfAll(&other);

  EXPECT_FALSE(other.DeleteComponentInstance(u1));
  EXPECT_TRUE(design.DeleteComponentInstance(u1));
  EXPECT_EQ(std::make_tuple(design.GetSelectionOverview()->Count(), overview->Count(),
                            design.CountComponentInstances()),
            std::make_tuple(0, 0, 0));
}

}  // namespace
