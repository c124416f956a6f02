// The editor fixture for the interaction modes: clicks on the pads the drawings show,
// and the points inside the symbols' bodies.
#pragma once

#include <stdexcept>
#include <vector>

#include "tests/editor/support/editor_fixture.h"
#include "tests/support/view_items.h"

class ModesTest : public EditorTest {
 protected:
  void TearDown() override {
    // The assigning flag is module-wide: a run left open would reach the next test.
    try {
      Frame().StopAssignPins();
    } catch (const std::logic_error&) {
    }
    EditorTest::TearDown();
  }

  bool Click(CSymbolView& view, const CPadInstance* pad) {
    return pad != nullptr && user.LeftClick(&view, ClientPointOf(view, pad));
  }
  // Fitted drawings leave a wide margin round their contents: the corner is empty.
  bool ClickEmpty(CSymbolView& view) { return user.LeftClick(&view, CPoint(2, 2)); }
  // Clicks the PCB pad of `pin` and the gate's terminal in the frame's drawings, in that
  // order or the other; the second is looked up after the first click.
  void Pair(CComponentFrame& frame, int pin, int gate, int terminal, bool pcbFirst = true) {
    CSymbolView& pcb = *frame.GetSymbolsFrame()->GetPcbView();
    CSymbolView& scm = *frame.GetSymbolsFrame()->GetScmView();
    ASSERT_TRUE(pcbFirst ? Click(pcb, Land(pcb, pin)) : Click(scm, Terminal(scm, gate, terminal)));
    ASSERT_TRUE(pcbFirst ? Click(scm, Terminal(scm, gate, terminal)) : Click(pcb, Land(pcb, pin)));
  }
  // Inside a symbol's body, away from its pins.
  static CPoint BodyCentreOf(const CSymbolView& view, const CSymbolInstance* instance) {
    const CRect body = instance->GetPlacement().MapBox(instance->GetSymbol()->GetExtents());
    return view.GetTransform().ToView(body.CenterPoint());
  }
};
