// CPcbPinPropertyPage: the "PCB Pin" page of the property sheet, shown for a pad of the
// PCB drawing. It lists every gate terminal of the current package's record that the pin
// is assigned to, and changes nothing.
#pragma once

#include <utility>

#include "host/model/pin_labels.h"
#include "platform/cstring.h"
#include "platform/list_box.h"
#include "platform/property_sheet.h"

class CComponent;

class CPcbPinPropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CPcbPinPropertyPage)

 public:
  CPcbPinPropertyPage();

  // The record the page reads (not owned) and the pin number; set before the page is
  // added to its sheet.
  void SetPin(CComponent* component, int pin);
  // How the pin is written: by its land's name where the footprint names it.
  void SetPinLabels(CPinLabels labels) { m_labels = std::move(labels); }

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // Adds a line per terminal carrying the pin; the name field takes the last one's name.
  void ListAssociations();

  CListBox m_associations;
  CString m_pinName;
  CString m_number;
  CComponent* m_component = nullptr;  // not owned
  int m_pin = 0;
  CPinLabels m_labels;
};
