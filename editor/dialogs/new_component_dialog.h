// CNewComponentDialog: sets up a new component in an empty design, or a further one in
// a design that already holds one. The user names the component and its first
// package, picks a default reference, and in two sections, each switched on and off by
// the check box on its frame, the PCB symbol of the package and the schematic symbol
// of the gates with how many gates to make.
//
// On OK the dialog itself adds the record to the design: its PCB symbol, library, pin
// count and default reference, and the gates; without a PCB symbol the gates' terminals
// are numbered one after the other (gate a 1 to n, gate b n+1 to 2n, ...). A section
// switched off only greys its controls: what it holds is still checked and used.
// Every check runs before anything is added, so a refused OK leaves the design as it
// was, with the focus on the control at fault and the reason shown.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include "host/libtools/find_library_item.h"
#include "host/uitools/library_combo_boxes.h"
#include "host/utility/stored_smart_combo_box.h"
#include "platform/button.h"
#include "platform/cstring.h"
#include "platform/dialog.h"
#include "platform/edit.h"

class CComponent;
class CDesign;
class CLibrarySymbolChooser;
class CNewComponent;

class CNewComponentDialog : public CDialog {
 public:
  // `design` receives the component; not owned.
  explicit CNewComponentDialog(CDesign* design, CWnd* parent = nullptr);
  ~CNewComponentDialog() override;

  // True when a component may take `name`; else false, with the reason recorded as
  // the last error. The name has passed ValidComponentName.
  using NameCheck = std::function<bool(const CString& name)>;
  // A check of the name beyond its form, run on OK before any other check: a name the
  // library holds already is refused there, with the focus on the name.
  void SetNameCheck(NameCheck check) { m_nameCheck = std::move(check); }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // Null when what the controls hold passes every check, and `component` holds it;
  // else the control at fault, with the message recorded as the last error.
  CWnd* CheckChoice(CNewComponent& component);
  CWnd* CheckPackage(CNewComponent& component);
  CWnd* CheckSymbols(CNewComponent& component);
  // How many gates to make: 0 counts as 1; a count beyond a signed int makes none.
  int GateCount() const;

  void ApplyPcbSection();
  void ApplyScmSection();
  void EnableControls(std::initializer_list<int> ids, bool enable);

  void OnPcbSymbolChanged();
  void OnScmSymbolChanged();
  void OnPcbLibraryChanged();
  void OnScmLibraryChanged();
  void OnFindPcbSymbol();
  void OnFindScmSymbol();
  static void OnPcbSymbolFound(CFindLibraryItem* find, void* context);
  static void OnScmSymbolFound(CFindLibraryItem* find, void* context);

  CButton m_scmSection;
  CButton m_pcbSection;
  CStoredSmartComboBox m_defaultReference;
  CEdit m_scmPinCount;
  CEdit m_pcbPinCount;
  CLibraryFileComboBox m_scmLibrary;
  CLibraryFileComboBox m_pcbLibrary;
  CLibraryContentsComboBox m_scmSymbol;
  CLibraryContentsComboBox m_pcbSymbol;
  CStoredSmartComboBox m_package;
  CString m_name;
  UINT m_gates = 1;
  int m_pcbSectionOn = 1;
  int m_scmSectionOn = 1;
  CDesign* m_design;  // not owned
  NameCheck m_nameCheck;
  std::unique_ptr<CLibrarySymbolChooser> m_pcbChooser;  // null until OnInitDialog
  std::unique_ptr<CLibrarySymbolChooser> m_scmChooser;  // null until OnInitDialog
};
