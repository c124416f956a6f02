// A host may pass any object with an update hint. The pin grid and the drawings take a
// hint's object only when it is of the class the hint carries; anything else is ignored,
// never read as if it were the expected kind.
#include <gtest/gtest.h>

#include <sstream>

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

class ForeignHintTest : public SampleEditorTest {
 protected:
  // Everything the user and the design show: the grid's cells with their bold marks,
  // every pad each drawing shows with its texts and marks, and the pin map and names.
  std::string Shown() {
    std::ostringstream shown;
    const GridData* grid = GetGridData(Grid()->GetEditGrid().GetSafeHwnd());
    for (long row = 0; row < grid->Rows(); ++row) {
      for (long col = 0; col < grid->Cols(); ++col) {
        const GridCell* cell = grid->Cell(row, col);
        shown << cell->text.str() << (cell->bold ? "*" : "") << '|';
      }
      shown << '\n';
    }
    for (const CSymbolView* view :
         {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
      for (const CPadInstance* pad : PlacedPads(*view)) {
        shown << pad->GetPinNumberText()->GetText().str() << ' ' << pad->GetPinNameText()->GetText().str()
              << (pad->GetHighlight() ? " lit" : "") << (pad->IsSelected() ? " selected" : "")
              << (pad->IsAssigned() ? " assigned" : "") << '\n';
      }
    }
    POSITION position = nullptr;
    int index = 0;
    for (const CGate* gate = Component().FirstGate(position, index); gate != nullptr;
         gate = Component().NextGate(position, index)) {
      for (int terminal = 1; terminal <= gate->CountPins(); ++terminal)
        shown << index << '.' << terminal << ' ' << gate->GetPinName(terminal).str() << ' '
              << gate->GetPinNumber(terminal) << '\n';
    }
    return shown.str();
  }
};

TEST_F(ForeignHintTest, ObjectsOfAnotherClassAreIgnoredUnderEveryHintThatCarriesOne) {
  // Something is marked, so that a hint taken wrongly has marks to disturb.
  Design().UpdateAllViews(&PcbView(), HintPicked, Land(PcbView(), 5));
  const std::string before = Shown();
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
    EXPECT_EQ(Shown(), before);
  }
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

}  // namespace
