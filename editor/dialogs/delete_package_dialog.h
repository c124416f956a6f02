// CDeletePackageDialog: lists the packages of the design's records, sorted, with the
// current one preselected, and deletes the chosen package's record on "Delete". The
// last record of the design is never deleted. The caller chooses the next current
// record and wraps the dialog in its undo level.
#pragma once

#include "platform/combo_box.h"
#include "platform/dialog.h"

class CComponent;
class CDesign;

class CDeletePackageDialog : public CDialog {
 public:
  // Neither `design` nor `current` is owned.
  CDeletePackageDialog(CDesign* design, CComponent* current, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  // Refuses the last package, and a typed name that is no listed package: the message
  // is shown, the focus goes back to the list and the dialog stays open.
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void RefuseTypedName();

  CComboBox m_combo;
  CDesign* m_design;      // not owned
  CComponent* m_current;  // not owned: belongs to the design
};
