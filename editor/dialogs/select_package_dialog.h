// CSelectPackageDialog: lists the packages of the design's records, sorted, and lets
// the user choose the one the editor shows. It changes nothing in the design.
#pragma once

#include "platform/combo_box.h"
#include "platform/dialog.h"

class CComponent;
class CDesign;

class CSelectPackageDialog : public CDialog {
 public:
  // `package` is preselected, whatever its case; the first entry is when no entry
  // matches (an empty name: there is no current package). `design` is not owned.
  CSelectPackageDialog(CDesign* design, const CString& package, CWnd* parent = nullptr);

  // After OK: the chosen package's record, or null when no entry was selected.
  CComponent* GetSelected() const { return m_selected; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CComboBox m_combo;
  CDesign* m_design;  // not owned
  CString m_package;
  CComponent* m_selected = nullptr;  // not owned: belongs to the design
};
