// Which terminals' pins differ between two values of a package record, when nothing
// else does: what lets a drawing take an undone assignment without being rebuilt.
#include <gtest/gtest.h>

#include "host/model/component_value.h"

namespace {

ComponentValue TwoGates() {
  ComponentValue value;
  value.id = 7;
  value.name = "DUT";
  value.package = "DIP-8";
  for (int index = 0; index < 2; ++index) {
    GateValue gate;
    gate.id = 100 + index;
    gate.index = index * 2;  // indexes need not be positions
    gate.symbol = "NAND2";
    gate.library = "logic.scmlib";
    gate.terminals = {{"A", -1}, {"B", -1}, {"Y", -1}};
    value.gates.push_back(gate);
  }
  return value;
}

TEST(PinChangesTest, ListsEachChangedTerminalByGateIndexAndIgnoresIdentities) {
  const ComponentValue shown = TwoGates();
  ComponentValue wanted = TwoGates();
  wanted.id = 8;
  wanted.gates[0].id = 200;
  wanted.gates[0].terminals[2].pin = 3;
  wanted.gates[1].terminals[0].pin = 5;
  const auto changes = PinChangesBetween(shown, wanted);
  ASSERT_TRUE(changes.has_value());
  EXPECT_EQ(*changes, (std::vector<PinChange>{{0, 3, 3}, {2, 1, 5}}));

  const auto none = PinChangesBetween(shown, shown);
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
}

TEST(PinChangesTest, AnyOtherDifferenceIsNotAPinChange) {
  const ComponentValue shown = TwoGates();
  auto withPinAnd = [](auto change) {
    ComponentValue value = TwoGates();
    value.gates[0].terminals[0].pin = 1;
    change(value);
    return value;
  };
  EXPECT_FALSE(PinChangesBetween(shown, withPinAnd([](ComponentValue& v) { v.package = "SO-8"; })));
  EXPECT_FALSE(PinChangesBetween(shown, withPinAnd([](ComponentValue& v) { v.gates[1].symbol = "NOR2"; })));
  EXPECT_FALSE(
      PinChangesBetween(shown, withPinAnd([](ComponentValue& v) { v.gates[1].terminals[1].name = "C"; })));
  EXPECT_FALSE(
      PinChangesBetween(shown, withPinAnd([](ComponentValue& v) { v.gates[1].terminals.pop_back(); })));
  EXPECT_FALSE(PinChangesBetween(shown, withPinAnd([](ComponentValue& v) { v.gates.pop_back(); })));
  EXPECT_FALSE(PinChangesBetween(shown, withPinAnd([](ComponentValue& v) { v.gates[1].index = 3; })));
}

}  // namespace
