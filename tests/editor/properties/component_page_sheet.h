// A properties sheet of the tests' own for the component and package pages: both pages
// on one package record, component page first, as every properties sheet holds them,
// and the fixture that runs it modally with the user's actions scripted.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/properties/component_property_page.h"
#include "editor/properties/package_property_page.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

class PagesSheet : public CPropertySheet {
 public:
  PagesSheet(CDesign& design, CComponent& component, UINT startPage)
      : CPropertySheet("Properties", nullptr, startPage) {
    componentPage.SetComponent(&design, &component);
    packagePage.SetComponent(&design, &component);
    AddPage(&componentPage);
    AddPage(&packagePage);
  }

  CComponentPropertyPage componentPage;
  CPackagePropertyPage packagePage;
};

class PagesSheetTest : public EditorTest {
 protected:
  static constexpr UINT kComponentPage = 0;
  static constexpr UINT kPackagePage = 1;

  using Script = std::function<void(PagesSheet& sheet, UserInput& user)>;

  // Shows the sheet on the frame's current component, opened at `startPage`; the
  // script acts as the user and must end the sheet. Returns what DoModal returned.
  INT_PTR RunSheet(UINT startPage, const Script& script) {
    PagesSheet sheet(Design(), Component(), startPage);
    Screen().ExpectDialog(0, [&](CDialog&, UserInput& input) { script(sheet, input); });
    return sheet.DoModal();
  }

  // A control of a page of the running sheet; fails the test when the page lacks it.
  static CWnd* Item(CPropertyPage& page, int id) {
    CWnd* control = page.GetDlgItem(id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
  }
  static CWnd* SheetButton(PagesSheet& sheet, int id) { return sheet.GetDlgItem(id); }
  static bool HasFocus(CPropertyPage& page, int id) {
    const CWnd* control = page.GetDlgItem(id);
    return control != nullptr && CWnd::GetFocusHandle() == control->m_hWnd;
  }
  static bool IsChecked(CPropertyPage& page, int id) {
    CWnd* box = Item(page, id);
    return box != nullptr && box->SendMessage(BM_GETCHECK) == BST_CHECKED;
  }
  static CString TextOf(CPropertyPage& page, int id) {
    CWnd* control = Item(page, id);
    return control != nullptr ? control->GetWindowText() : CString();
  }
  static std::vector<std::string> ListLines(CPropertyPage& page, int id) {
    CWnd* list = Item(page, id);
    return list != nullptr ? ListBoxLines(*static_cast<CListBox*>(list)) : std::vector<std::string>{};
  }
  static std::vector<std::string> ComboLines(CPropertyPage& page, int id) {
    CWnd* combo = Item(page, id);
    return combo != nullptr ? ComboEntries(*static_cast<CComboBox*>(combo)) : std::vector<std::string>{};
  }
};
