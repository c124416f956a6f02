// The property sheet as the user meets it: "QUAD-NAND2" open in DIP-14 (gates a to d
// are NAND2 with terminals A, B, Y; gate c has pins 9, 10, 8; gate e is POWER, VCC 14
// and GND 7; the other record is SOIC-14), an item picked in a drawing, Properties run
// by the frame and the user's actions scripted while the sheet is up.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/properties/component_properties.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/editor/support/view_items.h"
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

  // Runs Properties on `item` (null: on what the drawings have selected), lets `act` work
  // on the sheet and then presses `button`. A sheet that stays open after it fails the
  // test and is cancelled.
  void RunSheet(CDesignItem* item, const Act& act, int button = IDOK) {
    bool shown = false;
    Screen().ExpectDialog(0, [&](CDialog& dialog, UserInput& input) {
      auto& sheet = dynamic_cast<CComponentProperties&>(dialog);
      shown = true;
      act(sheet, input);
      input.Click(sheet.GetDlgItem(button));
      if (!sheet.IsModalActive()) return;
      ADD_FAILURE() << "the sheet stayed open after button " << button;
      input.Click(sheet.GetDlgItem(IDCANCEL));
    });
    item != nullptr ? Frame().OnProperties(item) : Frame().OnProperties();
    EXPECT_TRUE(shown) << "no property sheet";
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
  static std::vector<std::string> Lines(const CComponentProperties& sheet, int id) {
    return ListBoxLines(*static_cast<CListBox*>(Ctl(sheet, id)));
  }

  // OK must show `message` and leave the sheet open at the page of `page`, the focus on
  // the control at fault, with nothing written.
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

  // Every package record of the design, in order.
  std::vector<ComponentValue> Records() {
    std::vector<ComponentValue> records;
    POSITION position = nullptr;
    for (CComponent* record = Design().FirstComponent(position); record != nullptr;
         record = Design().NextComponent(position))
      records.push_back(record->GetValue());
    return records;
  }
  // The pin grid's texts of one column below the header.
  std::vector<std::string> GridColumn(long col) {
    std::vector<std::string> texts;
    for (long row = 1; row < Grid()->GetEditGrid().GetRows(); ++row)
      texts.push_back(Grid()->GetEditGrid().GetTextMatrix(row, col).str());
    return texts;
  }
  // Takes back every step made since `steps` and forgets the records.
  void UndoTo(int steps) {
    while (Design().GetUndoCount() > steps && Design().Undo()) {
    }
    ClearRecords();
  }
};
