// The editor fixture for the interaction modes: clicks on the pads the drawings show,
// and read-backs of the marks and the pin map the user sees.
#pragma once

#include <stdexcept>
#include <vector>

#include "host/utility/edit_grid.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/editor/support/view_items.h"

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
  bool RightClick(CSymbolView& view, CPoint point) { return user.OpenContextMenu(&view, point); }
  // Inside a symbol's body, away from its pins.
  static CPoint BodyCentreOf(const CSymbolView& view, const CSymbolInstance* instance) {
    const CRect body = instance->GetPlacement().MapBox(instance->GetSymbol()->GetExtents());
    return view.GetTransform().ToView(body.CenterPoint());
  }

  // The pin of every terminal, in gate and then terminal order.
  std::vector<int> PinMap() {
    std::vector<int> pins;
    POSITION position = nullptr;
    int index = 0;
    for (CGate* gate = Component().FirstGate(position, index); gate != nullptr;
         gate = Component().NextGate(position, index)) {
      for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
        pins.push_back(Component().GetPinNumber(index, terminal));
      }
    }
    return pins;
  }

  int BoldGridCells() {
    const GridData* data = Grid() != nullptr ? GetGridData(Grid()->GetEditGrid().GetSafeHwnd()) : nullptr;
    int bold = 0;
    for (long row = 0; data != nullptr && row < data->Rows(); ++row) {
      for (long col = 0; col < data->Cols(); ++col) bold += data->Cell(row, col)->bold ? 1 : 0;
    }
    return bold;
  }

  static CDesignItem* Selected(const CSymbolView& view) { return view.GetSelectedItem(); }
};
