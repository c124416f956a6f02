// A dialog that owns a library symbol chooser as the editor's dialogs own theirs: built
// from one of the editor's templates holding the chooser's three controls, the chooser
// made in OnInitDialog, the library and symbol notifications routed to it, the "Find
// Symbol..." button running the Find Symbol sequence, and OK refused, with the focus
// back on the symbol and the reason shown, while the symbol does not validate.
#pragma once

#include <memory>
#include <string>

#include "editor/dialogs/library_symbol_chooser.h"
#include "host/libtools/find_library_item.h"
#include "platform/dialog.h"

// Where a template keeps the chooser's controls.
struct ChooserLayout {
  UINT templateId;
  const CRuntimeClass* libraryKind;
  int libraryCombo;
  int symbolCombo;  // the notifications that follow the list are chosen by this id
  int pinCountEdit;
  const char* findIdentifier;
};

// Add Gate: schematic libraries, a simple symbol combo, a Find Symbol button.
ChooserLayout AddGateLayout();
// Add Package: PCB libraries, a drop-down symbol combo.
ChooserLayout AddPackageLayout();

// What the last accepted OK read from the chooser.
struct ChooserResult {
  std::string library;
  std::string symbol;
  int pinCount = -1;
};

class CChooserDialog : public CDialog {
 public:
  CChooserDialog(const ChooserLayout& layout, bool allowEmptySymbol);

  // A library and symbol shown at start, as a caller passes them in.
  void ShowAtStart(const CString& library, const CString& symbol);

  CLibrarySymbolChooser& Chooser() { return *m_chooser; }
  const ChooserResult& Result() const { return m_result; }
  CWnd* Library() { return &m_library; }
  CWnd* Symbol() { return &m_symbol; }
  CEdit* PinCount() { return &m_pinCount; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnLibraryChanged();
  void OnSymbolChanged();
  void OnFindSymbol();
  static void OnSymbolFound(CFindLibraryItem* find, void* context);

  ChooserLayout m_layout;
  bool m_allowEmptySymbol;
  CString m_startLibrary;
  CString m_startSymbol;
  CLibraryFileComboBox m_library;
  CLibraryContentsComboBox m_symbol;
  CEdit m_pinCount;
  std::unique_ptr<CLibrarySymbolChooser> m_chooser;  // after the controls: it goes first
  ChooserResult m_result;
};
