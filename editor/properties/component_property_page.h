// CComponentPropertyPage: the first page of every properties sheet. It shows the
// component's name and the packages it exists in, and edits the component's
// description, its default reference (offered from the stock list "def_ref.txt" beside
// the program, or typed) and which names the schematic and the PCB show for its
// instances. It writes into the package record it was given when the sheet applies, and
// refuses nothing.
#pragma once

#include "host/utility/stored_smart_combo_box.h"
#include "platform/list_box.h"
#include "platform/property_sheet.h"

class CComponent;
class CDesign;

class CComponentPropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CComponentPropertyPage)

 public:
  // The twelve show names, in the order of their check boxes.
  static constexpr int kShowNameCount = 12;

  CComponentPropertyPage();
  ~CComponentPropertyPage() override;

  // The design holding the component's records and the record the page edits; set
  // before the page is added to its sheet. Neither is owned.
  void SetComponent(CDesign* design, CComponent* component);

  BOOL OnInitDialog() override;
  // Stores the default reference as the combo shows it, the description and, when the
  // component has a schematic side, the twelve show names. A page without a component
  // shows and stores nothing.
  BOOL OnApply() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnChanged();
  void OnShowNameClicked(UINT box);
  void ShowComponent();
  void ListPackages();
  void ReadShowNames();
  void WriteShowNames();

  CListBox m_packages;
  CStoredSmartComboBox m_defaultReference;
  CString m_name;
  CString m_description;
  BOOL m_showNames[kShowNameCount] = {};
  CDesign* m_design = nullptr;        // not owned
  CComponent* m_component = nullptr;  // not owned
  bool m_initialising = false;
};
