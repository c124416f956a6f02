// A host may pass any object with an update hint. The pin grid and the drawings take a
// hint's object only when it is of the class the hint carries; anything else is ignored,
// never read as if it were the expected kind.
#include <gtest/gtest.h>

#include <sstream>

#include "host/model/component.h"
#include "platform/grid_ctrl.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/editor/support/view_items.h"

namespace {

// An object of the host's own, smaller than any hint object the editor knows, so that
// reading it as one of those reads past its end.
class CHostObject : public CObject {
  DECLARE_DYNAMIC(CHostObject)
};
IMPLEMENT_DYNAMIC(CHostObject, CObject)

// Everything the user and the design show: the grid's cells with their bold marks,
// every pad each drawing shows with its texts and marks, and the pin map and names.
std::string Shown(CComponentGrid& grid, std::initializer_list<CSymbolView*> views, CComponent& component) {
  std::ostringstream shown;
  const GridData* cells = GetGridData(grid.GetEditGrid().GetSafeHwnd());
  for (long row = 0; row < cells->Rows(); ++row) {
    for (long col = 0; col < cells->Cols(); ++col)
      shown << cells->Cell(row, col)->text.str() << (cells->Cell(row, col)->bold ? "*|" : "|");
  }
  for (const CSymbolView* view : views) {
    for (const CPadInstance* pad : PlacedPads(*view))
      shown << pad->GetPinNumberText()->GetText().str() << ' ' << pad->GetPinNameText()->GetText().str()
            << (pad->GetHighlight() ? " lit" : "") << (pad->IsSelected() ? " selected" : "")
            << (pad->IsAssigned() ? " assigned\n" : "\n");
  }
  for (int gate = 0; gate < component.CountGates(); ++gate) {
    for (int terminal = 1; terminal <= component.FindGate(gate)->CountPins(); ++terminal)
      shown << component.GetPinName(gate, terminal).str() << ' ' << component.GetPinNumber(gate, terminal)
            << '\n';
  }
  return shown.str();
}

// Shipped bug (d148969): a hint's object was read as the kind the hint carries whatever
// its class.
TEST_F(SampleEditorTest, ObjectsOfAnotherClassAreIgnoredUnderEveryHintThatCarriesOne) {
  // Something is marked, so that a hint taken wrongly has marks to disturb.
  Design().UpdateAllViews(&PcbView(), HintPicked, Land(PcbView(), 5));
  const std::string before = Shown(*Grid(), {&ScmView(), &PcbView()}, Component());
  ASSERT_NE(before.find('*'), std::string::npos);
  ASSERT_NE(before.find(" lit"), std::string::npos);
  CHostObject host;
  CPinNumberHint pinNumber("NAND2", 0, 1, 9);
  CPinNameHint pinName("NAND2", 1, "X");
  const std::vector<std::pair<LPARAM, CObject*>> sent = {
      {HintPicked, &host},          {HintPicked, &pinNumber},
      {HintPinNumber, &host},       {HintPinNumber, &pinName},
      {HintPinName, &host},         {HintPinName, &pinNumber},
      {HintComponentObject, &host}, {HintComponentObject, &pinNumber}};
  for (const auto& [hint, object] : sent) {
    SCOPED_TRACE("hint " + std::to_string(hint) + " with a " + object->GetRuntimeClass()->m_lpszClassName);
    Design().UpdateAllViews(nullptr, hint, object);
    EXPECT_EQ(Shown(*Grid(), {&ScmView(), &PcbView()}, Component()), before);
  }
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

}  // namespace
