// CScmPinPropertyPage: the "Schematic Pin" page of the property sheet, shown for a
// terminal of a gate in the schematic drawing. It shows the gate, the terminal and the
// PCB pin assigned to it in the record of the current package, and lets the user rename
// the terminal; a new name reaches the model and every drawing of the gate's symbol.
#pragma once

#include <utility>

#include "host/model/pin_labels.h"
#include "platform/cstring.h"
#include "platform/property_sheet.h"

class CComponent;

class CScmPinPropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CScmPinPropertyPage)

 public:
  CScmPinPropertyPage();

  // The record the page reads and writes (not owned), the gate index and the terminal
  // number; set before the page is added to its sheet.
  void SetPin(CComponent* component, int gate, int terminal);
  // How the pin is written: by its land's name where the package's footprint names it.
  void SetPinLabels(CPinLabels labels) { m_labels = std::move(labels); }

  BOOL OnInitDialog() override;
  // Refuses (FALSE, the sheet stays open here) a terminal name the validator rejects;
  // otherwise stores a changed name and tells the design's views.
  BOOL OnApply() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnPinNameChanged();
  // The validator's message, with the focus on the name; false when the name is refused.
  bool AcceptPinName();
  void StorePinName();

  CString m_pinName;
  CString m_pcbPin;
  CString m_gateName;
  int m_terminalNumber;
  CComponent* m_component = nullptr;  // not owned
  int m_gate = 0;
  int m_terminal = 0;
  CPinLabels m_labels;
};
