// CLibrarySymbolChooser: the three controls with which a dialog or property page picks
// a library symbol (the schematic symbol of a gate, or the PCB symbol of a package):
// a list of library files, a combo with the symbols of the chosen library, and an edit
// with the symbol's pin count.
//
// The owner keeps the controls (attached by its DDX_Control exchange) and creates the
// chooser in its OnInitDialog, after the base class has attached them; it routes the
// library combo's CBN_SELCHANGE to FillSymbolList and the symbol combo's selection and
// edit-change notifications to UpdatePinCount. On OK or Apply it reads GetLibraryName,
// ValidateSymbol and GetPinCount; after a false result it puts the focus back on the
// control at fault (ReselectControl) and shows CAppError::ReportLastError.
//
// The chooser holds no state of its own besides its four links: the chosen library,
// the symbol name and the pin count live in the controls. It reads libraries and never
// writes them, nor the remembered last-used library of its kind.
#pragma once

#include "host/uitools/library_combo_boxes.h"
#include "platform/cstring.h"
#include "platform/edit.h"
#include "platform/object.h"

class CLibrarySymbolChooser {
 public:
  // `libraryKind` is CScmSymbolLibrary or CPcbSymbolLibrary. Fills the library list at
  // the file last used for the kind, then the symbol list of that library. The controls
  // are not owned and must outlive the chooser.
  CLibrarySymbolChooser(const CRuntimeClass* libraryKind, CLibraryFileComboBox* libraryCombo,
                        CLibraryContentsComboBox* symbolCombo, CEdit* pinCountEdit);
  // Leaves the controls as they are.
  virtual ~CLibrarySymbolChooser() = default;
  CLibrarySymbolChooser(const CLibrarySymbolChooser&) = delete;
  CLibrarySymbolChooser& operator=(const CLibrarySymbolChooser&) = delete;

  const CRuntimeClass* GetLibraryKind() const { return m_pLibraryKind; }

  // The library file as the library list shows it: what the design model stores as a
  // gate's library or a package's PCB library.
  CString GetLibraryName() const;
  // That file beside the library last used for the kind: every library of one kind is
  // looked for in that one directory.
  CString GetLibraryPath() const;

  // Selects the library of that name (case ignored) and lists its symbols; an unknown
  // name keeps the current library but lists its symbols again.
  void SelectLibrary(const CString& name);
  // Lists the symbols of the current library, with none selected.
  void FillSymbolList();
  // Selects the listed symbol of that name (case ignored); a name not listed is shown
  // as typed, the list selection staying as it was. The pin count follows.
  void SetSymbolName(const CString& name);
  // Shows the pad count of the symbol selected in the list and locks the edit while the
  // library supplies it. A symbol the library cannot supply unlocks the edit, keeping
  // its text for the user to correct; with no list selection nothing changes.
  void UpdatePinCount();

  // `name` receives the symbol combo's text whatever the outcome. True when the name is
  // a symbol of the current library, or is empty and `allowEmpty`; otherwise false with
  // the reason recorded as the application's last error.
  bool ValidateSymbol(CString& name, bool allowEmpty);
  // The pin-count edit's text as a number, read as atoi reads it: leading blanks, a
  // sign, then digits up to the first other character; no digits give 0. Never fails.
  bool GetPinCount(int& count);

 private:
  const CRuntimeClass* m_pLibraryKind;
  CLibraryFileComboBox* m_pLibraryCombo;
  CLibraryContentsComboBox* m_pSymbolCombo;
  CEdit* m_pPinCountEdit;
};
