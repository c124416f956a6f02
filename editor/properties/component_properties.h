// CComponentProperties: the modal property sheet of the current component. It always
// holds the component and package pages; an item picked in a drawing adds the pages
// that belong to it (its gate, its schematic terminal or its PCB pad) and the sheet
// opens at the page of that item. The frame builds it on the stack inside its undo
// level "Properties", runs it with DoModal and lets it go.
#pragma once

#include "editor/properties/component_property_page.h"
#include "editor/properties/gate_property_page.h"
#include "editor/properties/package_property_page.h"
#include "editor/properties/pcb_pin_property_page.h"
#include "editor/properties/scm_pin_property_page.h"
#include "platform/property_sheet.h"

class CComponent;
class CDesign;
class CDesignItem;
class CPadInstance;
class CSymbolInstance;

class CComponentProperties : public CPropertySheet {
  DECLARE_DYNAMIC(CComponentProperties)

 public:
  // `design` is the design the frame edits and `component` its current package record;
  // `item` (may be null) is the pad or symbol picked in one of the drawings, which
  // belongs to that drawing's own design. The pages only read its gate, terminal and
  // pin numbers and work on `component`.
  CComponentProperties(CDesign* design, CComponent* component, CDesignItem* item);
  ~CComponentProperties() override;

  CDesignItem* GetItem() const { return m_pItem; }
  CDesign* GetDesign() const { return m_pDesign; }
  CComponent* GetComponent() const { return m_pComponent; }

 private:
  // The pages an item brings; each returns the index of the page to open at.
  int AddItemPages(CDesignItem* item);
  int AddSymbolPages(const CSymbolInstance& symbol);
  int AddScmPadPages(const CPadInstance& pad);
  int AddPcbPadPages(const CPadInstance& pad);

  // Constructed in this order and destroyed in the reverse one.
  CScmPinPropertyPage m_scmPinPage;
  CPcbPinPropertyPage m_pcbPinPage;
  CGatePropertyPage m_gatePage;
  CComponentPropertyPage m_componentPage;
  CPackagePropertyPage m_packagePage;

  CDesignItem* m_pItem;      // not owned: belongs to a drawing's design
  CDesign* m_pDesign;        // not owned
  CComponent* m_pComponent;  // not owned: belongs to the design
};
