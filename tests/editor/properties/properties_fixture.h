// The property sheet as the user meets it: "QUAD-NAND2" open in DIP-14 (gates a to d
// are NAND2 with terminals A, B, Y; gate c has pins 9, 10, 8; gate e is POWER, VCC 14
// and GND 7; the other record is SOIC-14), an item picked in a drawing, Properties run
// by the frame and the user's actions scripted while the sheet is up.
#pragma once

#include "editor/properties/component_properties.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

class PropertiesTest : public SampleEditorTest {
 public:
  using Act = std::function<void(CComponentProperties& sheet, UserInput& input)>;
  static constexpr int kComponentPage = 0;
  static constexpr int kPackagePage = 1;

  void SetUp() override {
    SampleEditorTest::SetUp();
    ClearRecords();
  }
  // The sheet expected next: `act` works on it, then `button` is pressed.
  void ExpectSheet(const Act& act, int button = IDOK) {
    ExpectDialogClosedBy(Screen(), 0, button, [act](CDialog& dialog, UserInput& input) {
      act(dynamic_cast<CComponentProperties&>(dialog), input);
    });
  }
  // Properties on `item` (null: on what the drawings have selected), through ExpectSheet.
  void RunSheet(CDesignItem* item, const Act& act, int button = IDOK) {
    ExpectSheet(act, button);
    item != nullptr ? Frame().OnProperties(item) : Frame().OnProperties();
  }
  // A control of the page the sheet shows now.
  static CWnd* Ctl(const CComponentProperties& sheet, int id) {
    CWnd* control = sheet.GetActivePage() != nullptr ? sheet.GetActivePage()->GetDlgItem(id) : nullptr;
    if (control == nullptr) throw std::logic_error("the page shown has no control " + std::to_string(id));
    return control;
  }
  static std::string Text(const CComponentProperties& sheet, int id) {
    return Ctl(sheet, id)->GetWindowText().str();
  }
  // OK must show `message` and leave the sheet open at `page`, the focus on the control
  // at fault, with nothing written.
  void Refuse(CComponentProperties& sheet, UserInput& input, const std::string& message, int page,
              int focus) {
    SCOPED_TRACE(message);
    const std::vector<ComponentValue> before = Records();
    Screen().ExpectMessageBox(IDOK, CString(message));
    ASSERT_TRUE(input.Click(sheet.GetDlgItem(IDOK)));
    EXPECT_TRUE(sheet.IsModalActive());
    EXPECT_EQ(sheet.GetActiveIndex(), page);
    EXPECT_EQ(CWnd::GetFocusHandle(), Ctl(sheet, focus)->m_hWnd);
    EXPECT_EQ(Records(), before);
  }
  std::vector<ComponentValue> Records() { return RecordsOf(Design()); }
  // Whether the pin grid shows `text` in column `col` below the header.
  bool GridColumnHas(long col, const std::string& text) {
    for (long row = 1; row < Grid()->GetEditGrid().GetRows(); ++row)
      if (Grid()->GetEditGrid().GetTextMatrix(row, col).str() == text) return true;
    return false;
  }
  // Takes back every step made since `steps` and forgets the records.
  void UndoTo(int steps) {
    while (Design().GetUndoCount() > steps && Design().Undo()) {
    }
    ClearRecords();
  }
};
