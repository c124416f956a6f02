// CGatePropertyPage: the "Gate" page of the property sheet. It shows the library and
// the schematic symbol that draw one gate, with the symbol's pin count, and rebuilds the
// gate on another symbol when the user chooses one: in the record being edited with the
// terminal names and pin numbers it can carry over, and in every other package record of
// the component as a pin map of the new size.
#pragma once

#include <memory>

#include "host/uitools/library_combo_boxes.h"
#include "platform/cstring.h"
#include "platform/edit.h"
#include "platform/property_sheet.h"

class CComponent;
class CLibrarySymbolChooser;

class CGatePropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CGatePropertyPage)

 public:
  CGatePropertyPage();
  ~CGatePropertyPage() override;

  // The record being edited (not owned) and the index of the gate shown; set before the
  // page is added to its sheet.
  void SetGate(CComponent* component, int gate);

  BOOL OnInitDialog() override;
  // Refuses (FALSE, the sheet stays open here, nothing changes) a symbol the chooser
  // rejects or a gate the model cannot rebuild; rebuilds the gate when its library or
  // symbol changed.
  BOOL OnApply() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnSymbolChanged();
  void OnLibraryChanged();

  // Focus on the control at fault and the recorded message; always FALSE.
  BOOL RefuseAt(int controlId);
  bool SymbolChanged(const CString& symbol) const;
  // False, with the model's message recorded and the design as it was, when the gate
  // cannot be rebuilt.
  bool ReplaceGate(const CString& symbol, int pins);
  void ResizeOtherRecords(int pins);

  CEdit m_pinCount;
  CLibraryFileComboBox m_libraries;
  CLibraryContentsComboBox m_symbols;
  std::unique_ptr<CLibrarySymbolChooser> m_chooser;  // null until OnInitDialog
  CComponent* m_component = nullptr;                 // not owned
  int m_gate = 0;
};
