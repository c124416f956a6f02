// The pin and gate pages shown as the user meets them: in a property sheet, here one of
// the test's own, on the editor fixture's design. The responder acts through the
// user-input API while the sheet is up and must end it.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/edit.h"
#include "platform/property_sheet.h"
#include "tests/editor/support/editor_fixture.h"

class PageSheetTest : public EditorTest {
 protected:
  using SheetResponder = std::function<void(CPropertySheet& sheet, UserInput& input)>;

  // Shows the pages in one sheet, at the first, and returns how the sheet ended.
  INT_PTR ShowSheet(const std::vector<CPropertyPage*>& pages, const SheetResponder& respond) {
    CPropertySheet sheet(IDS_PROPERTIES);
    for (CPropertyPage* page : pages) sheet.AddPage(page);
    Screen().ExpectDialog(0, [&](CDialog&, UserInput& input) { respond(sheet, input); });
    return sheet.DoModal();
  }
  INT_PTR ShowPage(CPropertyPage& page, const SheetResponder& respond) { return ShowSheet({&page}, respond); }

  static CWnd* Control(const CPropertyPage& page, int id) {
    CWnd* control = page.GetDlgItem(id);
    if (control == nullptr) throw std::logic_error("the page has no control " + std::to_string(id));
    return control;
  }
  static std::string Text(const CPropertyPage& page, int id) {
    return Control(page, id)->GetWindowText().str();
  }
  static bool HasFocus(const CPropertyPage& page, int id) {
    return CWnd::GetFocusHandle() == Control(page, id)->GetSafeHwnd();
  }
  static bool IsReadOnly(const CPropertyPage& page, int id) {
    return (Control(page, id)->GetStyle() & ES_READONLY) != 0;
  }
  // The whole text of an edit is selected, ready to be typed over.
  static bool WholeTextSelected(const CPropertyPage& page, int id) {
    const EditData* edit = GetEditData(Control(page, id)->GetSafeHwnd());
    return edit != nullptr && edit->selStart == 0 &&
           edit->selEnd == Control(page, id)->GetWindowText().GetLength();
  }
  static bool ClickOk(CPropertySheet& sheet, UserInput& input) { return input.Click(sheet.GetDlgItem(IDOK)); }
  static bool ClickCancel(CPropertySheet& sheet, UserInput& input) {
    return input.Click(sheet.GetDlgItem(IDCANCEL));
  }
  static bool ClickApply(CPropertySheet& sheet, UserInput& input) {
    return input.Click(sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW)));
  }

  // The pin grid's texts of one column below the header; empty without a grid.
  std::vector<std::string> GridColumn(long col) {
    std::vector<std::string> texts;
    if (Grid() == nullptr) return texts;
    const CEditGrid& cells = Grid()->GetEditGrid();
    for (long row = 1; row < cells.GetRows(); ++row) texts.push_back(cells.GetTextMatrix(row, col).str());
    return texts;
  }

  // Every package record of the design, in order.
  std::vector<ComponentValue> Records() {
    std::vector<ComponentValue> records;
    POSITION position = nullptr;
    for (CComponent* record = Design().FirstComponent(position); record != nullptr;
         record = Design().NextComponent(position)) {
      records.push_back(record->GetValue());
    }
    return records;
  }
};
