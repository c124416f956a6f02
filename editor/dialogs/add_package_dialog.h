// CAddPackageDialog: names a new package of the component being edited (the design's
// first record), offering the stock names of "package.txt" beside the program, and
// picks the PCB symbol that draws it. On OK the dialog itself adds the new package
// record to the design, with the component's name and a pin map for every gate (no
// pin numbers yet), and hands it back; the caller wraps the dialog in its undo level.
#pragma once

#include <memory>

#include "host/uitools/library_combo_boxes.h"
#include "host/utility/stored_smart_combo_box.h"
#include "platform/dialog.h"
#include "platform/edit.h"

class CComponent;
class CDesign;
class CLibrarySymbolChooser;

class CAddPackageDialog : public CDialog {
 public:
  // `design` holds the component being edited; not owned.
  explicit CAddPackageDialog(CDesign* design, CWnd* parent = nullptr);
  ~CAddPackageDialog() override;

  // The record added on OK; null until then and after Cancel. Owned by the design.
  CComponent* GetNewComponent() const { return m_newComponent; }

  BOOL OnInitDialog() override;
  // Refuses, with the focus on the control at fault and the message shown, an invalid
  // package name, a package the component already has (whatever its case), a PCB
  // symbol that cannot be found and a negative pin count; nothing is added then and
  // the dialog stays open.
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // What the user chose, as read from the controls on OK.
  struct PackageChoice {
    CString package;
    CString symbol;
    int pins = 0;
  };

  // Null when the choice passes every check; else the control at fault, with the
  // message recorded as the last error.
  CWnd* CheckChoice(const CComponent& edited, PackageChoice& choice);
  CComponent* AddPackage(const CComponent& edited, const PackageChoice& choice);
  void OnSymbolChanged();
  void OnLibraryChanged();

  CEdit m_pinCount;
  CLibraryFileComboBox m_library;
  CLibraryContentsComboBox m_symbol;
  CStoredSmartComboBox m_package;
  CComponent* m_newComponent = nullptr;  // not owned: belongs to the design
  CDesign* m_design;                     // not owned
  std::unique_ptr<CLibrarySymbolChooser> m_chooser;
};
