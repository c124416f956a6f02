// CImportSymbolDialog: File > Import Symbol. The user picks a symbol of a .kicad_sym
// library (or types its name: a symbol of several units imports whole) and, with the
// Footprint box ticked, a footprint. Typing in a library list's filter keeps the
// libraries whose names hold the text; typing a folder's path there, or choosing one with
// the Folder button beside the list, lists that folder's libraries. The symbols of the
// libraries last used are read after the dialog is shown. OK makes the new component in
// the design (CKicadSymbolImport): one gate per unit, and the pin map the pin numbers
// give. An empty component name takes the symbol's, an empty package the footprint's
// (else the component's). Every check runs before anything is added: a refused OK leaves
// the design empty, the focus on the control at fault and the reason shown.
#pragma once

#include <memory>
#include <vector>

#include "host/kicad/kicad_symbol_import.h"
#include "host/uitools/library_combo_boxes.h"
#include "platform/button.h"
#include "platform/cstring.h"
#include "platform/dialog.h"
#include "platform/edit.h"

class CDesign;
class CLibrarySymbolChooser;
class FilePrompt;

class CImportSymbolDialog : public CDialog {
 public:
  // `design` receives the component, made for the library at `componentLibrary`;
  // `prompt` asks for the folders of the Folder buttons (none: the buttons do nothing).
  // Neither is owned.
  CImportSymbolDialog(CDesign* design, const CString& componentLibrary, FilePrompt* prompt = nullptr,
                      CWnd* parent = nullptr);
  ~CImportSymbolDialog() override;

  // After OK: the terminals the footprint has no pad for, and their description.
  const std::vector<CKicadSymbolImport::Unassigned>& GetUnassigned() const { return m_unassigned; }
  CString DescribeUnassigned() const;

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // Null when the request passes every check; else the control at fault, with the
  // message recorded as the last error.
  CWnd* Check(CKicadSymbolImport::Request& request);
  CWnd* CheckSymbol(CKicadSymbolImport::Request& request);
  CWnd* CheckFootprint(CKicadSymbolImport::Request& request);
  CWnd* CheckNames(CKicadSymbolImport::Request& request);
  bool FootprintChosen();

  bool MakeChoosers();
  LRESULT OnReadSymbols(WPARAM, LPARAM);
  void ApplyPcbSection();
  void OnScmSymbolChanged();
  void OnPcbSymbolChanged();
  void OnScmLibraryChanged();
  void OnPcbLibraryChanged();
  void OnScmFilterChanged();
  void OnPcbFilterChanged();
  void OnScmFolder();
  void OnPcbFolder();
  void ChooseFolder(CEdit& filter, CLibraryFileComboBox& libraries, CLibrarySymbolChooser& chooser);
  void ApplyFilter(CEdit& filter, CLibraryFileComboBox& libraries, CLibrarySymbolChooser& chooser);

  CButton m_pcbSection;
  CEdit m_scmPins;
  CEdit m_pcbPins;
  CEdit m_scmFilter;
  CEdit m_pcbFilter;
  CLibraryFileComboBox m_scmLibrary;
  CLibraryFileComboBox m_pcbLibrary;
  CLibraryContentsComboBox m_scmSymbol;
  CLibraryContentsComboBox m_pcbSymbol;
  CString m_name;
  CString m_package;
  CDesign* m_design;  // not owned
  CString m_componentLibrary;
  FilePrompt* m_prompt;  // not owned; may be null
  bool m_settingFilter = false;
  bool m_ready = false;                                 // OnInitDialog has filled the controls
  std::unique_ptr<CLibrarySymbolChooser> m_scmChooser;  // null until MakeChoosers
  std::unique_ptr<CLibrarySymbolChooser> m_pcbChooser;  // null until MakeChoosers
  std::vector<CKicadSymbolImport::Unassigned> m_unassigned;
  CString m_footprint;
};
