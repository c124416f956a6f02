// CPackagePropertyPage: the package page of every properties sheet. It renames the
// package record it was given (the stock names of "package.txt" beside the program are
// offered), edits the package description and changes the PCB symbol that draws the
// package. On apply it checks the package name and the symbol, writes back only what
// changed, and redraws the design's views when the PCB symbol or its library changed.
// The record's pin count and pin map are never touched.
#pragma once

#include <memory>

#include "host/uitools/library_combo_boxes.h"
#include "host/utility/stored_smart_combo_box.h"
#include "platform/edit.h"
#include "platform/property_sheet.h"

class CComponent;
class CDesign;
class CLibrarySymbolChooser;

class CPackagePropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CPackagePropertyPage)

 public:
  CPackagePropertyPage();
  ~CPackagePropertyPage() override;

  // The design holding the component's records and the package record the page edits;
  // set before the page is added to its sheet. Neither is owned.
  void SetComponent(CDesign* design, CComponent* component);

  BOOL OnInitDialog() override;
  // FALSE, with the focus on the control at fault and the message shown, when the
  // package name is refused, another record has that package, or the PCB symbol cannot
  // be found; nothing is written then. A page without a component stores nothing.
  BOOL OnApply() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // What the user chose, as read from the controls on apply.
  struct PackageChoice {
    CString package;
    CString library;
    CString symbol;
  };

  void ShowPackage();
  // Null when the choice passes every check; else the control at fault, with the
  // message recorded as the last error.
  CWnd* CheckChoice(PackageChoice& choice);
  // True when another record of the component already has the package.
  bool IsPackageTaken(const CString& package) const;
  // Writes what differs from the record; true when the drawing of the package changed.
  bool WriteChoice(const PackageChoice& choice);
  void RedrawDesign();
  void OnSymbolChanged();
  void OnLibraryChanged();
  void OnChanged();

  CEdit m_pinCount;
  CLibraryFileComboBox m_library;
  CStoredSmartComboBox m_package;
  CLibraryContentsComboBox m_symbol;
  CString m_description;
  CDesign* m_design = nullptr;        // not owned
  CComponent* m_component = nullptr;  // not owned
  std::unique_ptr<CLibrarySymbolChooser> m_chooser;
  bool m_initialising = false;
};
