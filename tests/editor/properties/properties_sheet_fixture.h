// The editor fixture for the property sheet: the sheet is answered by a responder that
// records what it showed (caption, tabs, the pages' run-time classes and the page it
// opened at), lets the test act on it as a user, and ends it with a button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/properties/component_properties.h"
#include "platform/tab_control.h"
#include "tests/editor/support/editor_fixture.h"

// What the sheet showed when it came up.
struct ShownSheet {
  bool shown = false;
  CString caption;
  std::vector<CString> tabs;
  std::vector<std::string> pages;  // run-time class names, in tab order
  int active = -1;
  std::string activePage;
};

class PropertiesSheetTest : public EditorTest {
 protected:
  using SheetAction = std::function<void(CComponentProperties& sheet, UserInput& user)>;

  // The next modal dialog must be the property sheet: what it shows is recorded in
  // Shown(), `act` works on it, then `button` (IDOK or IDCANCEL) is pressed. A sheet
  // that stays open after the button is cancelled, which fails the test.
  void ExpectSheet(int button, SheetAction act = {}) {
    Screen().ExpectDialog(0, [this, button, act](CDialog& dialog, UserInput& input) {
      auto* sheet = DynamicDowncast<CComponentProperties>(&dialog);
      if (sheet == nullptr) {
        ADD_FAILURE() << "the dialog shown is not the component's property sheet";
        input.Click(dialog.GetDlgItem(IDCANCEL));
        return;
      }
      Record(*sheet);
      if (act) act(*sheet, input);
      input.Click(sheet->GetDlgItem(button));
      if (sheet->IsModalActive()) {
        ADD_FAILURE() << "the sheet stayed open after button " << button;
        input.Click(sheet->GetDlgItem(IDCANCEL));
      }
    });
  }

  const ShownSheet& Shown() const { return m_shown; }

  // A control of the page the sheet shows now; null when there is none.
  static CWnd* PageControl(const CComponentProperties& sheet, int id) {
    const CPropertyPage* page = sheet.GetActivePage();
    return page != nullptr ? page->GetDlgItem(id) : nullptr;
  }
  static CString PageText(const CComponentProperties& sheet, int id) {
    const CWnd* control = PageControl(sheet, id);
    return control != nullptr ? control->GetWindowText() : CString("(no control)");
  }

 private:
  void Record(const CComponentProperties& sheet) {
    m_shown.shown = true;
    m_shown.caption = sheet.GetWindowText();
    if (const TabControlData* tabs = GetTabControlData(sheet.GetTabControl()->m_hWnd))
      m_shown.tabs = tabs->tabs;
    for (int index = 0; index < sheet.GetPageCount(); ++index) {
      m_shown.pages.emplace_back(sheet.GetPage(index)->GetRuntimeClass()->m_lpszClassName);
    }
    m_shown.active = sheet.GetActiveIndex();
    if (const CPropertyPage* page = sheet.GetActivePage()) {
      m_shown.activePage = page->GetRuntimeClass()->m_lpszClassName;
    }
  }

  ShownSheet m_shown;
};
