// Package records, gates and pin maps, lookups, copies, selection and kinds.
#include "host/model/design.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/model/gate_names.h"
#include "host/model/position_index.h"
#include "host/utility/app_error.h"
#include "tests/host/model/model_dump.h"

namespace {

// The gate and terminal of a pin, {-1, -1} when no terminal has it.
std::pair<int, int> HolderOf(const CComponent& record, int pin) {
  int gate = -1;
  int terminal = -1;
  if (!record.GetGateAndTerminal(pin, gate, terminal)) return {-1, -1};
  return {gate, terminal};
}

TEST(DesignLookupTest, MissingThingsAreNullAndNamesIgnoreCase) {
  CDesign design;
  POSITION position = PositionFromIndex(3);
  EXPECT_EQ(design.FirstComponent(position), nullptr);
  EXPECT_EQ(position, nullptr);

  CComponent* dip = design.AddComponent("7400", "DIP-14");
  design.AddComponent("LM358", "DIP-8");
  CComponent* soic = design.AddComponent("7400", "SOIC-14");
  EXPECT_EQ(design.FindComponent("7400", "dip-14"), dip);
  EXPECT_EQ(design.FindComponent("lm358", "Dip-8"), design.FindComponent("LM358", "DIP-8"));
  for (const auto& [name, package] : {std::pair{"7400", "SO-14"}, {"7402", "DIP-14"}, {nullptr, nullptr}})
    EXPECT_EQ(design.FindComponent(name, package), nullptr);
  EXPECT_EQ(
      std::make_tuple(dip->FirstGate(), HolderOf(*dip, 1), dip->GetPinNumber(0, 1), dip->GetPinName(0, 1)),
      std::make_tuple(nullptr, std::make_pair(-1, -1), -1, CString("")));
  EXPECT_FALSE(CDesign().DeleteComponent(dip));

  // The walk by name passes over the other component's record.
  std::vector<CComponent*> records;
  for (CComponent* record = design.FirstComponent(position, "7400"); record != nullptr;
       record = design.NextComponent(position, "7400"))
    records.push_back(record);
  EXPECT_EQ(records, (std::vector<CComponent*>{dip, soic}));
}

TEST(GateTest, GatesAreListedInIndexOrderAndAnOccupiedIndexMakesRoom) {
  CDesign design;
  CComponent* record = design.AddComponent("7400", "DIP-14");
  const int numbers[] = {1, 2, 3};
  record->AddGate(3, "logic", "D", 3, nullptr, numbers);
  record->AddGate(0, "logic", "A", 3, nullptr, nullptr);
  record->AddGate(1, "logic", "B", 3, nullptr, nullptr);
  EXPECT_EQ(Gates(*record), "0 A -1 -1 -1, 1 B -1 -1 -1, 3 D 1 2 3");
  CGate* d = record->FindGate(3);

  // Three gates added from the first gap on: the old gate 3 moves up out of their way.
  for (int index = 2; index < 5; ++index) record->AddGate(index, "logic", "NEW", 2, nullptr, nullptr);
  EXPECT_EQ(Gates(*record), "0 A -1 -1 -1, 1 B -1 -1 -1, 2 NEW -1 -1, 3 NEW -1 -1, 4 NEW -1 -1, 5 D 1 2 3");
  EXPECT_EQ(record->FindGate(5), d);

  // A gate added at 0 pushes the whole run up.
  record->AddGate(0, "logic", "FIRST", 1, nullptr, nullptr);
  EXPECT_EQ(Gates(*record),
            "0 FIRST -1, 1 A -1 -1 -1, 2 B -1 -1 -1, 3 NEW -1 -1, 4 NEW -1 -1, 5 NEW -1 -1, 6 D 1 2 3");
  EXPECT_TRUE(record->DeleteGate(0) && record->DeleteGate(2));
  EXPECT_FALSE(record->DeleteGate(2) || record->DeleteGate(99));
  for (const auto& [index, pins] : {std::pair{-1, 1}, {0, -3}, {CComponent::kMaxGateIndex + 1, 1}})
    EXPECT_EQ(record->AddGate(index, "logic", "X", pins, nullptr, nullptr), nullptr) << index;
  EXPECT_EQ(record->CountGates(), 5);
}

TEST(PinMapTest, MinusOneIsNoPinZeroIsAPinAndTheFirstTerminalOfAPinIsFound) {
  CComponent record("U", "P");
  record.AddGate(0, "logic", "NAND2", 3, nullptr, nullptr);
  record.AddGate(1, "logic", "NAND2", 3, nullptr, nullptr);
  EXPECT_TRUE(record.SetPinNumber(1, 2, 0));
  EXPECT_EQ(HolderOf(record, 0), std::make_pair(1, 2));
  EXPECT_TRUE(record.SetPinNumber(1, 2, -1));
  EXPECT_EQ(std::make_pair(HolderOf(record, 0), HolderOf(record, -1)),
            std::make_pair(std::make_pair(-1, -1), std::make_pair(-1, -1)));
  // Any other number is a pin as given, negative ones too.
  EXPECT_TRUE(record.SetPinNumber(0, 2, -2));
  EXPECT_EQ(HolderOf(record, -2), std::make_pair(0, 2));

  // Refusals change nothing and say why.
  record.SetPinNumber(0, 1, 5);
  for (const auto& [g, t] : std::vector<std::pair<int, int>>{{0, 0}, {0, 4}, {2, 1}}) {
    CAppError::ClearLastError();
    EXPECT_FALSE(record.SetPinNumber(g, t, 9)) << g << "/" << t;
    EXPECT_TRUE(CAppError::HasLastError());
  }
  EXPECT_EQ(std::make_pair(record.GetPinNumber(0, 1), record.GetPinNumber(0, 4)), std::make_pair(5, -1));
  EXPECT_FALSE(record.SetPinName(0, 4, "X") || !record.GetPinName(0, 4).IsEmpty());

  // The first terminal of a pin is found, and edits through the gate itself count as well
  // as edits through the record.
  record.SetPinNumber(1, 1, 7);
  record.SetPinNumber(0, 3, 7);
  EXPECT_EQ(HolderOf(record, 7), std::make_pair(0, 3));
  record.FindGate(0)->SetPinNumber(3, 8);
  EXPECT_EQ(HolderOf(record, 7), std::make_pair(1, 1));
  record.DeleteGate(1);
  EXPECT_EQ(HolderOf(record, 7), std::make_pair(-1, -1));
  record.AddGate(0, "logic", "NAND2", 1, nullptr, std::vector<int>{7}.data());
  EXPECT_EQ(HolderOf(record, 8), std::make_pair(1, 3));
}

TEST(PackageRecordTest, ANewPackageTakesTheComponentsGatesWithoutPins) {
  CDesign design;
  CComponent* dip = design.AddComponent("7400", "DIP-14");
  const CString names[] = {"A", "B", "Y"};
  const int numbers[] = {1, 2, 3};
  dip->AddGate(0, "logic", "NAND2", 3, names, numbers);
  dip->AddGate(1, "logic", "NAND2", 3, names, numbers);
  dip->SetDescription("Quad NAND");
  dip->SetPackageDescription("Through hole");
  dip->SetPcbSymbol("DIP14");

  CComponent* soic = design.AddComponent("7400", "SOIC-14");
  EXPECT_EQ(soic->GetDescription() + "|" + soic->GetPackageDescription() + "|" + soic->GetPcbSymbol(),
            "Quad NAND||");
  EXPECT_EQ(Gates(*soic), "0 NAND2 -1 -1 -1, 1 NAND2 -1 -1 -1");
  EXPECT_NE(soic->FindGate(0), dip->FindGate(0));
  EXPECT_EQ(soic->GetPinName(1, 3), "Y");

  // A PCB gate gives a record a pin map: an existing gate keeps its symbol, a missing one
  // takes it from another record of the component.
  soic->DeleteGate(1);
  const int soicNumbers[] = {4, 5, 6, 99};
  CGate* added = soic->AddPcbGate(1, 4, soicNumbers);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->GetPinName(2), "B");
  EXPECT_EQ(soic->AddPcbGate(0, 2, nullptr), soic->FindGate(0));
  EXPECT_EQ(Gates(*soic), "0 NAND2 -1 -1, 1 NAND2 4 5 6 99");
  EXPECT_EQ(Gates(*dip), "0 NAND2 1 2 3, 1 NAND2 1 2 3");

  // A gate added at an occupied index: every record of the component makes room alike,
  // each moved gate keeping its own pins; another component is not touched.
  const CComponent* other = design.AddComponent("OTHER", "DIP-14");
  ASSERT_NE(dip->AddGate(0, "logic", "INV", 2, nullptr, numbers), nullptr);
  EXPECT_EQ(Gates(*soic), "0 INV -1 -1, 1 NAND2 -1 -1, 2 NAND2 4 5 6 99");
  EXPECT_EQ(Gates(*dip), "0 INV 1 2, 1 NAND2 1 2 3, 2 NAND2 1 2 3");
  EXPECT_EQ(other->CountGates(), 0);
}

TEST(PackageRecordTest, CopyingARecordIsDeep) {
  CDesign source;
  CComponent* original = source.AddComponent("LM358", "DIP-8");
  const CString names[] = {"OUT", "IN-", "IN+"};
  const int numbers[] = {1, 2, 3};
  original->AddGate(0, "analog", "OPAMP", 3, names, numbers);
  original->AddGate(1, "analog", "OPAMP", 3, names, nullptr);
  original->SetDefaultReference("U");
  original->SetPinCount(8);
  original->GetPcbComponent()->SetLibrary("footprints");
  original->GetScmComponent()->SetShowName(CScmComponent::kPcbPinNumber, true);
  original->AddAttribute("Value", "LM358");
  const std::string before = DumpComponent(*original);

  CDesign target;
  CComponent* copy = target.AddComponent(original);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::make_tuple(DumpComponent(*copy), copy->GetOwnerDesign(), copy->FindGate(0)->GetComponent()),
            std::make_tuple(before, &target, copy));

  original->SetPinNumber(0, 1, 42);
  original->SetPinName(1, 2, "renamed");
  original->FindGate(0)->SetSymbol("OTHER");
  original->FindAttribute("value")->SetValue("changed");
  original->DeleteGate(1);
  EXPECT_EQ(DumpComponent(*copy), before);
  EXPECT_EQ(target.AddComponent(nullptr), nullptr);
}

TEST(PackageRecordTest, ShowNameFlagsAreIndependentAndPcbOnlyHasNoSchematicSide) {
  CComponent record("U", "P");
  CScmComponent* scm = record.GetScmComponent();
  ASSERT_NE(scm, nullptr);
  std::vector<int> flags;  // six of the schematic's, the same six shifted for the PCB's
  for (int side : {0, 8})
    for (int flag = 1; flag <= 0x20; flag <<= 1) flags.push_back(flag << side);
  for (int flag : flags) ASSERT_TRUE(scm->SetShowName(flag, false)) << flag;
  ASSERT_TRUE(scm->SetShowName(CScmComponent::kPcbSymbol, true));
  for (int flag : flags) EXPECT_EQ(scm->GetShowName(flag), flag == CScmComponent::kPcbSymbol) << flag;
  EXPECT_FALSE(scm->SetShowName(0x4000, true));
  record.SetPcbOnly(true);
  EXPECT_EQ(record.GetScmComponent(), nullptr);
}

// Gate letter names: a..z, then aa, ab, ... with no gaps and no two indexes alike.
TEST(GateNamesTest, NamesCountLikeSpreadsheetColumnsAndEveryIndexRoundTrips) {
  EXPECT_EQ(GateString(0) + GateString(25) + "|" + GateString(26) + "|" + GateString(701) + "|" +
                GateString(702) + "|" + GateString(-1),
            "az|aa|zz|aaa|");
  std::string previous;
  for (int index = 0; index <= 100000; ++index) {
    const CString name = GateString(index);
    ASSERT_EQ(GateId(name), index) << name.str();
    CString upper = name;
    ASSERT_EQ(GateId(upper.MakeUpper()), index) << name.str();
    // Shorter names first, then alphabetical: no name can repeat or be skipped.
    const std::string& text = name.str();
    ASSERT_TRUE(text.size() > previous.size() || (text.size() == previous.size() && text > previous))
        << previous << " then " << text;
    previous = text;
  }
  for (const char* bad : {"", "a1", " a", "a b", "\xc3\xa4", "fxshrxy", "zzzzzzzzzzzzzzzzzzzzzzzz"})
    EXPECT_EQ(GateId(bad), -1) << bad;
  EXPECT_EQ(GateId(nullptr), -1);
  EXPECT_EQ(GateId("fxshrxx"), 2147483647);
}

TEST(DesignTest, AttributeNamesIgnoreCaseAndAreNeverDoubledAndTheSelectionOverviewFollowsTheMarks) {
  CDesign design;
  CAttribute* added = design.AddAttribute("[PackageName]", "DIP-14");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(design.AddAttribute("[packagename]", "SOIC-14"), added);
  EXPECT_EQ(
      std::make_pair(design.GetAttributes()->Count(), design.FindAttribute("[PACKAGENAME]")->GetValue()),
      std::make_pair(1, CString("SOIC-14")));
  EXPECT_EQ(design.AddAttribute("", "x"), nullptr);

  // The selection overview follows the items' marks.
  CComponent* a = design.AddComponent("A", "P");
  CComponent* b = design.AddComponent("B", "P");
  CComponent* c = design.AddComponent("C", "P");
  CSelectionOverview* overview = design.GetSelectionOverview();
  b->SetSelected(true);
  a->SetSelected(true);
  b->SetSelected(true);
  EXPECT_EQ(std::make_pair(overview->First(), overview->Count()), (std::pair<CDesignItem*, int>(b, 2)));
  b->SetSelected(false);
  EXPECT_EQ(overview->First(), a);
  c->SetSelected(true);
  design.DeleteComponent(a);
  EXPECT_EQ(std::make_pair(overview->First(), overview->Count()), (std::pair<CDesignItem*, int>(c, 1)));
  b->SetSelected(true);
  overview->Clear();
  EXPECT_FALSE(overview->First() != nullptr || b->IsSelected() || c->IsSelected());
}

}  // namespace
