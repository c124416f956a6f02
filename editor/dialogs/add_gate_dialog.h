// CAddGateDialog: asks which schematic symbol the new gate or gates are drawn with and
// how many to add. It checks the symbol against its library and hands back the library,
// the symbol, its pin count and the count; the design is left to the caller, which adds
// the gates with consecutive indices from the one named in the title.
#pragma once

#include <memory>

#include "host/libtools/find_library_item.h"
#include "host/uitools/library_combo_boxes.h"
#include "platform/cstring.h"
#include "platform/dialog.h"
#include "platform/edit.h"

class CLibrarySymbolChooser;

class CAddGateDialog : public CDialog {
 public:
  // `gateIndex` is the first new gate's, shown by its letter in the title; the library
  // and symbol are shown first.
  CAddGateDialog(int gateIndex, const CString& library, const CString& symbol, CWnd* parent = nullptr);
  ~CAddGateDialog() override;

  // The results, valid after IDOK.
  CString GetLibraryName() const { return m_library; }
  CString GetSymbolName() const { return m_symbol; }
  int GetPins() const { return m_pins; }
  int GetHowMany() const { return m_howMany; }

  BOOL OnInitDialog() override;
  // Ends with IDOK only when the symbol is in the chosen library and How Many is a
  // whole number; otherwise the focus goes to the field at fault and the reason shows.
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnSymbolChanged();
  void OnLibraryChanged();
  void OnFindSymbol();
  static void OnSymbolFound(CFindLibraryItem* find, void* context);

  void SetTitleFromGate();
  void RefuseAt(int controlId);

  CEdit m_pinCount;
  CLibraryFileComboBox m_libraries;
  CLibraryContentsComboBox m_symbols;
  int m_howMany = 1;
  std::unique_ptr<CLibrarySymbolChooser> m_chooser;  // null until OnInitDialog
  CString m_library;
  CString m_symbol;
  int m_gateIndex;
  int m_pins = 0;
};
