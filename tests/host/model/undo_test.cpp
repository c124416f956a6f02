// Undo levels: folding, empty levels, names, identity of the objects, a long random
// run of edits undone and redone exactly, and the pin changes between two values of a
// record that let a drawing take an undone assignment without being rebuilt.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "host/model/component_value.h"
#include "host/model/design.h"
#include "host/model/undo_step_hint.h"
#include "platform/view.h"
#include "tests/host/model/model_dump.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kProperties = 19006;
constexpr UINT kAssignPins = 19019;
constexpr UINT kAddGate = 19021;
constexpr UINT kDeletePackage = 19025;
constexpr UINT kEditPinMap = 19035;

class HintLog : public CView {
 public:
  // What each undo or redo says it changed of the first record; nullopt asks for a rebuild.
  std::vector<std::optional<std::vector<TerminalChange>>> changes;
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM, CObject* object) override {
    const auto* step = DynamicDowncast<CUndoStepHint>(object);
    const auto* design = DynamicDowncast<CDesign>(GetDocument());
    if (step != nullptr && design != nullptr && design->FirstComponent() != nullptr)
      changes.push_back(step->TerminalChangesOf(design->FirstComponent()->GetId()));
  }
};

class UndoTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    design.SetUndoLevelObserver([this](const UndoLevelEvent& event) { events.push_back(event); });
    record = design.AddComponent("7400", "DIP-14");
    const CString names[] = {"A", "B", "Y"};
    const int numbers[] = {1, 2, 3};
    record->AddGate(0, "logic", "NAND2", 3, names, numbers);
    record->AddGate(1, "logic", "NAND2", 3, names, nullptr);
  }

  CDesign design;
  CComponent* record = nullptr;
  std::vector<UndoLevelEvent> events;
};

TEST_F(UndoTest, NestedLevelsFoldIntoTheOutermostStepAndUnbalancedOnesKeepTheBalance) {
  design.StartUndoLevel(kAssignPins);
  record->SetPinNumber(1, 1, 4);
  design.StartUndoLevel(kEditPinMap);
  record->SetPinNumber(1, 2, 5);
  EXPECT_TRUE(design.EndUndoLevel(kEditPinMap));
  EXPECT_FALSE(design.CanUndo());
  record->SetPinName(0, 3, "OUT");
  EXPECT_TRUE(design.EndUndoLevel(kAssignPins));

  using enum UndoLevelEvent::Kind;
  EXPECT_EQ(events, (std::vector<UndoLevelEvent>{
                        {Start, kAssignPins}, {Start, kEditPinMap}, {End, kEditPinMap}, {End, kAssignPins}}));
  EXPECT_EQ(design.GetUndoName(), "Assign Pins");
  ASSERT_TRUE(design.Undo());
  EXPECT_FALSE(design.CanUndo());
  EXPECT_EQ(design.GetRedoName(), "Assign Pins");
  ASSERT_TRUE(design.Redo());
  EXPECT_FALSE(design.Redo());

  // Unbalanced levels are refused without losing balance.
  EXPECT_FALSE(design.EndUndoLevel(kAddGate));
  design.StartUndoLevel(kAddGate);
  record->SetPinNumber(0, 1, 11);
  EXPECT_FALSE(design.CanUndo() || design.Undo());
  // The wrong id still closes the level; the step keeps the id it was opened with.
  EXPECT_FALSE(design.EndUndoLevel(kProperties) || design.IsUndoLevelOpen());
  EXPECT_EQ(design.GetUndoName(), "Add Gate");
}

TEST_F(UndoTest, ALevelThatChangesNothingLeavesNoStep) {
  design.StartUndoLevel(kAddGate);
  design.EndUndoLevel(kAddGate);
  EXPECT_FALSE(design.CanUndo());

  // Changed and changed back is no change either, and keeps what can be redone.
  design.StartUndoLevel(kEditPinMap);
  record->SetPinNumber(0, 1, 9);
  design.EndUndoLevel(kEditPinMap);
  design.Undo();
  design.StartUndoLevel(kProperties);
  record->SetDescription("Quad NAND");
  record->SetDescription("");
  design.EndUndoLevel(kProperties);
  EXPECT_FALSE(design.CanUndo());
  EXPECT_EQ(design.GetRedoName(), "Edit Pin Map");

  // A real step drops the steps that could be redone.
  design.StartUndoLevel(kProperties);
  record->SetDescription("Quad NAND");
  design.EndUndoLevel(kProperties);
  EXPECT_EQ(std::make_pair(design.CanRedo(), design.GetRedoName()), std::make_pair(false, CString("")));
}

// A step of pins and names alone names its terminals to the views, both ways; one that
// changes anything else of the record asks them to rebuild.
TEST_F(UndoTest, UndoAndRedoNameTheTerminalsTheyChangedWhenThatIsAllTheyChanged) {
  HintLog view;
  design.AddView(&view);
  design.StartUndoLevel(kAssignPins);
  record->SetPinNumber(1, 1, 4);
  record->SetPinName(0, 3, "OUT");
  design.EndUndoLevel(kAssignPins);
  design.StartUndoLevel(kAssignPins);
  record->SetPinNumber(1, 2, 5);
  record->SetDescription("quad NAND");
  design.EndUndoLevel(kAssignPins);

  ASSERT_TRUE(design.Undo());
  ASSERT_TRUE(design.Undo());
  ASSERT_TRUE(design.Redo());
  const std::vector<TerminalChange> terminals = {{0, 3, false, true}, {1, 1, true, false}};
  EXPECT_EQ(view.changes,
            (std::vector<std::optional<std::vector<TerminalChange>>>{std::nullopt, terminals, terminals}));
  design.RemoveView(&view);
}

// Edits of every kind on several records, some in nested levels, some refused. The first
// record and its gate 0 are never deleted, so their objects must survive every step.
class RandomEdits {
 public:
  RandomEdits(CDesign& design, CComponent* kept) : m_design(design), m_kept(kept) {}

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

  void EditOnce() {
    CComponent* target = AnyRecord();
    const int gate = Pick(1, 6);
    const CString& name = kNames[Pick(0, 5)];
    const int numbers[] = {Pick(-1, 30), Pick(-1, 30), Pick(-1, 30),
                           Pick(-1, 30), Pick(-1, 30), Pick(-1, 30)};
    CScmComponent* scm = target->GetScmComponent();
    const std::function<void()> edits[] = {
        [&] { target->SetPinNumber(Pick(0, 6), Pick(0, 5), Pick(-2, 30)); },
        [&] { target->SetPinName(Pick(0, 6), Pick(0, 5), name); },
        [&] {
          target->AddGate(gate, "lib", name, Pick(0, 6), Pick(0, 1) ? kNames : nullptr,
                          Pick(0, 1) ? numbers : nullptr);
        },
        [&] { target->DeleteGate(gate); },
        [&] { target->ReplaceGateSymbol(gate, name, Pick(0, 1) ? "other" : nullptr, Pick(0, 6)); },
        [&] { target->AddPcbGate(Pick(0, 7), Pick(0, 6), Pick(0, 1) ? numbers : nullptr); },
        [&] { m_design.AddComponent("7400", name); },
        [&] { m_design.AddComponent(target); },
        [&] { m_design.DeleteComponent(target != m_kept ? target : nullptr); },
        [&] { target->SetPackage(name); },
        [&] { target->SetDescription(name); },
        [&] {
          if (scm != nullptr) scm->SetShowName(1 << Pick(0, 13), Pick(0, 1));
        },
        [&] { target->AddAttribute(kNames[Pick(0, 2)], name); },
        [&] {
          target->SetPcbOnly(Pick(0, 3) == 0);
          target->SetPinCount(Pick(0, 40));
        }};
    edits[Pick(0, 13)]();
  }

 private:
  static inline const CString kNames[] = {"A", "B", "C", "D", "E", "F"};

  CComponent* AnyRecord() {
    std::vector<CComponent*> records;
    POSITION position = nullptr;
    for (CComponent* r = m_design.FirstComponent(position); r != nullptr;
         r = m_design.NextComponent(position))
      records.push_back(r);
    return records[static_cast<size_t>(Pick(0, static_cast<int>(records.size()) - 1))];
  }

  CDesign& m_design;
  CComponent* m_kept;
  std::mt19937 m_random{20240611};
};

TEST_F(UndoTest, ARandomRunOfEditsIsUndoneAndRedoneExactly) {
  const std::vector<UINT> levels = {kProperties, kAssignPins, kAddGate, kDeletePackage, kEditPinMap};
  CGate* keptGate = record->FindGate(0);
  RandomEdits edits(design, record);

  std::vector<std::string> states = {DumpDesign(design)};
  for (int step = 0; step < 90; ++step) {
    const UINT level = levels[static_cast<size_t>(edits.Pick(0, 4))];
    design.StartUndoLevel(level);
    for (int count = edits.Pick(1, 6); count > 0; --count) {
      const bool nested = edits.Pick(0, 5) == 0;
      if (nested) design.StartUndoLevel(kEditPinMap);
      edits.EditOnce();
      if (nested) design.EndUndoLevel(kEditPinMap);
    }
    design.EndUndoLevel(level);
    if (design.GetUndoCount() == static_cast<int>(states.size())) states.push_back(DumpDesign(design));
  }
  ASSERT_GT(states.size(), 60u);
  ASSERT_EQ(design.GetUndoCount(), static_cast<int>(states.size()) - 1);

  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(design.Undo());
    ASSERT_EQ(DumpDesign(design), states[i - 1]) << "undone to state " << i - 1;
  }
  EXPECT_FALSE(design.CanUndo());
  EXPECT_EQ(std::make_pair(design.FirstComponent(), record->FindGate(0)), std::make_pair(record, keptGate));
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(design.Redo());
    ASSERT_EQ(DumpDesign(design), states[i]) << "redone to state " << i;
  }
  EXPECT_FALSE(design.CanRedo());
  EXPECT_EQ(std::make_pair(design.FirstComponent(), record->FindGate(0)), std::make_pair(record, keptGate));
}

ComponentValue TwoGates() {
  ComponentValue value;
  value.id = 7;
  value.name = "DUT";
  value.package = "DIP-8";
  for (int index = 0; index < 2; ++index)  // indexes need not be positions
    value.gates.push_back(
        {100u + index, index * 2, "NAND2", "logic.scmlib", {{"A", -1}, {"B", -1}, {"Y", -1}}});
  return value;
}

TEST(PinChangesTest, ListsEachChangedTerminalByGateIndexIgnoringIdentitiesAndNothingElse) {
  const ComponentValue shown = TwoGates();
  ComponentValue wanted = TwoGates();
  wanted.id = 8;
  wanted.gates[0].id = 200;
  wanted.gates[0].terminals[2].pin = 3;
  wanted.gates[1].terminals[0].pin = 5;
  EXPECT_EQ(PinChangesBetween(shown, wanted), (std::vector<PinChange>{{0, 3, 3}, {2, 1, 5}}));
  EXPECT_EQ(PinChangesBetween(shown, shown), std::vector<PinChange>{});

  // With a pin changed too, any other difference is no pin change.
  const std::function<void(ComponentValue&)> others[] = {
      [](ComponentValue& v) { v.package = "SO-8"; },
      [](ComponentValue& v) { v.gates[1].symbol = "NOR2"; },
      [](ComponentValue& v) { v.gates[1].terminals[1].name = "C"; },
      [](ComponentValue& v) { v.gates[1].terminals.pop_back(); },
      [](ComponentValue& v) { v.gates.pop_back(); },
      [](ComponentValue& v) { v.gates[1].index = 3; }};
  for (const auto& change : others) {
    ComponentValue value = TwoGates();
    value.gates[0].terminals[0].pin = 1;
    change(value);
    EXPECT_FALSE(PinChangesBetween(shown, value));
  }
}

}  // namespace
